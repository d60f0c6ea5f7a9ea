#include "BenchExif.h"

#include "BenchUtil.h"

#include "core/exif/Exiv2Include.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace quorvel::bench {

const char *const kSixKeys[6] = {"Exif.Image.Model",   "Exif.Photo.DateTimeOriginal", "Exif.Photo.ExposureTime",
                                 "Exif.Photo.FNumber", "Exif.Photo.FocalLength",      "Exif.Photo.ISOSpeedRatings"};

namespace {

QByteArray encoded(const QImage &image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", quality);
    return bytes;
}

void add(Exiv2::ExifData &data, const char *key, const char *type, const std::string &value)
{
    auto v = Exiv2::Value::create(Exiv2::TypeInfo::typeId(type));
    v->read(value);
    data.add(Exiv2::ExifKey(key), v.get());
}

} // namespace

QByteArray plainJpeg(int width, int height)
{
    if (width <= 64 && height <= 48) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        return encoded(image, 80);
    }
    return encoded(photoLike(width, height), 85);
}

QByteArray cameraJpeg(const QByteArray &jpeg, int i, bool thumbnail)
{
    Exiv2::ExifData d;
    add(d, "Exif.Image.Make", "Ascii", "NIKON CORPORATION");
    add(d, "Exif.Image.Model", "Ascii", "NIKON D" + std::to_string(50 + i % 50));
    add(d, "Exif.Image.Orientation", "Short", "1");
    add(d, "Exif.Image.XResolution", "Rational", "300/1");
    add(d, "Exif.Image.YResolution", "Rational", "300/1");
    add(d, "Exif.Image.ResolutionUnit", "Short", "2");
    add(d, "Exif.Image.Software", "Ascii", "Ver.1.00");
    add(d, "Exif.Image.DateTime", "Ascii", "2005:03:18 02:55:18");
    add(d, "Exif.Photo.ExposureTime", "Rational", "10/" + std::to_string(100 + i % 4000));
    add(d, "Exif.Photo.FNumber", "Rational", std::to_string(18 + i % 200) + "/10");
    add(d, "Exif.Photo.ExposureProgram", "Short", "2");
    add(d, "Exif.Photo.ISOSpeedRatings", "Short", std::to_string(100 << (i % 5)));
    add(d, "Exif.Photo.ExifVersion", "Undefined", "48 50 50 49");
    add(d, "Exif.Photo.DateTimeOriginal", "Ascii", "2005:03:18 02:55:" + std::to_string(10 + i % 50));
    add(d, "Exif.Photo.DateTimeDigitized", "Ascii", "2005:03:18 02:55:18");
    add(d, "Exif.Photo.ExposureBiasValue", "SRational", "0/6");
    add(d, "Exif.Photo.MaxApertureValue", "Rational", "30/10");
    add(d, "Exif.Photo.MeteringMode", "Short", "5");
    add(d, "Exif.Photo.Flash", "Short", "0");
    add(d, "Exif.Photo.FocalLength", "Rational", std::to_string(180 + i % 2000) + "/10");
    add(d, "Exif.Photo.ColorSpace", "Short", "1");
    add(d, "Exif.Photo.PixelXDimension", "Long", "64");
    add(d, "Exif.Photo.PixelYDimension", "Long", "48");
    add(d, "Exif.Photo.WhiteBalance", "Short", "0");
    add(d, "Exif.Photo.FocalLengthIn35mmFilm", "Short", "75");
    if (thumbnail) {
        static const QByteArray thumb = encoded(photoLike(160, 120, 3), 85);
        Exiv2::ExifThumb(d).setJpegThumbnail(reinterpret_cast<const Exiv2::byte *>(thumb.constData()),
                                             long(thumb.size()));
    }
    auto image = quorvel::exiv2::openMemory(jpeg.constData(), jpeg.size());
    image->setExifData(d);
    image->writeMetadata();
    Exiv2::BasicIo &io = image->io();
    io.seek(0, Exiv2::BasicIo::beg);
    QByteArray bytes(qsizetype(io.size()), Qt::Uninitialized);
    io.read(reinterpret_cast<Exiv2::byte *>(bytes.data()), long(bytes.size()));
    return bytes;
}

QStringList writeFiles(const QString &folder, int count, const std::function<QByteArray(int)> &bytesOf)
{
    QDir().mkpath(folder);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("f%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
        QFile f(QDir(folder).filePath(name));
        const QByteArray bytes = bytesOf(i);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return {};
        names << name;
    }
    return names;
}

int exiv2SixKeys(const QString &path)
{
    int found = 0;
    try {
        auto image = quorvel::exiv2::openFile(QFile::encodeName(path).toStdString());
        image->readMetadata();
        const Exiv2::ExifData &data = image->exifData();
        for (const char *key : kSixKeys)
            found += data.findKey(Exiv2::ExifKey(key)) != data.end();
    } catch (const Exiv2::AnyError &) {
    }
    return found;
}

qint64 readHead(const QString &path, qint64 bytes)
{
    char buffer[65536];
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const ssize_t n = ::read(fd, buffer, size_t(std::min<qint64>(bytes, sizeof buffer)));
    ::close(fd);
    return n;
}

} // namespace quorvel::bench
