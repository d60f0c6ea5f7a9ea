#include "core/files/ThumbnailMaker.h"

#include "core/common/Rounding.h"
#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifThumbnail.h"
#include "core/exif/JpegExifBlock.h"
#include "core/imaging/DecoderChoice.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/JpegDecoder.h"
#include "core/imaging/Orientation.h"
#include "core/imaging/Resampler.h"
#include "core/settings/AppSettings.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>

#include <cstdlib>

namespace quorvel {

QRect ThumbnailMaker::placement(QSize photoSize, QSize box)
{
    const QSize fitted = fitIntoBox(photoSize, box);
    if (fitted.isEmpty())
        return QRect();
    return QRect(box.width() / 2 - fitted.width() / 2, box.height() / 2 - fitted.height() / 2, fitted.width(),
                 fitted.height());
}

QImage ThumbnailMaker::makeThumbnail(const QImage &source, QSize photoSize, QSize box)
{
    QImage canvas(box, QImage::Format_RGB32);
    if (canvas.isNull())
        return canvas;
    canvas.fill(kBackground);
    const QRect target = placement(photoSize, box);
    if (source.isNull() || target.isEmpty())
        return canvas;
    // The high-quality reduction low-passes first: a photo reduced forty
    // times by plain sampling would shimmer.
    const QImage scaled = source.size() == target.size()
        ? source
        : Resampler::scaled(source, target.size(), InterpolationHighQualityBilinear);
    QPainter painter(&canvas);
    painter.drawImage(target.topLeft(), scaled);
    return canvas;
}

bool ThumbnailMaker::storedThumbnailFits(QSize thumbnail, QSize photoSize, QSize box)
{
    const QSize wanted = fitIntoBox(photoSize, box);
    const QSize stored = fitIntoBox(thumbnail, box);
    if (wanted.isEmpty() || stored.isEmpty())
        return false;
    return std::abs(wanted.width() - stored.width()) <= 1 && std::abs(wanted.height() - stored.height()) <= 1
        && thumbnail.width() >= wanted.width() && thumbnail.height() >= wanted.height();
}

ThumbnailMaker::Result ThumbnailMaker::fromFile(const QString &path, const std::atomic_bool *cancel, QSize box,
                                                bool applyOrientation)
{
    Result result;
    // Only regular files: reading a pipe or a device would never end.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return result;

    // The photo's size as shown, where its header tells it.
    QSize photo;
    {
        ExifByteSource source(path);
        if (!source.isOpen())
            return result;
        if (jpegexif::isJpeg(source.head())) {
            const StoredThumbnail stored = readStoredThumbnail(source);
            const int turn = applyOrientation ? stored.orientation : orientation::kUpright;
            photo = orientation::turnedSize(stored.isValid() ? stored.photoSize : jpegexif::frameSize(source), turn);
            if (stored.isValid()) {
                DecodeOptions options;
                options.cancel = cancel;
                const DecodeResult small = JpegDecoder::decode(QByteArrayView(stored.jpeg), options);
                // The stored picture is stored unturned, like the photo.
                const QImage picture = small.ok() ? orientation::turned(small.image, turn) : QImage();
                if (!picture.isNull() && storedThumbnailFits(picture.size(), photo, box)) {
                    result.picture = makeThumbnail(picture, photo, box);
                    result.source = Source::Stored;
                    return result;
                }
            }
        }
    }

    // A camera raw file carries a preview: far cheaper than the sensor data,
    // when it is large enough for the box.
    if (isRawFile(path)) {
        DecodeOptions options;
        options.cancel = cancel;
        options.reduceTo = box;
        const DecodeResult preview = ImageDecoder::decodePreview(path, options);
        if (preview.ok()) {
            const QSize whole = preview.fullSize.isEmpty() ? preview.image.size() : preview.fullSize;
            const QSize wanted = placement(whole, box).size();
            // Not enlarged: 60 pixels across the longer side at least.
            if (!wanted.isEmpty() && whole.width() >= wanted.width() && whole.height() >= wanted.height()) {
                result.picture = makeThumbnail(preview.image, whole, box);
                result.source = Source::Preview;
                return result;
            }
        }
        if (cancel && cancel->load())
            return result;
    }

    DecodeOptions options;
    options.cancel = cancel;
    options.applyOrientation = applyOrientation;
    options.reduceTo = photo.isEmpty() ? box : placement(photo, box).size();
    const DecodeResult decoded = ImageDecoder::decodeFile(path, options);
    if (!decoded.ok())
        return result;
    const QSize full = decoded.fullSize.isEmpty() ? decoded.image.size() : decoded.fullSize;
    result.picture = makeThumbnail(decoded.image, full, box);
    result.source = Source::Decoded;
    return result;
}

namespace {

// Fills the image with the card both stand-ins share, a light card with a
// darker edge, and leaves the painter open on it.
void beginCard(QPainter &painter, QImage &image, qreal scale)
{
    image.fill(QColor(0xd4, 0xd4, 0xd4));
    painter.begin(&image);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x9a, 0x9a, 0x9a), 1));
    painter.setBrush(QColor(0xe6, 0xe6, 0xe6));
    painter.drawRoundedRect(QRectF(8.5, 12.5, 43, 35), 3, 3);
}

} // namespace

QImage ThumbnailMaker::placeholder(qreal scale)
{
    QImage image(box() * scale, QImage::Format_RGB32);
    QPainter painter;
    beginCard(painter, image, scale);
    // A landscape: two hills and a sun, drawn faintly.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xb8, 0xb8, 0xb8));
    QPainterPath hills;
    hills.moveTo(10, 46);
    hills.lineTo(23, 30);
    hills.lineTo(31, 39);
    hills.lineTo(38, 32);
    hills.lineTo(50, 46);
    hills.closeSubpath();
    painter.drawPath(hills);
    painter.setBrush(QColor(0xc4, 0xc4, 0xc4));
    painter.drawEllipse(QPointF(41, 21), 4, 4);
    painter.end();
    return image;
}

QImage ThumbnailMaker::errorPicture(qreal scale)
{
    QImage image(box() * scale, QImage::Format_RGB32);
    QPainter painter;
    beginCard(painter, image, scale);
    // A red cross over the card.
    painter.setPen(QPen(QColor(0xc0, 0x30, 0x30), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(21, 21), QPointF(39, 39));
    painter.drawLine(QPointF(39, 21), QPointF(21, 39));
    painter.end();
    return image;
}

} // namespace quorvel
