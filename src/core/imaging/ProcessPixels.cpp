#include "core/imaging/ProcessPixels.h"

namespace quorvel::pixels::detail {

bool prepare(QImage &image)
{
    if (image.isNull())
        return false;
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        return true;
    default:
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        return !image.isNull();
    }
}

} // namespace quorvel::pixels::detail
