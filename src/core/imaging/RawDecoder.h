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
};

} // namespace quorvel
