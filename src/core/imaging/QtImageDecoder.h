#pragma once

#include "core/imaging/DecodeTypes.h"

class QIODevice;

namespace quorvel {

// GIF, BMP, PNG (and WebP) through Qt's image readers, chosen by content.
class QtImageDecoder
{
public:
    static DecodeResult decode(QIODevice &device, const DecodeOptions &options);

    // Bits per pixel of GIF (8), BMP and PNG files from their headers; 0 for
    // anything else.
    static int pixelDepth(QByteArrayView head);
};

} // namespace quorvel
