#include "PictureMemory.h"

#include "core/files/FileAccess.h"
#include "core/imaging/DecodeTypes.h"
#include "core/imaging/ImageBufferPool.h"

#include <QFile>

#include <thread>

#include <turbojpeg.h>

namespace quorvel::cli {

namespace {

// The width and height in a JPEG header, read from at most the first
// megabyte (the frame header follows the metadata segments).
bool jpegSize(const QString &path, int &width, int &height)
{
    // Never blocks: a FIFO named like a picture is left to the decoder,
    // which refuses it.
    QFile file;
    if (!FileAccess::openForReading(file, path))
        return false;
    tjhandle tj = tjInitDecompress();
    if (!tj)
        return false;
    bool found = false;
    QByteArray head;
    for (qint64 want : {qint64(64) << 10, qint64(1) << 20}) {
        head += file.read(want - head.size());
        if (head.size() < 4 || uchar(head[0]) != 0xFF || uchar(head[1]) != 0xD8)
            break;
        int subsampling = 0, colourspace = 0;
        if (tjDecompressHeader3(tj, reinterpret_cast<const unsigned char *>(head.constData()), ulong(head.size()),
                                &width, &height, &subsampling, &colourspace) == 0) {
            found = width > 0 && height > 0;
            break;
        }
        if (file.atEnd())
            break;
    }
    tjDestroy(tj);
    return found;
}

// Writes one byte into every page of [begin, end).
void touch(uchar *begin, uchar *end)
{
    constexpr qsizetype kPage = 4096;
    for (uchar *p = begin; p < end; p += kPage)
        *p = 0;
}

} // namespace

void preparePictureMemory(const QString &path, const DecodeOptions &options)
{
    int width = 0, height = 0;
    if (!options.reduceTo.isEmpty() || !jpegSize(path, width, height) || !options.sizeAllowed(width, height))
        return;
    QImage buffer = ImageBufferPool::allocateRgb32(width, height);
    if (buffer.isNull() || buffer.sizeInBytes() < ImageBufferPool::kMinPooledBytes)
        return; // small pictures are not pooled: nothing to win
    uchar *begin = buffer.bits();
    uchar *end = begin + buffer.sizeInBytes();
    uchar *middle = begin + (buffer.sizeInBytes() / 2);
    std::thread other(touch, middle, end);
    touch(begin, middle);
    other.join();
    // Freed here, the buffer stays in the pool for the decode.
}

} // namespace quorvel::cli
