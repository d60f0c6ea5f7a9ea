#pragma once

#include "core/print/IndexLayout.h"
#include "core/print/PrintCaption.h"
#include "core/settings/AppSettings.h"

#include <QImage>
#include <QStringList>

#include <functional>

class QPainter;

namespace quorvel {

// A picture for one cell, from whoever decodes the sources: the picture at
// (at least) the cell size, and the size of the original it was made from,
// which sets the proportions. A null image marks a file that could not be
// decoded.
struct IndexCellPicture
{
    QImage image;
    QSize originalSize; // the image's own size when left empty
    bool damaged = false; // only part of the picture could be decoded
};

// Asked once per item of the list being composed: the item's index in the
// source list and the cell size it will be fitted into.
using IndexPictureSource = std::function<IndexCellPicture(int item, QSize cell)>;

// How an index-print page looks beyond its grid.
struct IndexPageStyle
{
    bool showNames = true;
    CaptionStyle names;  // height in page pixels; the text is each item's name
    CaptionStyle text;   // the page text, centred at the bottom
    int margin = 0;      // page pixels between the text and the bottom edge
    int interpolation = InterpolationBicubic; // "ResizeToPrint"
    // The resolution written with the page: the one its size was computed
    // at (PrintParameters::effectiveDpi()), so the page prints at the
    // paper's size.
    int dpi = 300;
};

// Composes the pages of an index print: a white page, each item of the list
// fitted into its cell and centred there, its name under the cell, and the
// page text at the bottom.
class IndexComposer
{
public:
    // Where a picture of the given size is drawn in a cell: fitted with its
    // proportions kept (small pictures are enlarged) and centred.
    static QRect fittedRect(const QRect &cell, QSize picture);

    // The page of a list (1-based) as a Format_RGB32 image with its
    // resolution set to style.dpi; null when the layout has no cells or the
    // page cannot be made. names holds every item's name.
    static QImage compose(const IndexLayout &layout, int list, const QStringList &names, const IndexPageStyle &style,
                          const IndexPictureSource &pictures);

    // The names and the page text of a list, in page pixels, on a painter
    // whose coordinates are page pixels; the preview scales the painter.
    static void paintTexts(QPainter &painter, const IndexLayout &layout, int list, const QStringList &names,
                           const IndexPageStyle &style);
};

} // namespace quorvel
