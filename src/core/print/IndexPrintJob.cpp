#include "core/print/IndexPrintJob.h"

#include "core/edit/EditedImage.h"
#include "core/edit/SaveRules.h"
#include "core/imaging/ColourProfile.h"
#include "core/imaging/Resampler.h"
#include "core/print/IndexPictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QtConcurrent/QtConcurrentMap>

#include <vector>

namespace quorvel {

QImage IndexPrintJob::composeList(int list, const std::atomic_bool *cancel, QString *damagedSource) const
{
    if (!layout.isValid())
        return QImage();
    const int first = layout.firstItem(list);
    const int count = layout.itemsOnList(list, int(paths.size()));
    const QSize cell = layout.cellSize();
    std::vector<int> items(size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        items[size_t(i)] = first + i;
    // Decoding is most of the work; the pictures are small once decoded.
    const QList<IndexCellPicture> pictures = QtConcurrent::blockingMapped<QList<IndexCellPicture>>(
        items, [this, cell, cancel](int item) {
            if (cancel && cancel->load())
                return IndexCellPicture{};
            IndexCellPicture picture = IndexPictures::decode(paths.value(item), cell, cancel, applyOrientation);
            // Scaled to its place here, in parallel, so that the page is
            // only assembled afterwards.
            const QSize original = picture.originalSize.isEmpty() ? picture.image.size() : picture.originalSize;
            const QSize fitted = IndexComposer::fittedRect(QRect(QPoint(), cell), original).size();
            if (!picture.image.isNull() && !fitted.isEmpty() && picture.image.size() != fitted)
                picture.image = Resampler::scaled(picture.image, fitted, style.interpolation);
            return picture;
        });
    if (cancel && cancel->load())
        return QImage();
    for (int i = 0; i < pictures.size(); ++i) {
        if (pictures[i].damaged && damagedSource) {
            *damagedSource = paths.value(first + i);
            break;
        }
    }
    const IndexPictureSource source = [&](int item, QSize) { return pictures.value(item - first); };
    return IndexComposer::compose(layout, list, names, style, source);
}

IndexPrintJob::Outcome IndexPrintJob::run(const QList<IndexLayout::PlannedFile> &files,
                                          const std::function<void(int)> &progress,
                                          const std::atomic_bool *cancel) const
{
    Outcome outcome;
    for (int n = 0; n < files.size(); ++n) {
        if (cancel && cancel->load()) {
            outcome.cancelled = true;
            return outcome;
        }
        if (progress)
            progress(n);
        EditedImage page;
        page.format = EditedImage::Format::Jpeg;
        QString damagedSource;
        page.pixels = composeList(files[n].list, cancel, &damagedSource);
        page.damaged = !damagedSource.isEmpty();
        // Every picture on the page was converted to sRGB when decoded.
        page.iccProfile = colourprofile::srgb();
        if (cancel && cancel->load()) {
            outcome.cancelled = true;
            return outcome;
        }
        if (page.isNull()) {
            outcome.failure = SaveResult::of(
                SaveResult::Failed, QCoreApplication::translate("IndexPrintJob", "The page could not be composed."));
            return outcome;
        }
        SaveResult saved = SaveRules::saveNewJpeg(page, files[n].path, quality);
        if (!saved.ok()) {
            if (saved.status == SaveResult::Damaged)
                saved.message = QDir::toNativeSeparators(damagedSource) + QLatin1Char('\n') + saved.message;
            outcome.failure = saved;
            return outcome;
        }
        ++outcome.written;
    }
    return outcome;
}

} // namespace quorvel
