#pragma once

#include <QPoint>
#include <QRect>

class QPainter;

namespace quorvel {

class ToneCurve;

// Drawing of a tone curve in the curves dialog: a 256 x 256 area where
// input i lies at x = left + i and output v at y = bottom - v, a frame
// around it, a small square on each control point, and the curve itself.
class CurvePlot
{
public:
    static constexpr int kSize = 256;

    // The curve area at the top-left of the placeholder rectangle.
    static QRect areaIn(const QRect &placeholder);

    // The position of the curve point (input, value); values are rounded
    // with roundHalfDown.
    static QPoint toArea(const QRect &area, double input, double value);

    // The frame's lines (inclusive coordinates): one pixel outside the area
    // at the top and right, two at the left and bottom.
    static QRect frame(const QRect &area);

    // The 5 x 5 square drawn around a control point (inclusive coordinates).
    static QRect marker(const QRect &area, QPointF point);

    // Draws frame, markers and curve in black. Two points are joined by a
    // straight line; a spline is drawn as one pixel per input, its table
    // value clamped to 0..255.
    static void paint(QPainter &painter, const QRect &area, const ToneCurve &curve);
};

} // namespace quorvel
