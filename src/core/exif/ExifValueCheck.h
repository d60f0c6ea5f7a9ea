#pragma once

#include "core/exif/ExifFields.h"

#include <QCoreApplication>
#include <QString>
#include <QStringView>

#include <optional>

namespace quorvel {

// Whether the values about to be written into a JPEG's EXIF block can be
// stored as they are. The writer refuses a record that fails here before it
// touches the file, and the editor and quorvel-tool check it first to name
// the field.
class ExifValueCheck
{
    Q_DECLARE_TR_FUNCTIONS(ExifValueCheck)

public:
    // Apertures and focal lengths are stored in tenths as a 32-bit
    // numerator over 10: at least one tenth, and a round bound well inside
    // what the numerator holds.
    static constexpr double kMinTenthsValue = 0.1;
    static constexpr double kMaxTenthsValue = 400000000.0;
    static constexpr int kMaxIso = 65535;

    struct Result
    {
        int field = 0;   // the ExifWriteField bit of the refused value; 0 when all pass
        QString message; // why, for the user

        bool ok() const { return field == 0; }
    };

    // Checks the fields chosen by which (ExifWriteField bits): an ISO of 0
    // (removes) or 1..65535; an f-number or focal length of 0 (removes) or
    // from 0.1 to 400000000, finite; a date that is empty (removes) or
    // "YYYY:MM:DD hh:mm:ss" naming a real calendar day and time of day.
    // The first refused field in that order is reported.
    static Result check(const ExifFields &fields, int which);

    // "YYYY:MM:DD hh:mm:ss" with digits in every place, a day that exists
    // in its month and year (leap years counted), hours 0..23, minutes and
    // seconds 0..59.
    static bool isCalendarDateTime(QStringView text);

    // The tenths as written: roundHalfDown of value * 10 in single
    // precision; nothing for a value outside the range above.
    static std::optional<quint32> tenths(float value);
};

} // namespace quorvel
