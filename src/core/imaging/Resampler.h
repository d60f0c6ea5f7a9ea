#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>

namespace quorvel {

// Scales pictures with the five interpolation modes of the settings
// (3 bilinear, 4 bicubic, 5 nearest neighbour, 6 high-quality bilinear,
// 7 high-quality bicubic). The plain modes sample the source directly, which
// is fast; the high-quality modes first low-pass the source with a kernel
// stretched by the reduction factor, so a reduction does not alias. Works on
// 32-bit images (Format_RGB32 / ARGB32) and uses every core.
class Resampler
{
public:
    // Scales the whole source to the given size.
    static QImage scaled(const QImage &source, QSize size, int mode);
    // The same into target, reusing its memory when it already has that
    // size and is not shared (a display bitmap prepared again).
    static void scaleInto(const QImage &source, QSize size, int mode, QImage &target);

    // Draws the part sourceRect (in source pixels, fractions allowed) of the
    // source into targetRect of target (a 32-bit image). Only the part of the
    // source the target needs is read; positions beyond the source's edge
    // take the edge's pixels.
    static void drawScaled(const QImage &source, const QRectF &sourceRect, QImage &target,
                           const QRect &targetRect, int mode);

    static bool isHighQuality(int mode) { return mode == 6 || mode == 7; }
};

} // namespace quorvel
