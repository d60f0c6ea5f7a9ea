#pragma once

#include "core/edit/EditSelection.h"

#include <QPointF>
#include <QRect>
#include <QRectF>

#include <optional>

namespace quorvel {

class FramePreview;

// The rectangle tracker of the image edit window: finds the handle under
// the mouse (the handles sit inside the rectangle), shows the rectangle
// following a drag, kept inside the image, and on release hands the result
// to the selection, which refuses one smaller than 10 screen pixels either
// way; the selection then stays as it was before the drag. A press away
// from the selection draws a new rectangle. Positions are preview pixels.
class SelectionTracker
{
public:
    enum class Handle { TopLeft, TopRight, BottomRight, BottomLeft, Top, Right, Bottom, Left, Middle, NewRect };
    static constexpr int kHandleSize = 7;

    SelectionTracker(EditSelection &selection, const FramePreview &preview)
        : m_selection(selection), m_preview(preview)
    {
    }

    // The rectangle to draw, in image pixels: the dragged one while the
    // mouse is down, else the selection.
    QRect rect() const { return m_handle ? m_live : m_selection.rect(); }
    QRectF viewRect() const;
    // The square of a handle inside the drawn rectangle (empty for Middle
    // and NewRect).
    QRectF handleRect(Handle handle) const;

    // What a press here would take: a handle square first, then the inside
    // of the selection, else a new rectangle.
    Handle hitTest(QPointF at) const;
    Qt::CursorShape cursorAt(QPointF at) const;

    // Starts a drag; always takes the mouse.
    bool press(QPointF at);
    bool isTracking() const { return m_handle.has_value(); }
    void moveTo(QPointF at);
    // Ends the drag; true when the selection changed.
    bool release(QPointF at);
    // Ends the drag without changing the selection.
    void cancel() { m_handle.reset(); }

private:
    EditSelection &m_selection;
    const FramePreview &m_preview;
    std::optional<Handle> m_handle;
    QPointF m_start;
    QRect m_startRect;
    QRect m_live;
};

} // namespace quorvel
