#include "ui/print/PreviewWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorvel {

PreviewWidget::PreviewWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewControl"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(120, 90);
}

void PreviewWidget::setImage(const QImage &image)
{
    m_engine.setImage(image);
    m_preview.setViewSize(QSize(qRound(width() * pixelRatio()), qRound(height() * pixelRatio())));
    m_preview.setImageSize(image.size());
    changed();
}

void PreviewWidget::replacePixels(const QImage &image)
{
    const float zoom = m_preview.zoom();
    m_engine.setImage(image);
    m_engine.applyZoom(zoom);
    update();
}

void PreviewWidget::fit()
{
    m_preview.fit();
    changed();
}

bool PreviewWidget::zoomIn()
{
    const bool done = m_preview.zoomIn();
    if (done)
        changed();
    return done;
}

bool PreviewWidget::zoomOut()
{
    const bool done = m_preview.zoomOut();
    if (done)
        changed();
    return done;
}

void PreviewWidget::setDragMode(bool on)
{
    m_dragMode = on;
    setCursor(on ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void PreviewWidget::setInterpolation(int mode)
{
    m_mode = mode;
    m_engine.markRebuild();
    update();
}

void PreviewWidget::changed()
{
    m_engine.applyZoom(m_preview.zoom());
    update();
    Q_EMIT viewChanged();
}

QPointF PreviewWidget::devicePoint(const QPointF &logical) const
{
    return logical * pixelRatio();
}

void PreviewWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const qreal dpr = pixelRatio();
    const QSize view(qRound(width() * dpr), qRound(height() * dpr));
    painter.scale(1 / dpr, 1 / dpr);
    painter.fillRect(QRect(QPoint(0, 0), view), m_background);
    if (m_engine.hasImage()) {
        const QRect covered = m_engine.prepare(m_preview.imageRect(), view, m_mode);
        if (!covered.isEmpty())
            painter.drawImage(m_engine.displayPosition(), m_engine.displayBitmap());
    }
    if (m_overlay) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        m_overlay(painter);
        painter.restore();
    }
}

void PreviewWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QSize view(qRound(width() * pixelRatio()), qRound(height() * pixelRatio()));
    const bool first = m_preview.viewSize().isEmpty();
    m_preview.setViewSize(view);
    if (first && m_engine.hasImage())
        m_preview.fit();
    changed();
}

void PreviewWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF at = devicePoint(event->position());
    if (m_dragMode) {
        m_dragging = true;
        m_preview.beginDrag(at);
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    m_toolActive = m_tool.press && m_tool.press(at);
    if (m_toolActive)
        update();
}

void PreviewWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = devicePoint(event->position());
    if (m_dragging) {
        m_preview.dragTo(at);
        changed();
        return;
    }
    if (m_toolActive) {
        if (m_tool.move)
            m_tool.move(at);
        update();
        return;
    }
    if (!m_dragMode && m_tool.cursorAt)
        setCursor(m_tool.cursorAt(at));
}

void PreviewWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF at = devicePoint(event->position());
    if (m_dragging) {
        m_dragging = false;
        setCursor(Qt::OpenHandCursor);
        return;
    }
    if (m_toolActive) {
        m_toolActive = false;
        if (m_tool.release)
            m_tool.release(at);
        update();
    }
}

} // namespace quorvel
