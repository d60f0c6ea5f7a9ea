#include "core/imaging/ImageViewModel.h"

#include <algorithm>

namespace quorvel {

bool ImageViewModel::resize(QSize view)
{
    const bool widthChanged = view.width() != m_lastWidth;
    m_view = view;
    m_lastWidth = view.width();
    if (widthChanged && hasImage()) {
        chooseZoom();
        resetPan();
        return true;
    }
    return false;
}

void ImageViewModel::showImage(const QImage &image, QSize fullSize, PreparedDisplay ahead)
{
    m_engine.setImage(image, fullSize, std::move(ahead));
    if (hasImage()) {
        resetPan();
        chooseZoom();
    }
}

void ImageViewModel::clear()
{
    m_engine.clear();
    m_dragging = false;
    resetPan();
}

void ImageViewModel::chooseZoom()
{
    if (m_locked) {
        applyZoom(m_remembered);
        return;
    }
    const QRect client = clientRect();
    const float fit = zoom::fitZoom(m_engine.imageSize(), client.width(), client.height());
    applyZoom(std::min(fit, 100.0f));
}

void ImageViewModel::applyZoom(float z)
{
    m_zoom = z;
    m_engine.applyZoom(z);
}

bool ImageViewModel::zoomIn()
{
    if (!canZoomIn())
        return false;
    m_remembered = zoom::stepIn(m_zoom);
    applyZoom(m_remembered);
    // The pan stays, kept within the new edges.
    const QRect client = clientRect();
    const QSize zoomed = m_engine.zoomedSize();
    m_pan = QPoint(zoom::clampPan(m_pan.x(), zoomed.width(), client.width()),
                   zoom::clampPan(m_pan.y(), zoomed.height(), client.height()));
    return true;
}

bool ImageViewModel::zoomOut()
{
    if (!canZoomOut())
        return false;
    m_remembered = zoom::stepOut(m_zoom);
    applyZoom(m_remembered);
    resetPan();
    return true;
}

bool ImageViewModel::fitWidth()
{
    if (!hasImage())
        return false;
    m_remembered = zoom::fitZoom(m_engine.imageSize(), m_view.width(), m_view.height());
    applyZoom(std::min(m_remembered, 100.0f));
    resetPan();
    return true;
}

bool ImageViewModel::fullSize()
{
    if (!hasImage())
        return false;
    m_remembered = 100;
    applyZoom(100);
    resetPan();
    return true;
}

void ImageViewModel::toggleLock()
{
    m_locked = !m_locked;
    if (m_locked)
        m_remembered = m_zoom;
}

QRect ImageViewModel::clientRect() const
{
    return QRect(QPoint(0, 0), m_view).adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

QRect ImageViewModel::imageRect() const
{
    const QRect client = clientRect();
    const QSize zoomed = m_engine.zoomedSize();
    const int cx = client.left() + client.width() / 2;
    const int cy = client.top() + client.height() / 2;
    return QRect(cx - zoomed.width() / 2 + m_pan.x(), cy - zoomed.height() / 2 + m_pan.y(), zoomed.width(),
                 zoomed.height());
}

bool ImageViewModel::canDrag() const
{
    if (!hasImage())
        return false;
    const QRect client = clientRect();
    const QSize zoomed = m_engine.zoomedSize();
    return zoomed.width() > client.width() || zoomed.height() > client.height();
}

bool ImageViewModel::beginDrag(QPoint at)
{
    m_dragging = canDrag();
    m_lastMouse = at;
    return m_dragging;
}

bool ImageViewModel::dragTo(QPoint at)
{
    if (!m_dragging)
        return false;
    const QPoint delta = at - m_lastMouse;
    m_lastMouse = at;
    const QRect client = clientRect();
    const QSize zoomed = m_engine.zoomedSize();
    const QPoint pan(zoom::clampPan(m_pan.x() + delta.x(), zoomed.width(), client.width()),
                     zoom::clampPan(m_pan.y() + delta.y(), zoomed.height(), client.height()));
    if (pan == m_pan)
        return false;
    m_pan = pan;
    // A pan movement ends the display treatments.
    m_engine.endDisplayTreatments();
    return true;
}

QRegion ImageViewModel::prepareForPaint(int mode)
{
    const QRect client = clientRect();
    if (!hasImage())
        return QRegion(QRect(QPoint(0, 0), m_view));
    const QRect covered = m_engine.prepare(imageRect(), m_view, mode);
    // Everything but the picture inside the client area, and the margin.
    QRegion background(QRect(QPoint(0, 0), m_view));
    return background.subtracted(QRegion(covered.intersected(client)));
}

} // namespace quorvel
