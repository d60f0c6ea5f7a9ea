#include "core/common/PixelRows.h"

#include <QFuture>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <limits>
#include <vector>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace quorvel {

namespace {

using BandFunction = std::function<void(int first, int end)>;

// Enough bands that the progress moves in small steps and both cores stay
// busy when bands differ in cost.
constexpr int kMinimumBands = 64;

#ifdef Q_OS_LINUX
// Images from this size on are given memory aligned for large pages.
constexpr qsizetype kLargePageImage = 8 * 1024 * 1024;
constexpr size_t kLargePage = 2 * 1024 * 1024;
#endif

class ProgressCounter
{
public:
    ProgressCounter(const PixelRows::Progress &progress, int rows)
        : m_progress(progress)
        , m_rows(rows)
    {
    }

    void rowsDone(qint64 done)
    {
        if (!m_progress)
            return;
        const int percent = int(done * 100 / m_rows);
        if (percent > m_last) {
            m_last = percent;
            m_progress(percent);
        }
    }

private:
    const PixelRows::Progress &m_progress;
    const int m_rows;
    int m_last = 0;
};

// Runs band over the rows begin .. end - 1, in parallel bands for a large
// image. The calling thread works on bands too, so the pass cannot stall
// when the thread pool is busy, and it alone reports the progress.
void runRows(int begin, int end, int width, const BandFunction &band, const PixelRows::Progress &progress)
{
    const int rows = end - begin;
    ProgressCounter counter(progress, rows);
    const qsizetype pixels = qsizetype(rows) * width;
    const int threads = std::max(1, QThread::idealThreadCount());
    if (pixels < PixelRows::kParallelThreshold || threads == 1 || rows < 2) {
        if (!progress) {
            band(begin, end);
            return;
        }
        for (int y = begin; y < end; ++y) {
            band(y, y + 1);
            counter.rowsDone(y - begin + 1);
        }
        return;
    }

    const int bandCount = std::min(rows, std::max(kMinimumBands, threads * 4));
    std::atomic<int> next{0};
    std::atomic<qint64> done{0};
    // Runs the next free band; false when none is left.
    const auto runNext = [&]() {
        const int i = next.fetch_add(1);
        if (i >= bandCount)
            return false;
        const int b = begin + int(qint64(rows) * i / bandCount);
        const int e = begin + int(qint64(rows) * (i + 1) / bandCount);
        band(b, e);
        done.fetch_add(e - b);
        return true;
    };

    std::vector<QFuture<void>> helpers;
    helpers.reserve(threads - 1);
    // Each helper's last word: what it did on this stack frame happens
    // before the frame ends. waitForFinished() orders that as well, but
    // through Qt's own primitives, which a thread checker does not see.
    std::atomic<int> helpersDone{0};
    for (int t = 1; t < threads; ++t)
        helpers.push_back(QtConcurrent::run([&runNext, &helpersDone] {
            while (runNext()) {
            }
            helpersDone.fetch_add(1, std::memory_order_release);
        }));
    while (runNext())
        counter.rowsDone(done.load());
    // A helper that has not started yet is run here by waitForFinished; it
    // then finds no band left.
    for (QFuture<void> &helper : helpers)
        helper.waitForFinished();
    [[maybe_unused]] const int finished = helpersDone.load(std::memory_order_acquire);
    Q_ASSERT(finished == threads - 1);
    counter.rowsDone(rows);
}

} // namespace

bool PixelRows::isRowFormat(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

bool PixelRows::process(QImage &image, const RowFunction &fn, const Progress &progress)
{
    return process(image, 0, image.height(), fn, progress);
}

bool PixelRows::process(QImage &image, int first, int count, const RowFunction &fn, const Progress &progress)
{
    if (image.isNull())
        return false;
    if (!isRowFormat(image.format()))
        image = image.convertToFormat(QImage::Format_RGB32);

    const int begin = std::max(first, 0);
    const int end = std::min<qint64>(qint64(first) + std::max(count, 0), image.height());
    if (begin >= end)
        return true;

    // bits() detaches once here, on the calling thread; the bands then only
    // write through plain pointers into disjoint rows.
    uchar *const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    runRows(begin, end, image.width(), [&](int b, int e) {
        for (int y = b; y < e; ++y)
            fn(y, reinterpret_cast<QRgb *>(bits + y * stride));
    }, progress);
    return true;
}

QImage PixelRows::newImage(QSize size)
{
    if (size.isEmpty())
        return QImage();
#ifdef Q_OS_LINUX
    const qsizetype stride = qsizetype(size.width()) * 4;
    const qsizetype bytes = stride * size.height();
    if (bytes >= kLargePageImage && stride <= std::numeric_limits<int>::max()) {
        const size_t rounded = (size_t(bytes) + kLargePage - 1) / kLargePage * kLargePage;
        if (void *memory = std::aligned_alloc(kLargePage, rounded)) {
            madvise(memory, rounded, MADV_HUGEPAGE); // advice only: failure is harmless
            return QImage(static_cast<uchar *>(memory), size.width(), size.height(), stride,
                          QImage::Format_RGB32, std::free, memory);
        }
        return QImage();
    }
#endif
    return QImage(size, QImage::Format_RGB32);
}

QImage PixelRows::transformed(const QImage &source, const MapFunction &fn, const Progress &progress)
{
    QImage out;
    transform(source, out, fn, progress);
    return out;
}

bool PixelRows::transform(const QImage &source, QImage &out, const MapFunction &fn, const Progress &progress)
{
    if (source.isNull()) {
        out = QImage();
        return false;
    }
    const QImage in = isRowFormat(source.format()) ? source : source.convertToFormat(QImage::Format_RGB32);
    const bool reusable = out.format() == QImage::Format_RGB32 && out.size() == in.size() && out.isDetached()
                          && out.constBits() != in.constBits();
    if (!reusable) {
        out = QImage(); // the old memory goes before the new is taken
        out = newImage(in.size());
        if (out.isNull()) // out of memory
            return false;
    }
    const uchar *const inBits = in.constBits();
    uchar *const outBits = out.bits();
    const qsizetype inStride = in.bytesPerLine();
    const qsizetype outStride = out.bytesPerLine();
    // The result's pages are first touched by the bands, so even the cost of
    // fresh memory is shared between the cores.
    runRows(0, in.height(), in.width(), [&](int b, int e) {
        for (int y = b; y < e; ++y)
            fn(y, reinterpret_cast<const QRgb *>(inBits + y * inStride),
               reinterpret_cast<QRgb *>(outBits + y * outStride));
    }, progress);
    return true;
}

} // namespace quorvel
