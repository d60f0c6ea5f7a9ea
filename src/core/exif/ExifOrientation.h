#pragma once

#include <QByteArrayView>
#include <QString>

namespace quorvel {

class ExifByteSource;

// Reading the EXIF orientation (tag 0x0112 of the first directory) of a
// picture, without the metadata library: a few bounded reads. A missing,
// damaged or out-of-range entry reads as 1 (upright).
namespace exiforientation {

inline constexpr quint16 kTag = 0x0112;

// From a TIFF structure in memory: an EXIF block.
int fromExifBlock(QByteArrayView block);
// From a file's bytes: a JPEG's EXIF block, a TIFF's first directory
// (TIFFTAG_ORIENTATION, BigTIFF too), the Exif block of a PNG (eXIf) or a
// WebP (EXIF chunk). Formats whose decoders apply their own orientation
// (HEIF, AVIF, JPEG XL), or that carry none, read as 1.
int fromSource(ExifByteSource &source);
int fromFile(const QString &path);

} // namespace exiforientation
} // namespace quorvel
