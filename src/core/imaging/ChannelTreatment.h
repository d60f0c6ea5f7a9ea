#pragma once

#include "core/common/PixelRows.h"

#include <QImage>
#include <QRgb>

namespace quorvel {

// The channel codes of the image view's modes: none, all channels side by
// side, and the three single channels.
namespace channel {
inline constexpr int None = 0;
inline constexpr int All = 1;
inline constexpr int Red = 2;
inline constexpr int Green = 3;
inline constexpr int Blue = 4;

inline constexpr bool isSingle(int c) { return c == Red || c == Green || c == Blue; }
} // namespace channel

// The two pixel treatments of the channel view and the overexposure marking,
// over whole images with the row pass. Results are opaque.
class ChannelTreatment
{
public:
    // Channel c (Red, Green or Blue) as grey, except that a clipped value
    // (255) shows as the channel's pure colour. Any other c keeps the colour.
    static QRgb channelPixel(QRgb pixel, int c)
    {
        int shift;
        QRgb pure;
        switch (c) {
        case channel::Red:
            shift = 16;
            pure = 0xFFFF0000u;
            break;
        case channel::Green:
            shift = 8;
            pure = 0xFF00FF00u;
            break;
        case channel::Blue:
            shift = 0;
            pure = 0xFF0000FFu;
            break;
        default:
            return pixel | 0xFF000000u;
        }
        const QRgb v = (pixel >> shift) & 0xFFu;
        return v == 0xFFu ? pure : 0xFF000000u | v * 0x010101u;
    }

    // Opaque red where any component is 255; other pixels keep their colour.
    static QRgb overexposurePixel(QRgb pixel)
    {
        const bool clipped = (pixel & 0xFF0000u) == 0xFF0000u || (pixel & 0xFF00u) == 0xFF00u
                             || (pixel & 0xFFu) == 0xFFu;
        return clipped ? 0xFFFF0000u : pixel | 0xFF000000u;
    }

    // In place, over the whole image.
    static void applyChannel(QImage &image, int c, const PixelRows::Progress &progress = {});
    static void applyOverexposure(QImage &image, const PixelRows::Progress &progress = {});

    // A full-size treated copy of the source (Format_RGB32), made in one
    // pass; the source is left as it is. The memory of reuse (an earlier
    // copy) is taken for it when it fits and is not shared.
    static QImage channelCopy(const QImage &source, int c, const PixelRows::Progress &progress = {},
                              QImage reuse = QImage());
    static QImage overexposureCopy(const QImage &source, const PixelRows::Progress &progress = {},
                                   QImage reuse = QImage());
};

} // namespace quorvel
