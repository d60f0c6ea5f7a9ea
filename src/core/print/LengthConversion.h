#pragma once

#include "core/print/LengthUnit.h"

#include <QString>

#include <optional>

namespace quorvel {

// Typed lengths of the print dialogs (frame width, margin, text height and
// the index-print lengths) and their conversion to pixels.
class LengthConversion
{
public:
    static constexpr double kInchesPerCm = 0.39370078;
    static constexpr double kInchesPerMm = 0.03937008;

    // The number a length text starts with, as the C library reads it:
    // leading blanks, an optional sign, digits with an optional fraction.
    // A decimal comma counts as a point. Empty when no digit starts it.
    static std::optional<double> leadingNumber(const QString &text);

    // The integer a resolution text starts with (0 when none); values
    // beyond the int range come back as the nearest int.
    static int leadingInteger(const QString &text);

    // A typed length in pixels at the given resolution: Pixels as the whole
    // number typed, Cm, Inch and Mm converted with roundHalfDown. No unit,
    // text that is not a number, and negative lengths give 0; the result is
    // never more than PrintLimits::kMaxSide.
    static int toPixels(const QString &text, std::optional<LengthUnit> unit, int dpi);

    // One click of a length field's spin button: 0.1 for Cm and Inch, 1 for
    // Pixels and Mm, rounded to a tenth and written as "%.1f" or "%d".
    // Empty when the result would be below the field's minimum (the text
    // then stays as it is).
    static std::optional<QString> spinStep(const QString &text, LengthUnit unit, int direction,
                                           double minimum);

    // The spin position that follows a typed length: the value in tenths,
    // or the whole number for Pixels, within the spin range 0..1024.
    static int spinPosition(const QString &text, LengthUnit unit);
};

} // namespace quorvel
