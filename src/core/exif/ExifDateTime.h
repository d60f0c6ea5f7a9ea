#pragma once

#include <QStringView>

namespace quorvel {

// A calendar date and time split into its parts, in the layout the date
// picker of the EXIF editor takes. No part is range-checked.
struct DateTimeRecord
{
    quint16 year = 0;
    quint16 month = 0;
    quint16 dayOfWeek = 0;
    quint16 day = 0;
    quint16 hour = 0;
    quint16 minute = 0;
    quint16 second = 0;
    quint16 milliseconds = 0;

    bool operator==(const DateTimeRecord &) const = default;
};

// Splits an EXIF date text "YYYY:MM:DD hh:mm:ss" into out. The text must be
// exactly 19 characters with ':' at positions 4, 7, 13 and 16 and a blank at
// 10; each part is then read as a decimal number the way atoi would (so a
// blank date "    :  :     :  :  " parses as all zeros). out is cleared
// first; day of week and milliseconds stay 0.
bool parseExifDateTime(QStringView text, DateTimeRecord &out);

} // namespace quorvel
