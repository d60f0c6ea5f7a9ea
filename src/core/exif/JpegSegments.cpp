#include "core/exif/JpegSegments.h"

#include "core/exif/JpegExifBlock.h"

#include <QIODevice>

namespace quorvel::jpegsegments {

namespace {

bool startsWith(QByteArrayView file, const Segment &s, QByteArrayView id)
{
    return s.dataLength >= id.size() && file.sliced(s.dataStart, id.size()) == id;
}

bool standalone(uchar marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

} // namespace

int Layout::exifIndex(QByteArrayView file) const
{
    for (int i = 0; i < segments.size(); ++i) {
        if (segments[i].marker == kApp1 && startsWith(file, segments[i], QByteArrayView("Exif\0\0", 6)))
            return i;
    }
    return -1;
}

int Layout::jfifIndex(QByteArrayView file) const
{
    for (int i = 0; i < segments.size(); ++i) {
        if (segments[i].marker == kApp0 && startsWith(file, segments[i], QByteArrayView("JFIF\0", 5)))
            return i;
    }
    return -1;
}

Layout walk(QByteArrayView file)
{
    Layout layout;
    if (!jpegexif::isJpeg(file))
        return layout;
    qsizetype pos = 2;
    for (int n = 0; n < jpegexif::kMaxSegments; ++n) {
        if (pos + 2 > file.size() || uchar(file[pos]) != 0xFF)
            return layout;
        const uchar marker = uchar(file[pos + 1]);
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        if (standalone(marker)) {
            pos += 2;
            continue;
        }
        if (marker == 0xD8 || marker == 0xD9 || pos + 4 > file.size())
            return layout;
        const qsizetype length = (qsizetype(uchar(file[pos + 2])) << 8) | uchar(file[pos + 3]);
        if (length < 2 || pos + 2 + length > file.size())
            return layout;
        if (marker == kSos) {
            layout.scanStart = pos;
            layout.ok = true;
            return layout;
        }
        Segment s;
        s.marker = marker;
        s.start = pos;
        s.dataStart = pos + 4;
        s.dataLength = length - 2;
        layout.segments.append(s);
        pos += 2 + length;
    }
    return layout;
}

bool readHeader(QIODevice &device, QByteArray &header, qint64 maxBytes)
{
    header.clear();
    if (!device.seek(0))
        return false;
    header = device.read(2);
    if (!jpegexif::isJpeg(header))
        return false;
    for (int n = 0; n < jpegexif::kMaxSegments; ++n) {
        const QByteArray marker = device.read(2);
        if (marker.size() != 2 || uchar(marker[0]) != 0xFF)
            return false;
        header += marker;
        const uchar code = uchar(marker[1]);
        if (code == 0xFF) { // fill byte: the next byte is the marker
            header.chop(1);
            device.seek(device.pos() - 1);
            continue;
        }
        if (standalone(code))
            continue;
        if (code == 0xD8 || code == 0xD9)
            return false;
        const QByteArray length = device.read(2);
        if (length.size() != 2)
            return false;
        const qint64 size = (qint64(uchar(length[0])) << 8) | uchar(length[1]);
        if (size < 2 || header.size() + size > maxBytes)
            return false;
        header += length;
        const QByteArray content = device.read(size - 2);
        if (content.size() != size - 2)
            return false;
        header += content;
        if (code == kSos)
            return true;
    }
    return false;
}

} // namespace quorvel::jpegsegments
