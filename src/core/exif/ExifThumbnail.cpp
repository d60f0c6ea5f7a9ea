#include "core/exif/ExifThumbnail.h"

#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifLibrary.h"
#include "core/exif/ExifOrientation.h"
#include "core/exif/Exiv2Include.h"
#include "core/exif/JpegExifBlock.h"

#include <cstring>

namespace quorvel {

StoredThumbnail readStoredThumbnail(const QString &path)
{
    ExifByteSource source(path);
    if (!source.isOpen())
        return StoredThumbnail();
    return readStoredThumbnail(source);
}

StoredThumbnail readStoredThumbnail(ExifByteSource &source)
{
    StoredThumbnail out;
    if (!jpegexif::isJpeg(source.head()))
        return out;
    const QByteArray block = jpegexif::find(source);
    if (block.isEmpty())
        return out;
    out.orientation = exiforientation::fromExifBlock(block);
    initExifLibrary();
    try {
        Exiv2::ExifData data;
        Exiv2::ExifParser::decode(data, reinterpret_cast<const Exiv2::byte *>(block.constData()),
                                  uint32_t(block.size()));
        const Exiv2::ExifThumbC thumb(data);
        // Uncompressed (TIFF) thumbnails are rare and not worth a decoder.
        if (std::strcmp(thumb.mimeType(), "image/jpeg") != 0)
            return out;
        const Exiv2::DataBuf bytes = thumb.copy();
        if (bytes.pData_ && bytes.size_ > 0)
            out.jpeg = QByteArray(reinterpret_cast<const char *>(bytes.pData_), qsizetype(bytes.size_));
    } catch (...) {
        // Exiv2::AnyError for a damaged block, std::bad_alloc for absurd
        // sizes: the photo is shown without its stored picture.
        out.jpeg.clear();
        return out;
    }
    if (!out.jpeg.isEmpty())
        out.photoSize = jpegexif::frameSize(source);
    return out;
}

} // namespace quorvel
