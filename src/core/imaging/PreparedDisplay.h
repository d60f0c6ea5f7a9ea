#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace quorvel {

// What the image view shows a picture in, as the loader needs to know it to
// decode and prepare a picture ahead of its showing: the view's size in
// device pixels and the interpolation mode. An empty view means "nothing
// known": pictures are decoded whole and nothing is prepared ahead.
struct DisplayTarget
{
    QSize view;
    int mode = 0;

    bool isValid() const { return !view.isEmpty(); }
    bool operator==(const DisplayTarget &) const = default;
};

// A display bitmap made before the picture is shown, with what it was made
// for; the display engine takes it instead of preparing its own when the
// picture is shown under exactly these conditions.
struct PreparedDisplay
{
    QImage bitmap;
    QPoint position;
    // Where the zoomed picture lay in the view, the view's size and the mode.
    QRect imageRect;
    QSize view;
    int mode = 0;
    // A quick rendition for a picture the keys are likely to pass (scaled
    // with a cheap interpolation, whatever mode is chosen): taken for any
    // mode, and replaced by the real one when the picture stays on screen.
    bool draft = false;

    bool isNull() const { return bitmap.isNull(); }
    bool fits(const QRect &rect, QSize viewSize, int m) const
    {
        return !isNull() && rect == imageRect && viewSize == view && (m == mode || draft);
    }
};

} // namespace quorvel
