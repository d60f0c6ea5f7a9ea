#pragma once

#include "core/print/OutputFormat.h"

#include <QList>
#include <QSize>
#include <QSizeF>

namespace quorvel {

// The 51 output formats, addressed by index 0..50: photo lab papers, paper
// sizes, phone and screen sizes, and three custom sizes (pixels, cm, inch)
// that a dialog may change in its own copy of the catalogue.
class FormatCatalogue
{
public:
    static constexpr int kCount = 51;
    static constexpr int kDefaultIndex = 2; // "10x15 cm"
    static constexpr int kCustomPixels = 48;
    static constexpr int kCustomCm = 49;
    static constexpr int kCustomInch = 50;

    // Every entry at its default; the custom entries' names are translated.
    FormatCatalogue();

    static bool isValidIndex(int index) { return index >= 0 && index < kCount; }
    static bool isCustom(int index) { return index >= kCustomPixels && index <= kCustomInch; }
    // What the entry is for: print 0..34, 49, 50; web 44..48; mobile 35..43.
    static OutputKind kindOf(int index);

    int size() const { return int(m_formats.size()); }
    // An index outside 0..50 gives the default entry.
    const OutputFormat &at(int index) const;

    // Sets the lengths of a custom entry; false for any other index.
    bool setCustomLengths(int index, float first, float second);

    // The format's width and height lengths (cm, or pixels for the pixel
    // group), with the photolab corrections when asked for.
    QSizeF lengths(int index, bool firstIsWidth, bool photolab) const;

    // The output size in pixels. Pixel formats: the lengths rounded; others:
    // roundHalfDown(cm x dpi x 0.39370078) in single precision. Each side is
    // at least 1; a size beyond PrintLimits is scaled down, keeping its
    // proportions.
    QSize outputSize(int index, bool firstIsWidth, bool photolab, int dpi) const;

    // A pixel size brought within PrintLimits (proportions kept, sides >= 1).
    static QSize limitedSize(qint64 width, qint64 height);

    // The output size as the format asks for it, before PrintLimits (each
    // side at least 1; a length far beyond any limit stops at 64 times the
    // largest side).
    struct PixelSize
    {
        qint64 width = 0;
        qint64 height = 0;
    };
    PixelSize requestedSize(int index, bool firstIsWidth, bool photolab, int dpi) const;
    // Whether a picture of that size can be made (PrintLimits).
    static bool withinLimits(qint64 width, qint64 height);
    // The highest resolution, at most dpi and PrintLimits::kMaxDpi, at which
    // a paper format's output can be made; 0 when not even 1 dpi fits, and
    // for pixel formats, whose size does not depend on a resolution.
    int largestFittingDpi(int index, bool firstIsWidth, bool photolab, int dpi) const;

private:
    QList<OutputFormat> m_formats;
};

} // namespace quorvel
