#include "core/exif/ExifFieldTexts.h"

#include "core/exif/ExifFormat.h"

namespace quorvel {

ExifFieldTexts ExifFieldTexts::of(const ExifFields &fields, Style style)
{
    ExifFieldTexts texts;
    texts.camera = fields.model;
    texts.dateTime = fields.dateTimeOriginal;
    if (hasExposure(fields))
        texts.exposure = formatExposure(fields.exposureNumerator, fields.exposureDenominator);
    if (fields.fNumber != 0.0f)
        texts.aperture = formatAperture(fields.fNumber);
    if (fields.iso != 0)
        texts.iso = formatIso(fields.iso, style == Style::List);
    if (fields.focalLength != 0.0f)
        texts.focalLength = formatFocalLength(fields.focalLength);
    return texts;
}

} // namespace quorvel
