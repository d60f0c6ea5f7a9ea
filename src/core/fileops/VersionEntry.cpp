#include "core/fileops/VersionEntry.h"

#include <QtEndian>

namespace quorvel {

namespace {

// Reads a zero-terminated UTF-16LE field of at most units code units.
QString readField(QByteArrayView bytes, qsizetype offset, int units, bool *terminated)
{
    QString text;
    for (int i = 0; i < units; ++i) {
        const char16_t unit = qFromLittleEndian<quint16>(bytes.data() + offset + 2 * i);
        if (unit == 0)
            return text;
        text.append(QChar(unit));
    }
    *terminated = false;
    return text;
}

void writeField(QByteArray &record, qsizetype offset, int units, const QString &text)
{
    const qsizetype n = qMin<qsizetype>(text.size(), units - 1);
    for (qsizetype i = 0; i < n; ++i)
        qToLittleEndian<quint16>(text.at(i).unicode(), record.data() + offset + 2 * i);
}

constexpr qsizetype kPathOffset = 0;
constexpr qsizetype kStoreNameOffset = 510;
constexpr qsizetype kExtensionOffset = 526;

} // namespace

VersionEntry VersionEntry::fromRecord(QByteArrayView bytes)
{
    VersionEntry e;
    e.record = bytes.first(kRecordBytes).toByteArray();
    e.originalPath = readField(bytes, kPathOffset, kPathUnits, &e.terminated);
    e.storeName = readField(bytes, kStoreNameOffset, kStoreNameUnits, &e.terminated);
    e.extension = readField(bytes, kExtensionOffset, kExtensionUnits, &e.terminated);
    return e;
}

QByteArray VersionEntry::toRecord() const
{
    if (record.size() == kRecordBytes)
        return record;
    QByteArray out(kRecordBytes, '\0');
    writeField(out, kPathOffset, kPathUnits, originalPath);
    writeField(out, kStoreNameOffset, kStoreNameUnits, storeName);
    writeField(out, kExtensionOffset, kExtensionUnits, extension);
    return out;
}

bool VersionEntry::isValidStoreName(const QString &name)
{
    if (name.size() != kStoreNameLength)
        return false;
    for (QChar c : name) {
        if (c < u'a' || c > u'z')
            return false;
    }
    return true;
}

bool VersionEntry::isValidExtension(const QString &extension)
{
    if (extension.isEmpty())
        return true;
    if (extension.size() > kMaxExtensionLength || extension.at(0) != u'.')
        return false;
    for (QChar c : extension) {
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20)
            return false;
    }
    return true;
}

bool VersionEntry::isUsable() const
{
    return terminated && !originalPath.isEmpty() && isValidStoreName(storeName)
        && isValidExtension(extension);
}

} // namespace quorvel
