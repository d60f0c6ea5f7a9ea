#pragma once

#include "core/imaging/DecodeTypes.h"

#include <QByteArrayView>

class QIODevice;

namespace quorvel {

// JPEG XL through libjxl, bare codestreams and the box container alike: the
// first frame, 8 bits per channel, alpha flattened over black. The picture
// is delivered upright: libjxl applies the orientation the codestream
// carries.
class JxlDecoder
{
public:
    // Whether the leading bytes are a JPEG XL codestream (FF 0A) or the
    // container's signature box.
    static bool looksLikeJxl(QByteArrayView head);

    // Reads from the device's current position, a chunk at a time.
    static DecodeResult decode(QIODevice &device, const DecodeOptions &options);

    // Bits per pixel from the basic header: the sample depth times the
    // colour channels, plus the alpha channel's depth. 0 when the device
    // holds no readable JPEG XL header.
    static int pixelDepth(QIODevice &device);
};

} // namespace quorvel
