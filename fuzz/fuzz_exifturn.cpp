// The EXIF changes of a lossless turn on arbitrary bytes: taken as a whole
// JPEG file (its EXIF segment), and as an EXIF block of its own, whose
// orientation is also read. The first byte chooses the turn and whether the
// result is marked upright.

#include "core/edit/ExifTurn.h"
#include "core/exif/ExifOrientation.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace quorvel;
    if (size < 1)
        return 0;
    const int turn = (data[0] & 7) + 1;
    const bool upright = data[0] & 8;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    QByteArray file = bytes;
    exifturn::adjustJpeg(file, turn, upright);

    QByteArray block = bytes;
    const int orientation = exiforientation::fromExifBlock(block);
    if (orientation < 1 || orientation > 8)
        __builtin_trap();
    exifturn::adjust(block, turn, QSize(640, 480), upright);
    return 0;
}
