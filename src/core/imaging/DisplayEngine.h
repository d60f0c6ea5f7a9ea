#pragma once

#include <QImage>
#include <QRect>

class QPainter;

namespace quorvel {

// Prepares the bitmap the image view shows: the current image scaled to the
// zoom, once per change of zoom, pan, mode or image, so ordinary repaints
// only copy it. All sizes are in device pixels.
class DisplayEngine
{
public:
    // The image on display (the current image of the loader), or a null image.
    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }
    bool hasImage() const { return !m_image.isNull(); }
    // Drops the image and every derived bitmap.
    void clear();

    // Sets the zoom (percent) and the zoomed size of the whole image; with an
    // image present the display is prepared again before the next paint.
    void applyZoom(float zoom);
    QSize zoomedSize() const { return m_zoomed; }

    void markRebuild() { m_rebuild = true; }
    bool needsRebuild() const { return m_rebuild; }

    // Makes sure the display bitmap matches imageRect (where the zoomed image
    // lies in the view, possibly beyond its edges) in a view of the given
    // size, scaled with the interpolation mode. When the zoomed image exceeds
    // the view both ways only the visible part is scaled. Returns the
    // rectangle the bitmap covers.
    QRect prepare(const QRect &imageRect, QSize viewSize, int mode);

    const QImage &displayBitmap() const { return m_bitmap; }
    QPoint displayPosition() const { return m_position; }
    // Pixels of the last prepared bitmap, for checking the work a pan costs.
    qint64 preparedPixels() const { return m_preparedPixels; }
    int preparationCount() const { return m_preparations; }

private:
    QImage m_image;
    QImage m_bitmap;
    QPoint m_position;
    QSize m_zoomed;
    QRect m_lastImageRect;
    QSize m_lastView;
    int m_lastMode = 0;
    bool m_rebuild = true;
    qint64 m_preparedPixels = 0;
    int m_preparations = 0;
};

// Draws the image into rect with its aspect ratio kept, centred; odd fitted
// sizes lose one pixel. Returns the rectangle drawn. Used by previews.
QRect drawFitted(QPainter &painter, const QImage &image, const QRect &rect);

} // namespace quorvel
