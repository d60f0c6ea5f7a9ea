#pragma once

#include "core/imaging/DecodeTypes.h"

#include <QByteArrayView>

class QIODevice;

namespace quorvel {

// HEIF pictures through libheif: HEIC (HEVC) and AVIF (AV1), single images
// and tiled grids, 8 to 12 bits (brought to 8), alpha flattened over black.
// The primary image is delivered upright: libheif applies the file's own
// rotation, mirroring and crop. With DecodeOptions::reduceTo the stored
// thumbnail is used when it covers that size and has the picture's
// proportions.
class HeifDecoder
{
public:
    // Files larger than this are refused (libheif reads the whole file).
    static constexpr qint64 kMaxFileBytes = qint64(512) << 20;

    // Whether the leading bytes are an ISO media file of a HEIF picture
    // brand: heic, heix, hevc, heim, heis, hevm, hevs, mif1, msf1, avif, avis.
    static bool looksLikeHeif(QByteArrayView head);

    // Reads from the device's current position to its end.
    static DecodeResult decode(QIODevice &device, const DecodeOptions &options);

    // Bits per pixel of the primary image (the luma depth times three, plus
    // the alpha depth); 0 when the device holds no readable HEIF picture.
    static int pixelDepth(QIODevice &device);
};

} // namespace quorvel
