#pragma once

#include "core/print/FrameRect.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

namespace quorvel {

// The picture in the final step's preview: the zoom (in per cent, the zoom
// steps of the image view), the pan offset, and the mapping between image
// pixels and preview pixels. The picture is centred in the preview and
// shifted by the pan offset. "Fit" and every new image show the whole image
// at 0.9 of the zoom that fits it.
class FramePreview
{
public:
    static constexpr float kFitShare = 0.9f;

    void setViewSize(QSize view) { m_view = view; }
    QSize viewSize() const { return m_view; }
    // A new image: the zoom fits it and the pan offset is reset.
    void setImageSize(QSize image);
    QSize imageSize() const { return m_image; }

    float zoom() const { return m_zoom; }
    // Preview pixels per image pixel.
    double scale() const { return double(m_zoom) / 100.0; }
    QPoint pan() const { return m_pan; }
    void setPan(QPoint pan) { m_pan = pan; }

    // "Fit": 0.9 of the zoom at which the whole image fits; pan reset.
    void fit();
    // "+": the smallest zoom step above the zoom; false (nothing changes)
    // when there is none.
    bool zoomIn();
    // "-": the largest zoom step below the zoom, with the pan offset reset;
    // false (nothing changes) when there is none.
    bool zoomOut();

    // Drag-picture mode: the picture follows the mouse from where the drag
    // began.
    void beginDrag(QPointF at);
    void dragTo(QPointF at);

    // Where the whole image lies in the preview (its zoomed size, rounded).
    QRect imageRect() const;

    QPointF toView(QPointF imagePoint) const;
    QRectF toView(const FrameRect &frame) const;
    // Preview positions in image pixels, rounded with halves down.
    QPoint toImage(QPointF viewPoint) const;
    FrameRect toImage(const QRectF &viewRect) const;

private:
    QPointF origin() const;

    QSize m_view;
    QSize m_image;
    float m_zoom = 100;
    QPoint m_pan;
    QPointF m_dragStart;
    QPoint m_dragPan;
};

// A rectangle on screen with the edges a tracker handle holds moved by d:
// a corner moves two edges, a side one; other handles leave it as it is.
// Handle is any tracker's handle type with the eight edge handles.
template <class Handle>
QRectF withHandleMoved(QRectF r, Handle handle, QPointF d)
{
    if (handle == Handle::TopLeft)
        r.setTopLeft(r.topLeft() + d);
    else if (handle == Handle::TopRight)
        r.setTopRight(r.topRight() + d);
    else if (handle == Handle::BottomRight)
        r.setBottomRight(r.bottomRight() + d);
    else if (handle == Handle::BottomLeft)
        r.setBottomLeft(r.bottomLeft() + d);
    else if (handle == Handle::Top)
        r.setTop(r.top() + d.y());
    else if (handle == Handle::Right)
        r.setRight(r.right() + d.x());
    else if (handle == Handle::Bottom)
        r.setBottom(r.bottom() + d.y());
    else if (handle == Handle::Left)
        r.setLeft(r.left() + d.x());
    return r;
}

} // namespace quorvel
