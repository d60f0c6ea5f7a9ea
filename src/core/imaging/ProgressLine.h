#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace quorvel {

// The progress line of long passes (camera raw decoding, pixel passes): one
// pixel high, 4 pixels above the bottom of the view's client area; red from
// the left edge to the share done of the width, grey for the rest.
namespace progressline {

inline const QColor kDoneColour{200, 0, 0};
inline const QColor kRestColour{127, 127, 127};

// The row the line is drawn on, in the coordinates of clientRect.
int lineY(const QRect &clientRect);
// The x where the red part ends (exclusive).
int doneEnd(const QRect &clientRect, int percent);

void draw(QPainter &painter, const QRect &clientRect, int percent);

} // namespace progressline
} // namespace quorvel
