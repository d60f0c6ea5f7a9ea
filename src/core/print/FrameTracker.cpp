#include "core/print/FrameTracker.h"

#include "core/common/Rounding.h"

#include <array>

namespace quorvel {

namespace {

using Handle = PrintFrame::Handle;

// Handles in the order they are tried: corners before edges, so a small
// frame can still be resized by its corners.
constexpr std::array<Handle, 8> kHandles{Handle::TopLeft, Handle::TopRight, Handle::BottomRight, Handle::BottomLeft,
                                         Handle::Top,     Handle::Right,    Handle::Bottom,      Handle::Left};

QPointF handleCentre(const QRectF &r, Handle h)
{
    switch (h) {
    case Handle::TopLeft:
        return r.topLeft();
    case Handle::TopRight:
        return r.topRight();
    case Handle::BottomRight:
        return r.bottomRight();
    case Handle::BottomLeft:
        return r.bottomLeft();
    case Handle::Top:
        return QPointF(r.center().x(), r.top());
    case Handle::Right:
        return QPointF(r.right(), r.center().y());
    case Handle::Bottom:
        return QPointF(r.center().x(), r.bottom());
    case Handle::Left:
        return QPointF(r.left(), r.center().y());
    case Handle::Middle:
        break;
    }
    return r.center();
}

} // namespace

QRectF FrameTracker::handleRect(Handle handle) const
{
    if (handle == Handle::Middle)
        return QRectF();
    const QPointF c = handleCentre(rect().normalized(), handle);
    const double half = kHandleSize / 2.0;
    return QRectF(c.x() - half, c.y() - half, kHandleSize, kHandleSize);
}

std::optional<Handle> FrameTracker::hitTest(QPointF at) const
{
    if (m_frame.rect().isEmpty())
        return std::nullopt;
    for (Handle h : kHandles) {
        if (handleRect(h).contains(at))
            return h;
    }
    if (rect().normalized().contains(at))
        return Handle::Middle;
    return std::nullopt;
}

bool FrameTracker::press(QPointF at)
{
    m_handle = hitTest(at);
    m_start = at;
    m_startFrame = m_frame.rect();
    return m_handle.has_value();
}

void FrameTracker::moveTo(QPointF at)
{
    if (!m_handle)
        return;
    const QPointF d = at - m_start;
    if (*m_handle == Handle::Middle) {
        const double s = m_preview.scale();
        const int dx = int(roundHalfDown(d.x() / s));
        const int dy = int(roundHalfDown(d.y() / s));
        m_frame.track(Handle::Middle, m_startFrame.translated(dx, dy));
        return;
    }
    // The held edges follow the mouse on screen; the proposal is then read
    // back in image pixels and given the frame's rules.
    const QRectF r = withHandleMoved(m_preview.toView(m_startFrame), *m_handle, d);
    m_frame.track(*m_handle, m_preview.toImage(r));
}

bool FrameTracker::release(QPointF at)
{
    if (!m_handle)
        return false;
    moveTo(at);
    const Handle handle = *m_handle;
    m_handle.reset();
    if (handle != Handle::Middle) {
        const QRectF r = rect();
        if (r.width() < kMinimumSize || r.height() < kMinimumSize) {
            m_frame.setRect(m_startFrame);
            return false;
        }
    }
    return m_frame.rect() != m_startFrame;
}

void FrameTracker::cancel()
{
    if (!m_handle)
        return;
    m_handle.reset();
    m_frame.setRect(m_startFrame);
}

} // namespace quorvel
