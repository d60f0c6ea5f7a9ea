#include "core/print/PrintFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quorvel {

namespace {

// Frame edges stay far from the int range, whatever the sizes involved.
constexpr qint64 kEdgeLimit = qint64(1) << 26;

int bounded(qint64 v)
{
    return int(std::clamp(v, -kEdgeLimit, kEdgeLimit));
}

bool holdsLeft(PrintFrame::Handle h)
{
    using H = PrintFrame::Handle;
    return h == H::TopLeft || h == H::BottomLeft || h == H::Left;
}

bool holdsTop(PrintFrame::Handle h)
{
    using H = PrintFrame::Handle;
    return h == H::TopLeft || h == H::TopRight || h == H::Top;
}

} // namespace

void PrintFrame::reset()
{
    if (m_image.isEmpty() || m_output.isEmpty()) {
        m_rect = {};
        return;
    }
    const int wi = m_image.width(), hi = m_image.height();
    int w = wi, h = hi;
    if (wi > hi) {
        h = heightFor(w);
        if (h > hi) {
            h = hi;
            w = widthFor(h);
        }
    } else {
        w = widthFor(h);
        if (w > wi) {
            w = wi;
            h = heightFor(w);
        }
    }
    m_rect = {0, 0, w, h};
}

int PrintFrame::heightFor(int width) const
{
    const qint64 w = std::abs(qint64(width));
    if (m_output.isEmpty() || w == 0)
        return int(w);
    return bounded(std::max<qint64>(1, w * m_output.height() / m_output.width()));
}

int PrintFrame::widthFor(int height) const
{
    const qint64 h = std::abs(qint64(height));
    if (m_output.isEmpty() || h == 0)
        return int(h);
    return bounded(std::max<qint64>(1, h * m_output.width() / m_output.height()));
}

int PrintFrame::borderInImage(int frameWidth) const
{
    if (m_border <= 0 || m_output.width() <= 0)
        return 0;
    return bounded(qint64(m_border) * std::abs(qint64(frameWidth)) / m_output.width());
}

FrameRect PrintFrame::permittedArea(int frameWidth) const
{
    const int b = borderInImage(frameWidth);
    return {-b, -b, bounded(qint64(m_image.width()) + b), bounded(qint64(m_image.height()) + b)};
}

FrameRect PrintFrame::shiftedInside(FrameRect r, const FrameRect &area) const
{
    // When the frame is larger than the area, its left and top edges win.
    if (r.right > area.right)
        r = r.translated(area.right - r.right, 0);
    if (r.left < area.left)
        r = r.translated(area.left - r.left, 0);
    if (r.bottom > area.bottom)
        r = r.translated(0, area.bottom - r.bottom);
    if (r.top < area.top)
        r = r.translated(0, area.top - r.top);
    return r;
}

FrameRect PrintFrame::clampedResize(Handle handle, FrameRect r) const
{
    bool freeLeft = holdsLeft(handle);
    bool freeTop = holdsTop(handle);
    // A tracker dragged past the opposite edge turns the rectangle over: the
    // edge that moves is then on the other side.
    if (r.right < r.left)
        freeLeft = !freeLeft;
    if (r.bottom < r.top)
        freeTop = !freeTop;
    r = r.normalized();
    if (m_allowOutside)
        return r;

    const auto setHeight = [&](int h) {
        if (freeTop)
            r.top = r.bottom - h;
        else
            r.bottom = r.top + h;
    };
    const auto setWidth = [&](int w) {
        if (freeLeft)
            r.left = r.right - w;
        else
            r.right = r.left + w;
    };

    // The border in image pixels is that of the frame as it stands.
    const FrameRect area = permittedArea(m_rect.isEmpty() ? r.width() : m_rect.normalized().width());
    // The edge beyond the area stops on it and the other side follows; a
    // second round catches the side that followed.
    for (int round = 0; round < 2; ++round) {
        if (freeLeft && r.left < area.left) {
            r.left = area.left;
            setHeight(heightFor(r.width()));
        } else if (!freeLeft && r.right > area.right) {
            r.right = area.right;
            setHeight(heightFor(r.width()));
        }
        if (freeTop && r.top < area.top) {
            r.top = area.top;
            setWidth(widthFor(r.height()));
        } else if (!freeTop && r.bottom > area.bottom) {
            r.bottom = area.bottom;
            setWidth(widthFor(r.height()));
        }
    }

    // A frame that was outside before (the flag was set then) may still be
    // too large or beyond the area on the held side.
    if (r.width() > area.width()) {
        r.right = r.left + area.width();
        r.bottom = r.top + heightFor(r.width());
    }
    if (r.height() > area.height()) {
        r.bottom = r.top + area.height();
        r.right = r.left + widthFor(r.height());
    }
    return shiftedInside(r, area);
}

FrameRect PrintFrame::adjusted(Handle handle, const FrameRect &proposed) const
{
    if (handle == Handle::Middle) {
        const FrameRect r = proposed.normalized();
        return m_allowOutside ? r : shiftedInside(r, permittedArea(r.width()));
    }
    FrameRect r = proposed;
    switch (handle) {
    case Handle::TopLeft:
    case Handle::TopRight:
        r.top = r.bottom - heightFor(r.width());
        break;
    case Handle::BottomLeft:
    case Handle::BottomRight:
    case Handle::Left:
    case Handle::Right:
        r.bottom = r.top + heightFor(r.width());
        break;
    case Handle::Top:
    case Handle::Bottom:
        r.right = r.left + widthFor(r.height());
        break;
    case Handle::Middle:
        break;
    }
    return clampedResize(handle, r);
}

void PrintFrame::align(Alignment alignment)
{
    if (m_image.isEmpty() || m_output.isEmpty())
        return;
    const FrameRect f = m_rect.normalized();
    const int wi = m_image.width(), hi = m_image.height();
    const int fw = f.width(), fh = f.height();
    const int b = borderInImage(fw);
    // The extra image pixels on each side that make the image itself fill
    // the inside of the border: a = image / (output / border - 2). A border
    // of half the output or more leaves no inside; the frame then simply
    // spans the image.
    const auto spanExtra = [this](int imageSide, int outputSide) {
        if (m_border <= 0)
            return 0;
        const double d = double(outputSide) / m_border - 2.0;
        if (!(d > 0.0))
            return 0;
        return bounded(qint64(std::min(std::trunc(imageSide / d), double(kEdgeLimit))));
    };

    FrameRect r = f;
    switch (alignment) {
    case Alignment::Left:
        r.left = -b;
        r.right = r.left + fw;
        break;
    case Alignment::Right:
        r.right = wi + b;
        r.left = r.right - fw;
        break;
    case Alignment::HorizontalCentre:
        r.left = wi / 2 - fw / 2;
        r.right = r.left + fw;
        break;
    case Alignment::Top:
        r.top = -b;
        r.bottom = r.top + fh;
        break;
    case Alignment::Bottom:
        r.bottom = hi + b;
        r.top = r.bottom - fh;
        break;
    case Alignment::VerticalCentre:
        r.top = hi / 2 - fh / 2;
        r.bottom = r.top + fh;
        break;
    case Alignment::ImageWidth: {
        const int a = spanExtra(wi, m_output.width());
        r.left = -a;
        r.right = wi + a;
        r.bottom = r.top + heightFor(r.width());
        break;
    }
    case Alignment::ImageHeight: {
        const int a = spanExtra(hi, m_output.height());
        r.top = -a;
        r.bottom = hi + a;
        r.right = r.left + widthFor(r.height());
        break;
    }
    }
    m_rect = r;
}

} // namespace quorvel
