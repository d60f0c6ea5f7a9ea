#include "ui/imaging/ProgressLineWidget.h"

#include <QPainter>

namespace quorvel {

ProgressLineWidget::ProgressLineWidget(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

void ProgressLineWidget::setPercent(int percent)
{
    if (percent == m_percent)
        return;
    m_percent = percent;
    setVisible(percent >= 0);
    if (percent >= 0) {
        raise();
        // Drawn at once: the work it reports holds the event loop.
        repaint();
    }
}

void ProgressLineWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int done = width() * qBound(0, m_percent, 100) / 100;
    painter.fillRect(QRect(0, 0, done, height()), QColor(200, 0, 0));
    painter.fillRect(QRect(done, 0, width() - done, height()), QColor(127, 127, 127));
}

} // namespace quorvel
