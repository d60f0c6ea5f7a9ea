#pragma once

#include "core/imaging/DisplayEngine.h"
#include "core/imaging/ZoomMath.h"

#include <QPoint>
#include <QRect>
#include <QRegion>

namespace quorvel {

// What the image view knows apart from its widget: the zoom and its lock,
// the pan offset and dragging, and the view's size. Every size is in device
// pixels; the view converts mouse positions before handing them over.
class ImageViewModel
{
public:
    // Space left free around the image on every side.
    static constexpr int kMargin = 2;

    DisplayEngine &engine() { return m_engine; }
    const DisplayEngine &engine() const { return m_engine; }
    bool hasImage() const { return m_engine.hasImage(); }

    float zoom() const { return m_zoom; }
    float rememberedZoom() const { return m_remembered; }
    bool isLocked() const { return m_locked; }
    QPoint pan() const { return m_pan; }
    QSize viewSize() const { return m_view; }

    // A new view size. When the width changed and an image is shown, the
    // zoom is chosen again and the pan reset; a change of height alone keeps
    // both. Returns whether the zoom was chosen again.
    bool resize(QSize view);

    // After a load: a new image (or none); see DisplayEngine::setImage for
    // a reduced picture and a bitmap prepared ahead.
    void showImage(const QImage &image, QSize fullSize = QSize(), PreparedDisplay ahead = PreparedDisplay());
    void clear();

    // Fit (at most 100 %) or, while locked, the remembered zoom.
    void chooseZoom();
    void applyZoom(float z);

    bool canZoomIn() const { return hasImage() && zoom::canZoomIn(m_zoom); }
    bool canZoomOut() const { return hasImage() && zoom::canZoomOut(m_zoom); }
    // Each returns whether anything changed.
    bool zoomIn();
    bool zoomOut();
    bool fitWidth();
    bool fullSize();
    void toggleLock();

    // The client area less the margin, and where the zoomed image lies in it.
    QRect clientRect() const;
    QRect imageRect() const;

    // Dragging is possible while the zoomed image exceeds the client area.
    bool canDrag() const;
    bool beginDrag(QPoint at);
    // Moves the image with the mouse, kept within its edges. Returns whether
    // the pan changed; a change ends the display treatments.
    bool dragTo(QPoint at);
    void endDrag() { m_dragging = false; }
    bool isDragging() const { return m_dragging; }

    // Prepares the display for a paint; returns the region of the view to
    // fill with the background (outside the image, and the margin).
    QRegion prepareForPaint(int mode);

private:
    void resetPan() { m_pan = QPoint(); }

    DisplayEngine m_engine;
    float m_zoom = zoom::kInitial;
    float m_remembered = zoom::kInitial;
    bool m_locked = false;
    QPoint m_pan;
    bool m_dragging = false;
    QPoint m_lastMouse;
    QSize m_view;
    int m_lastWidth = -1;
};

} // namespace quorvel
