<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>quorvel::CMainFrame</name>
    <message>
        <source>Main toolbar</source>
        <translation>Hauptsymbolleiste</translation>
    </message>
    <message>
        <source>Directory tree</source>
        <translation>Verzeichnisbaum</translation>
    </message>
    <message>
        <source>Files list</source>
        <translation>Dateiliste</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Exit	Alt+F4, Esc</source>
        <translation>&amp;Beenden	Alt+F4, Esc</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Files pane</source>
        <translation>Dateibereich</translation>
    </message>
    <message>
        <source>Navigation toolbar</source>
        <translation>Navigationsleiste</translation>
    </message>
    <message>
        <source>Show image in full-screen</source>
        <translation>Bild im Vollbild zeigen</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Do you really want to exit?</source>
        <translation>Wollen Sie das Programm wirklich beenden?</translation>
    </message>
</context>
</TS>
