#pragma once

#include "core/imaging/DecodeTypes.h"

#include <QImage>

namespace quorvel {

// The shared row-by-row pass over an image as 32-bit ARGB pixels, used by the
// channel and overexposure treatments, the histogram and the tone curves.
// After each row the whole percentage done ((row + 1) * 100 / height) is
// computed; when it changes, progress is called with it (the image view draws
// its progress line from it), so the last call says 100.
namespace pixels {

namespace detail {
// Brings image to a 32-bit layout the pass can walk; false for a null image.
bool prepare(QImage &image);
inline void report(int row, int height, int &last, const PercentCallback &progress)
{
    if (!progress)
        return;
    const int percent = int(qint64(row + 1) * 100 / height);
    if (percent != last) {
        last = percent;
        progress(percent);
    }
}
} // namespace detail

// Calls visit(QRgb) once per pixel, row by row from the top.
template<typename Visitor>
void visit(const QImage &image, Visitor &&visitor, const PercentCallback &progress = {})
{
    QImage work = image; // shared, not copied, when already 32-bit
    if (!detail::prepare(work))
        return;
    int last = -1;
    const int width = work.width();
    for (int y = 0; y < work.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(work.constScanLine(y));
        for (int x = 0; x < width; ++x)
            visitor(row[x]);
        detail::report(y, work.height(), last, progress);
    }
}

// Replaces every pixel p by transform(p). An opaque image (Format_RGB32)
// stays opaque: the alpha of the results is ignored there.
template<typename Transform>
void transform(QImage &image, Transform &&transform, const PercentCallback &progress = {})
{
    if (!detail::prepare(image))
        return;
    const bool opaque = image.format() == QImage::Format_RGB32;
    int last = -1;
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb out = transform(row[x]);
            row[x] = opaque ? (out | 0xff000000u) : out;
        }
        detail::report(y, image.height(), last, progress);
    }
}

} // namespace pixels
} // namespace quorvel
