#include "core/print/IndexLayout.h"

#include "core/print/LengthConversion.h"
#include "core/print/OutputFileNames.h"
#include "core/print/PrintParameters.h"

#include <algorithm>
#include <climits>

namespace quorvel {

IndexLayout::IndexLayout(QSize page, int frameWidth, QSize cell, int minSpacingX, int minSpacingY)
    : m_page(page), m_frame(std::max(frameWidth, 0)), m_cell(cell), m_spacingY(std::max(minSpacingY, 0))
{
    const qint64 W = page.width(), H = page.height();
    const qint64 cw = cell.width(), ch = cell.height();
    const qint64 gx = std::max(minSpacingX, 0), gy = m_spacingY;
    const qint64 bw = m_frame;
    // A cell without width or height would make every page hold endlessly
    // many cells (or divide by zero); such a layout has no cells.
    if (W <= 0 || H <= 0 || cw <= 0 || ch <= 0)
        return;
    const qint64 nx = (W + gx - 2 * bw) / (gx + cw);
    const qint64 ny = (H + gy - 2 * bw) / (gy + ch);
    if (nx < 1 || ny < 1)
        return;
    m_columns = int(nx);
    m_rows = int(ny);
    m_perList = int(nx * ny);
    // The columns are spread so that the first starts at the frame and the
    // last ends near the far one.
    m_stepX = nx < 2 ? 0 : int((W - 2 * bw - nx * cw) / (nx - 1));
}

IndexLayout IndexLayout::fromFields(const PrintParameters &parameters, const QString &frameWidth,
                                    std::optional<LengthUnit> frameUnit, const QString &cellWidth,
                                    const QString &cellHeight, const QString &minSpacingX,
                                    const QString &minSpacingY)
{
    const int dpi = parameters.effectiveDpi();
    const auto cm = [dpi](const QString &text) {
        return LengthConversion::toPixels(text, LengthUnit::Centimetres, dpi);
    };
    return IndexLayout(parameters.outputSize(), parameters.toPixels(frameWidth, frameUnit),
                       QSize(cm(cellWidth), cm(cellHeight)), cm(minSpacingX), cm(minSpacingY));
}

QRect IndexLayout::cell(int column, int row) const
{
    const int x = column * (m_stepX + m_cell.width()) + m_frame;
    const int y = row * (m_spacingY + m_cell.height()) + m_frame;
    return QRect(x, y, m_cell.width(), m_cell.height());
}

QRect IndexLayout::cell(int slot) const
{
    if (!isValid())
        return QRect();
    return cell(slot % m_columns, slot / m_columns);
}

QRect IndexLayout::nameBox(const QRect &cell, int namesHeight)
{
    return QRect(cell.x(), cell.y() + cell.height() + kNameGap, cell.width(), std::max(namesHeight, 0) + 10);
}

QRect IndexLayout::textBox(int margin) const
{
    return QRect(0, 0, m_page.width(), m_page.height() - std::max(margin, 0));
}

int IndexLayout::listCount(int items) const
{
    if (!isValid())
        return 0;
    return std::max(items - 1, 0) / m_perList + 1;
}

int IndexLayout::firstItem(int list) const
{
    return int(std::min<qint64>(qint64(std::max(list, 1) - 1) * m_perList, INT_MAX));
}

int IndexLayout::itemsOnList(int list, int items) const
{
    if (!isValid() || list < 1)
        return 0;
    return std::clamp(items - firstItem(list), 0, m_perList);
}

int IndexLayout::boundedList(int list, int items) const
{
    return std::clamp(list, 1, std::max(listCount(items), 1));
}

QString IndexLayout::listText(int list, int items) const
{
    if (!isValid())
        return QStringLiteral("-");
    return QStringLiteral("%1/%2").arg(boundedList(list, items)).arg(listCount(items));
}

QString IndexLayout::quantityText() const
{
    return QString::number(m_perList);
}

QList<IndexLayout::PlannedFile> IndexLayout::plan(const QString &chosenPath, int items, int currentList,
                                                  bool allLists) const
{
    QList<PlannedFile> files;
    if (!isValid() || items <= 0)
        return files;
    const int lists = listCount(items);
    if (allLists && lists > 1) {
        for (int i = 1; i <= lists; ++i)
            files.append({i, OutputFileNames::indexList(chosenPath, i)});
    } else {
        files.append({boundedList(currentList, items), chosenPath});
    }
    return files;
}

} // namespace quorvel
