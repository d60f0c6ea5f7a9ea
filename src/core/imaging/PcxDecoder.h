#pragma once

#include "core/imaging/DecodeTypes.h"

#include <QByteArrayView>

namespace quorvel {

// PCX, the codec layer's own decoder: 1 bit (black and white), 1 bit in 2 to
// 4 planes and 2 or 4 bits packed (the 16-colour header palette), 8 bits
// (the 256-colour palette at the end of the file, grey without one) and 24
// bits in three planes; run-length coded or stored. Runs may cross rows.
// Truncated data is a failure.
class PcxDecoder
{
public:
    static constexpr int kHeaderSize = 128;

    // Whether the first bytes are a plausible PCX header.
    static bool looksLikePcx(QByteArrayView head);

    static DecodeResult decode(QByteArrayView data, const DecodeOptions &options);

    // The 256-colour palette at the end of a file: a marker byte and 768.
    static constexpr int kPaletteSize = 769;
    // The most bytes a file with this header can need: the header, every
    // row coded at worst (two bytes for one) and the palette; a file holding
    // more is read only that far, plus its palette. -1 for a header this
    // decoder does not read.
    static qint64 maxUsefulBytes(QByteArrayView head);

    // Bits per pixel of the header (bits per plane times planes); 0 when the
    // header is no PCX header this decoder reads.
    static int pixelDepth(QByteArrayView head);
};

} // namespace quorvel
