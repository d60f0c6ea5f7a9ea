#include "core/exif/JpegExifBlock.h"

#include "core/exif/ExifByteSource.h"

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

QByteArray find(ExifByteSource &source)
{
    if (!isJpeg(source.head()))
        return QByteArray();
    qint64 pos = 2;
    for (int n = 0; n < kMaxSegments; ++n) {
        const QByteArray header = source.read(pos, 4);
        if (header.size() < 2 || uchar(header[0]) != kMarker)
            return QByteArray();
        const uchar marker = uchar(header[1]);
        if (marker == kMarker) { // fill byte
            ++pos;
            continue;
        }
        if (marker == kSos || marker == kEoi)
            return QByteArray();
        if (standalone(marker)) {
            pos += 2;
            continue;
        }
        if (header.size() < 4)
            return QByteArray();
        const qint64 length = (qint64(uchar(header[2])) << 8) | uchar(header[3]);
        if (length < 2)
            return QByteArray();
        if (marker == kApp1 && length - 2 >= kExifIdSize) {
            const QByteArray id = source.read(pos + 4, kExifIdSize);
            if (id == QByteArrayView(kExifId, kExifIdSize)) {
                const qint64 blockSize = length - 2 - kExifIdSize;
                QByteArray block = source.read(pos + 4 + kExifIdSize, blockSize);
                return block.size() == blockSize ? block : QByteArray();
            }
        }
        pos += 2 + length;
    }
    return QByteArray();
}

} // namespace quorvel::jpegexif
