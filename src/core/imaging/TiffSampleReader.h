#pragma once

#include "core/imaging/DecodeTypes.h"

#include <tiffio.h>

namespace quorvel {

// The TIFF layouts libtiff's RGBA reader refuses, read sample by sample and
// scaled to 8 bits: integer samples of any depth from 1 to 16 bits (10, 12
// and 14 bits among them) and of 32 bits, and IEEE floating point samples of
// 16, 32 and 64 bits. Floating point samples are scaled from the range the
// file states (SMinSampleValue, SMaxSampleValue), else from 0..1, or from
// 0 to the largest value when values beyond 1 occur. Grey (either polarity),
// RGB and CMYK, contiguous or planar, strips or tiles, alpha flattened over
// black.
class TiffSampleReader
{
public:
    // Whether the first directory needs this reader: a sample depth or
    // format the RGBA reader does not take.
    static bool isNeeded(TIFF *tif);

    // Reads the first directory into a new picture; a failure names what is
    // not supported or what is damaged.
    static DecodeResult read(TIFF *tif, qint64 maxBuffer, const DecodeOptions &options);
};

} // namespace quorvel
