#pragma once

#include "core/fileops/VersionEntry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QVector>

namespace quorvel {

// The version index file "fInfo.txt": binary and little-endian despite its
// name. A 32-bit format number (1), a signed 32-bit entry count N, then N
// records of VersionEntry::kRecordBytes each.
//
// A damaged index is read as far as it is sound: a negative count reads as
// none, and a count larger than the records present, or a last record cut
// short, reads only the whole records that are there.
namespace versionindex {

inline constexpr qint32 kFormatNumber = 1;
inline constexpr qsizetype kHeaderBytes = 8;

struct Parsed
{
    QVector<VersionEntry> entries;
    bool hasHeader = false; // false for a file shorter than the header
    bool damaged = false;   // the count did not match the records present
};

Parsed parse(QByteArrayView bytes);
QByteArray serialise(const QVector<VersionEntry> &entries);

} // namespace versionindex
} // namespace quorvel
