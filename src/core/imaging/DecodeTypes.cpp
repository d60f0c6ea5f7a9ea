#include "core/imaging/DecodeTypes.h"

namespace quorvel {

QString decoderName(DecoderKind kind)
{
    switch (kind) {
    case DecoderKind::Jpeg: return QStringLiteral("jpeg");
    case DecoderKind::Tiff: return QStringLiteral("tiff");
    case DecoderKind::Raw: return QStringLiteral("raw");
    case DecoderKind::Qt: return QStringLiteral("qt");
    case DecoderKind::Pcx: return QStringLiteral("pcx");
    case DecoderKind::Heif: return QStringLiteral("heif");
    case DecoderKind::Jxl: return QStringLiteral("jxl");
    case DecoderKind::None: break;
    }
    return QStringLiteral("none");
}

bool DecodeOptions::sizeAllowed(qint64 width, qint64 height) const
{
    if (width <= 0 || height <= 0)
        return false;
    if (width > decodelimits::kMaxSide || height > decodelimits::kMaxSide)
        return false;
    return width * height <= maxPixels;
}

} // namespace quorvel
