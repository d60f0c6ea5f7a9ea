#include "core/exif/ExifFields.h"

namespace quorvel {

float exposureSeconds(int numerator, int denominator)
{
    if (numerator == 0 || denominator == 0)
        return 0.0f;
    return float(numerator) / float(denominator);
}

bool hasExposure(const ExifFields &fields)
{
    return exposureSeconds(fields.exposureNumerator, fields.exposureDenominator) != 0.0f;
}

} // namespace quorvel
