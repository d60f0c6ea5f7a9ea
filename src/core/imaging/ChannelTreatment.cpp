#include "core/imaging/ChannelTreatment.h"

namespace quorvel {

namespace {

// The per-pixel loops are written once per channel, so the compiler sees a
// constant channel and no branch is left but the clip test.
template <int C>
void channelRow(const QRgb *in, QRgb *out, int width)
{
    for (int x = 0; x < width; ++x)
        out[x] = ChannelTreatment::channelPixel(in[x], C);
}

using RowLoop = void (*)(const QRgb *, QRgb *, int);

RowLoop channelLoop(int c)
{
    switch (c) {
    case channel::Red:
        return channelRow<channel::Red>;
    case channel::Green:
        return channelRow<channel::Green>;
    case channel::Blue:
        return channelRow<channel::Blue>;
    default:
        return channelRow<channel::None>;
    }
}

void overexposureRow(const QRgb *in, QRgb *out, int width)
{
    for (int x = 0; x < width; ++x)
        out[x] = ChannelTreatment::overexposurePixel(in[x]);
}

void applyInPlace(QImage &image, RowLoop loop, const PixelRows::Progress &progress)
{
    const int width = image.width();
    PixelRows::process(image, [loop, width](int, QRgb *row) { loop(row, row, width); }, progress);
}

QImage copyWith(const QImage &source, RowLoop loop, const PixelRows::Progress &progress, QImage target)
{
    const int width = source.width();
    PixelRows::transform(source, target, [loop, width](int, const QRgb *in, QRgb *out) { loop(in, out, width); },
                         progress);
    return target;
}

} // namespace

void ChannelTreatment::applyChannel(QImage &image, int c, const PixelRows::Progress &progress)
{
    applyInPlace(image, channelLoop(c), progress);
}

void ChannelTreatment::applyOverexposure(QImage &image, const PixelRows::Progress &progress)
{
    applyInPlace(image, overexposureRow, progress);
}

QImage ChannelTreatment::channelCopy(const QImage &source, int c, const PixelRows::Progress &progress, QImage reuse)
{
    return copyWith(source, channelLoop(c), progress, std::move(reuse));
}

QImage ChannelTreatment::overexposureCopy(const QImage &source, const PixelRows::Progress &progress, QImage reuse)
{
    return copyWith(source, overexposureRow, progress, std::move(reuse));
}

} // namespace quorvel
