#include "core/imaging/ProgressLine.h"

#include <QPainter>

#include <algorithm>

namespace quorvel::progressline {

int lineY(const QRect &clientRect)
{
    return clientRect.top() + clientRect.height() - 4;
}

int doneEnd(const QRect &clientRect, int percent)
{
    const int p = std::clamp(percent, 0, 100);
    return clientRect.left() + int(qint64(clientRect.width()) * p / 100);
}

void draw(QPainter &painter, const QRect &clientRect, int percent)
{
    if (clientRect.width() <= 0 || clientRect.height() < 4)
        return;
    const int y = lineY(clientRect);
    const int split = doneEnd(clientRect, percent);
    const int right = clientRect.left() + clientRect.width();
    if (split > clientRect.left())
        painter.fillRect(QRect(clientRect.left(), y, split - clientRect.left(), 1), kDoneColour);
    if (split < right)
        painter.fillRect(QRect(split, y, right - split, 1), kRestColour);
}

} // namespace quorvel::progressline
