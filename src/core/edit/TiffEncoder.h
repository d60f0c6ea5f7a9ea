#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace quorvel {

// Writes a picture as an 8-bit RGB TIFF (LZW-compressed, one page) with the
// picture's resolution and, when given, the ICC colour profile its pixels
// are in. Carries no EXIF.
class TiffEncoder
{
public:
    // The whole file; empty on failure, with *error set.
    static QByteArray encode(const QImage &image, QString *error = nullptr);
    static QByteArray encode(const QImage &image, const QByteArray &iccProfile, QString *error = nullptr);
};

} // namespace quorvel
