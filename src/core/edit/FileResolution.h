#pragma once

#include "core/edit/SaveResult.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QSizeF>
#include <QString>

#include <optional>

namespace quorvel {

// The stored resolution of image files, in dots per inch.
class FileResolution
{
    Q_DECLARE_TR_FUNCTIONS(FileResolution)

public:
    // The resolution a file declares: for a JPEG its JFIF density, else its
    // EXIF XResolution/YResolution, else 96; for a TIFF its resolution tags
    // (96 without them); for other formats what Qt's reader reports.
    // Nothing when the file cannot be read as an image.
    static std::optional<QSizeF> read(const QString &path);

    // Stores a new resolution in a JPEG without touching its picture: the
    // JFIF density (units made dots per inch) and the EXIF XResolution and
    // YResolution where they exist as single rationals (dpi/1; an EXIF
    // ResolutionUnit that said centimetres is made inches to match). Items
    // that do not exist are not created; a file with neither gets a JFIF
    // segment, so that the resolution is stored at all. Other formats give
    // NotSupported. The file is replaced through a temporary file.
    static SaveResult write(const QString &path, int horizontal, int vertical);
    // The same on a whole JPEG in memory; false leaves it unchanged.
    static bool applyTo(QByteArray &file, int horizontal, int vertical);

    // The dialog's rule: a value is stored only when it is above 1 (and
    // fits the 16-bit JFIF density).
    static bool isStorable(int dpi) { return dpi > 1 && dpi <= 65535; }
};

} // namespace quorvel
