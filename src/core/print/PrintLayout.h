#pragma once

#include "core/print/FrameRect.h"
#include "core/print/PrintCaption.h"
#include "core/settings/AppSettings.h"

#include <QColor>
#include <QRect>
#include <QSize>

#include <array>

namespace quorvel {

// Where the caption of the final step goes: the buttons of the four corners.
enum class CaptionPosition : int { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3 };

// Everything that decides what the final step writes, in pixels: the frame
// over the image, the output size, the border and the caption.
struct PrintComposition
{
    QSize imageSize;              // the source image
    FrameRect frame;              // in image pixels
    QSize output;                 // W x H
    int border = 0;               // output pixels
    QColor frameColour = Qt::white; // the border and whatever the image does not cover
    CaptionStyle caption;         // height in output pixels
    int margin = 0;               // output pixels between the caption and the edges
    CaptionPosition position = CaptionPosition::BottomRight;
    int interpolation = InterpolationBicubic; // "ResizeToPrint"
    int dpi = 300;                // the output's resolution
};

// The geometry of the output: which part of the image lands where, the four
// border strips and the caption's box. The frame's scale, output pixels per
// image pixel, is W / frame width on both axes. Where the frame lies inside
// the image on an axis, the image part spans the whole output on that axis;
// where the frame leaves the image on one side only, the image part is set
// flush with the other side; the rest of the output is the frame colour.
struct PrintLayout
{
    bool valid = false;
    QRect imagePart;             // image pixels drawn (empty when the frame misses the image)
    QRect target;                // where they go in the output
    std::array<QRect, 4> borders; // parts may lie beyond the output
    QRect captionBox;            // (m, m, W - 2m, H - 2m)
    Qt::Alignment captionAlignment;

    static PrintLayout compute(const PrintComposition &c);
};

} // namespace quorvel
