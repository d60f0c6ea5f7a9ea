// The colour profile of a JPEG's APP2 segments, put together from arbitrary
// bytes taken as a whole file, and arbitrary bytes taken as a profile for
// the choice of what a new picture carries.

#include "core/exif/ExifByteSource.h"
#include "core/exif/JpegExifBlock.h"
#include "core/imaging/ColourProfile.h"
#include "core/imaging/DecodeTypes.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace quorvel;
    ExifByteSource source(reinterpret_cast<const char *>(data), qint64(size));
    const QByteArray fromJpeg = jpegexif::iccProfile(source, decodelimits::kMaxIccBytes);
    const QByteArray raw(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray kept = colourprofile::forPixels(raw, false);
    const QByteArray converted = colourprofile::forPixels(raw, true);
    return fromJpeg.size() + kept.size() + converted.size() > (1 << 30) ? 1 : 0;
}
