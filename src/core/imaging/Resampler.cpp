#include "core/imaging/Resampler.h"

#include "core/settings/AppSettings.h"

#include <QThreadPool>

#include <opencv2/imgproc.hpp>

#include <thread>

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorvel {

namespace {

cv::Mat wrap(const QImage &image)
{
    return cv::Mat(image.height(), image.width(), CV_8UC4, const_cast<uchar *>(image.constBits()),
                   size_t(image.bytesPerLine()));
}

cv::Mat wrap(QImage &image)
{
    return cv::Mat(image.height(), image.width(), CV_8UC4, image.bits(), size_t(image.bytesPerLine()));
}

QImage as32Bit(const QImage &image)
{
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

int mode(int m)
{
    return AppSettings::clampInterpolation(m);
}

// Weights of the reconstruction kernel for the high-quality modes.
double tent(double x)
{
    x = std::abs(x);
    return x < 1 ? 1 - x : 0;
}

double cubic(double x)
{
    // Keys' cubic with a = -0.5.
    x = std::abs(x);
    if (x < 1)
        return (1.5 * x - 2.5) * x * x + 1;
    if (x < 2)
        return ((-0.5 * x + 2.5) * x - 4) * x + 2;
    return 0;
}

// The kernel stretched by the reduction factor: it lets through only what
// the smaller picture can show.
cv::Mat stretchedKernel(double factor, bool bicubic)
{
    const double support = (bicubic ? 2.0 : 1.0) * factor;
    // Taps at the support's edge weigh nothing; they are left out, which
    // spares up to half the filter's work and changes no pixel.
    int radius = std::max(1, int(std::ceil(support - 1e-9)));
    while (radius > 1 && (bicubic ? cubic(radius / factor) : tent(radius / factor)) == 0)
        --radius;
    std::vector<float> weights;
    double sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        const double w = bicubic ? cubic(i / factor) : tent(i / factor);
        weights.push_back(float(w));
        sum += w;
    }
    cv::Mat k(int(weights.size()), 1, CV_32F);
    for (size_t i = 0; i < weights.size(); ++i)
        k.at<float>(int(i)) = float(weights[i] / sum);
    return k;
}

int cvInterpolation(int m)
{
    switch (mode(m)) {
    case InterpolationNearest:
        return cv::INTER_NEAREST;
    case InterpolationBicubic:
    case InterpolationHighQualityBicubic:
        return cv::INTER_CUBIC;
    default:
        return cv::INTER_LINEAR;
    }
}

// A high-quality reduction of a region: a fast integer box reduction first
// (exact for the box it averages), then the stretched kernel for the rest of
// the factor. Returns the reduced picture and the scale it was reduced by.
// Intermediate pictures of a reduction are kept per thread and reused: on
// some systems the first touch of fresh memory costs more than the filtering.
struct Scratch
{
    cv::Mat boxed;
    cv::Mat filtered;
};

Scratch &scratch()
{
    thread_local Scratch s;
    return s;
}

// The separable filter of a reduction, the rows in two halves on two cores
// (when the program's thread pool may use two threads). A half's filter reads the
// rows around it from the whole picture, as one pass would, so the halves
// join without a seam and the result is that of one pass, pixel for pixel.
void filterInBands(const cv::Mat &src, cv::Mat &dst, const cv::Mat &kernelX, const cv::Mat &kernelY)
{
    constexpr int kMinRowsToSplit = 128;
    auto filterRows = [&](int top, int bottom) {
        cv::Mat out = dst.rowRange(top, bottom);
        cv::sepFilter2D(src.rowRange(top, bottom), out, -1, kernelX, kernelY, cv::Point(-1, -1), 0,
                        cv::BORDER_REFLECT_101);
    };
    if (src.rows < kMinRowsToSplit || QThreadPool::globalInstance()->maxThreadCount() < 2) {
        filterRows(0, src.rows);
        return;
    }
    // A thread of its own rather than the pool: the cost of starting it is
    // tiny beside the filter's, and the pool may be busy with the picture's
    // other work.
    const int half = src.rows / 2;
    std::thread helper(filterRows, half, src.rows);
    filterRows(0, half);
    helper.join();
}

// The returned picture may live in this thread's scratch memory: use it
// before the next reduction on the thread.
cv::Mat reduce(const cv::Mat &region, double fx, double fy, bool bicubic, double *kx, double *ky)
{
    cv::Mat work = region;
    *kx = 1;
    *ky = 1;
    const int bx = std::max(1, int(std::floor(fx / 1.5)));
    const int by = std::max(1, int(std::floor(fy / 1.5)));
    if (bx > 1 || by > 1) {
        cv::Mat &boxed = scratch().boxed;
        cv::resize(work, boxed, cv::Size(std::max(1, work.cols / bx), std::max(1, work.rows / by)), 0, 0,
                   cv::INTER_AREA);
        *kx = double(work.cols) / boxed.cols;
        *ky = double(work.rows) / boxed.rows;
        work = boxed;
    }
    const double rx = fx / *kx, ry = fy / *ky;
    if (rx > 1.0001 || ry > 1.0001) {
        cv::Mat &filtered = scratch().filtered;
        filtered.create(work.size(), work.type());
        filterInBands(work, filtered, stretchedKernel(std::max(1.0, rx), bicubic),
                      stretchedKernel(std::max(1.0, ry), bicubic));
        work = filtered;
    }
    return work;
}

} // namespace

QImage Resampler::scaled(const QImage &input, QSize size, int m)
{
    QImage out;
    scaleInto(input, size, m, out);
    return out;
}

void Resampler::scaleInto(const QImage &input, QSize size, int m, QImage &out)
{
    if (input.isNull() || size.isEmpty()) {
        out = QImage();
        return;
    }
    const QImage source = as32Bit(input);
    if (out.size() != size || out.format() != source.format() || !out.isDetached())
        out = QImage(size, source.format());
    if (out.isNull())
        return;
    const cv::Mat src = wrap(source);
    cv::Mat dst = wrap(out);
    const double fx = double(source.width()) / size.width();
    const double fy = double(source.height()) / size.height();
    m = mode(m);
    if (isHighQuality(m) && (fx > 1 || fy > 1)) {
        double kx = 1, ky = 1;
        const cv::Mat reduced = reduce(src, fx, fy, m == InterpolationHighQualityBicubic, &kx, &ky);
        // The stretched kernel has already shaped the result; sampling the
        // low-passed picture linearly adds nothing the kernel did not allow.
        cv::resize(reduced, dst, dst.size(), 0, 0, cv::INTER_LINEAR);
    } else if (m == InterpolationNearest) {
        cv::resize(src, dst, dst.size(), 0, 0, cv::INTER_NEAREST_EXACT);
    } else {
        cv::resize(src, dst, dst.size(), 0, 0, cvInterpolation(m));
    }
}

void Resampler::drawScaled(const QImage &input, const QRectF &sourceRect, QImage &target, const QRect &targetRect,
                           int m)
{
    if (input.isNull() || sourceRect.isEmpty() || target.isNull())
        return;
    const QRect dstRect = targetRect.intersected(target.rect());
    if (dstRect.isEmpty())
        return;
    if (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32)
        target = target.convertToFormat(QImage::Format_RGB32);
    const QImage source = as32Bit(input);
    m = mode(m);

    // Target pixel (x, y) of targetRect shows source position
    // sourceRect.left + (x - targetRect.left + 0.5) / scale - 0.5, pixel centres
    // mapped onto pixel centres.
    const double sx = targetRect.width() / sourceRect.width();
    const double sy = targetRect.height() / sourceRect.height();

    // Only the part of the source that the visible target needs is touched.
    const double margin = 3;
    const double left = sourceRect.left() + (dstRect.left() - targetRect.left()) / sx;
    const double top = sourceRect.top() + (dstRect.top() - targetRect.top()) / sy;
    const double right = left + dstRect.width() / sx;
    const double bottom = top + dstRect.height() / sy;
    const double fx = 1 / sx, fy = 1 / sy;
    const bool reduceFirst = isHighQuality(m) && (fx > 1 || fy > 1);
    const double extraX = reduceFirst ? 2 * fx : 0, extraY = reduceFirst ? 2 * fy : 0;
    const QRect roi = QRect(QPoint(int(std::floor(left - margin - extraX)), int(std::floor(top - margin - extraY))),
                            QPoint(int(std::ceil(right + margin + extraX)), int(std::ceil(bottom + margin + extraY))))
                          .intersected(source.rect());
    if (roi.isEmpty())
        return;

    cv::Mat region = wrap(source)(cv::Rect(roi.x(), roi.y(), roi.width(), roi.height()));
    double kx = 1, ky = 1;
    int interpolation = cvInterpolation(m);
    if (reduceFirst) {
        region = reduce(region, fx, fy, m == InterpolationHighQualityBicubic, &kx, &ky);
        interpolation = cv::INTER_LINEAR;
    }

    // Target pixel i (from dstRect's left) has its centre at source index
    // u = left + (i + 0.5) / s - 0.5; reduced pixel j covers [j k, (j + 1) k)
    // of the region, so j = (u - roi.x + 0.5) / k - 0.5.
    // For nearest neighbour a centre that falls exactly between two source
    // pixels takes the left-hand one, as a whole-picture reduction does.
    const double tie = interpolation == cv::INTER_NEAREST ? -1e-3 : 0;
    const cv::Mat M = (cv::Mat_<double>(2, 3) << 1 / (sx * kx), 0,
                       (left - roi.x()) / kx + 0.5 / (sx * kx) - 0.5 + tie, 0, 1 / (sy * ky),
                       (top - roi.y()) / ky + 0.5 / (sy * ky) - 0.5 + tie);
    cv::Mat dst = wrap(target)(cv::Rect(dstRect.x(), dstRect.y(), dstRect.width(), dstRect.height()));
    cv::warpAffine(region, dst, M, dst.size(), interpolation | cv::WARP_INVERSE_MAP, cv::BORDER_REPLICATE);
}

} // namespace quorvel
