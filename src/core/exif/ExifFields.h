#pragma once

#include <QString>

namespace quorvel {

// The six EXIF facts the program works with. A field equal to its default
// counts as absent: there is no separate per-field flag, so a zero f-number,
// focal length or ISO cannot be told from a missing one.
struct ExifFields
{
    int present = 0;             // 1 when any of the fields below was decoded
    QString model;               // 0x0110 Model, cleaned
    QString dateTimeOriginal;    // 0x9003 DateTimeOriginal, "YYYY:MM:DD hh:mm:ss" as stored, cleaned
    float fNumber = 0.0f;        // 0x829D FNumber
    float focalLength = 0.0f;    // 0x920A FocalLength in millimetres, truncated to tenths
    int iso = 0;                 // 0x8827 ISOSpeedRatings or the Canon maker note; 15 means automatic
    int exposureNumerator = 0;   // 0x829A ExposureTime in seconds, as a fraction
    int exposureDenominator = 1; //   (in lowest terms when below one second)

    bool operator==(const ExifFields &) const = default;
};

// The fields as one read of a file gave them: read is false when the file
// could not be read or carries no EXIF (the fields then at their defaults).
struct ExifRecord
{
    bool read = false;
    ExifFields fields;

    bool operator==(const ExifRecord &) const = default;
};

// The ISO code for automatic ISO; every display style shows it as "Auto".
inline constexpr int kAutoIso = 15;

// The exposure time in seconds, or 0 when it is absent. A zero denominator
// counts as absent too, so nothing ever divides by it.
float exposureSeconds(int numerator, int denominator);

// True when the record's exposure is present (exposureSeconds is not 0).
bool hasExposure(const ExifFields &fields);

} // namespace quorvel
