#!/usr/bin/env python3
"""Fills unfinished entries of a Qt .ts file from a tab-separated table.

usage: fill-translation.py FILE.ts TABLE.tsv

Each table line is "source<TAB>translation", with \\t, \\r and \\n written
as escapes. Entries already translated are left alone; entries the table does
not know stay unfinished, so lrelease leaves them in English.
"""
import sys
import xml.etree.ElementTree as ET


def unescape(text):
    return text.replace("\\t", "\t").replace("\\r", "\r").replace("\\n", "\n")


def text_of(element):
    """The element's text, with the characters lupdate writes as <byte value="xd"/>."""
    text = element.text or ""
    for child in element:
        if child.tag == "byte":
            text += chr(int(child.get("value", "x0").lstrip("x"), 16))
        text += child.tail or ""
    return text


def set_text(element, text):
    """Sets the text as lupdate writes it: a carriage return as <byte value="xd"/>."""
    for child in list(element):
        element.remove(child)
    parts = text.split("\r")
    element.text = parts[0]
    for part in parts[1:]:
        byte = ET.SubElement(element, "byte", value="xd")
        byte.tail = part


def main():
    ts_path, table_path = sys.argv[1], sys.argv[2]
    table = {}
    with open(table_path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            source, _, translation = line.partition("\t")
            table[unescape(source)] = unescape(translation)
    tree = ET.parse(ts_path)
    filled = missing = 0
    for message in tree.iter("message"):
        source = message.find("source")
        translation = message.find("translation")
        if source is None or translation is None or translation.get("type") != "unfinished":
            continue
        source = text_of(source)
        if source in table:
            set_text(translation, table[source])
            del translation.attrib["type"]
            filled += 1
        else:
            missing += 1
    with open(ts_path, "wb") as f:
        f.write(b'<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        tree.write(f, encoding="utf-8", xml_declaration=False)
        f.write(b"\n")
    print(f"{ts_path}: {filled} filled, {missing} still unfinished")


if __name__ == "__main__":
    main()
