#include "core/imaging/DecoderChoice.h"

#include "core/imaging/HeifDecoder.h"
#include "core/imaging/JxlDecoder.h"
#include "core/imaging/PcxDecoder.h"

namespace quorvel {

DecoderKind sniffDecoder(QByteArrayView head)
{
    const auto at = [&](qsizetype i) { return i < head.size() ? uchar(head[i]) : 0x100u; };
    if (at(0) == 0xFF && at(1) == 0xD8 && at(2) == 0xFF)
        return DecoderKind::Jpeg;
    // Classic TIFF (42) and BigTIFF (43), either byte order.
    if ((at(0) == 'I' && at(1) == 'I' && (at(2) == 42 || at(2) == 43) && at(3) == 0)
        || (at(0) == 'M' && at(1) == 'M' && at(2) == 0 && (at(3) == 42 || at(3) == 43)))
        return DecoderKind::Tiff;
    if (HeifDecoder::looksLikeHeif(head))
        return DecoderKind::Heif;
    if (JxlDecoder::looksLikeJxl(head))
        return DecoderKind::Jxl;
    if (PcxDecoder::looksLikePcx(head))
        return DecoderKind::Pcx;
    return DecoderKind::Qt;
}

QList<DecoderKind> decoderOrder(const QString &path, QByteArrayView head, bool nameFallback)
{
    QList<DecoderKind> order{sniffDecoder(head)};
    if (nameFallback) {
        const QString lower = path.toLower();
        DecoderKind byName = DecoderKind::None;
        // ".tiff" contains ".tif".
        if (lower.contains(QLatin1String(".tif")))
            byName = DecoderKind::Tiff;
        else if (lower.contains(QLatin1String(".jpg")))
            byName = DecoderKind::Jpeg;
        if (byName != DecoderKind::None && !order.contains(byName))
            order.append(byName);
    }
    return order;
}

} // namespace quorvel
