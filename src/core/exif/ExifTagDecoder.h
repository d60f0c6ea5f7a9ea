#pragma once

#include "core/exif/ExifFields.h"

#include <QByteArray>

namespace Exiv2 {
class ExifData;
}

namespace quorvel::exiftags {

// Takes the six fields out of the decoded EXIF entries, as the file holds
// them. Only entries of the main image (IFD0 and the Exif IFD) count; a tag
// present in both is taken from where the standard puts it. An entry whose
// type is not the expected one, or that holds no value, leaves its field
// absent. A rational with a zero denominator, or an exposure part beyond the
// int range, counts as absent too. Texts are not yet cleaned. Every decoded
// field sets present. Exiv2 exceptions pass through to the caller.
void decodeSixTags(const Exiv2::ExifData &data, ExifFields &out);

// The maker note (0x927C) of the Exif IFD as raw bytes.
struct MakerNote
{
    bool exists = false;
    int typeCode = 0;    // TIFF type code; 7 is UNDEFINED
    QByteArray bytes;
};
MakerNote findMakerNote(const Exiv2::ExifData &data);

// The conversions both decoders share. asciiText takes the value up to its
// first NUL: EXIF says 7-bit ASCII; many programs write UTF-8, older ones a
// Latin code page. The set functions store a rational's first value and set
// present, or leave the field absent for a zero denominator (and, for the
// exposure, a part beyond the int range).
QString asciiText(QByteArray bytes);
void setExposure(quint32 numerator, quint32 denominator, ExifFields &out);
void setFocalLength(quint32 numerator, quint32 denominator, ExifFields &out);
void setFNumber(quint32 numerator, quint32 denominator, ExifFields &out);

// TIFF type codes the fields must have.
inline constexpr int kTypeAscii = 2;
inline constexpr int kTypeShort = 3;
inline constexpr int kTypeRational = 5;
inline constexpr int kTypeUndefined = 7;

} // namespace quorvel::exiftags
