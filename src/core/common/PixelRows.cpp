#include "core/common/PixelRows.h"

#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <vector>

namespace quorvel {

namespace {

struct Band
{
    int first;
    int end;
};

} // namespace

bool PixelRows::isRowFormat(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

bool PixelRows::process(QImage &image, const RowFunction &fn)
{
    return process(image, 0, image.height(), fn);
}

bool PixelRows::process(QImage &image, int first, int count, const RowFunction &fn)
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
    const auto runBand = [&](const Band &band) {
        for (int y = band.first; y < band.end; ++y)
            fn(y, reinterpret_cast<QRgb *>(bits + y * stride));
    };

    const int rows = end - begin;
    const qsizetype pixels = qsizetype(rows) * image.width();
    const int threads = std::max(1, QThread::idealThreadCount());
    if (pixels < kParallelThreshold || threads == 1 || rows < 2) {
        runBand({begin, end});
        return true;
    }

    // A few bands per thread keeps the cores busy when bands differ in cost.
    const int bandCount = std::min(rows, threads * 4);
    std::vector<Band> bands;
    bands.reserve(bandCount);
    for (int i = 0; i < bandCount; ++i) {
        const int b = begin + int(qint64(rows) * i / bandCount);
        const int e = begin + int(qint64(rows) * (i + 1) / bandCount);
        bands.push_back({b, e});
    }
    QtConcurrent::blockingMap(bands, runBand);
    return true;
}

} // namespace quorvel
