#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <QSize>

namespace quorvel {

class ExifByteSource;

namespace jpegexif {

// True when the data starts with a JPEG start-of-image marker.
bool isJpeg(QByteArrayView head);

// The EXIF block (the TIFF structure after "Exif\0\0") of the first APP1
// segment before the image data, read by walking the marker segments from
// the start. Empty when there is none, the segment is cut short, or the
// markers are damaged. Reads only segment headers and the EXIF segment
// itself, and gives up after kMaxSegments markers.
QByteArray find(ExifByteSource &source);

// Where that block lies in the file, found by the same walk without reading
// the block itself. Empty (size 0) when find would give nothing.
struct BlockPlace
{
    qint64 offset = 0;
    qint64 size = 0;
};
BlockPlace locate(ExifByteSource &source);

// The picture's width and height from the frame header (SOFn) that starts
// its image data, found by the same walk. Empty when there is none before
// the first scan or the markers are damaged.
QSize frameSize(ExifByteSource &source);

// The ICC colour profile of the APP2 "ICC_PROFILE" segments before the
// image data, put together in their sequence order. Empty when there is
// none, a part is missing or repeated, or it would exceed maxBytes.
QByteArray iccProfile(ExifByteSource &source, qint64 maxBytes);

inline constexpr int kMaxSegments = 4096;

} // namespace jpegexif
} // namespace quorvel
