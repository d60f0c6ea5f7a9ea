// readExifFields on arbitrary bytes, as a whole file in memory, then every
// formatter on what it gives.

#include "core/exif/ExifDateTime.h"
#include "core/exif/ExifFieldTexts.h"
#include "core/exif/ExifFormat.h"
#include "core/exif/ExifLibrary.h"
#include "core/exif/ExifReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    quorvel::initExifLibrary();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace quorvel;
    ExifFields fields;
    if (!readExifFieldsFromMemory(reinterpret_cast<const char *>(data), qint64(size), fields))
        return 0;
    const QString summary = formatExifSummary(fields);
    const ExifFieldTexts texts = ExifFieldTexts::of(fields, ExifFieldTexts::Style::Print);
    DateTimeRecord date;
    parseExifDateTime(fields.dateTimeOriginal, date);
    const double sortKey = parseRationalText(texts.exposure);
    return summary.size() + int(sortKey) > 1 << 30 ? 1 : 0;
}
