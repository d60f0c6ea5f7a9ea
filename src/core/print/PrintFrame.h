#pragma once

#include "core/print/FrameRect.h"

#include <QSize>

namespace quorvel {

// The frame of the final step: the part of the image that becomes the
// output, in image pixels, always in the proportions of the output size.
// It starts as the largest such rectangle at the image's top-left corner;
// the tracker moves and resizes it, the alignment buttons place it. Unless
// the frame may leave the image, it stays within the image enlarged by the
// border (the border measured in image pixels).
class PrintFrame
{
public:
    // The parts of the frame a tracker can hold.
    enum class Handle { TopLeft, TopRight, BottomRight, BottomLeft, Top, Right, Bottom, Left, Middle };

    // The alignment buttons: "HL", "HC", "HR", "VT", "VC", "VB", "SW", "SH".
    enum class Alignment { Left, HorizontalCentre, Right, Top, VerticalCentre, Bottom, ImageWidth, ImageHeight };

    void setImageSize(QSize image) { m_image = image; }
    QSize imageSize() const { return m_image; }
    // The output size in pixels; it sets the proportions.
    void setOutputSize(QSize output) { m_output = output; }
    QSize outputSize() const { return m_output; }
    // The border width in output pixels.
    void setBorder(int border) { m_border = border > 0 ? border : 0; }
    int border() const { return m_border; }
    // "Allow to put frame outside the image".
    void setAllowOutside(bool allow) { m_allowOutside = allow; }
    bool allowOutside() const { return m_allowOutside; }

    const FrameRect &rect() const { return m_rect; }
    // Takes the rectangle as it is (a tracker restoring an earlier one).
    void setRect(const FrameRect &rect) { m_rect = rect; }

    // The largest rectangle of the output's proportions inside the image,
    // at its top-left corner: wide images take their width first, others
    // their height first. Empty without an image.
    void reset();

    // The aspect rule: the frame height for a width, the width for a height
    // (truncated, never less than 1).
    int heightFor(int width) const;
    int widthFor(int height) const;

    // The border in image pixels for a frame of the given width.
    int borderInImage(int frameWidth) const;
    // Where the frame may lie when it must not leave the image: the image
    // enlarged on every side by the border in image pixels.
    FrameRect permittedArea(int frameWidth) const;

    // The rectangle a tracker proposal becomes: a move keeps the size of the
    // proposal, a resize gets the output's proportions from the edge or
    // corner held; then, unless the frame may leave the image, it is brought
    // back into the permitted area. The result is normalised.
    FrameRect adjusted(Handle handle, const FrameRect &proposed) const;
    // Applies adjusted() to the frame.
    void track(Handle handle, const FrameRect &proposed) { m_rect = adjusted(handle, proposed); }

    // Places the frame as the alignment buttons do. These positions are
    // chosen by the user and are not clamped.
    void align(Alignment alignment);

private:
    FrameRect shiftedInside(FrameRect r, const FrameRect &area) const;
    FrameRect clampedResize(Handle handle, FrameRect r) const;

    QSize m_image;
    QSize m_output;
    int m_border = 0;
    bool m_allowOutside = false;
    FrameRect m_rect;
};

} // namespace quorvel
