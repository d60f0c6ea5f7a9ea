#include "core/exif/ExifOrientation.h"

#include "core/exif/ContainerExif.h"
#include "core/exif/ExifByteSource.h"
#include "core/exif/JpegExifBlock.h"
#include "core/imaging/Orientation.h"

#include <QtEndian>

#include <algorithm>
#include <limits>

namespace quorvel::exiforientation {

namespace {

constexpr quint16 kShort = 3;
constexpr quint16 kLong = 4;

// Reads the orientation entry of IFD0 through read(offset, length), which
// gives fewer bytes (or none) past the end.
template<typename Read>
int fromTiffStructure(Read read)
{
    const QByteArray header = read(0, 16);
    if (header.size() < 8)
        return orientation::kUpright;
    bool big = false;
    if (header.startsWith("MM"))
        big = true;
    else if (!header.startsWith("II"))
        return orientation::kUpright;
    const auto u16 = [big](const char *p) { return big ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p); };
    const auto u32 = [big](const char *p) { return big ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p); };
    const auto u64 = [big](const char *p) { return big ? qFromBigEndian<quint64>(p) : qFromLittleEndian<quint64>(p); };

    const quint16 magic = u16(header.constData() + 2);
    const bool bigTiff = magic == 43;
    if (magic != 42 && !(bigTiff && header.size() >= 16 && u16(header.constData() + 4) == 8))
        return orientation::kUpright;
    const quint64 ifd = bigTiff ? u64(header.constData() + 8) : u32(header.constData() + 4);
    if (ifd < 8 || ifd > quint64(std::numeric_limits<qint64>::max() / 2))
        return orientation::kUpright;

    const int countSize = bigTiff ? 8 : 2;
    const int entrySize = bigTiff ? 20 : 12;
    const QByteArray countBytes = read(qint64(ifd), countSize);
    if (countBytes.size() != countSize)
        return orientation::kUpright;
    // A directory holds at most 65535 entries in either form; more is
    // damage, and is never read.
    const quint64 count = bigTiff ? u64(countBytes.constData()) : u16(countBytes.constData());
    if (count == 0 || count > 0xFFFF)
        return orientation::kUpright;
    const QByteArray entries = read(qint64(ifd) + countSize, qint64(count) * entrySize);
    for (qsizetype at = 0; at + entrySize <= entries.size(); at += entrySize) {
        const char *e = entries.constData() + at;
        if (u16(e) != kTag)
            continue;
        const quint16 type = u16(e + 2);
        const quint64 n = bigTiff ? u64(e + 4) : u32(e + 4);
        const char *value = e + (bigTiff ? 12 : 8);
        if (n != 1)
            return orientation::kUpright;
        if (type == kShort)
            return orientation::normalised(u16(value));
        if (type == kLong)
            return orientation::normalised(int(std::min<quint32>(u32(value), 9)));
        return orientation::kUpright;
    }
    return orientation::kUpright;
}

bool isTiff(QByteArrayView head)
{
    const QByteArrayView magic = head.first(std::min<qsizetype>(head.size(), 4));
    return magic == QByteArrayView("II*\0", 4) || magic == QByteArrayView("MM\0*", 4)
        || magic == QByteArrayView("II+\0", 4) || magic == QByteArrayView("MM\0+", 4);
}

} // namespace

int fromExifBlock(QByteArrayView block)
{
    return fromTiffStructure([block](qint64 offset, qint64 length) {
        if (offset < 0 || length <= 0 || offset >= block.size())
            return QByteArray();
        return block.sliced(offset, std::min<qint64>(length, block.size() - offset)).toByteArray();
    });
}

int fromSource(ExifByteSource &source)
{
    if (jpegexif::isJpeg(source.head()))
        return fromExifBlock(jpegexif::find(source));
    if (isTiff(source.head()))
        return fromTiffStructure([&source](qint64 offset, qint64 length) { return source.read(offset, length); });
    // PNG and WebP keep the Exif block beside the picture, and their readers
    // leave the turning to us; HEIF and JPEG XL decoders turn by themselves.
    const containerexif::Kind kind = containerexif::kindOf(source.head());
    if (kind == containerexif::Kind::Png || kind == containerexif::Kind::Webp)
        return fromExifBlock(containerexif::find(source));
    return orientation::kUpright;
}

int fromFile(const QString &path)
{
    ExifByteSource source(path);
    return source.isOpen() ? fromSource(source) : orientation::kUpright;
}

} // namespace quorvel::exiforientation
