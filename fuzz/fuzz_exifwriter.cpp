// The EXIF writer and the resolution writer on arbitrary bytes taken as a
// whole JPEG file: the first byte chooses the fields to write.

#include "core/edit/FileResolution.h"
#include "core/exif/ExifLibrary.h"
#include "core/exif/ExifWriter.h"
#include "core/exif/JpegSegments.h"

#include <QBuffer>
#include <QByteArray>

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
    if (size < 1)
        return 0;
    const int which = data[0] & WriteAllFields;
    QByteArray file(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    ExifFields fields;
    if (data[0] & 0x20) {
        fields.model = QStringLiteral("Fuzz camera model");
        fields.dateTimeOriginal = QStringLiteral("2020:01:02 03:04:05");
        fields.iso = 400;
        fields.fNumber = 2.8f;
        fields.focalLength = 35.5f;
    }
    // The writers read a file's header segments one by one and change only
    // those; the rest is copied.
    QBuffer device;
    device.setData(file);
    device.open(QIODevice::ReadOnly);
    QByteArray header;
    if (jpegsegments::readHeader(device, header, 1 << 20) && !jpegsegments::walk(header).ok)
        __builtin_trap();
    applyExifFields(file, fields, which);
    FileResolution::applyTo(file, 300, 240);
    return 0;
}
