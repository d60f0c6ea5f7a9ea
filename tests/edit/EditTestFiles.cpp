#include "EditTestFiles.h"

#include "core/edit/JpegEncoder.h"

#include <QDateTime>
#include <QFile>

namespace quorvel::test {

QImage patternImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, ((x + y) * 3) & 0xFF);
    }
    return image;
}

QByteArray patternJpeg(int width, int height)
{
    return JpegEncoder::encode(patternImage(width, height), 90);
}

bool setModified(const QString &path, const QDateTime &time)
{
    QFile f(path);
    return f.open(QIODevice::Append) && f.setFileTime(time, QFileDevice::FileModificationTime);
}

} // namespace quorvel::test
