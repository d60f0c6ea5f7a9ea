#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

#include <array>

namespace quorvel {

// The view of the image and its three channels side by side: four cells on
// a grey ground, the image in its own colours at the top left, the red
// channel at the top right, green at the bottom left and blue at the bottom
// right, each with the clipped values in the channel's pure colour.
class AllChannelsLayout
{
public:
    static constexpr QRgb kBackground = 0xFF7F7F7Fu; // grey 127
    // Half the space between two cells.
    static constexpr int kGap = 3;

    struct Geometry
    {
        QSize cell;   // the space of one cell
        QSize fitted; // the picture fitted into a cell, aspect ratio kept
        // Where the picture goes: own colours, red, green, blue.
        std::array<QPoint, 4> origins;
    };

    // The cells of a bitmap of the given size showing a picture of the given
    // size. The cell or the fitted size is empty when the bitmap is too
    // small for cells.
    static Geometry geometry(QSize bitmap, QSize picture);

    // The four cells drawn from picture into a new bitmap of picture's size,
    // scaled with the interpolation mode.
    static QImage compose(const QImage &picture, int mode);
};

} // namespace quorvel
