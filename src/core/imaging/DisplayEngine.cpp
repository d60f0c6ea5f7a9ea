#include "core/imaging/DisplayEngine.h"

#include "core/imaging/Resampler.h"
#include "core/imaging/ZoomMath.h"
#include "core/settings/AppSettings.h"

#include <QPaintDevice>
#include <QPainter>

namespace quorvel {

void DisplayEngine::setImage(const QImage &image)
{
    m_image = image;
    m_bitmap = QImage();
    m_rebuild = true;
}

void DisplayEngine::clear()
{
    m_image = QImage();
    m_bitmap = QImage();
    m_rebuild = true;
}

void DisplayEngine::applyZoom(float zoom)
{
    m_zoomed = zoom::zoomedSize(m_image.size(), zoom);
    if (hasImage())
        m_rebuild = true;
}

QRect DisplayEngine::prepare(const QRect &imageRect, QSize view, int mode)
{
    const QRect viewRect(QPoint(0, 0), view);
    if (!hasImage() || imageRect.isEmpty() || view.isEmpty()) {
        m_bitmap = QImage();
        return QRect();
    }
    const bool stale = m_rebuild || m_bitmap.isNull() || imageRect != m_lastImageRect || view != m_lastView
                       || mode != m_lastMode;
    if (stale) {
        m_rebuild = false;
        m_lastImageRect = imageRect;
        m_lastView = view;
        m_lastMode = mode;
        ++m_preparations;

        const QRect visible = imageRect.intersected(viewRect);
        if (visible == imageRect) {
            // All of it shows: scale the whole image, centred in its rectangle.
            const QSize fitted = zoom::fitInto(m_image.size(), imageRect.size());
            m_bitmap = Resampler::scaled(m_image, fitted, mode);
            m_position = imageRect.topLeft()
                         + QPoint((imageRect.width() - fitted.width()) / 2, (imageRect.height() - fitted.height()) / 2);
        } else if (!visible.isEmpty()) {
            // Only the part on screen is scaled, so a high zoom costs no more
            // than the view's size.
            const double fx = double(m_image.width()) / imageRect.width();
            const double fy = double(m_image.height()) / imageRect.height();
            const QRectF source((visible.left() - imageRect.left()) * fx, (visible.top() - imageRect.top()) * fy,
                                visible.width() * fx, visible.height() * fy);
            m_bitmap = QImage(visible.size(), QImage::Format_RGB32);
            Resampler::drawScaled(m_image, source, m_bitmap, m_bitmap.rect(), mode);
            m_position = visible.topLeft();
        } else {
            m_bitmap = QImage();
        }
        m_preparedPixels = qint64(m_bitmap.width()) * m_bitmap.height();
    }
    return m_bitmap.isNull() ? QRect() : QRect(m_position, m_bitmap.size());
}

QRect drawFitted(QPainter &painter, const QImage &image, const QRect &rect)
{
    if (image.isNull() || rect.isEmpty())
        return QRect();
    const QSize fitted = zoom::fitInto(image.size(), rect.size());
    const int halfW = fitted.width() / 2, halfH = fitted.height() / 2;
    const QPoint centre(rect.left() + rect.width() / 2, rect.top() + rect.height() / 2);
    const QRect drawn(centre.x() - halfW, centre.y() - halfH, 2 * halfW, 2 * halfH);
    if (drawn.isEmpty())
        return QRect();
    // Scale once at device pixels, with the high-quality bicubic mode, so a
    // large photograph neither aliases nor is blurred by a second scaling.
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QImage scaled = Resampler::scaled(image, QSize(qRound(drawn.width() * dpr), qRound(drawn.height() * dpr)),
                                      InterpolationHighQualityBicubic);
    scaled.setDevicePixelRatio(dpr);
    painter.drawImage(drawn.topLeft(), scaled);
    return drawn;
}

} // namespace quorvel
