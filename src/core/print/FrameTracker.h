#pragma once

#include "core/print/FramePreview.h"
#include "core/print/PrintFrame.h"

#include <QPointF>
#include <QRectF>

#include <optional>

namespace quorvel {

// The rubber band over the final step's preview: finds the handle under the
// mouse, lets the frame follow a drag with the frame's rules, and refuses a
// resize that ends smaller than 10 preview pixels either way (the frame
// goes back to where it was).
class FrameTracker
{
public:
    static constexpr int kHandleSize = 8;
    static constexpr int kMinimumSize = 10;

    FrameTracker(PrintFrame &frame, const FramePreview &preview) : m_frame(frame), m_preview(preview) {}

    // The frame in preview pixels.
    QRectF rect() const { return m_preview.toView(m_frame.rect()); }
    // The small square of a handle (empty for Middle).
    QRectF handleRect(PrintFrame::Handle handle) const;
    // What a press at this point would take hold of: a handle square first,
    // then the inside of the frame; nothing elsewhere.
    std::optional<PrintFrame::Handle> hitTest(QPointF at) const;

    // Starts a drag when the point is on the frame.
    bool press(QPointF at);
    bool isTracking() const { return m_handle.has_value(); }
    // The frame follows the mouse.
    void moveTo(QPointF at);
    // Ends the drag. False when the frame went back to where it was (a
    // resize that ended too small) or nothing was dragged.
    bool release(QPointF at);
    // Ends the drag and puts the frame back.
    void cancel();

private:
    PrintFrame &m_frame;
    const FramePreview &m_preview;
    std::optional<PrintFrame::Handle> m_handle;
    QPointF m_start;
    FrameRect m_startFrame;
};

} // namespace quorvel
