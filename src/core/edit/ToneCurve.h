#pragma once

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRgb>

#include <array>

namespace quorvel {

// A tone curve: a natural cubic spline through up to 48 control points in
// the 0..255 square, turned into a 256-entry table that maps the red, green
// and blue components alike. With two points the table is the identity.
class ToneCurve
{
public:
    static constexpr int kMaxPoints = 48;
    using Table = std::array<int, 256>;

    // The straight curve through (0, 0) and (255, 255).
    ToneCurve();

    // Replaces the control points. Refused, leaving the curve as it was,
    // unless there are 2..48 points, every coordinate is in 0..255 and the
    // x values strictly increase.
    bool setPoints(const QList<QPointF> &points);
    void reset();

    const QList<QPointF> &points() const { return m_points; }
    int count() const { return int(m_points.size()); }

    // Whether applying the curve changes pixels at all: only a curve with
    // more than two points does, whatever the two points are.
    bool changesPixels() const { return count() > 2; }

    // The spline's value at v; left of the first point and from the last
    // point on, the straight continuation of the end segments.
    double valueAt(double v) const;

    // Entry i is the value at i truncated toward zero (the identity for two
    // points).
    const Table &table() const { return m_table; }

    // The pixel function: opaque, each component replaced by the low byte
    // of its table entry.
    QRgb map(QRgb pixel) const;

    // Applies the pixel function to every pixel (nothing for two points).
    void apply(QImage &image) const;

private:
    void setUpSpline();
    void buildTable();

    QList<QPointF> m_points;
    QList<double> m_second; // second derivatives at the points
    Table m_table{};
};

} // namespace quorvel
