#pragma once

#include "core/exif/ExifFields.h"

#include <QString>

namespace quorvel {

// The texts of the six fields in one surface's style; an absent field is "".
struct ExifFieldTexts
{
    // The file list's columns and filter, and the EXIF editor: ISO plain
    // ("100", "Auto"). The print caption's insertion menu: ISO not plain
    // ("ISO100", "Auto"). Camera, date, exposure, aperture and focal length
    // read the same in both.
    enum class Style { List, Print };

    QString camera;
    QString dateTime;
    QString exposure;
    QString aperture;
    QString iso;
    QString focalLength;

    static ExifFieldTexts of(const ExifFields &fields, Style style);
};

} // namespace quorvel
