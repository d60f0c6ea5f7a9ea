#include "ui/imaging/HistogramWindow.h"

#include "core/imaging/HistogramPicture.h"

#include <QApplication>
#include <QPainter>

namespace quorvel {

HistogramWindow::HistogramWindow(QWidget *owner)
    : QDialog(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("HistogramWindow"));
    setWindowTitle(tr("Histogram"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setModal(false);
    resize(kWidth, kHeight);
    m_picture = HistogramPicture::render(m_histogram);
}

void HistogramWindow::setImage(const QImage &image)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (image.isNull())
        m_histogram.clear();
    else
        m_histogram.compute(image);
    m_picture = HistogramPicture::render(m_histogram);
    QApplication::restoreOverrideCursor();
    update();
}

void HistogramWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_picture);
}

} // namespace quorvel
