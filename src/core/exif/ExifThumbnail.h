#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace quorvel {

class ExifByteSource;

// The small JPEG picture a camera stores beside the photo in its EXIF block,
// and the size of the photo itself, for showing the photo small without
// decoding it.
struct StoredThumbnail
{
    // The stored picture's JPEG data; empty when the file stores none (or
    // stores it in another format).
    QByteArray jpeg;
    // The photo's size from its frame header; empty when unknown.
    QSize photoSize;
    // The EXIF orientation of the photo, which holds for the stored picture
    // too: both are stored unturned.
    int orientation = 1;

    bool isValid() const { return !jpeg.isEmpty() && !photoSize.isEmpty(); }
};

// Reads a JPEG file's marker segments up to the frame header and its EXIF
// block, nothing of the picture data. Never throws; a damaged block gives an
// empty result. Safe to call from several threads at once.
StoredThumbnail readStoredThumbnail(const QString &path);
StoredThumbnail readStoredThumbnail(ExifByteSource &source);

} // namespace quorvel
