#include "core/print/FramePreview.h"

#include "core/common/Rounding.h"
#include "core/imaging/ZoomMath.h"

#include <algorithm>

namespace quorvel {

namespace {

// A zoom so small that the image vanishes still maps positions both ways.
constexpr float kSmallestZoom = 0.01f;

int toEdge(double v)
{
    constexpr double limit = double(1 << 30);
    if (!(v > -limit))
        return -(1 << 30);
    if (v > limit)
        return 1 << 30;
    return int(roundHalfDown(v));
}

} // namespace

void FramePreview::setImageSize(QSize image)
{
    m_image = image;
    fit();
}

void FramePreview::fit()
{
    m_pan = QPoint();
    if (m_image.isEmpty() || m_view.isEmpty()) {
        m_zoom = 100;
        return;
    }
    m_zoom = std::max(kSmallestZoom, kFitShare * zoom::fitZoom(m_image, m_view.width(), m_view.height()));
}

bool FramePreview::zoomIn()
{
    const float next = zoom::stepIn(m_zoom);
    if (!(next > m_zoom))
        return false;
    m_zoom = next;
    return true;
}

bool FramePreview::zoomOut()
{
    const float next = zoom::stepOut(m_zoom);
    if (!(next < m_zoom))
        return false;
    m_zoom = next;
    m_pan = QPoint();
    return true;
}

void FramePreview::beginDrag(QPointF at)
{
    m_dragStart = at;
    m_dragPan = m_pan;
}

void FramePreview::dragTo(QPointF at)
{
    const QPointF d = at - m_dragStart;
    m_pan = m_dragPan + QPoint(toEdge(d.x()), toEdge(d.y()));
}

QRect FramePreview::imageRect() const
{
    const QSize zoomed = zoom::zoomedSize(m_image, m_zoom);
    const QPointF o = origin();
    return QRect(QPoint(int(o.x()), int(o.y())), zoomed);
}

QPointF FramePreview::origin() const
{
    const QSize zoomed = zoom::zoomedSize(m_image, m_zoom);
    return QPointF((m_view.width() - zoomed.width()) / 2 + m_pan.x(),
                   (m_view.height() - zoomed.height()) / 2 + m_pan.y());
}

QPointF FramePreview::toView(QPointF p) const
{
    return origin() + p * scale();
}

QRectF FramePreview::toView(const FrameRect &f) const
{
    return QRectF(toView(QPointF(f.left, f.top)), toView(QPointF(f.right, f.bottom)));
}

QPoint FramePreview::toImage(QPointF v) const
{
    const double s = scale();
    const QPointF o = origin();
    return QPoint(toEdge((v.x() - o.x()) / s), toEdge((v.y() - o.y()) / s));
}

FrameRect FramePreview::toImage(const QRectF &r) const
{
    const QPoint a = toImage(r.topLeft());
    const QPoint b = toImage(r.bottomRight());
    return {a.x(), a.y(), b.x(), b.y()};
}

} // namespace quorvel
