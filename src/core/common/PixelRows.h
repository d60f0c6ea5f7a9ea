#pragma once

#include <QImage>
#include <QRgb>

#include <functional>

namespace quorvel {

// The row-by-row pass over a 32-bit image. The function is called once per
// row with the row's index and its first pixel; rows are independent, so a
// large image is split into bands of rows that run on all cores. The result
// does not depend on the split.
//
// A long pass can report its progress: the progress function is called on
// the calling thread, never from a worker, with the whole percentage of rows
// done each time it grows, and with 100 at the end.
class PixelRows
{
public:
    using RowFunction = std::function<void(int y, QRgb *row)>;
    // Reads row y of the source (in) and writes the same row of the result
    // (out); both hold the image's width in pixels.
    using MapFunction = std::function<void(int y, const QRgb *in, QRgb *out)>;
    using Progress = std::function<void(int percent)>;

    // Images of at least this many pixels are processed in parallel.
    static constexpr qsizetype kParallelThreshold = 512 * 1024;

    // Runs fn over rows first .. first + count - 1 (clipped to the image).
    // A non-32-bit image is converted to Format_RGB32 first. Returns false,
    // touching nothing, for a null image.
    static bool process(QImage &image, int first, int count, const RowFunction &fn,
                        const Progress &progress = {});
    static bool process(QImage &image, const RowFunction &fn, const Progress &progress = {});

    // Makes target a Format_RGB32 image of the source's size whose every row
    // fn writes from the source's row: copying and treating in one pass, so a
    // treated copy costs hardly more than a plain copy. The target's memory
    // is reused when it already is such an image and shares its data with no
    // other; otherwise it is released before a new image is made. A
    // non-32-bit source is converted first. Returns false, with a null
    // target, for a null source or when memory runs out.
    static bool transform(const QImage &source, QImage &target, const MapFunction &fn,
                          const Progress &progress = {});
    // The same into a new image.
    static QImage transformed(const QImage &source, const MapFunction &fn, const Progress &progress = {});

    // A new, uninitialised Format_RGB32 image; a large one is given memory
    // that the system may back with large pages, which makes its first
    // writing much cheaper. Null when memory runs out.
    static QImage newImage(QSize size);

    // Whether the pass over the image works on its pixels as they are.
    static bool isRowFormat(QImage::Format format);
};

} // namespace quorvel
