#include "core/edit/EditSelection.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

EditSelection::EditSelection(QSize image)
{
    setImage(image);
}

QRect EditSelection::fromEdges(int x1, int y1, int x2, int y2)
{
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    return QRect(left, top, right - left, bottom - top);
}

void EditSelection::setImage(QSize image)
{
    m_image = image.isValid() ? image : QSize(0, 0);
    selectAll();
}

void EditSelection::selectAll()
{
    m_rect = QRect(QPoint(0, 0), m_image);
}

void EditSelection::clear()
{
    m_rect = QRect();
}

bool EditSelection::largeEnough(const QRect &rect, double zoom)
{
    if (!(zoom > 0.0) || !std::isfinite(zoom))
        return false;
    return rect.width() * zoom >= kMinScreenPixels && rect.height() * zoom >= kMinScreenPixels;
}

QRect EditSelection::movedInside(const QRect &proposed) const
{
    QRect r = proposed.normalized();
    r.setSize(r.size().boundedTo(m_image));
    r.moveLeft(std::clamp(r.left(), 0, m_image.width() - r.width()));
    r.moveTop(std::clamp(r.top(), 0, m_image.height() - r.height()));
    return r;
}

QRect EditSelection::resizedInside(const QRect &proposed) const
{
    return proposed.normalized().intersected(QRect(QPoint(0, 0), m_image));
}

bool EditSelection::move(const QRect &proposed, double zoom)
{
    const QRect r = movedInside(proposed);
    if (!largeEnough(r, zoom))
        return false;
    m_rect = r;
    return true;
}

bool EditSelection::resize(const QRect &proposed, double zoom)
{
    const QRect r = resizedInside(proposed);
    if (!largeEnough(r, zoom))
        return false;
    m_rect = r;
    return true;
}

bool EditSelection::crop(QImage &image, const QRect &selection)
{
    const QRect whole = image.rect();
    const QRect r = selection.normalized().intersected(whole);
    if (r.isEmpty() || r == whole)
        return false;
    QImage cropped = image.copy(r);
    if (cropped.format() != QImage::Format_RGB32)
        cropped = cropped.convertToFormat(QImage::Format_RGB32);
    if (cropped.isNull())
        return false;
    image = cropped;
    return true;
}

} // namespace quorvel
