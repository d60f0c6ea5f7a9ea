#pragma once

#include <QImage>
#include <QRect>

namespace quorvel {

// The free selection rectangle of the image edit window, in image pixels,
// used for crop and for red-eye removal: any aspect ratio, always inside the
// image, never smaller than 10 screen pixels in either direction at the
// current zoom. The window's tracker proposes rectangles; a refused proposal
// leaves the previous one. Rectangles are pixel sets (x, y, width, height);
// fromEdges builds one from a tracker's edges given in any order.
class EditSelection
{
public:
    static constexpr int kMinScreenPixels = 10;

    explicit EditSelection(QSize image = QSize());

    // The pixels between two vertical and two horizontal edges (the right
    // and bottom edge excluded), whichever order they come in.
    static QRect fromEdges(int x1, int y1, int x2, int y2);

    // A new image; the selection becomes the whole image.
    void setImage(QSize image);
    QSize imageSize() const { return m_image; }

    QRect rect() const { return m_rect; }
    // Crop mode: the whole image. Red-eye mode: nothing (the user draws it).
    void selectAll();
    void clear();

    // The tracker moved the rectangle: it is shifted back inside the image,
    // keeping its size. Returns false when refused (too small on screen).
    bool move(const QRect &proposed, double zoom);
    // The tracker resized the rectangle or drew a new one: edges beyond the
    // image are stopped at its edges. Returns false when refused.
    bool resize(const QRect &proposed, double zoom);

    // Where a moved or resized rectangle ends up inside the image, before
    // the size check: what the tracker shows while the mouse is down.
    QRect movedInside(const QRect &proposed) const;
    QRect resizedInside(const QRect &proposed) const;

    bool coversWholeImage() const { return m_rect == QRect(QPoint(0, 0), m_image); }

    // Whether a rectangle of image pixels is at least 10 screen pixels wide
    // and high at the given zoom (screen pixels per image pixel).
    static bool largeEnough(const QRect &rect, double zoom);

    // Crops the image to the selection (normalised, kept inside the image).
    // A selection equal to the whole image, or one that leaves nothing,
    // changes nothing and returns false; true means the image was replaced.
    static bool crop(QImage &image, const QRect &selection);

private:
    QSize m_image;
    QRect m_rect;
};

} // namespace quorvel
