#include "core/imaging/ImageBufferPool.h"

#include <cstdlib>
#include <mutex>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace quorvel {

namespace {

constexpr size_t kHugePage = size_t(2) << 20;

struct Block
{
    void *data = nullptr;
    size_t size = 0;
};

std::mutex &poolMutex()
{
    static std::mutex m;
    return m;
}

Block &kept()
{
    static Block b;
    return b;
}

Block allocateBlock(size_t bytes)
{
#ifdef Q_OS_LINUX
    const size_t size = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void *data = std::aligned_alloc(kHugePage, size);
    if (data)
        madvise(data, size, MADV_HUGEPAGE);
    return {data, data ? size : 0};
#else
    void *data = std::malloc(bytes);
    return {data, data ? bytes : 0};
#endif
}

struct Handle
{
    Block block;
};

void releaseBuffer(void *info)
{
    auto *handle = static_cast<Handle *>(info);
    Block freed = handle->block;
    delete handle;
    {
        std::lock_guard lock(poolMutex());
        // Keep the most recently freed buffer; the next picture is most
        // likely of the same size.
        std::swap(kept(), freed);
    }
    std::free(freed.data);
}

} // namespace

QImage ImageBufferPool::allocateRgb32(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QImage();
    const qsizetype bpl = qsizetype(width) * 4;
    const qsizetype bytes = bpl * height;
    if (bytes < kMinPooledBytes)
        return QImage(width, height, QImage::Format_RGB32);

    Block block;
    {
        std::lock_guard lock(poolMutex());
        Block &k = kept();
        // Reused when it fits without wasting more than half of it.
        if (k.data && k.size >= size_t(bytes) && k.size / 2 <= size_t(bytes))
            block = std::exchange(k, Block());
    }
    if (!block.data)
        block = allocateBlock(size_t(bytes));
    if (!block.data)
        return QImage();
    auto *handle = new Handle{block};
    QImage image(static_cast<uchar *>(block.data), width, height, bpl, QImage::Format_RGB32, releaseBuffer, handle);
    if (image.isNull())
        releaseBuffer(handle);
    return image;
}

void ImageBufferPool::trim()
{
    Block freed;
    {
        std::lock_guard lock(poolMutex());
        std::swap(kept(), freed);
    }
    std::free(freed.data);
}

qsizetype ImageBufferPool::keptBytes()
{
    std::lock_guard lock(poolMutex());
    return qsizetype(kept().size);
}

} // namespace quorvel
