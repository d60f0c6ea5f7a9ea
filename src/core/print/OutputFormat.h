#pragma once

#include <QString>

namespace quorvel {

// How a format's lengths are meant and shown: physical sizes (held in cm,
// shown in cm or inches) or screen sizes in pixels.
enum class FormatGroup { Centimetres, Inches, Pixels };

// What an output is for, as chosen in the first step of the wizard.
enum class OutputKind : int { Print = 0, Web = 1, Mobile = 2 };

// One entry of the output formats catalogue.
struct OutputFormat
{
    int index = 0;
    QString key;       // used in output file names
    QString shortName; // format lists of the final step and the index print
    QString longName;  // the wizard's format list
    float first = 0;   // cm, or pixels for the pixel group
    float second = 0;
    float firstCorrection = 0; // cm, added with photolab field scaling
    float secondCorrection = 0;
    FormatGroup group = FormatGroup::Centimetres;

    bool isPixels() const { return group == FormatGroup::Pixels; }
};

// Bounds that keep typed sizes and resolutions from turning into bitmaps
// that cannot be made.
struct PrintLimits
{
    static constexpr int kMaxSide = 16384;             // pixels, either direction
    static constexpr qint64 kMaxPixels = qint64(1) << 27; // 128 megapixels
    static constexpr int kMaxDpi = 9600;
    static constexpr int kDefaultDpi = 300;
    static constexpr int kPixelFormatDpi = 75;
};

} // namespace quorvel
