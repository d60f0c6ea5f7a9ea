#include "core/print/IndexComposer.h"

#include "core/common/Rounding.h"
#include "core/imaging/Resampler.h"
#include "core/print/PrintComposer.h"

#include <QPainter>

namespace quorvel {

QRect IndexComposer::fittedRect(const QRect &cell, QSize picture)
{
    const QSize fitted = fitIntoBox(picture, cell.size());
    if (fitted.isEmpty())
        return QRect();
    const int left = (2 * cell.x() + cell.width()) / 2 - fitted.width() / 2;
    const int top = (2 * cell.y() + cell.height()) / 2 - fitted.height() / 2;
    return QRect(QPoint(left, top), fitted);
}

QImage IndexComposer::compose(const IndexLayout &layout, int list, const QStringList &names,
                              const IndexPageStyle &style, const IndexPictureSource &pictures)
{
    if (!layout.isValid())
        return QImage();
    QImage page(layout.page(), QImage::Format_RGB32);
    if (page.isNull())
        return QImage();
    page.fill(Qt::white);

    const int first = layout.firstItem(list);
    const int count = layout.itemsOnList(list, int(names.size()));
    for (int slot = 0; slot < count && pictures; ++slot) {
        const QRect cell = layout.cell(slot);
        const IndexCellPicture picture = pictures(first + slot, cell.size());
        if (picture.image.isNull())
            continue; // the cell stays white
        const QSize original = picture.originalSize.isEmpty() ? picture.image.size() : picture.originalSize;
        const QRect target = fittedRect(cell, original);
        if (target.isEmpty())
            continue;
        Resampler::drawScaled(picture.image, QRectF(picture.image.rect()), page, target, style.interpolation);
    }

    {
        QPainter painter(&page);
        paintTexts(painter, layout, list, names, style);
    }
    const int dpm = PrintComposer::dotsPerMetre(style.dpi);
    page.setDotsPerMeterX(dpm);
    page.setDotsPerMeterY(dpm);
    return page;
}

void IndexComposer::paintTexts(QPainter &painter, const IndexLayout &layout, int list, const QStringList &names,
                               const IndexPageStyle &style)
{
    if (!layout.isValid())
        return;
    if (style.showNames) {
        CaptionStyle name = style.names;
        name.colour = Qt::black;
        // A name too long for its cell is shortened on its one line: a second
        // line would be cut in half by the space under the cell.
        name.singleLine = true;
        const int first = layout.firstItem(list);
        const int count = layout.itemsOnList(list, int(names.size()));
        for (int slot = 0; slot < count; ++slot) {
            name.text = names.value(first + slot);
            PrintCaption(name).draw(painter, IndexLayout::nameBox(layout.cell(slot), name.height),
                                    Qt::AlignHCenter | Qt::AlignTop);
        }
    }
    PrintCaption(style.text).draw(painter, layout.textBox(style.margin), Qt::AlignHCenter | Qt::AlignBottom);
}

} // namespace quorvel
