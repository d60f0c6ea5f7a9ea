#include "core/exif/ExifValueCheck.h"

#include "core/common/Rounding.h"
#include "core/exif/ExifWriter.h"

#include <QDate>
#include <QTime>

#include <cmath>

namespace quorvel {

namespace {

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

int number(QStringView text)
{
    int value = 0;
    for (const QChar c : text)
        value = value * 10 + (c.unicode() - u'0');
    return value;
}

} // namespace

std::optional<quint32> ExifValueCheck::tenths(float value)
{
    if (!std::isfinite(value) || double(value) > kMaxTenthsValue)
        return std::nullopt;
    const float product = value * 10.0f;
    if (!(product > 0.0f))
        return std::nullopt;
    const long long n = roundHalfDown(double(product));
    if (n < 1 || n > 0xFFFFFFFFLL)
        return std::nullopt;
    return quint32(n);
}

bool ExifValueCheck::isCalendarDateTime(QStringView text)
{
    if (text.size() != 19)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (i == 4 || i == 7 || i == 13 || i == 16) {
            if (c != u':')
                return false;
        } else if (i == 10) {
            if (c != u' ')
                return false;
        } else if (!isDigit(c)) {
            return false;
        }
    }
    const int year = number(text.mid(0, 4));
    const int month = number(text.mid(5, 2));
    const int day = number(text.mid(8, 2));
    // QDate knows no year 0 and takes the Gregorian calendar back in time.
    return year >= 1 && QDate::isValid(year, month, day)
        && QTime::isValid(number(text.mid(11, 2)), number(text.mid(14, 2)), number(text.mid(17, 2)));
}

ExifValueCheck::Result ExifValueCheck::check(const ExifFields &f, int which)
{
    if ((which & WriteDate) && !f.dateTimeOriginal.isEmpty() && !isCalendarDateTime(f.dateTimeOriginal)) {
        return {WriteDate, tr("The date \"%1\" is not a real calendar date and time (YYYY:MM:DD hh:mm:ss).")
                               .arg(f.dateTimeOriginal)};
    }
    if ((which & WriteIso) && (f.iso < 0 || f.iso > kMaxIso))
        return {WriteIso, tr("The ISO value must be a whole number from 1 to 65535; 0 or nothing removes it.")};
    if ((which & WriteFocalLength) && f.focalLength != 0.0f && !tenths(f.focalLength)) {
        return {WriteFocalLength,
                tr("The focal length must be a number from 0.1 to 400000000 mm; 0 or nothing removes it.")};
    }
    if ((which & WriteFNumber) && f.fNumber != 0.0f && !tenths(f.fNumber))
        return {WriteFNumber, tr("The aperture must be a number from 0.1 to 400000000; 0 or nothing removes it.")};
    return {};
}

} // namespace quorvel
