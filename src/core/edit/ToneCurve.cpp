#include "core/edit/ToneCurve.h"

#include "core/common/PixelRows.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace quorvel {

ToneCurve::ToneCurve()
{
    reset();
}

void ToneCurve::reset()
{
    m_points = {QPointF(0, 0), QPointF(255, 255)};
    setUpSpline();
    buildTable();
}

bool ToneCurve::setPoints(const QList<QPointF> &points)
{
    if (points.size() < 2 || points.size() > kMaxPoints)
        return false;
    const auto inRange = [](double v) { return std::isfinite(v) && v >= 0.0 && v <= 255.0; };
    for (qsizetype i = 0; i < points.size(); ++i) {
        if (!inRange(points[i].x()) || !inRange(points[i].y()))
            return false;
        if (i > 0 && !(points[i].x() > points[i - 1].x()))
            return false;
    }
    m_points = points;
    setUpSpline();
    buildTable();
    return true;
}

// Natural cubic spline: tridiagonal decomposition, then back substitution.
// The first and last second derivatives stay 0.
void ToneCurve::setUpSpline()
{
    const int n = count();
    m_second = QList<double>(n, 0.0);
    if (n <= 2)
        return;

    QList<double> u(n, 0.0);
    const auto x = [this](int i) { return m_points[i].x(); };
    const auto y = [this](int i) { return m_points[i].y(); };
    for (int i = 1; i < n - 1; ++i) {
        const double sig = (x(i) - x(i - 1)) / (x(i + 1) - x(i - 1));
        const double p = sig * m_second[i - 1] + 2.0;
        m_second[i] = (sig - 1.0) / p;
        u[i] = (y(i + 1) - y(i)) / (x(i + 1) - x(i)) - (y(i) - y(i - 1)) / (x(i) - x(i - 1));
        u[i] = (6.0 * u[i] / (x(i + 1) - x(i - 1)) - sig * u[i - 1]) / p;
    }
    m_second[n - 1] = 0.0;
    for (int k = n - 2; k >= 0; --k)
        m_second[k] = m_second[k] * m_second[k + 1] + u[k];
}

double ToneCurve::valueAt(double v) const
{
    const int n = count();
    const auto x = [this](int i) { return m_points[i].x(); };
    const auto y = [this](int i) { return m_points[i].y(); };

    if (v < x(0)) {
        const double h = x(1) - x(0);
        return y(0) + ((y(1) - y(0)) / h - h * m_second[1] / 6.0) * (v - x(0));
    }
    if (v >= x(n - 1)) {
        const double h = x(n - 1) - x(n - 2);
        return y(n - 1) + ((y(n - 1) - y(n - 2)) / h + h * m_second[n - 2] / 6.0) * (v - x(n - 1));
    }

    // Bisection for the segment with x(lo) <= v < x(hi).
    int lo = 0, hi = n - 1;
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        if (x(mid) > v)
            hi = mid;
        else
            lo = mid;
    }
    const double h = x(hi) - x(lo);
    const double a = (x(hi) - v) / h;
    const double b = (v - x(lo)) / h;
    return a * y(lo) + b * y(hi)
        + ((a * a * a - a) * m_second[lo] + (b * b * b - b) * m_second[hi]) * h * h / 6.0;
}

void ToneCurve::buildTable()
{
    for (int i = 0; i < 256; ++i) {
        if (!changesPixels()) {
            m_table[i] = i;
            continue;
        }
        // Points close together can swing the spline far out; keep the
        // conversion defined.
        const double v = std::clamp(valueAt(i), double(INT_MIN), double(INT_MAX));
        m_table[i] = static_cast<int>(v); // truncates toward zero
    }
}

QRgb ToneCurve::map(QRgb pixel) const
{
    return qRgba(m_table[qRed(pixel)] & 0xFF, m_table[qGreen(pixel)] & 0xFF,
                 m_table[qBlue(pixel)] & 0xFF, 255);
}

void ToneCurve::apply(QImage &image) const
{
    if (!changesPixels())
        return;
    const int width = image.width();
    PixelRows::process(image, [this, width](int, QRgb *row) {
        for (int x = 0; x < width; ++x)
            row[x] = map(row[x]);
    });
}

} // namespace quorvel
