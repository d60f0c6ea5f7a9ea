#pragma once

#include "core/print/IndexComposer.h"

#include <QRect>

class QPainter;

namespace quorvel {

// The index print's preview: the page of the current list fitted into the
// preview area, drawn through the same layout as the output. The page is
// white with a grey outline and the area inside the frame width outlined
// light grey; the cells of the list's items are grey, or show their
// pictures when a picture source is given (a picture that cannot be had is
// outlined red with the file's name inside); every cell of the grid is
// outlined black; names and text are drawn as on the page, scaled.
class IndexPreview
{
public:
    // Where the page lies in the area: fitted and centred.
    static QRect pageRect(const QRect &area, QSize page);

    // pictures may be empty (no "Auto refresh images"); it is asked for
    // pictures at the cell size on screen.
    static void paint(QPainter &painter, const QRect &area, const IndexLayout &layout, int list,
                      const QStringList &names, const IndexPageStyle &style, const IndexPictureSource &pictures);
};

} // namespace quorvel
