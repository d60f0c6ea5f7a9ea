#include "core/print/PrintFileWriter.h"

#include "core/edit/EditedImage.h"
#include "core/edit/ExifTurn.h"
#include "core/edit/SaveRules.h"
#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifOrientation.h"
#include "core/exif/JpegExifBlock.h"
#include "core/imaging/ColourProfile.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/Orientation.h"
#include "core/print/PrintComposer.h"

#include <QCoreApplication>

#include <cmath>

namespace quorvel {

PrintSource PrintSource::fromFile(const QString &path, bool useCms)
{
    return fromFile(path, EditedImage::LoadOptions{.useCms = useCms});
}

PrintSource PrintSource::fromFile(const QString &path, EditedImage::LoadOptions options)
{
    const bool useCms = options.useCms, applyOrientation = options.applyOrientation;
    PrintSource source;
    source.path = path;
    source.useCms = useCms;
    source.applyOrientation = applyOrientation;
    {
        ExifByteSource bytes(path);
        if (bytes.isOpen() && jpegexif::isJpeg(bytes.head())) {
            source.isJpeg = true;
            source.exif = jpegexif::find(bytes);
            source.iccProfile = jpegexif::iccProfile(bytes, decodelimits::kMaxIccBytes);
            source.size = jpegexif::frameSize(bytes);
            if (applyOrientation)
                source.size = orientation::turnedSize(source.size, exiforientation::fromExifBlock(source.exif));
            return source;
        }
    }
    const EditedImage loaded = EditedImage::load(path, options);
    source.pixels = loaded.pixels;
    source.size = loaded.pixels.size();
    source.exif = loaded.exif;
    source.damaged = loaded.damaged;
    source.iccProfile = colourprofile::embedded(path);
    return source;
}

QByteArray PrintSource::outputProfile() const
{
    return colourprofile::forPixels(iccProfile, useCms);
}

QSize PrintFileWriter::reducedSize(const PrintComposition &c)
{
    const FrameRect frame = c.frame.normalized();
    if (c.imageSize.isEmpty() || frame.isEmpty() || c.output.isEmpty())
        return QSize();
    // Output pixels per photograph pixel; the larger of the two axes decides.
    const double scale = std::max(double(c.output.width()) / frame.width(),
                                  double(c.output.height()) / frame.height());
    const double w = std::ceil(c.imageSize.width() * scale);
    const double h = std::ceil(c.imageSize.height() * scale);
    if (w * 2 > c.imageSize.width() || h * 2 > c.imageSize.height())
        return QSize();
    return QSize(std::max(1, int(w)), std::max(1, int(h)));
}

EditedImage PrintFileWriter::compose(const PrintSource &source, const PrintComposition &c)
{
    EditedImage out;
    QImage picture;
    bool damaged = false;
    const QSize reduced = source.isJpeg ? reducedSize(c) : QSize();
    if (!reduced.isEmpty() || (source.pixels.isNull() && source.isJpeg)) {
        DecodeOptions options;
        options.reduceTo = reduced;
        options.useCms = source.useCms;
        options.applyOrientation = source.applyOrientation;
        const DecodeResult decoded = ImageDecoder::decodeFile(source.path, options);
        const QSize whole = decoded.fullSize.isEmpty() ? decoded.image.size() : decoded.fullSize;
        // A file that changed since the frame was placed does not fit it.
        if (decoded.ok() && whole == c.imageSize) {
            picture = decoded.image;
            damaged = decoded.partial;
        }
    }
    if (picture.isNull() && source.pixels.size() == c.imageSize) {
        picture = source.pixels;
        damaged = source.damaged;
    }
    if (picture.isNull())
        return out;

    out.pixels = PrintComposer::compose(picture, c.imageSize, c);
    if (out.pixels.isNull())
        return out;
    out.format = EditedImage::Format::Jpeg;
    out.damaged = damaged;
    EditedImage from;
    from.exif = source.exif;
    // A JPEG's block is as the file holds it; a picture turned upright must
    // not be turned again by whoever opens the output.
    if (source.isJpeg && source.applyOrientation)
        exifturn::adjust(from.exif, exiforientation::fromExifBlock(source.exif), QSize(), true);
    copyPropertyItems(from, out);
    out.iccProfile = source.outputProfile();
    setResolution(out, c.dpi, c.dpi);
    return out;
}

SaveResult PrintFileWriter::write(const PrintSource &source, const PrintComposition &c, const QString &target,
                                  int quality)
{
    const EditedImage out = compose(source, c);
    if (out.isNull())
        return SaveResult::of(SaveResult::Failed,
                              QCoreApplication::translate("PrintFileWriter", "The picture could not be composed."));
    return SaveRules::saveNewJpeg(out, target, quality);
}

} // namespace quorvel
