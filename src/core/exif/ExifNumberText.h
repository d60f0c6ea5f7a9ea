#pragma once

#include <QString>
#include <QStringView>

namespace quorvel::numbertext {

// Number texts as printf and atoi/atof give them in the "C" locale, whatever
// the process locale is: EXIF texts always use '.' as the decimal point.

// printf("%.*f", decimals, value). Infinite or NaN values give "".
QString fixed(double value, int decimals);
// printf("%.*g", precision, value). Infinite or NaN values give "".
QString general(double value, int precision);

// atoi: leading blanks, an optional sign, then the digits up to the first
// other character; 0 when there are none. Saturates at the int range.
int leadingInt(QStringView text);
// atof without its hexadecimal and "inf"/"nan" forms: leading blanks, then
// the longest decimal number at the start of the text; 0 when there is none
// or when it lies outside the double range.
double leadingDouble(QStringView text);

} // namespace quorvel::numbertext
