#pragma once

#include <QImage>

namespace quorvel {

// Pixel memory for large decoded pictures. Touching fresh memory page by
// page is slow (tens of microseconds a page on some virtual machines, as much
// as the decode itself for a large photo), so
//   - a freed large buffer is kept for the next picture (at most one, so the
//     loader's memory stays within its budget of held images), and
//   - on Linux fresh buffers are asked for in huge pages.
// Browsing a folder of same-sized photos then decodes into memory that is
// already mapped. Small pictures use ordinary QImage memory.
class ImageBufferPool
{
public:
    // Buffers smaller than this are not pooled.
    static constexpr qsizetype kMinPooledBytes = qsizetype(8) << 20;

    // A Format_RGB32 image of the given size, uninitialised; null when the
    // memory cannot be had.
    static QImage allocateRgb32(int width, int height);

    // Frees the kept buffer.
    static void trim();
    // Bytes held in the kept buffer (for tests and measurements).
    static qsizetype keptBytes();
};

} // namespace quorvel
