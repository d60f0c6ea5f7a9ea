#pragma once

#include "core/files/FileAccess.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

namespace quorvel {

// An image opened for changing and saving: its pixels with their
// resolution, the format of the file it came from, and the EXIF entries
// that travel with it into a new JPEG (the TIFF structure of the EXIF
// block, as the file held it).
struct EditedImage
{
    // NewJpeg: a format the program reads but does not write (PNG, WebP,
    // HEIF, AVIF, JPEG XL); the picture is saved as a new JPEG file.
    enum class Format { None, Jpeg, Tiff, NewJpeg, Other };

    QImage pixels;
    Format format = Format::None;
    QByteArray exif;
    // Only part of the picture could be decoded: it is shown, never saved.
    bool damaged = false;
    // The file as it was when loaded: saving over it is refused when another
    // program changed it since.
    FileIdentity sourceIdentity;
    // The ICC profile the pixels are in, written into the saved file; empty
    // for sRGB without a tag.
    QByteArray iccProfile;

    bool isNull() const { return pixels.isNull(); }

    struct LoadOptions
    {
        // Convert the pixels to sRGB through the file's profile (the
        // profile then is sRGB).
        bool useCms = false;
        // Turn the picture by its EXIF orientation; the EXIF block then
        // says Orientation 1 (see exifturn::adjust), so that a picture made
        // from it is stored upright.
        bool applyOrientation = false;
    };

    // Decodes the file as the viewer does and takes its EXIF block (JPEG,
    // TIFF-based files and the containers of the NewJpeg formats), its
    // resolution and its RGB colour profile. Pictures a decoder turned by
    // the format's own orientation (HEIF, JPEG XL) carry Orientation 1 in
    // their EXIF too. Null on failure.
    static EditedImage load(const QString &path, LoadOptions options);
    static EditedImage load(const QString &path);
    // The format by the file's leading bytes.
    static Format formatOf(const QByteArray &head);
};

// Copies every EXIF entry of source into destination, replacing what it
// had (a new picture composed from a photograph keeps the photograph's
// data). The colour profile is the pixels' own and is not copied.
void copyPropertyItems(const EditedImage &source, EditedImage &destination);

// Crops to the rectangle clipped to the picture, keeping the EXIF entries.
// False, with nothing changed, when the rectangle is the whole picture (or
// nothing of it remains after clipping).
bool cropKeepingProperties(EditedImage &image, const QRect &rect);

// Sets the picture's resolution and the EXIF XResolution and YResolution
// where they exist as single rationals (the dpi truncated, over 1); missing
// entries are not created.
void setResolution(EditedImage &image, double horizontalDpi, double verticalDpi);

} // namespace quorvel
