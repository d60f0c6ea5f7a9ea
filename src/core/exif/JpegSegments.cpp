#include "core/exif/JpegSegments.h"

#include "core/exif/JpegExifBlock.h"

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

} // namespace quorvel::jpegsegments
