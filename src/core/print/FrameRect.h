#pragma once

#include <QRect>
#include <QRectF>
#include <QString>

#include <utility>

namespace quorvel {

// A rectangle given by its four edges, as the print frame is kept: the left
// and top edges are the first pixel column and row inside, the right and
// bottom edges the first ones outside, so width = right - left. The edges
// may lie outside the image and may come in the wrong order while a tracker
// drags them past each other.
struct FrameRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }

    constexpr FrameRect normalized() const
    {
        FrameRect r = *this;
        if (r.right < r.left)
            std::swap(r.left, r.right);
        if (r.bottom < r.top)
            std::swap(r.top, r.bottom);
        return r;
    }

    constexpr FrameRect translated(int dx, int dy) const
    {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }

    // The part inside other; empty (all edges 0) when they do not overlap.
    constexpr FrameRect intersected(const FrameRect &other) const
    {
        const FrameRect r{left > other.left ? left : other.left, top > other.top ? top : other.top,
                          right < other.right ? right : other.right, bottom < other.bottom ? bottom : other.bottom};
        return r.isEmpty() ? FrameRect{} : r;
    }

    QRect toRect() const { return QRect(left, top, width(), height()); }
    static FrameRect fromRect(const QRect &r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

    QString toString() const { return QStringLiteral("(%1, %2, %3, %4)").arg(left).arg(top).arg(right).arg(bottom); }

    friend constexpr bool operator==(const FrameRect &, const FrameRect &) = default;
};

} // namespace quorvel
