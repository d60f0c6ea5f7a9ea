#include "core/print/LengthConversion.h"

#include "core/common/Rounding.h"
#include "core/print/OutputFormat.h"

#include <QLocale>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

namespace quorvel {

namespace {

// roundHalfDown for values that may be far out of range: the result is
// clamped to lo..hi before any conversion to an integer type.
long long roundClamped(double x, long long lo, long long hi)
{
    if (!(x >= double(lo)))
        return lo;
    if (x > double(hi))
        return hi;
    return std::clamp(roundHalfDown(x), lo, hi);
}

} // namespace

std::optional<double> LengthConversion::leadingNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    QString number;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        number += text[i++];
    bool digits = false;
    while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        number += text[i++];
        digits = true;
    }
    if (i < n && (text[i] == QLatin1Char('.') || text[i] == QLatin1Char(','))) {
        number += QLatin1Char('.');
        ++i;
        while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
            number += text[i++];
            digits = true;
        }
    }
    if (!digits)
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(number, &ok);
    if (!ok || !std::isfinite(v)) // only an overflow gets here: the syntax is sound
        return number.startsWith(QLatin1Char('-')) ? -DBL_MAX : DBL_MAX;
    return v;
}

int LengthConversion::leadingInteger(const QString &text)
{
    // The whole part of the leading number, as an integer field reads it.
    const auto v = leadingNumber(text);
    if (!v)
        return 0;
    return int(std::clamp(std::trunc(*v), double(INT_MIN), double(INT_MAX)));
}

int LengthConversion::toPixels(const QString &text, std::optional<LengthUnit> unit, int dpi)
{
    if (!unit)
        return 0;
    const auto v = leadingNumber(text);
    if (!v || !(*v > 0.0))
        return 0;
    const double resolution = std::max(dpi, 0);
    double x = 0;
    switch (*unit) {
    case LengthUnit::Pixels:
        x = std::trunc(*v);
        break;
    case LengthUnit::Centimetres:
        x = *v * resolution * kInchesPerCm;
        break;
    case LengthUnit::Inches:
        x = *v * resolution;
        break;
    case LengthUnit::Millimetres:
        x = *v * resolution * kInchesPerMm;
        break;
    }
    return int(roundClamped(x, 0, PrintLimits::kMaxSide));
}

std::optional<QString> LengthConversion::spinStep(const QString &text, LengthUnit unit, int direction,
                                                  double minimum)
{
    const bool tenths = unit == LengthUnit::Centimetres || unit == LengthUnit::Inches;
    const double step = tenths ? 0.1 : 1.0;
    const double v = std::clamp(leadingNumber(text).value_or(0.0), -1e9, 1e9);
    const double r = double(roundHalfDown((v + step * direction) * 10)) * 0.1;
    if (r < minimum - 1e-9)
        return std::nullopt;
    if (tenths)
        return QString::asprintf("%.1f", r);
    return QString::number(qint64(std::floor(r + 1e-9)));
}

int LengthConversion::spinPosition(const QString &text, LengthUnit unit)
{
    const double v = leadingNumber(text).value_or(0.0);
    const double position = unit == LengthUnit::Pixels ? std::trunc(v) : v * 10;
    return int(roundClamped(position, 0, 1024));
}

} // namespace quorvel
