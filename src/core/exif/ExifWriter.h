#pragma once

#include "core/exif/ExifFields.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

namespace quorvel {

// The outcome of a metadata write, with the text the user is shown.
struct ExifWriteResult
{
    enum Status {
        Written,       // the file now holds the new values (or held them already)
        CannotOpen,    // "Cannot open file"
        NotSupported,  // "This format is not supported yet."
        CannotWrite,   // "Cannot change EXIF data": damaged metadata, a full disk, no rights...
        WouldDamage,   // other metadata (a maker note) would not survive: refused
        InvalidValue,  // a value cannot be stored (ExifValueCheck): refused, the detail says which
    };
    Status status = Written;
    QString detail; // why, for CannotWrite and WouldDamage

    bool ok() const { return status == Written; }
    // The message box text: the status's own text, then the detail.
    QString message() const;
};

// The five fields the writer handles, for choosing which of them to write.
enum ExifWriteField : int {
    WriteModel = 1,
    WriteDate = 2,
    WriteIso = 4,
    WriteFNumber = 8,
    WriteFocalLength = 16,
    WriteAllFields = 31,
};

// Writes five EXIF fields into a JPEG file, each set or removed:
//   Model (IFD0, ASCII)               set when model is not empty
//   DateTimeOriginal (Exif, ASCII)    set when dateTimeOriginal is not empty
//   ISOSpeedRatings (Exif, SHORT)     set when iso is not 0 (1..65535)
//   FNumber (Exif, RATIONAL n/10)     set when fNumber is not 0
//   FocalLength (Exif, RATIONAL n/10) set when focalLength is not 0
// where n is roundHalfDown of the value times ten in single precision. A
// value ExifValueCheck refuses (a negative or huge number, an ISO beyond
// 65535, a date that does not exist) refuses the whole write. The
// exposure and every other entry stay as they were, and so do the fields
// left out of which: the editor writes only what the user changed, so a
// field shown rounded (a focal length of 18.75 shows as 18.7) is not
// rewritten rounded.
//
// Only the metadata changes: the picture data is copied byte for byte. A
// value of the same type and size is overwritten where it lies; anything
// else is written without moving what the file already holds (see
// ExifBlockEditor), and the result is checked entry by entry against the
// original - maker note included - before anything is written. When the
// changed bytes lie within one sector of the file, those alone are written
// over the old ones (InPlaceWrite); otherwise the file is replaced through a
// temporary file beside it. Either way it keeps its times.
ExifWriteResult writeExifFields(const QString &path, const ExifFields &fields, int which = WriteAllFields);

// The same on a whole JPEG file in memory, which is changed in place only
// when the result is Written.
ExifWriteResult applyExifFields(QByteArray &file, const ExifFields &fields, int which = WriteAllFields);

} // namespace quorvel
