#pragma once

#include "core/imaging/DecodeTypes.h"

class QIODevice;

namespace quorvel {

// TIFF through libtiff, first page only: 1 to 16 and 32 bits per sample
// (other depths than 1, 2, 4, 8 and 16 through TiffSampleReader), 16-, 32-
// and 64-bit floating point samples scaled to 8 bits, RGB, palette, grey
// (either polarity), CMYK, YCbCr, with alpha flattened over black;
// uncompressed, PackBits, LZW, Deflate and JPEG-in-TIFF (CMYK too), strips
// or tiles. Damaged or truncated data is a failure.
class TiffDecoder
{
public:
    // Pictures with more samples per pixel than this are refused.
    static constexpr int kMaxSamplesPerPixel = 16;

    // Reads from the device, which must be open and seekable.
    static DecodeResult decode(QIODevice &device, const DecodeOptions &options);

    // Bits per pixel of the first page from its header: bits per sample times
    // samples per pixel (a palette picture gives its index size). 0 when the
    // device holds no readable TIFF.
    static int pixelDepth(QIODevice &device);
};

} // namespace quorvel
