#include "core/print/PrintLayout.h"

#include <algorithm>

namespace quorvel {

namespace {

// Output positions stay far inside the int range even for a tiny frame
// blown up to a large output.
constexpr qint64 kPositionLimit = qint64(1) << 28;

struct Axis
{
    int offset; // where the image part starts in the output
    int length; // how long it is there
};

// One axis of the placement. frameStart/frameEnd: the frame's edges on this
// axis, imageSize: the image's side, visible: the image pixels inside the
// frame, outputSide: W or H, scale: x -> x * W / frame width.
template<typename Scale>
Axis place(int frameStart, int frameEnd, int imageSize, int visible, int outputSide, Scale s)
{
    Axis a{s(std::max(0, -frameStart)), s(visible)};
    if (frameStart < 0 && frameEnd <= imageSize)
        a.offset = outputSide - a.length; // flush with the far side
    if (frameStart >= 0 && frameEnd <= imageSize) {
        a.offset = 0;
        a.length = outputSide; // inside the image: the image fills the axis
    }
    return a;
}

} // namespace

PrintLayout PrintLayout::compute(const PrintComposition &c)
{
    PrintLayout l;
    const FrameRect f = c.frame.normalized();
    const int W = c.output.width(), H = c.output.height();
    if (W <= 0 || H <= 0 || f.isEmpty() || c.imageSize.isEmpty())
        return l;
    l.valid = true;

    const FrameRect image{0, 0, c.imageSize.width(), c.imageSize.height()};
    const FrameRect visible = f.intersected(image);
    if (!visible.isEmpty()) {
        const qint64 fw = f.width();
        const auto s = [W, fw](qint64 x) { return int(std::clamp(x * W / fw, qint64(0), kPositionLimit)); };
        const Axis h = place(f.left, f.right, image.right, visible.width(), W, s);
        const Axis v = place(f.top, f.bottom, image.bottom, visible.height(), H, s);
        if (h.length > 0 && v.length > 0) {
            l.imagePart = visible.toRect();
            l.target = QRect(h.offset, v.offset, h.length, v.length);
        }
    }

    // The four strips turn around the output like a pinwheel. Beyond half
    // the output's longer side they would leave a hole in the middle; there
    // they already cover everything, so a wider border changes nothing.
    const int bw = std::clamp(c.border, 0, std::max(W, H) / 2);
    if (bw > 0)
        l.borders = {QRect(0, 0, W - bw, bw), QRect(0, bw, bw, H), QRect(bw, H - bw, W, bw),
                     QRect(W - bw, 0, bw, H - bw)};

    const int m = std::clamp(c.margin, 0, std::max(W, H));
    l.captionBox = QRect(m, m, W - 2 * m, H - 2 * m);
    const bool right = c.position == CaptionPosition::TopRight || c.position == CaptionPosition::BottomRight;
    const bool bottom = c.position == CaptionPosition::BottomLeft || c.position == CaptionPosition::BottomRight;
    l.captionAlignment = (right ? Qt::AlignRight : Qt::AlignLeft) | (bottom ? Qt::AlignBottom : Qt::AlignTop);
    return l;
}

} // namespace quorvel
