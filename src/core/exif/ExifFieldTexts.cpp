#include "core/exif/ExifFieldTexts.h"

#include "core/exif/ExifFormat.h"

namespace quorvel {

ExifFieldTexts ExifFieldTexts::of(const ExifFields &fields, Style style)
{
    ExifFieldTexts texts;
    texts.camera = fields.model;
    texts.dateTime = fields.dateTimeOriginal;
    if (hasExposure(fields))
        texts.exposure = FormatExposure(fields.exposureNumerator, fields.exposureDenominator);
    if (fields.fNumber != 0.0f)
        texts.aperture = FormatAperture(fields.fNumber);
    if (fields.iso != 0)
        texts.iso = FormatIso(fields.iso, style == Style::List);
    if (fields.focalLength != 0.0f)
        texts.focalLength = FormatFocalLength(fields.focalLength);
    return texts;
}

} // namespace quorvel
