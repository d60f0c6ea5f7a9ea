#include "core/print/CustomSizeCheck.h"

#include "core/print/FormatCatalogue.h"
#include "core/print/LengthConversion.h"

#include <QCoreApplication>

#include <algorithm>

namespace quorvel {

namespace {

struct Bounds
{
    float minimum;
    float maximum;
    const char *tooSmall;
    const char *tooLarge;
};

Bounds boundsFor(int index)
{
    switch (index) {
    case FormatCatalogue::kCustomPixels:
        return {10.0f, float(PrintLimits::kMaxSide),
                QT_TRANSLATE_NOOP("CustomSizeCheck", "Width and height must be more than 10 pixels"),
                QT_TRANSLATE_NOOP("CustomSizeCheck", "Width and height must not be more than 16384 pixels")};
    case FormatCatalogue::kCustomCm:
        return {1.0f, 1000.0f,
                QT_TRANSLATE_NOOP("CustomSizeCheck", "Width and height must be more than 1 cm"),
                QT_TRANSLATE_NOOP("CustomSizeCheck", "Width and height must not be more than 1000 cm")};
    default:
        return {0.2f, 400.0f,
                QT_TRANSLATE_NOOP("CustomSizeCheck", "Width and height must be more than 0,2 inches"),
                QT_TRANSLATE_NOOP("CustomSizeCheck", "Width and height must not be more than 400 inches")};
    }
}

// A text that holds no number counts as 0, and so as too small.
float typedValue(const QString &text)
{
    const double v = LengthConversion::leadingNumber(text).value_or(0.0);
    return float(std::clamp(v, -1e30, 1e30));
}

} // namespace

CustomSizeCheck CustomSizeCheck::validate(int formatIndex, const QString &width, const QString &height)
{
    CustomSizeCheck check;
    check.widthText = width;
    check.heightText = height;
    if (!FormatCatalogue::isCustom(formatIndex))
        return check;

    check.widthText.replace(QLatin1Char(','), QLatin1Char('.'));
    check.heightText.replace(QLatin1Char(','), QLatin1Char('.'));
    check.width = typedValue(check.widthText);
    check.height = typedValue(check.heightText);

    const Bounds bounds = boundsFor(formatIndex);
    const auto refuse = [&check](const char *text, Field field) {
        check.accepted = false;
        check.message = QCoreApplication::translate("CustomSizeCheck", text);
        check.focus = field;
        return check;
    };
    // The minimum itself is accepted, whatever the message says.
    if (check.width < bounds.minimum)
        return refuse(bounds.tooSmall, Field::Width);
    if (check.height < bounds.minimum)
        return refuse(bounds.tooSmall, Field::Height);
    if (check.width > bounds.maximum)
        return refuse(bounds.tooLarge, Field::Width);
    if (check.height > bounds.maximum)
        return refuse(bounds.tooLarge, Field::Height);
    return check;
}

} // namespace quorvel
