#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

#include <atomic>

namespace quorvel {

// The pictures of the file list's thumbnails view: 60 x 60, the photo
// centred on grey in the largest rectangle of its proportions.
//
// A picture is made from the cheapest source that shows the whole photo:
// the small JPEG a camera stores in the EXIF block, when its proportions are
// the photo's; for a camera raw file the preview it carries, when it is at
// least as large as the box; else the photo decoded at a reduced scale (in
// the DCT domain for JPEG files, a stored thumbnail of a HEIF picture, half
// size for raw files). Safe to call from several threads at once.
class ThumbnailMaker
{
public:
    static constexpr int kSize = 60;
    static constexpr QRgb kBackground = 0xFF808080;

    static QSize box() { return QSize(kSize, kSize); }

    // Where the photo goes in the box: the largest rectangle of the photo's
    // proportions, centred with integer halves. Empty for an empty photo.
    static QRect placement(QSize photoSize, QSize box);

    // A box-sized picture filled with grey, with source scaled into the
    // placement of photoSize. source may stand in for the photo at a smaller
    // size (a stored thumbnail, a reduced decode); photoSize is the photo's.
    static QImage makeThumbnail(const QImage &source, QSize photoSize, QSize box = ThumbnailMaker::box());

    // Whether a stored thumbnail of that size shows the whole photo: the
    // same proportions to within a pixel at the box's size, and large enough
    // not to be enlarged. A thumbnail with black bands has other proportions.
    static bool storedThumbnailFits(QSize thumbnail, QSize photoSize, QSize box = ThumbnailMaker::box());

    enum class Source { None, Stored, Preview, Decoded };
    struct Result
    {
        QImage picture;            // null when the file cannot be read
        Source source = Source::None;
    };

    // The picture of an image file (a link must be resolved by the caller),
    // box-sized: on a screen of two device pixels per pixel the list asks
    // for twice the box, so that the picture is not enlarged there.
    // cancel, when set from another thread, abandons a decode. With
    // applyOrientation the photo is shown turned by its EXIF orientation, as
    // the view shows it; a damaged photo shows as much as decodes.
    static Result fromFile(const QString &path, const std::atomic_bool *cancel = nullptr,
                           QSize box = ThumbnailMaker::box(), bool applyOrientation = true);

    // Shown until a row's picture is made, and for a file that cannot be
    // read; drawn at scale times the box, in device pixels.
    static QImage placeholder(qreal scale = 1);
    static QImage errorPicture(qreal scale = 1);
};

} // namespace quorvel
