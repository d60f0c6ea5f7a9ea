#pragma once

#include "core/imaging/DecodeTypes.h"

#include <QByteArrayView>

class QIODevice;

namespace quorvel {

// JPEG through libjpeg-turbo: baseline, progressive and arithmetic-coded,
// greyscale, RGB/YCbCr, CMYK and YCCK (converted to RGB), 8 bits per sample.
// 12-bit files, truncated or damaged data are failures: nothing half-decoded
// is returned.
class JpegDecoder
{
public:
    // Progressive files with more scans than this are refused: their decoding
    // time is unbounded otherwise.
    static constexpr int kMaxScans = 500;

    static DecodeResult decode(QByteArrayView data, const DecodeOptions &options);
    // The same from the device's current position, read in chunks as the
    // decoder goes: a file is never held whole, and only what the picture
    // needs is read.
    static DecodeResult decode(QIODevice &device, const DecodeOptions &options);

    // Bits per pixel from the frame header (8 per component), without
    // decoding: 8 for greyscale, 24 for colour, 32 for CMYK. 0 when the
    // device holds no JPEG of 8 bits per sample. Reads from the device's
    // current position.
    static int pixelDepth(QIODevice &device);
};

} // namespace quorvel
