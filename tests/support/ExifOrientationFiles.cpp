#include "support/ExifOrientationFiles.h"

#include "core/exif/ExifByteSource.h"
#include "core/exif/Exiv2Include.h"
#include "core/exif/JpegExifBlock.h"

#include <QTest>

namespace quorvel::test {

namespace {

QByteArray bytesOf(Exiv2::Image &image)
{
    Exiv2::BasicIo &io = image.io();
    io.seek(0, Exiv2::BasicIo::beg);
    QByteArray bytes(qsizetype(io.size()), Qt::Uninitialized);
    io.read(reinterpret_cast<Exiv2::byte *>(bytes.data()), long(bytes.size()));
    return bytes;
}

} // namespace

QByteArray withOrientation(const QByteArray &jpeg, int orientation, const QByteArray &thumbnail, bool dimensions)
{
    ExifByteSource source(jpeg.constData(), jpeg.size());
    const QSize frame = jpegexif::frameSize(source);
    try {
        auto image = exiv2::openMemory(jpeg.constData(), jpeg.size());
        image->readMetadata();
        Exiv2::ExifData data;
        data["Exif.Image.Make"] = "Quorvel test camera";
        if (orientation != 0)
            data["Exif.Image.Orientation"] = uint16_t(orientation);
        if (dimensions) {
            data["Exif.Photo.PixelXDimension"] = uint32_t(frame.width());
            data["Exif.Photo.PixelYDimension"] = uint32_t(frame.height());
        }
        if (!thumbnail.isEmpty()) {
            Exiv2::ExifThumb thumb(data);
            thumb.setJpegThumbnail(reinterpret_cast<const Exiv2::byte *>(thumbnail.constData()),
                                   long(thumbnail.size()));
        }
        image->setExifData(data);
        image->writeMetadata();
        return bytesOf(*image);
    } catch (const std::exception &e) {
        QTest::qFail(e.what(), __FILE__, __LINE__);
        return QByteArray();
    }
}

ExifOrientationFacts exifOrientationFacts(const QByteArray &jpeg)
{
    ExifOrientationFacts facts;
    try {
        auto image = exiv2::openMemory(jpeg.constData(), jpeg.size());
        image->readMetadata();
        const Exiv2::ExifData &data = image->exifData();
        const auto number = [&data](const char *key) {
            const auto it = data.findKey(Exiv2::ExifKey(key));
            return it == data.end() ? 0 : int(it->toLong());
        };
        facts.orientation = number("Exif.Image.Orientation");
        facts.pixelDimensions = QSize(number("Exif.Photo.PixelXDimension"), number("Exif.Photo.PixelYDimension"));
        const auto make = data.findKey(Exiv2::ExifKey("Exif.Image.Make"));
        if (make != data.end())
            facts.make = QByteArray::fromStdString(make->toString());
        const Exiv2::ExifThumbC thumb(data);
        const Exiv2::DataBuf buf = thumb.copy();
        if (buf.pData_ && buf.size_ > 0)
            facts.thumbnail = QByteArray(reinterpret_cast<const char *>(buf.pData_), qsizetype(buf.size_));
    } catch (const std::exception &e) {
        QTest::qFail(e.what(), __FILE__, __LINE__);
    }
    return facts;
}

} // namespace quorvel::test
