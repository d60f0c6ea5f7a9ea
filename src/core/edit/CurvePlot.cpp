#include "core/edit/CurvePlot.h"

#include "core/common/Rounding.h"
#include "core/edit/ToneCurve.h"

#include <QPainter>

#include <algorithm>

namespace quorvel {

namespace {

// Outline through the rectangle's edge pixels, whatever the painter's
// rectangle conventions.
void outline(QPainter &painter, const QRect &r)
{
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.drawLine(r.bottomRight(), r.bottomLeft());
    painter.drawLine(r.bottomLeft(), r.topLeft());
}

} // namespace

QRect CurvePlot::areaIn(const QRect &placeholder)
{
    return QRect(placeholder.topLeft(), QSize(kSize, kSize));
}

QPoint CurvePlot::toArea(const QRect &area, double input, double value)
{
    return QPoint(area.left() + int(roundHalfDown(input)), area.bottom() - int(roundHalfDown(value)));
}

QRect CurvePlot::frame(const QRect &area)
{
    return QRect(QPoint(area.left() - 2, area.top() - 1), QPoint(area.right() + 1, area.bottom() + 2));
}

QRect CurvePlot::marker(const QRect &area, QPointF point)
{
    const QPoint c = toArea(area, point.x(), point.y());
    return QRect(c - QPoint(2, 2), c + QPoint(2, 2));
}

void CurvePlot::paint(QPainter &painter, const QRect &area, const ToneCurve &curve)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);

    outline(painter, frame(area));
    for (const QPointF &p : curve.points())
        outline(painter, marker(area, p));

    const auto &points = curve.points();
    if (points.size() == 2) {
        painter.drawLine(toArea(area, points[0].x(), points[0].y()),
                         toArea(area, points[1].x(), points[1].y()));
    } else {
        const auto &table = curve.table();
        for (int i = 0; i < kSize; ++i)
            painter.drawPoint(toArea(area, i, std::clamp(table[i], 0, 255)));
    }
    painter.restore();
}

} // namespace quorvel
