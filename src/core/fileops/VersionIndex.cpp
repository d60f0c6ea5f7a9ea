#include "core/fileops/VersionIndex.h"

#include <QtEndian>

namespace quorvel::versionindex {

Parsed parse(QByteArrayView bytes)
{
    Parsed out;
    if (bytes.size() < kHeaderBytes)
        return out;
    out.hasHeader = true;
    const qint32 count = qFromLittleEndian<qint32>(bytes.data() + 4);
    const qsizetype present = (bytes.size() - kHeaderBytes) / VersionEntry::kRecordBytes;
    const qsizetype n = qBound<qsizetype>(0, qsizetype(count), present);
    out.damaged = count < 0 || count > present;
    out.entries.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        out.entries.append(VersionEntry::fromRecord(
            bytes.sliced(kHeaderBytes + i * VersionEntry::kRecordBytes, VersionEntry::kRecordBytes)));
    return out;
}

QByteArray serialise(const QVector<VersionEntry> &entries)
{
    QByteArray out(kHeaderBytes, '\0');
    qToLittleEndian<qint32>(kFormatNumber, out.data());
    qToLittleEndian<qint32>(qint32(entries.size()), out.data() + 4);
    out.reserve(kHeaderBytes + entries.size() * VersionEntry::kRecordBytes);
    for (const VersionEntry &e : entries)
        out += e.toRecord();
    return out;
}

} // namespace quorvel::versionindex
