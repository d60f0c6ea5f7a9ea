#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace quorvel {

class ExifByteSource;

// The EXIF block (the TIFF structure, from its "II*\0" or "MM\0*" header)
// that the newer picture containers carry beside the picture:
//   - HEIF and AVIF: the 'Exif' item of the primary image's meta box, found
//     through its item information and location boxes;
//   - JPEG XL in its box container: the 'Exif' box, or a Brotli-compressed
//     'brob' box holding one;
//   - PNG: the eXIf chunk;
//   - WebP: the EXIF chunk of the RIFF file.
// Only the structure's headers and the block itself are read; every length
// is checked against the data and the bounds below. Empty when the data
// carries no block, or is damaged.
namespace containerexif {

enum class Kind { None, Heif, Jxl, Png, Webp };

// Which container the leading bytes announce (HEIF by any ISO media file
// brand; the caller decides whether the file is a picture).
Kind kindOf(QByteArrayView head);

QByteArray find(ExifByteSource &source);

// Blocks larger than this are not read.
inline constexpr qint64 kMaxBlockBytes = qint64(4) << 20;
// A HEIF meta box larger than this is not read.
inline constexpr qint64 kMaxMetaBytes = qint64(16) << 20;
// At most this many boxes or chunks are looked at on any one level.
inline constexpr int kMaxEntries = 100000;

} // namespace containerexif
} // namespace quorvel
