#include "core/edit/FileResolution.h"

#include "core/exif/ExifBlockEditor.h"
#include "core/exif/JpegExifBlock.h"
#include "core/exif/JpegSegments.h"
#include "core/fileops/FileReplace.h"
#include "core/files/FileAccess.h"
#include "core/files/SafeWriter.h"

#include <QFile>
#include <QImageReader>

#include <tiffio.h>

namespace quorvel {

namespace {

constexpr double kDefaultDpi = 96.0;
constexpr double kCmPerInch = 2.54;
constexpr quint16 kXResolution = 0x011A;
constexpr quint16 kYResolution = 0x011B;
constexpr quint16 kResolutionUnit = 0x0128;
constexpr int kUnitInches = 2;
constexpr int kUnitCm = 3;

using Dir = ExifBlockEditor::Dir;
constexpr quint16 kShort = ExifBlockEditor::kShort;
constexpr quint16 kRational = ExifBlockEditor::kRational;

quint16 be16(const QByteArray &b, qsizetype at)
{
    return quint16((uchar(b[at]) << 8) | uchar(b[at + 1]));
}

std::optional<double> rational(const ExifBlockEditor &block, quint16 tag)
{
    const auto e = block.find(Dir::Image, tag);
    if (!e || e->type != kRational || e->count != 1)
        return std::nullopt;
    const QByteArray v = block.valueBytes(*e);
    if (v.size() != 8)
        return std::nullopt;
    const auto num = [&](int at) {
        quint32 x = 0;
        for (int i = 0; i < 4; ++i) {
            const int shift = block.bigEndian() ? 24 - 8 * i : 8 * i;
            x |= quint32(uchar(v[at + i])) << shift;
        }
        return x;
    };
    if (num(4) == 0)
        return std::nullopt;
    return double(num(0)) / double(num(4));
}

std::optional<QSizeF> jpegResolution(const QByteArray &file)
{
    const jpegsegments::Layout layout = jpegsegments::walk(file);
    if (!layout.ok)
        return std::nullopt;
    const int jfif = layout.jfifIndex(file);
    if (jfif >= 0 && layout.segments[jfif].dataLength >= 12) {
        const qsizetype d = layout.segments[jfif].dataStart;
        const int units = uchar(file[d + 7]);
        const double x = be16(file, d + 8), y = be16(file, d + 10);
        if (units == 1 && x > 0 && y > 0)
            return QSizeF(x, y);
        if (units == 2 && x > 0 && y > 0)
            return QSizeF(x * kCmPerInch, y * kCmPerInch);
    }
    const int exif = layout.exifIndex(file);
    if (exif >= 0) {
        const auto &s = layout.segments[exif];
        const ExifBlockEditor block(file.mid(s.dataStart + jpegsegments::kExifIdSize,
                                             s.dataLength - jpegsegments::kExifIdSize));
        const auto x = rational(block, kXResolution), y = rational(block, kYResolution);
        if (x && y && *x > 0 && *y > 0) {
            const auto unit = block.find(Dir::Image, kResolutionUnit);
            const bool cm = unit && unit->type == kShort && unit->count == 1
                && block.valueBytes(*unit) == block.shortValue(kUnitCm);
            return cm ? QSizeF(*x * kCmPerInch, *y * kCmPerInch) : QSizeF(*x, *y);
        }
    }
    return QSizeF(kDefaultDpi, kDefaultDpi);
}

std::optional<QSizeF> tiffResolution(const QString &path)
{
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
#ifdef Q_OS_WIN
    TIFF *tif = TIFFOpenW(reinterpret_cast<const wchar_t *>(path.utf16()), "r");
#else
    TIFF *tif = TIFFOpen(QFile::encodeName(path).constData(), "rm");
#endif
    if (!tif)
        return std::nullopt;
    float x = 0, y = 0;
    uint16_t unit = RESUNIT_INCH;
    const bool hasX = TIFFGetField(tif, TIFFTAG_XRESOLUTION, &x) == 1;
    const bool hasY = TIFFGetField(tif, TIFFTAG_YRESOLUTION, &y) == 1;
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
    TIFFClose(tif);
    if (!hasX || !hasY || x <= 0 || y <= 0 || unit == RESUNIT_NONE)
        return QSizeF(kDefaultDpi, kDefaultDpi);
    const double f = unit == RESUNIT_CENTIMETER ? kCmPerInch : 1.0;
    return QSizeF(x * f, y * f);
}

bool isTiff(const QByteArray &head)
{
    return head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4));
}

} // namespace

std::optional<QSizeF> FileResolution::read(const QString &path)
{
    QFile file;
    if (!FileAccess::openForReading(file, path))
        return std::nullopt;
    const QByteArray head = file.peek(16);
    if (jpegexif::isJpeg(head)) {
        // The header segments say it all; the picture data is never read.
        QByteArray header;
        if (!jpegsegments::readHeader(file, header))
            return std::nullopt;
        return jpegResolution(header);
    }
    if (isTiff(head))
        return tiffResolution(FileAccess::pathOfOpenFile(file, path));
    QImageReader reader(&file);
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return QSizeF(image.dotsPerMeterX() * 0.0254, image.dotsPerMeterY() * 0.0254);
}

bool FileResolution::applyTo(QByteArray &file, int horizontal, int vertical)
{
    if (!isStorable(horizontal) || !isStorable(vertical))
        return false;
    const jpegsegments::Layout layout = jpegsegments::walk(file);
    if (!layout.ok)
        return false;
    QByteArray out = file;
    bool stored = false;

    const int exif = layout.exifIndex(file);
    if (exif >= 0) {
        const auto &s = layout.segments[exif];
        const qsizetype from = s.dataStart + jpegsegments::kExifIdSize;
        ExifBlockEditor block(file.mid(from, s.dataLength - jpegsegments::kExifIdSize));
        if (block.isValid()) {
            const bool x = block.overwrite(Dir::Image, kXResolution, kRational, 1,
                                           block.rationalValue(quint32(horizontal), 1));
            const bool y = block.overwrite(Dir::Image, kYResolution, kRational, 1,
                                           block.rationalValue(quint32(vertical), 1));
            if (x || y) {
                block.overwrite(Dir::Image, kResolutionUnit, kShort, 1, block.shortValue(kUnitInches));
                stored = true;
            }
            // Overwriting never changes the block's size.
            out.replace(from, block.block().size(), block.block());
        }
    }

    const int jfif = layout.jfifIndex(file);
    if (jfif >= 0 && layout.segments[jfif].dataLength >= 12) {
        const qsizetype d = layout.segments[jfif].dataStart;
        out[d + 7] = 1;
        out[d + 8] = char(horizontal >> 8);
        out[d + 9] = char(horizontal & 0xFF);
        out[d + 10] = char(vertical >> 8);
        out[d + 11] = char(vertical & 0xFF);
        stored = true;
    }
    if (!stored) {
        QByteArray app0("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x01", 13);
        app0.append(char(horizontal >> 8)).append(char(horizontal & 0xFF));
        app0.append(char(vertical >> 8)).append(char(vertical & 0xFF));
        app0.append(2, '\0'); // no thumbnail
        out.insert(2, app0);
    }
    file = out;
    return true;
}

SaveResult FileResolution::write(const QString &path, int horizontal, int vertical)
{
    QFile in;
    FileIdentity identity;
    QString reason;
    if (!FileAccess::openForReading(in, path, &reason, &identity))
        return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file") + QLatin1Char('\n') + reason);
    if (!jpegexif::isJpeg(in.peek(2)))
        return SaveResult::of(SaveResult::NotSupported, tr("This format is not supported yet."));
    // The header segments take the resolution; the picture data after them
    // is copied across a chunk at a time.
    QByteArray header;
    if (!jpegsegments::readHeader(in, header) || !applyTo(header, horizontal, vertical))
        return SaveResult::of(SaveResult::Failed, tr("The resolution could not be stored in this file."));
    ReplaceOptions options;
    options.expected = &identity;
    QString error;
    const auto content = [&](SafeWriter &writer) { return writer.write(header) && writer.copyFrom(in, path); };
    if (!replaceFile(path, content, options, &error))
        return SaveResult::of(SaveResult::Failed, error);
    return SaveResult::done();
}

} // namespace quorvel
