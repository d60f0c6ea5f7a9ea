#pragma once

#include <QImage>
#include <QRgb>

#include <functional>

namespace quorvel {

// The row-by-row pass over a 32-bit image. The function is called once per
// row with the row's index and its first pixel; rows are independent, so a
// large image is split into bands of rows that run on all cores. The result
// does not depend on the split.
class PixelRows
{
public:
    using RowFunction = std::function<void(int y, QRgb *row)>;

    // Images of at least this many pixels are processed in parallel.
    static constexpr qsizetype kParallelThreshold = 512 * 1024;

    // Runs fn over rows first .. first + count - 1 (clipped to the image).
    // A non-32-bit image is converted to Format_RGB32 first. Returns false,
    // touching nothing, for a null image.
    static bool process(QImage &image, int first, int count, const RowFunction &fn);
    static bool process(QImage &image, const RowFunction &fn);

    // Whether the pass over the image works on its pixels as they are.
    static bool isRowFormat(QImage::Format format);
};

} // namespace quorvel
