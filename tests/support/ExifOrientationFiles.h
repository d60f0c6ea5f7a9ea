#pragma once

#include <QByteArray>
#include <QSize>

namespace quorvel::test {

// JPEG files with an EXIF orientation, written through Exiv2 as a camera
// writes them.

// The JPEG with an EXIF block holding Make, the Orientation (none for 0),
// PixelXDimension and PixelYDimension of its frame (unless 'dimensions' is
// false) and, when given, the stored thumbnail (a JPEG). Any EXIF it had is
// replaced. Fails the calling test (and returns empty) on an Exiv2 error.
QByteArray withOrientation(const QByteArray &jpeg, int orientation, const QByteArray &thumbnail = QByteArray(),
                           bool dimensions = true);

// What a JPEG's EXIF says, read back through Exiv2: 0 and empty where an
// entry is missing.
struct ExifOrientationFacts
{
    int orientation = 0;
    QSize pixelDimensions;
    QByteArray thumbnail;
    QByteArray make;
};
ExifOrientationFacts exifOrientationFacts(const QByteArray &jpeg);

} // namespace quorvel::test
