#pragma once

#include <QImage>
#include <QRect>

namespace quorvel {

// Red-eye removal: inside the ellipse inscribed in a selection, every pixel
// whose red component is above the limit gets red = min(green, blue).
// Rectangles are pixel sets (x, y, width, height): the right and bottom
// edges of the geometric rectangle are not part of them.
class RedEyeFilter
{
public:
    static constexpr int kMinLimit = 1;
    static constexpr int kMaxLimit = 255;
    static constexpr int kDefaultLimit = 100;

    // The selection, normalised, intersected with the image.
    static QRect treatedRect(const QRect &selection, const QSize &image);

    // Whether pixel (x, y) has its centre inside the ellipse inscribed in
    // rect (boundary included).
    static bool insideEllipse(const QRect &rect, int x, int y);

    // Applies the rule over the selection; returns the number of pixels
    // changed. Pixels outside the ellipse are never touched.
    static qsizetype apply(QImage &image, const QRect &selection, int limit);

    // The rule for one pixel.
    static QRgb fix(QRgb pixel, int limit, bool *changed = nullptr);
};

} // namespace quorvel
