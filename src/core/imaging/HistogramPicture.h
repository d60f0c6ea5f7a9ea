#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

#include <array>

namespace quorvel {

class ColourHistogram;

// The picture the histogram window stretches over its client area: at the
// left the a*b* chroma plot (gamut outline, axes, each marked cell in its
// brightest colour), at the right the red, green and blue histograms drawn
// over each other, with labels and titles.
class HistogramPicture
{
public:
    static constexpr int kWidth = 520;
    static constexpr int kHeight = 255;
    // The chroma plot's origin; b* grows upward.
    static constexpr int kOrigin = 120;
    // The histogram's level 0 column and its base row.
    static constexpr int kBarsLeft = 250;
    static constexpr int kBarsBottom = 240;
    static constexpr int kMaxBar = 240;

    static constexpr QRgb kOutlinePen = 0xC8FF0000u;
    static constexpr QRgb kRedPen = 0xC8FF0000u;
    static constexpr QRgb kGreenPen = 0xC800FF00u;
    static constexpr QRgb kBluePen = 0xC80000FFu;
    static constexpr QRgb kBaseLine = 0xFF323232u;

    static QPoint chromaPoint(int a, int b) { return QPoint(kOrigin + a, kOrigin - b); }
    // The corners of the gamut outline: green, yellow, red, magenta, blue,
    // cyan (the outline closes back to green).
    static std::array<QPoint, 6> gamutOutline();
    // Pixels of the bar for a normalised height 0..255.
    static int barLength(int height) { return kMaxBar * height / 255; }

    // The 520 x 255 picture of the histogram; only the outline, axes, base
    // line and texts when it holds nothing.
    static QImage render(const ColourHistogram &histogram);
};

} // namespace quorvel
