#include "core/print/PrintComposer.h"

#include "core/common/Rounding.h"
#include "core/imaging/Resampler.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace quorvel {

QImage PrintComposer::compose(const QImage &source, const PrintComposition &c)
{
    return compose(source, source.size(), c);
}

QImage PrintComposer::compose(const QImage &source, QSize originalSize, const PrintComposition &given)
{
    PrintComposition c = given;
    c.imageSize = originalSize;
    const PrintLayout layout = PrintLayout::compute(c);
    if (source.isNull() || originalSize.isEmpty() || !layout.valid)
        return QImage();

    QImage out(c.output, QImage::Format_RGB32);
    if (out.isNull())
        return QImage();
    out.fill(c.frameColour.rgb());
    if (!layout.target.isEmpty()) {
        const double sx = double(source.width()) / originalSize.width();
        const double sy = double(source.height()) / originalSize.height();
        const QRectF part(layout.imagePart.x() * sx, layout.imagePart.y() * sy, layout.imagePart.width() * sx,
                          layout.imagePart.height() * sy);
        Resampler::drawScaled(source, part, out, layout.target, c.interpolation);
    }

    {
        QPainter painter(&out);
        painter.setRenderHint(QPainter::TextAntialiasing);
        paintDecorations(painter, c, layout, false);
    }
    const int dpm = dotsPerMetre(c.dpi);
    out.setDotsPerMeterX(dpm);
    out.setDotsPerMeterY(dpm);
    return out;
}

void PrintComposer::paintDecorations(QPainter &painter, const PrintComposition &c, const PrintLayout &layout,
                                     bool fillUncovered)
{
    if (!layout.valid)
        return;
    const QRect output(QPoint(0, 0), c.output);
    painter.save();
    painter.setClipRect(output, Qt::IntersectClip);
    if (fillUncovered) {
        const QRegion uncovered = QRegion(output).subtracted(QRegion(layout.target));
        for (const QRect &r : uncovered)
            painter.fillRect(r, c.frameColour);
    }
    for (const QRect &r : layout.borders) {
        if (!r.isEmpty())
            painter.fillRect(r, c.frameColour);
    }
    PrintCaption(c.caption).draw(painter, layout.captionBox, layout.captionAlignment);
    painter.restore();
}

void PrintComposer::paintPreviewOverlay(QPainter &painter, const QRectF &view, const QRectF &frameOnView,
                                        const PrintComposition &c, bool fillUncovered)
{
    const QRectF frame = frameOnView.normalized();
    painter.save();
    const QRegion outside = QRegion(view.toAlignedRect()).subtracted(QRegion(frame.toAlignedRect()));
    for (const QRect &r : outside)
        painter.fillRect(r, QColor(0, 0, 0, 180));
    const PrintLayout layout = PrintLayout::compute(c);
    if (layout.valid && !frame.isEmpty()) {
        painter.translate(frame.topLeft());
        painter.scale(frame.width() / c.output.width(), frame.height() / c.output.height());
        paintDecorations(painter, c, layout, fillUncovered);
    }
    painter.restore();
}

int PrintComposer::dotsPerMetre(int dpi)
{
    return int(roundHalfDown(std::max(dpi, 1) / 0.0254));
}

} // namespace quorvel
