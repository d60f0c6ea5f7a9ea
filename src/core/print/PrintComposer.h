#pragma once

#include "core/print/PrintLayout.h"

#include <QImage>
#include <QRectF>

class QPainter;

namespace quorvel {

// Makes the final step's output: the framed part of the image scaled to the
// output size with the interpolation of "ResizeToPrint", on the frame colour
// where the frame leaves the image, with the border strips and the caption
// drawn over it. The preview draws the same border and caption through the
// same layout, scaled onto the frame as it lies on screen.
class PrintComposer
{
public:
    // The output bitmap (Format_RGB32, its resolution set to c.dpi), or a
    // null image when there is nothing to compose (no source, an empty frame)
    // or the bitmap cannot be made.
    static QImage compose(const QImage &source, const PrintComposition &c);
    // The same from a picture decoded smaller than the photograph
    // (originalSize): the frame and the layout stay in the photograph's
    // pixels, and the part drawn is read from the smaller picture at its
    // scale.
    static QImage compose(const QImage &source, QSize originalSize, const PrintComposition &c);

    // Border and caption in output pixels, on a painter whose coordinates
    // are output pixels. With fillUncovered, the parts of the output that
    // the image does not cover are filled with the frame colour too.
    static void paintDecorations(QPainter &painter, const PrintComposition &c, const PrintLayout &layout,
                                 bool fillUncovered);

    // The preview's part: shades everything outside the frame (black at
    // alpha 180) and draws border and caption scaled onto frameOnView.
    static void paintPreviewOverlay(QPainter &painter, const QRectF &view, const QRectF &frameOnView,
                                    const PrintComposition &c, bool fillUncovered = false);

    // The resolution of a bitmap in dots per metre for a resolution in dpi.
    static int dotsPerMetre(int dpi);
};

} // namespace quorvel
