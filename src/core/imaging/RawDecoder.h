#pragma once

#include "core/imaging/DecodeTypes.h"

class QFile;

namespace quorvel {

// Camera raw files through LibRaw: automatic white balance, bilinear
// interpolation (VNG with DecodeOptions::hqRaw), white point from the
// brightest 1% of pixels, sRGB gamma, the camera's rotation applied, 8 bits
// per channel. Reports its progress through DecodeOptions::progress.
class RawDecoder
{
public:
    // Only a regular file is read (a FIFO named like a raw file is refused).
    static DecodeResult decode(const QString &path, const DecodeOptions &options);
    // The file at path, already open for reading: LibRaw reads that very
    // file, not whatever the name may point to by then.
    static DecodeResult decode(const QFile &file, const QString &path, const DecodeOptions &options);
    // The same from memory (used by tests and the fuzz target).
    static DecodeResult decode(QByteArrayView data, const DecodeOptions &options);

    // The picture the file carries for quick showing: the embedded JPEG
    // preview (at a reduced scale with DecodeOptions::reduceTo) or bitmap,
    // turned as the camera says and marked upright. A failure, with its
    // reason, when the file carries none.
    static DecodeResult decodePreview(const QFile &file, const QString &path, const DecodeOptions &options);
    static DecodeResult decodePreview(QByteArrayView data, const DecodeOptions &options);

    // Embedded previews larger than this are not read.
    static constexpr qint64 kMaxPreviewBytes = qint64(64) << 20;

    // The picture turned by a LibRaw flip code (bit 2: transposed, bit 1:
    // upside down, bit 0: mirrored; 3 is half a turn, 5 a quarter turn
    // anticlockwise, 6 clockwise).
    static QImage turnedByFlip(QImage image, int flip);
};

} // namespace quorvel
