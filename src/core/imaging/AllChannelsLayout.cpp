#include "core/imaging/AllChannelsLayout.h"

#include "core/imaging/ChannelTreatment.h"
#include "core/imaging/Resampler.h"
#include "core/imaging/ZoomMath.h"

#include <QPainter>

#include <cstdlib>

namespace quorvel {

AllChannelsLayout::Geometry AllChannelsLayout::geometry(QSize bitmap, QSize picture)
{
    Geometry g;
    const int halfW = bitmap.width() / 2;
    const int halfH = bitmap.height() / 2;
    g.cell = QSize(halfW - kGap, halfH - kGap);
    if (g.cell.isEmpty())
        return g;
    g.fitted = zoom::fitInto(picture, g.cell);
    const int ox = std::abs(g.cell.width() - g.fitted.width()) / 2;
    const int oy = std::abs(g.cell.height() - g.fitted.height()) / 2;
    g.origins = {QPoint(ox, oy), QPoint(ox + halfW + kGap, oy), QPoint(ox, oy + halfH + kGap),
                 QPoint(ox + halfW + kGap, oy + halfH + kGap)};
    return g;
}

QImage AllChannelsLayout::compose(const QImage &picture, int mode)
{
    if (picture.isNull())
        return QImage();
    QImage result(picture.size(), QImage::Format_RGB32);
    result.fill(kBackground);
    const Geometry g = geometry(picture.size(), picture.size());
    if (g.cell.isEmpty() || g.fitted.isEmpty())
        return result;

    // Scaled once; the channels are made from the scaled picture.
    const QImage scaled = Resampler::scaled(picture, g.fitted, mode);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(g.origins[0], scaled);
    painter.drawImage(g.origins[1], ChannelTreatment::channelCopy(scaled, channel::Red));
    painter.drawImage(g.origins[2], ChannelTreatment::channelCopy(scaled, channel::Green));
    painter.drawImage(g.origins[3], ChannelTreatment::channelCopy(scaled, channel::Blue));
    return result;
}

} // namespace quorvel
