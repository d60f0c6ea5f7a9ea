#include "core/imaging/ImageNormalizer.h"

#include <QColorSpace>

namespace quorvel {

QImage normalizeToRgb32(QImage image)
{
    if (image.isNull())
        return image;
    if (image.hasAlphaChannel()) {
        // Flattening over black is exactly premultiplication; afterwards the
        // alpha byte only has to be set (Qt's own conversion to RGB32 would
        // unpremultiply).
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            return image;
        for (int y = 0; y < image.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] |= 0xff000000u;
        }
        image.reinterpretAsFormat(QImage::Format_RGB32);
    } else if (image.format() != QImage::Format_RGB32) {
        image.convertTo(QImage::Format_RGB32);
    }
    // The pixels are final; a colour space tag from a reader would only
    // invite a second conversion later.
    if (image.colorSpace().isValid())
        image.setColorSpace(QColorSpace());
    return image;
}

void packRow8(const uchar *samples, int channels, int width, QRgb *out)
{
    const uchar *s = samples;
    switch (channels) {
    case 1:
        for (int x = 0; x < width; ++x, ++s)
            out[x] = qRgb(s[0], s[0], s[0]);
        break;
    case 3:
        for (int x = 0; x < width; ++x, s += 3)
            out[x] = qRgb(s[0], s[1], s[2]);
        break;
    case 4:
        // Flattening over black: each colour times its alpha, rounded.
        for (int x = 0; x < width; ++x, s += 4) {
            const int a = s[3];
            out[x] = a == 255 ? qRgb(s[0], s[1], s[2])
                              : qRgb((s[0] * a + 127) / 255, (s[1] * a + 127) / 255, (s[2] * a + 127) / 255);
        }
        break;
    default:
        break;
    }
}

} // namespace quorvel
