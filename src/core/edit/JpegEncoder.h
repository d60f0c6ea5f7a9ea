#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace quorvel {

// Encodes a picture as a baseline JPEG through libjpeg-turbo, with the
// picture's resolution as the JFIF density (dots per inch) and, when given,
// an EXIF block (the TIFF structure of an APP1 "Exif" segment) written
// right after it and an ICC colour profile in APP2 segments after that.
class JpegEncoder
{
public:
    static constexpr int kMinQuality = 30;
    static constexpr int kMaxQuality = 100;

    // The whole file; empty on failure, with *error set. The quality is
    // clamped to 30..100. An EXIF block too large for one segment is left out.
    static QByteArray encode(const QImage &image, int quality, const QByteArray &exifBlock = QByteArray(),
                             QString *error = nullptr);
    // The same with the colour profile the pixels are in (none when empty).
    static QByteArray encode(const QImage &image, int quality, const QByteArray &exifBlock,
                             const QByteArray &iccProfile, QString *error = nullptr);
};

} // namespace quorvel
