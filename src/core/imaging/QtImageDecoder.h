#pragma once

#include "core/imaging/DecodeTypes.h"

class QIODevice;

namespace quorvel {

// GIF, BMP, PNG and WebP through Qt's image readers, chosen by content. BMP
// headers Qt does not read are rewritten first (see bmpheader).
class QtImageDecoder
{
public:
    static DecodeResult decode(QIODevice &device, const DecodeOptions &options);

    // Bits per pixel of GIF (8), BMP, PNG and WebP (24, or 32 with alpha)
    // files from their headers; 0 for anything else.
    static int pixelDepth(QByteArrayView head);
};

} // namespace quorvel
