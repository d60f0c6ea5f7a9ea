#include "core/print/IndexPreview.h"

#include "core/common/Rounding.h"
#include "core/imaging/Resampler.h"

#include <QPainter>

namespace quorvel {

QRect IndexPreview::pageRect(const QRect &area, QSize page)
{
    const QSize fitted = fitIntoBox(page, area.size());
    if (fitted.isEmpty())
        return QRect();
    return QRect(QPoint(area.x() + (area.width() - fitted.width()) / 2,
                        area.y() + (area.height() - fitted.height()) / 2),
                 fitted);
}

void IndexPreview::paint(QPainter &painter, const QRect &area, const IndexLayout &layout, int list,
                         const QStringList &names, const IndexPageStyle &style, const IndexPictureSource &pictures)
{
    const QRect onScreen = pageRect(area, layout.page());
    if (onScreen.isEmpty())
        return;
    const double scale = double(onScreen.width()) / layout.page().width();

    painter.save();
    painter.fillRect(onScreen, Qt::white);
    painter.setPen(QColor(0x64, 0x64, 0x64));
    painter.drawRect(onScreen.adjusted(0, 0, -1, -1));

    // Page coordinates from here on; pens stay one screen pixel wide.
    painter.translate(onScreen.topLeft());
    painter.scale(scale, scale);
    QPen pen(QColor(0xC8, 0xC8, 0xC8));
    pen.setCosmetic(true);
    painter.setPen(pen);
    const int fw = layout.frameWidth();
    if (fw > 0)
        painter.drawRect(QRect(QPoint(0, 0), layout.page()).adjusted(fw, fw, -fw, -fw));

    if (layout.isValid()) {
        const int first = layout.firstItem(list);
        const int count = layout.itemsOnList(list, int(names.size()));
        for (int slot = 0; slot < count; ++slot) {
            const QRect cell = layout.cell(slot);
            if (!pictures) {
                painter.fillRect(cell, Qt::lightGray);
                continue;
            }
            const QSize cellOnScreen(std::max(1, int(roundHalfDown(cell.width() * scale))),
                                     std::max(1, int(roundHalfDown(cell.height() * scale))));
            const IndexCellPicture picture = pictures(first + slot, cellOnScreen);
            if (picture.image.isNull()) {
                pen.setColor(Qt::red);
                painter.setPen(pen);
                // One screen pixel inside the black outline drawn later.
                const double inset = 1.0 / scale;
                painter.drawRect(QRectF(cell).adjusted(inset, inset, -inset, -inset));
                CaptionStyle name = style.names;
                name.text = names.value(first + slot);
                name.colour = Qt::red;
                if (name.height <= 0)
                    name.height = std::max(1, cell.height() / 6);
                PrintCaption(name).draw(painter, cell, Qt::AlignCenter);
                continue;
            }
            const QSize original = picture.originalSize.isEmpty() ? picture.image.size() : picture.originalSize;
            const QRect target = IndexComposer::fittedRect(cell, original);
            const QSize shown(std::max(1, int(roundHalfDown(target.width() * scale))),
                              std::max(1, int(roundHalfDown(target.height() * scale))));
            painter.drawImage(QRectF(target), Resampler::scaled(picture.image, shown, style.interpolation));
        }
        // Cells under two screen pixels would only make a grey blur (and
        // could be millions); they are left without outlines.
        pen.setColor(Qt::black);
        painter.setPen(pen);
        const QSize cell = layout.cellSize();
        if (cell.width() * scale >= 2 && cell.height() * scale >= 2) {
            for (int slot = 0; slot < layout.cellsPerList(); ++slot)
                painter.drawRect(QRectF(layout.cell(slot)));
        }
        IndexComposer::paintTexts(painter, layout, list, names, style);
    }
    painter.restore();
}

} // namespace quorvel
