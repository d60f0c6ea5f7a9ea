#include "core/exif/ExifNumberText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

namespace quorvel::numbertext {

namespace {

bool isCSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

qsizetype skipBlanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    return i;
}

QString toChars(double value, std::chars_format format, int precision)
{
    if (!std::isfinite(value))
        return QString();
    // %.1f of the largest double needs 310 characters.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (result.ec != std::errc())
        return QString();
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace

QString fixed(double value, int decimals)
{
    return toChars(value, std::chars_format::fixed, decimals);
}

QString general(double value, int precision)
{
    return toChars(value, std::chars_format::general, precision);
}

int leadingInt(QStringView text)
{
    qsizetype i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    return int(value);
}

double leadingDouble(QStringView text)
{
    const qsizetype start = skipBlanks(text);
    qsizetype i = start;
    std::string number;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            number += '-';
        ++i;
    }
    qsizetype digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits)
        number += char(text[i].unicode());
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++digits)
            number += char(text[i].unicode());
    }
    if (digits == 0)
        return 0.0;
    // An exponent counts only when at least one digit follows it.
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        std::string exponent = "e";
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            exponent += char(text[j++].unicode());
        const qsizetype first = j;
        for (; j < text.size() && isDigit(text[j]); ++j)
            exponent += char(text[j].unicode());
        if (j > first)
            number += exponent;
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    // Out of the double range counts as no number.
    return result.ec == std::errc() ? value : 0.0;
}

} // namespace quorvel::numbertext
