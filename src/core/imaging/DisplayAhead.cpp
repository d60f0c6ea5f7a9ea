#include "core/imaging/DisplayAhead.h"

#include "core/imaging/ImageViewModel.h"
#include "core/settings/AppSettings.h"

#include <algorithm>

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

QSize DisplayAhead::draftBox(const DisplayTarget &target)
{
    const QSize box = reduceBox(target);
    if (box.isEmpty())
        return box;
    return QSize(std::max(1, box.width() * 2 / 5), std::max(1, box.height() * 2 / 5));
}

QSize DisplayAhead::draftServes(QSize draft)
{
    return QSize(draft.width() * 5 / 2 + 2, draft.height() * 5 / 2 + 2);
}

PreparedDisplay DisplayAhead::prepareDraft(const QImage &image, QSize fullSize, const DisplayTarget &target)
{
    // Bilinear costs a few milliseconds where bicubic and the high-quality
    // modes cost tens on a 24-megapixel photo's first look.
    PreparedDisplay ahead = prepare(image, fullSize, {target.view, InterpolationBilinear});
    ahead.mode = target.mode;
    ahead.draft = !ahead.isNull();
    return ahead;
}

} // namespace quorvel
