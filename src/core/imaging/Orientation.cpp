#include "core/imaging/Orientation.h"

#include "core/imaging/ImageBufferPool.h"

#include <QColorSpace>
#include <QTransform>

#include <opencv2/core.hpp>

#include <array>

namespace quorvel::orientation {

namespace {

// Each orientation as the matrix that moves a pixel, in coordinates centred
// on the picture with y pointing down: (x, y) -> (a x + b y, c x + d y).
struct Matrix
{
    int a, b, c, d;
    bool operator==(const Matrix &) const = default;
};

constexpr std::array<Matrix, 8> kMatrices{{
    {1, 0, 0, 1},   // 1
    {-1, 0, 0, 1},  // 2
    {-1, 0, 0, -1}, // 3
    {1, 0, 0, -1},  // 4
    {0, 1, 1, 0},   // 5
    {0, -1, 1, 0},  // 6
    {0, -1, -1, 0}, // 7
    {0, 1, -1, 0},  // 8
}};

Matrix matrixOf(int orientation)
{
    return kMatrices[size_t(normalised(orientation) - 1)];
}

int orientationOf(const Matrix &m)
{
    for (size_t i = 0; i < kMatrices.size(); ++i) {
        if (kMatrices[i] == m)
            return int(i) + 1;
    }
    return kUpright;
}

} // namespace

namespace {

// Mirrors a picture of 32-bit pixels where it lies (OpenCV's flip), without
// the copy Qt makes of pixels it does not own (the decoders' pooled
// buffers): a fraction of the cost of a fresh allocation. A picture shared
// with others is copied first, as any change of it would be.
QImage mirroredInPlace(QImage image, bool horizontally, bool vertically)
{
    if (image.depth() != 32 || image.isNull())
        return std::move(image).mirrored(horizontally, vertically);
    cv::Mat pixels(image.height(), image.width(), CV_8UC4, image.bits(), size_t(image.bytesPerLine()));
    cv::flip(pixels, pixels, horizontally && vertically ? -1 : (horizontally ? 1 : 0));
    return image;
}

// A quarter turn (5 to 8) of a picture of 32-bit pixels into a new one.
// A large picture takes its memory from ImageBufferPool (reused, or in huge
// pages): fresh pages cost more than the turn itself.
QImage quarterTurned(const QImage &image, int orientation)
{
    if (image.depth() != 32) {
        const QImage rotated = image.transformed(QTransform().rotate(orientation == 5 || orientation == 6 ? 90 : 270));
        return orientation == 5 || orientation == 7 ? mirroredInPlace(rotated, true, false) : rotated;
    }
    QImage out = image.format() == QImage::Format_RGB32 ? ImageBufferPool::allocateRgb32(image.height(), image.width())
                                                        : QImage(image.height(), image.width(), image.format());
    if (out.isNull())
        return out;
    const cv::Mat from(image.height(), image.width(), CV_8UC4, const_cast<uchar *>(image.constBits()),
                       size_t(image.bytesPerLine()));
    cv::Mat to(out.height(), out.width(), CV_8UC4, out.bits(), size_t(out.bytesPerLine()));
    switch (orientation) {
    case 5: cv::transpose(from, to); break;
    case 6: cv::rotate(from, to, cv::ROTATE_90_CLOCKWISE); break;
    case 7:
        cv::transpose(from, to);
        cv::flip(to, to, -1);
        break;
    default: cv::rotate(from, to, cv::ROTATE_90_COUNTERCLOCKWISE); break;
    }
    out.setDotsPerMeterX(image.dotsPerMeterY());
    out.setDotsPerMeterY(image.dotsPerMeterX());
    out.setColorSpace(image.colorSpace());
    return out;
}

} // namespace

QImage turned(QImage image, int orientation)
{
    const int o = normalised(orientation);
    if (image.isNull() || o == kUpright)
        return image;
    if (o <= 4)
        return mirroredInPlace(std::move(image), o != 4, o != 2);
    return quarterTurned(image, o);
}

int combined(int first, int second)
{
    const Matrix f = matrixOf(first), s = matrixOf(second);
    // second after first: S * F
    return orientationOf({s.a * f.a + s.b * f.c, s.a * f.b + s.b * f.d, s.c * f.a + s.d * f.c,
                          s.c * f.b + s.d * f.d});
}

int inverse(int orientation)
{
    // Every element is its own inverse except the quarter turns.
    switch (normalised(orientation)) {
    case 6: return 8;
    case 8: return 6;
    default: return normalised(orientation);
    }
}

} // namespace quorvel::orientation
