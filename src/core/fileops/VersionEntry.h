#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quorvel {

// One record of the version index: which file it is, and the short name its
// version files are stored under. On disk a fixed 542-byte record of three
// zero-terminated UTF-16LE fields:
//
//   offset   0, 510 bytes: the versioned file's full path, at most 254 units
//   offset 510,  16 bytes: the store name, seven letters 'a'..'z'
//   offset 526,  16 bytes: the file's extension with its dot, at most 7 units
//
// Bytes after a terminator mean nothing; a record read from disk is written
// back exactly as it was read.
struct VersionEntry
{
    static constexpr int kRecordBytes = 542;
    static constexpr int kPathUnits = 255;       // including the terminator
    static constexpr int kStoreNameUnits = 8;
    static constexpr int kExtensionUnits = 8;
    static constexpr int kMaxPathLength = kPathUnits - 1;
    static constexpr int kMaxExtensionLength = kExtensionUnits - 1;
    static constexpr int kStoreNameLength = 7;

    QString originalPath;
    QString storeName;
    QString extension;
    // Whether every field was terminated inside its slot.
    bool terminated = true;
    // The record as read, so that it is written back unchanged.
    QByteArray record;

    // Reads one record; the view must hold at least kRecordBytes.
    static VersionEntry fromRecord(QByteArrayView bytes);
    // The record to write: the bytes read, or the fields encoded for a new
    // entry (which must fit).
    QByteArray toRecord() const;

    // A record whose fields are sound enough to name files by: a path, a
    // store name of seven lowercase letters, and an extension that is empty
    // or a dot and a few characters that cannot lead out of the folder.
    bool isUsable() const;

    static bool isValidStoreName(const QString &name);
    static bool isValidExtension(const QString &extension);
};

} // namespace quorvel
