#pragma once

#include "core/exif/ExifFields.h"

#include <QString>
#include <QStringView>

namespace quorvel {

// The fixed text styles of the EXIF fields. Every surface that shows a field
// takes its text from here. Numbers are formatted as in the "C" locale.

// "F%.1f": 2.8 gives "F2.8".
QString formatAperture(float fNumber);
// "%.1f mm" (translatable): 18.7 gives "18.7 mm".
QString formatFocalLength(float millimetres);
// 15 gives "Auto"; otherwise "%d" when plain, "ISO%d" when not.
QString formatIso(int iso, bool plain);

// The exposure time text:
//   num < den, num >= 10: "1/%d" with den / num truncated (13/1000 is "1/76");
//   num < den, num < 10:  "%d/%d" (1/250, 3/10);
//   num == den:           "1.0";
//   num > den:            "%.1f" of num / den (25/10 is "2.5").
// A zero denominator gives "": there is no exposure to show.
QString formatExposure(int numerator, int denominator);

// Brings a fraction below or equal to one into lowest terms, in place:
// num == den becomes 1/1; 0 < num < den is divided by the common factors.
// A fraction above one, a zero or negative part, or num == 1 stays as it is.
void reduceFraction(int &numerator, int &denominator);

// The one-line summary of the status bar, from the present fields in this
// order: "Camera: %s" (unless the model is "unknown"), "Exposure: %s sec",
// "F%.1f", "ISO: %d" or "ISO: Auto", joined by ", "; then ". " and
// "Date: %s". Focal length is not part of it. "" when nothing is present.
QString formatExifSummary(const ExifFields &fields);

// The inverse of the exposure text, for sorting: "a/b" gives a / b with both
// parts read as integers (0 when b is 0); any other text its decimal value.
// "1/250" gives 0.004, "2.5" gives 2.5.
double parseRationalText(QStringView text);

} // namespace quorvel
