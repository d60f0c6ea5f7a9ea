#pragma once

#include "core/imaging/DisplayEngine.h"
#include "core/print/FramePreview.h"

#include <QWidget>

#include <functional>

namespace quorvel {

// The picture box of the print and edit dialogs: an image at a zoom of its
// own ("+", "-", Fit at 0.9 of the whole), dragged around in drag mode, with
// whatever the dialog draws over it (a frame, a selection, a border). All
// positions it hands out and takes are in device pixels, so the picture is
// drawn 1:1 on HiDPI screens.
class PreviewWidget : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewWidget(QWidget *parent = nullptr);

    // A new image, fitted.
    void setImage(const QImage &image);
    const QImage &image() const { return m_engine.image(); }
    // The same picture with new pixels (a preview of an edit), keeping the
    // zoom and the position.
    void replacePixels(const QImage &image);

    FramePreview &preview() { return m_preview; }
    const FramePreview &preview() const { return m_preview; }
    void fit();
    bool zoomIn();
    bool zoomOut();

    // In drag mode a press moves the picture; otherwise the mouse goes to
    // the dialog's tool (the frame or selection).
    void setDragMode(bool on);
    bool dragMode() const { return m_dragMode; }

    // The colour around the picture.
    void setBackground(const QColor &colour)
    {
        m_background = colour;
        update();
    }

    // Interpolation mode of the picture (the settings' 3..7).
    void setInterpolation(int mode);

    // Called after the picture is drawn, with a painter in device pixels.
    void setOverlayPainter(std::function<void(QPainter &)> painter) { m_overlay = std::move(painter); }

    // The dialog's tool, positions in device pixels. press returns whether
    // it took hold of something.
    struct Tool
    {
        std::function<bool(QPointF)> press;
        std::function<void(QPointF)> move;
        std::function<void(QPointF)> release;
        std::function<Qt::CursorShape(QPointF)> cursorAt;
    };
    void setTool(Tool tool) { m_tool = std::move(tool); }

    // Device pixels per logical pixel of this widget.
    qreal pixelRatio() const { return devicePixelRatioF(); }

Q_SIGNALS:
    // The zoom or the position changed.
    void viewChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPointF devicePoint(const QPointF &logical) const;
    void changed();

    FramePreview m_preview;
    DisplayEngine m_engine;
    std::function<void(QPainter &)> m_overlay;
    Tool m_tool;
    QColor m_background{127, 127, 127};
    int m_mode = 7;
    bool m_dragMode = false;
    bool m_dragging = false;
    bool m_toolActive = false;
};

} // namespace quorvel
