#include "core/edit/ExifTurn.h"

#include "core/edit/ImageTransform.h"
#include "core/edit/JpegEncoder.h"
#include "core/exif/ExifBlockEditor.h"
#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifOrientation.h"
#include "core/exif/JpegExifBlock.h"
#include "core/exif/JpegSegments.h"
#include "core/imaging/JpegDecoder.h"
#include "core/imaging/Orientation.h"

#include <QCoreApplication>

namespace quorvel::exifturn {

namespace {

using Dir = ExifBlockEditor::Dir;

constexpr quint16 kPixelXDimension = 0xA002;
constexpr quint16 kPixelYDimension = 0xA003;
constexpr quint16 kThumbnailOffset = 0x0201;
constexpr quint16 kThumbnailLength = 0x0202;
// The largest block an APP1 "Exif" segment holds.
constexpr qsizetype kMaxBlock = jpegsegments::kMaxSegmentData - jpegsegments::kExifIdSize;
// Quality of a stored thumbnail that has to be encoded again.
constexpr int kThumbnailQuality = 90;

// Overwrites a SHORT or LONG entry of count 1 with value, keeping its type.
bool setNumber(ExifBlockEditor &e, Dir dir, quint16 tag, quint32 value)
{
    const auto entry = e.find(dir, tag);
    if (!entry || !e.number(*entry))
        return false;
    if (entry->type == ExifBlockEditor::kShort) {
        if (value > 0xFFFF)
            return false;
        return e.overwrite(dir, tag, entry->type, 1, e.shortValue(quint16(value)));
    }
    return e.overwrite(dir, tag, entry->type, 1, e.longValue(value));
}

QByteArray turnedThumbnail(const QByteArray &jpeg, int turn)
{
    if (!ImageTransform::jpegNeedsTrim(jpeg)) {
        const QByteArray lossless = ImageTransform::turnJpeg(jpeg, turn, false, nullptr);
        if (!lossless.isEmpty())
            return lossless;
    }
    // Partial edge blocks: trimming would change the thumbnail's proportions.
    const DecodeResult decoded = JpegDecoder::decode(QByteArrayView(jpeg), DecodeOptions());
    if (!decoded.ok() || decoded.partial)
        return QByteArray();
    const QImage turned = orientation::turned(decoded.image, turn);
    return turned.isNull() ? QByteArray() : JpegEncoder::encode(turned, kThumbnailQuality);
}

// Turns the stored thumbnail of IFD1 and puts it back; drops it when that
// cannot be done.
void turnThumbnail(ExifBlockEditor &e, int turn)
{
    const auto offsetEntry = e.find(Dir::Thumbnail, kThumbnailOffset);
    const auto lengthEntry = e.find(Dir::Thumbnail, kThumbnailLength);
    if (!offsetEntry || !lengthEntry)
        return; // none, or not a JPEG one
    const auto offset = e.number(*offsetEntry);
    const auto length = e.number(*lengthEntry);
    const qsizetype size = e.block().size();
    if (!offset || !length || *offset < 8 || *offset > size || *length > size - *offset) {
        e.removeThumbnailDir();
        return;
    }
    const QByteArray old = e.block().mid(*offset, *length);
    const QByteArray turned = jpegexif::isJpeg(old) ? turnedThumbnail(old, turn) : QByteArray();
    if (turned.isEmpty()) {
        e.removeThumbnailDir();
        return;
    }
    if (turned.size() <= old.size()) {
        e.putBytes(*offset, turned + QByteArray(old.size() - turned.size(), '\0'));
        setNumber(e, Dir::Thumbnail, kThumbnailLength, quint32(turned.size()));
        return;
    }
    if (size + 1 + turned.size() > kMaxBlock) {
        e.removeThumbnailDir();
        return;
    }
    const qsizetype at = e.appendBytes(turned);
    if (!setNumber(e, Dir::Thumbnail, kThumbnailOffset, quint32(at))
        || !setNumber(e, Dir::Thumbnail, kThumbnailLength, quint32(turned.size())))
        e.removeThumbnailDir();
}

} // namespace

bool adjust(QByteArray &block, int turn, QSize size, bool upright)
{
    if (block.isEmpty())
        return true;
    ExifBlockEditor e(block);
    // A block the editor cannot take is left as it is, unless it names an
    // orientation that would then turn the picture a second time.
    if (!e.isValid())
        return exiforientation::fromExifBlock(block) == orientation::kUpright;
    if (upright) {
        for (Dir dir : {Dir::Image, Dir::Thumbnail}) {
            const auto entry = e.find(dir, exiforientation::kTag);
            if (entry && e.number(*entry).value_or(1) != 1)
                setNumber(e, dir, exiforientation::kTag, 1);
        }
    }
    if (!size.isEmpty()) {
        setNumber(e, Dir::Photo, kPixelXDimension, quint32(size.width()));
        setNumber(e, Dir::Photo, kPixelYDimension, quint32(size.height()));
    }
    if (orientation::normalised(turn) != orientation::kUpright)
        turnThumbnail(e, turn);
    block = e.block();
    return true;
}

bool adjustJpeg(QByteArray &jpeg, int turn, bool upright, QString *error)
{
    const jpegsegments::Layout layout = jpegsegments::walk(jpeg);
    if (!layout.ok) {
        if (error)
            *error = QCoreApplication::translate("ExifTurn", "The file's JPEG markers are damaged.");
        return false;
    }
    const int index = layout.exifIndex(jpeg);
    if (index < 0)
        return true;
    const jpegsegments::Segment &s = layout.segments[index];
    QByteArray block = jpeg.mid(s.dataStart + jpegsegments::kExifIdSize, s.dataLength - jpegsegments::kExifIdSize);
    const QByteArray old = block;
    ExifByteSource source(jpeg.constData(), jpeg.size());
    if (!adjust(block, turn, jpegexif::frameSize(source), upright) || block.size() > kMaxBlock) {
        if (error)
            *error = QCoreApplication::translate("ExifTurn", "The file's EXIF data is damaged.");
        return false;
    }
    if (block == old)
        return true;
    const qsizetype content = jpegsegments::kExifIdSize + block.size();
    QByteArray segment;
    segment.reserve(4 + content);
    segment.append(char(0xFF)).append(char(jpegsegments::kApp1));
    segment.append(char((content + 2) >> 8)).append(char((content + 2) & 0xFF));
    segment.append("Exif\0\0", 6).append(block);
    jpeg.replace(s.start, s.end() - s.start, segment);
    return true;
}

} // namespace quorvel::exifturn
