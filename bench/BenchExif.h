#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace quorvel::bench {

// The six keys the program reads, as Exiv2 names them.
extern const char *const kSixKeys[6];

// A small plain JPEG (width x height, grey-green, quality 80).
QByteArray plainJpeg(int width = 64, int height = 48);

// The JPEG with a camera-like EXIF block of about 25 entries whose values
// change with i; with thumbnail, a 160 x 120 JPEG thumbnail in IFD1 as
// cameras store it.
QByteArray cameraJpeg(const QByteArray &jpeg, int i, bool thumbnail = false);

// Writes count files named f00000.jpg... into folder; their names, or an
// empty list when a file cannot be written.
QStringList writeFiles(const QString &folder, int count, const std::function<QByteArray(int)> &bytesOf);

// The six fields read by Exiv2 in this process, as exiv2 -g reads them; the
// number of values found.
int exiv2SixKeys(const QString &path);

// Opens the file, reads its first bytes (4 KB) and closes it: the least any
// reader of a file's metadata does. The number of bytes read.
qint64 readHead(const QString &path, qint64 bytes = 4096);

} // namespace quorvel::bench
