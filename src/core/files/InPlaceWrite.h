#pragma once

#include "core/files/FileAccess.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>

namespace quorvel {

// Overwrites a few bytes of a file where they lie, for an edit that leaves
// its size and layout as they are (a metadata value replaced by one of the
// same size): only the changed bytes are written, not a copy of the whole
// file.
//
// It stays as safe as a replacement through a temporary file because the
// bytes lie within one 512-byte sector of the file and go out in one write,
// which a storage device puts down whole or not at all, and a killed process
// either made or did not make: the file holds the old bytes or the new ones,
// never a mix. Everything SafeWriter refuses is refused here too (a link, a
// FIFO, a file that another program changed since it was read); a file with
// more than one name, or one that cannot be opened for writing, is left to
// the replacement, which treats it as it always did.
class InPlaceWrite
{
    Q_DECLARE_TR_FUNCTIONS(InPlaceWrite)

public:
    static constexpr qint64 kSectorSize = 512;

    enum class Outcome {
        Written,    // the bytes are in the file and on the disk
        NotInPlace, // nothing written: replace the file instead
        Failed,     // nothing written (or the write failed): see error
    };

    // Whether length bytes from offset lie within one sector.
    static bool withinOneSector(qint64 offset, qint64 length);

    // Writes bytes at offset into the file at path, over previous (the
    // bytes there when it was read, put back should the write fail), which
    // must still be the file read earlier (expected). The file keeps the
    // given times (invalid ones: the system's).
    static Outcome write(const QString &path, qint64 offset, const QByteArray &bytes, const QByteArray &previous,
                         const FileIdentity &expected, const QDateTime &lastAccess, const QDateTime &lastWrite,
                         QString *error = nullptr);
};

} // namespace quorvel
