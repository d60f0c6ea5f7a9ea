#pragma once

#include <QRgb>

namespace quorvel {

// CIE L*a*b* of an sRGB colour (D65 white), as the histogram's chroma plot
// uses it: computed in single precision and truncated toward zero.
struct LabColour
{
    int l = 0;
    int a = 0;
    int b = 0;

    static LabColour fromRgb(int r, int g, int b);
    static LabColour fromRgb(QRgb rgb) { return fromRgb(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

    bool operator==(const LabColour &) const = default;
};

} // namespace quorvel
