#include "core/edit/RedEyeFilter.h"

#include "core/common/PixelRows.h"

#include <algorithm>
#include <atomic>

namespace quorvel {

QRect RedEyeFilter::treatedRect(const QRect &selection, const QSize &image)
{
    return selection.normalized().intersected(QRect(QPoint(0, 0), image));
}

bool RedEyeFilter::insideEllipse(const QRect &rect, int x, int y)
{
    if (rect.isEmpty() || !rect.contains(x, y))
        return false;
    // Doubled offsets of the pixel centre from the ellipse centre, so that
    // everything stays integral: (px / w)^2 + (py / h)^2 <= 1.
    const qint64 w = rect.width(), h = rect.height();
    const qint64 px = 2 * (qint64(x) - rect.left()) + 1 - w;
    const qint64 py = 2 * (qint64(y) - rect.top()) + 1 - h;
    if (w < 65536 && h < 65536) {
        // px^2 h^2 <= w^2 (h^2 - py^2); every product fits 64 unsigned bits.
        const quint64 lhs = quint64(px * px) * quint64(h * h);
        const quint64 rhs = quint64(w * w) * quint64(h * h - py * py);
        return lhs <= rhs;
    }
    const double dx = double(px) / double(w), dy = double(py) / double(h);
    return dx * dx + dy * dy <= 1.0;
}

QRgb RedEyeFilter::fix(QRgb pixel, int limit, bool *changed)
{
    const int red = qRed(pixel);
    const bool over = red > limit;
    if (changed)
        *changed = over;
    if (!over)
        return pixel;
    const int green = qGreen(pixel), blue = qBlue(pixel);
    return qRgba(std::min(green, blue), green, blue, 255);
}

qsizetype RedEyeFilter::apply(QImage &image, const QRect &selection, int limit)
{
    const QRect area = treatedRect(selection, image.size());
    if (area.isEmpty())
        return 0;
    std::atomic<qsizetype> count{0};
    PixelRows::process(image, area.top(), area.height(), [&](int y, QRgb *row) {
        qsizetype changedInRow = 0;
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!insideEllipse(area, x, y))
                continue;
            bool changed = false;
            row[x] = fix(row[x], limit, &changed);
            changedInRow += changed;
        }
        count.fetch_add(changedInRow, std::memory_order_relaxed);
    });
    return count.load();
}

} // namespace quorvel
