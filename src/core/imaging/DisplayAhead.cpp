#include "core/imaging/DisplayAhead.h"

#include "core/imaging/ImageViewModel.h"

namespace quorvel {

QSize DisplayAhead::reduceBox(const DisplayTarget &target)
{
    if (!target.isValid())
        return QSize();
    ImageViewModel model;
    model.resize(target.view);
    const QSize box = model.clientRect().size();
    return box.isEmpty() ? QSize() : box;
}

PreparedDisplay DisplayAhead::prepare(const QImage &image, QSize fullSize, const DisplayTarget &target)
{
    PreparedDisplay ahead;
    if (!target.isValid() || image.isNull())
        return ahead;
    // The very code the view runs, on a model of its own: the bitmap is the
    // one the view would make.
    ImageViewModel model;
    model.resize(target.view);
    model.showImage(image, fullSize);
    model.prepareForPaint(target.mode);
    const DisplayEngine &engine = model.engine();
    ahead.bitmap = engine.displayBitmap();
    ahead.position = engine.displayPosition();
    ahead.imageRect = model.imageRect();
    ahead.view = target.view;
    ahead.mode = target.mode;
    return ahead;
}

} // namespace quorvel
