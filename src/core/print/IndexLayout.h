#pragma once

#include "core/print/LengthUnit.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace quorvel {

class PrintParameters;

// The grid of an index print: how many cells of the cell size fit on a page
// with at least the minimum spacing between them and the frame width kept
// free along the edges, where each cell lies, which items go on which list
// (page), and where names and text go. All lengths in page pixels.
class IndexLayout
{
public:
    // The gap between a cell and the name under it.
    static constexpr int kNameGap = 15;

    IndexLayout() = default;
    // Cells of 0 pixels, or pages too small for one cell, give a layout
    // without cells (isValid() false).
    IndexLayout(QSize page, int frameWidth, QSize cell, int minSpacingX, int minSpacingY);

    // The layout the index print's fields give: the page size and
    // resolution of the parameters, the frame width in its unit, the cell
    // and spacing lengths in cm.
    static IndexLayout fromFields(const PrintParameters &parameters, const QString &frameWidth,
                                  std::optional<LengthUnit> frameUnit, const QString &cellWidth,
                                  const QString &cellHeight, const QString &minSpacingX, const QString &minSpacingY);

    bool isValid() const { return m_perList > 0; }
    QSize page() const { return m_page; }
    int frameWidth() const { return m_frame; }
    QSize cellSize() const { return m_cell; }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    int cellsPerList() const { return m_perList; }
    // The distance between neighbouring columns (the columns are spread over
    // the width) and between rows (the minimum spacing).
    int spacingX() const { return m_stepX; }
    int spacingY() const { return m_spacingY; }

    // The cell of a column and row, and of the n-th cell of a list (row by
    // row, left to right).
    QRect cell(int column, int row) const;
    QRect cell(int slot) const;
    // Under a cell: the box of its name for names of the given height.
    static QRect nameBox(const QRect &cell, int namesHeight);
    // The box the page text is centred at the bottom of.
    QRect textBox(int margin) const;

    // Lists for this many items: at least 1; 0 without cells.
    int listCount(int items) const;
    // The items of a list (1-based): the first one's index and how many.
    int firstItem(int list) const;
    int itemsOnList(int list, int items) const;
    // The list number a dialog shows: within 1..listCount.
    int boundedList(int list, int items) const;

    // "List:": "%d/%d", or "-" when no cell fits on the page.
    QString listText(int list, int items) const;
    // "Max quantity on list:".
    QString quantityText() const;

    // What "Create index-print files" writes: each list with its file name.
    // With allLists every list gets "_<n>"; otherwise (or with one list)
    // the current list goes to the chosen name. Nothing without cells or
    // without items.
    struct PlannedFile
    {
        int list;
        QString path;
    };
    QList<PlannedFile> plan(const QString &chosenPath, int items, int currentList, bool allLists) const;
    // Whether the user is asked whether to write all lists.
    bool asksForAllLists(int items) const { return isValid() && items > m_perList; }

private:
    QSize m_page;
    int m_frame = 0;
    QSize m_cell;
    int m_spacingY = 0;
    int m_columns = 0;
    int m_rows = 0;
    int m_perList = 0;
    int m_stepX = 0;
};

} // namespace quorvel
