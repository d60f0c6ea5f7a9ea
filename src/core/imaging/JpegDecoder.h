#pragma once

#include "core/imaging/DecodeTypes.h"

#include <QByteArrayView>

class QIODevice;

namespace quorvel {

// JPEG through libjpeg-turbo: baseline, progressive and arithmetic-coded,
// greyscale, RGB/YCbCr, CMYK and YCCK (converted to RGB), 8 bits per sample.
// Picture data that ends early or is damaged gives what libjpeg recovers,
// the rest grey, marked DecodeResult::partial. 12-bit files, damaged
// headers, and data that ends before any of the picture are failures.
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

    // Whether the picture data is whole: every coefficient reads without
    // the damage that makes decode() give a partial picture. Costs a pass
    // over the data, without making pixels.
    static bool isWhole(QByteArrayView data);

    // Bits per pixel from the frame header (8 per component), without
    // decoding: 8 for greyscale, 24 for colour, 32 for CMYK. 0 when the
    // device holds no JPEG of 8 bits per sample. Reads from the device's
    // current position.
    static int pixelDepth(QIODevice &device);
};

} // namespace quorvel
