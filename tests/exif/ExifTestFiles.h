#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quorvel::test {

// Small JPEG files with EXIF written through Exiv2, for the reader's tests.

// A 16 x 16 JPEG without any metadata.
QByteArray plainJpeg();

// A JPEG with the given EXIF entries, each "Key Type Value" with Exiv2's
// key and type names, the value in Exiv2's text form:
//   "Exif.Photo.ExposureTime Rational 10/2500", "Exif.Image.Model Ascii Canon EOS 10D".
// Fails the calling test (and returns empty) when Exiv2 rejects an entry.
QByteArray jpegWithExif(const QStringList &entries);

// A JPEG as a Canon camera without ISOSpeedRatings writes it: the given
// entries plus a maker note whose camera-settings array (tag 1) holds
// isoCode at index 16. Its offset is counted from the TIFF header, as in
// the cameras' files.
QByteArray canonJpeg(const QStringList &entries, int isoCode);

} // namespace quorvel::test
