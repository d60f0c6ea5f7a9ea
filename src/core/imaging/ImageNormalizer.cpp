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

} // namespace quorvel
