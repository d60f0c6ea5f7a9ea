#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>

namespace quorvel::test {

// A picture of the given size whose every pixel differs from its
// neighbours' (a turn or a mirror shows in every row and column).
QImage patternImage(int width, int height);
// That picture as a JPEG of quality 90 (4:2:0, 16 x 16 blocks).
QByteArray patternJpeg(int width, int height);
// Sets a file's modification time; false on failure.
bool setModified(const QString &path, const QDateTime &time);

} // namespace quorvel::test
