// The walk of an EXIF block for the six tags (exififd::readSixTags) on
// arbitrary bytes taken as the block, as the reader hands it a JPEG's APP1
// segment or a container's Exif item. The source holds exactly the input,
// so any read outside the block is caught by the address sanitizer; the
// fields it gives are then formatted as the file list shows them.

#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifFieldTexts.h"
#include "core/exif/ExifIfdWalker.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace quorvel;
    ExifByteSource source(reinterpret_cast<const char *>(data), qint64(size));
    ExifFields fields;
    exiftags::MakerNote note;
    const bool found = exififd::readSixTags(source, 0, qint64(size), fields, &note);
    if (!found && !(fields == ExifFields()))
        std::abort(); // a failed walk leaves the fields at their defaults
    if (note.bytes.size() > qsizetype(size))
        std::abort();
    // A block that starts further into the data reads the same way.
    ExifFields shifted;
    if (size > 4)
        exififd::readSixTags(source, 4, qint64(size) - 4, shifted);
    const ExifFieldTexts texts = ExifFieldTexts::of(fields, ExifFieldTexts::Style::List);
    return texts.camera.size() > (1 << 30) ? 1 : 0;
}
