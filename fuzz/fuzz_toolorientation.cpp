// quorvel-tool's own reading of a JPEG file without Qt (FileBytes,
// JpegOrientation, the frame header walk of the JPEG session) on arbitrary
// bytes as a file: it must neither crash nor read outside what it holds, and
// must find the orientation and the bits per pixel the program's own
// readers find in the same bytes.

#include "FileBytes.h"
#include "JpegOrientation.h"

#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifOrientation.h"
#include "core/imaging/JpegDecoder.h"
#include "core/imaging/JpegSession.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace quorvel;
    const int fd = ::memfd_create("fuzz", MFD_CLOEXEC);
    if (fd < 0)
        return 0;
    if (size > 0 && ::write(fd, data, size) != ssize_t(size)) {
        ::close(fd);
        return 0;
    }
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
    {
        cli::FileBytes file;
        if (file.open(path)) {
            ExifByteSource source(reinterpret_cast<const char *>(data), qint64(size));
            const bool jpeg = size >= 2 && data[0] == 0xFF && data[1] == 0xD8;
            if (jpeg && cli::jpegOrientation(file) != exiforientation::fromSource(source))
                std::abort();
            QBuffer buffer;
            buffer.setData(reinterpret_cast<const char *>(data), qsizetype(size));
            buffer.open(QIODevice::ReadOnly);
            if (jpegsession::pixelDepth(file.input()) != JpegDecoder::pixelDepth(buffer))
                std::abort();
        }
    }
    ::close(fd);
    return 0;
}
