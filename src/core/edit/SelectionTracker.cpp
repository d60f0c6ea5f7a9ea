#include "core/edit/SelectionTracker.h"

#include "core/common/Rounding.h"
#include "core/print/FramePreview.h"

#include <array>

namespace quorvel {

namespace {

using Handle = SelectionTracker::Handle;

// Corners before edges, so that a small rectangle can still be resized by
// its corners.
constexpr std::array<Handle, 8> kHandles{Handle::TopLeft, Handle::TopRight, Handle::BottomRight, Handle::BottomLeft,
                                         Handle::Top,     Handle::Right,    Handle::Bottom,      Handle::Left};

int toPixels(double v)
{
    constexpr double limit = double(1 << 30);
    if (!(v > -limit))
        return -(1 << 30);
    return v > limit ? 1 << 30 : int(roundHalfDown(v));
}

} // namespace

QRectF SelectionTracker::viewRect() const
{
    const QRect r = rect();
    if (r.isEmpty())
        return QRectF();
    return m_preview.toView(FrameRect::fromRect(r));
}

QRectF SelectionTracker::handleRect(Handle handle) const
{
    const QRectF r = viewRect();
    if (r.isEmpty())
        return QRectF();
    const double s = kHandleSize;
    const double midX = r.center().x() - s / 2, midY = r.center().y() - s / 2;
    const double right = r.right() - s, bottom = r.bottom() - s;
    switch (handle) {
    case Handle::TopLeft:
        return QRectF(r.left(), r.top(), s, s);
    case Handle::TopRight:
        return QRectF(right, r.top(), s, s);
    case Handle::BottomRight:
        return QRectF(right, bottom, s, s);
    case Handle::BottomLeft:
        return QRectF(r.left(), bottom, s, s);
    case Handle::Top:
        return QRectF(midX, r.top(), s, s);
    case Handle::Right:
        return QRectF(right, midY, s, s);
    case Handle::Bottom:
        return QRectF(midX, bottom, s, s);
    case Handle::Left:
        return QRectF(r.left(), midY, s, s);
    case Handle::Middle:
    case Handle::NewRect:
        break;
    }
    return QRectF();
}

SelectionTracker::Handle SelectionTracker::hitTest(QPointF at) const
{
    const QRectF r = viewRect();
    if (r.isEmpty())
        return Handle::NewRect;
    for (Handle h : kHandles) {
        if (handleRect(h).contains(at))
            return h;
    }
    return r.contains(at) ? Handle::Middle : Handle::NewRect;
}

Qt::CursorShape SelectionTracker::cursorAt(QPointF at) const
{
    switch (hitTest(at)) {
    case Handle::TopLeft:
    case Handle::BottomRight:
        return Qt::SizeFDiagCursor;
    case Handle::TopRight:
    case Handle::BottomLeft:
        return Qt::SizeBDiagCursor;
    case Handle::Top:
    case Handle::Bottom:
        return Qt::SizeVerCursor;
    case Handle::Left:
    case Handle::Right:
        return Qt::SizeHorCursor;
    case Handle::Middle:
        return Qt::SizeAllCursor;
    case Handle::NewRect:
        break;
    }
    return Qt::CrossCursor;
}

bool SelectionTracker::press(QPointF at)
{
    m_handle = hitTest(at);
    m_start = at;
    m_startRect = m_selection.rect();
    m_live = *m_handle == Handle::NewRect ? QRect() : m_startRect;
    return true;
}

void SelectionTracker::moveTo(QPointF at)
{
    if (!m_handle)
        return;
    const QPointF d = at - m_start;
    switch (*m_handle) {
    case Handle::Middle: {
        const double s = m_preview.scale();
        m_live = m_selection.movedInside(m_startRect.translated(toPixels(d.x() / s), toPixels(d.y() / s)));
        return;
    }
    case Handle::NewRect: {
        const QPoint a = m_preview.toImage(m_start);
        const QPoint b = m_preview.toImage(at);
        m_live = m_selection.resizedInside(EditSelection::fromEdges(a.x(), a.y(), b.x(), b.y()));
        return;
    }
    default:
        break;
    }
    // The held edges follow the mouse on screen; the result is read back in
    // image pixels.
    const QRectF r = withHandleMoved(m_preview.toView(FrameRect::fromRect(m_startRect)), *m_handle, d);
    const FrameRect f = m_preview.toImage(r);
    m_live = m_selection.resizedInside(EditSelection::fromEdges(f.left, f.top, f.right, f.bottom));
}

bool SelectionTracker::release(QPointF at)
{
    if (!m_handle)
        return false;
    moveTo(at);
    const Handle handle = *m_handle;
    m_handle.reset();
    const double zoom = m_preview.scale();
    if (handle == Handle::Middle)
        m_selection.move(m_live, zoom);
    else
        m_selection.resize(m_live, zoom);
    return m_selection.rect() != m_startRect;
}

} // namespace quorvel
