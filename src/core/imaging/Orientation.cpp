#include "core/imaging/Orientation.h"

#include <QTransform>

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

int normalised(int value)
{
    return value >= 1 && value <= 8 ? value : kUpright;
}

bool swapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

QSize turnedSize(QSize size, int orientation)
{
    return swapsSides(orientation) ? size.transposed() : size;
}

QImage turned(QImage image, int orientation)
{
    // Exact quarter turns take Qt's rotation fast path; mirrors of an image
    // nobody else holds happen in place.
    switch (normalised(orientation)) {
    case 2: return std::move(image).mirrored(true, false);
    case 3: return std::move(image).mirrored(true, true);
    case 4: return std::move(image).mirrored(false, true);
    case 5: return image.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6: return image.transformed(QTransform().rotate(90));
    case 7: return image.transformed(QTransform().rotate(270)).mirrored(true, false);
    case 8: return image.transformed(QTransform().rotate(270));
    default: return image;
    }
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
