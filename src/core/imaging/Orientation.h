#pragma once

#include <QImage>
#include <QSize>

namespace quorvel::orientation {

// The EXIF orientation values (tag 0x0112): how the stored picture is to be
// turned or mirrored to be seen as meant.
//   1 as stored            5 transposed (mirrored along the top-left diagonal)
//   2 mirrored left-right  6 turned 90 degrees clockwise
//   3 turned 180 degrees   7 transversed (mirrored along the top-right diagonal)
//   4 mirrored top-bottom  8 turned 90 degrees counter-clockwise
// The same eight values name the eight lossless JPEG transforms.
inline constexpr int kUpright = 1;

// Inline, so that readers of the EXIF orientation need no imaging library.
// A value read from a file: anything outside 1..8 counts as 1.
inline constexpr int normalised(int value)
{
    return value >= 1 && value <= 8 ? value : kUpright;
}
// Whether width and height trade places (5..8).
inline constexpr bool swapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}
// The size of the picture once turned (or, as turning back swaps the same
// way, once turned back).
inline QSize turnedSize(QSize size, int orientation)
{
    return swapsSides(orientation) ? size.transposed() : size;
}

// The picture turned as the orientation says. A picture of orientation 1 is
// returned as it is, without a copy; mirrors (2 to 4) happen in place unless
// the picture is shared; quarter turns (5 to 8) cost one pass into a new
// picture. Null when memory runs out.
QImage turned(QImage image, int orientation);

// The orientation that does first, then second: turned(turned(p, first),
// second) equals turned(p, combined(first, second)).
int combined(int first, int second);
// The orientation that undoes this one.
int inverse(int orientation);

} // namespace quorvel::orientation
