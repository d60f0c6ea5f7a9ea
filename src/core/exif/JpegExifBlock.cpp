#include "core/exif/JpegExifBlock.h"

#include "core/exif/ExifByteSource.h"

#include <QList>

namespace quorvel::jpegexif {

namespace {

constexpr uchar kMarker = 0xFF;
constexpr uchar kSoi = 0xD8;
constexpr uchar kEoi = 0xD9;
constexpr uchar kSos = 0xDA;
constexpr uchar kApp1 = 0xE1;
constexpr char kExifId[] = "Exif\0\0";
constexpr qsizetype kExifIdSize = 6;

bool standalone(uchar marker)
{
    // TEM and RST0..RST7 carry no length.
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

} // namespace

bool isJpeg(QByteArrayView head)
{
    return head.size() >= 2 && uchar(head[0]) == kMarker && uchar(head[1]) == kSoi;
}

namespace {

// Up to length bytes at offset, without a copy where the source keeps them.
QByteArrayView bytesAt(ExifByteSource &source, qint64 offset, qint64 length, QByteArray &storage)
{
    const QByteArrayView kept = source.peek(offset, length);
    if (!kept.isEmpty())
        return kept;
    storage = source.read(offset, length);
    return storage;
}

// Walks the marker segments from the start of the file up to the first scan,
// calling visit(marker, position of the marker, segment length) for each
// segment with a length, until visit returns true. False when the walk ends
// without that: at a scan, the end of the image, damaged markers or too many
// segments.
template<typename Visit>
bool walkSegments(ExifByteSource &source, Visit visit)
{
    if (!isJpeg(source.head()))
        return false;
    qint64 pos = 2;
    QByteArray storage;
    for (int n = 0; n < kMaxSegments; ++n) {
        const QByteArrayView header = bytesAt(source, pos, 4, storage);
        if (header.size() < 2 || uchar(header[0]) != kMarker)
            return false;
        const uchar marker = uchar(header[1]);
        if (marker == kMarker) { // fill byte
            ++pos;
            continue;
        }
        if (marker == kSos || marker == kEoi)
            return false;
        if (standalone(marker)) {
            pos += 2;
            continue;
        }
        if (header.size() < 4)
            return false;
        const qint64 length = (qint64(uchar(header[2])) << 8) | uchar(header[3]);
        if (length < 2)
            return false;
        if (visit(marker, pos, length))
            return true;
        pos += 2 + length;
    }
    return false;
}

bool isFrameHeader(uchar marker)
{
    // SOF0..SOF15, except DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

} // namespace

BlockPlace locate(ExifByteSource &source)
{
    BlockPlace place;
    walkSegments(source, [&](uchar marker, qint64 pos, qint64 length) {
        if (marker != kApp1 || length - 2 < kExifIdSize)
            return false;
        QByteArray storage;
        if (bytesAt(source, pos + 4, kExifIdSize, storage) != QByteArrayView(kExifId, kExifIdSize))
            return false;
        const qint64 offset = pos + 4 + kExifIdSize;
        const qint64 size = length - 2 - kExifIdSize;
        // A segment cut short by the end of the file gives no block.
        if (size > 0 && offset + size <= source.size())
            place = {offset, size};
        return true;
    });
    return place;
}

QByteArray find(ExifByteSource &source)
{
    const BlockPlace place = locate(source);
    if (place.size <= 0)
        return QByteArray();
    QByteArray block = source.read(place.offset, place.size);
    if (block.size() != place.size)
        block.clear();
    return block;
}

QSize frameSize(ExifByteSource &source)
{
    QSize size;
    walkSegments(source, [&](uchar marker, qint64 pos, qint64 length) {
        if (!isFrameHeader(marker))
            return false;
        // Precision, height, width.
        const QByteArray sof = source.read(pos + 4, 5);
        if (length >= 7 && sof.size() == 5) {
            const int height = (uchar(sof[1]) << 8) | uchar(sof[2]);
            const int width = (uchar(sof[3]) << 8) | uchar(sof[4]);
            if (width > 0 && height > 0)
                size = QSize(width, height);
        }
        return true;
    });
    return size;
}

QByteArray iccProfile(ExifByteSource &source, qint64 maxBytes)
{
    // Each APP2 "ICC_PROFILE\0" segment holds its sequence number (from 1)
    // and the number of segments, then its part of the profile.
    constexpr uchar kApp2 = 0xE2;
    constexpr char kIccId[] = "ICC_PROFILE\0";
    constexpr qint64 kIccHeader = 14;
    QList<QByteArray> parts;
    int count = 0;
    qint64 total = 0;
    bool damaged = false;
    walkSegments(source, [&](uchar marker, qint64 pos, qint64 length) {
        if (marker != kApp2 || length - 2 <= kIccHeader)
            return false;
        const QByteArray header = source.read(pos + 4, kIccHeader);
        if (header.size() != kIccHeader || QByteArrayView(header).first(12) != QByteArrayView(kIccId, 12))
            return false;
        const int sequence = uchar(header[12]);
        const int of = uchar(header[13]);
        if (count == 0 && of > 0) {
            count = of;
            parts.resize(count);
        }
        const qint64 partSize = length - 2 - kIccHeader;
        if (of != count || sequence < 1 || sequence > count || !parts[sequence - 1].isEmpty()
            || total + partSize > maxBytes) {
            damaged = true;
            return true;
        }
        parts[sequence - 1] = source.read(pos + 4 + kIccHeader, partSize);
        if (parts[sequence - 1].size() != partSize) {
            damaged = true;
            return true;
        }
        total += partSize;
        return false;
    });
    if (damaged || count == 0)
        return QByteArray();
    QByteArray profile;
    profile.reserve(total);
    for (const QByteArray &part : std::as_const(parts)) {
        if (part.isEmpty())
            return QByteArray(); // a segment is missing
        profile += part;
    }
    return profile;
}

} // namespace quorvel::jpegexif
