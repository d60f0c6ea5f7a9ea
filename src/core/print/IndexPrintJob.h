#pragma once

#include "core/edit/SaveResult.h"
#include "core/print/IndexComposer.h"
#include "core/print/IndexLayout.h"

#include <QList>
#include <QStringList>

#include <atomic>
#include <functional>

namespace quorvel {

// Writing the lists of an index print once the user has chosen the file
// name, whether to write every list, and the JPEG quality: each planned
// list is composed from its sources (decoded at their cells' size, several
// at once) and written through a temporary file. The first failure stops
// the run; files already written stay. A list with a damaged source is not
// written: the sheet would show its grey remains as the picture.
class IndexPrintJob
{
public:
    IndexLayout layout;
    QStringList paths; // the sources in print order
    QStringList names; // the name under each source's picture
    IndexPageStyle style;
    int quality = 85;
    // The sources turned by their EXIF orientation, as shown.
    bool applyOrientation = false;

    struct Outcome
    {
        int written = 0;
        bool cancelled = false;
        SaveResult failure; // ok() when nothing failed
    };

    // progress(n) is called before the n-th file (0-based) is made; cancel
    // is looked at between the pictures and the files.
    Outcome run(const QList<IndexLayout::PlannedFile> &files, const std::function<void(int)> &progress = {},
                const std::atomic_bool *cancel = nullptr) const;

    // One list's page, its pictures decoded in parallel. A source that only
    // partly decodes is named in *damagedSource.
    QImage composeList(int list, const std::atomic_bool *cancel = nullptr, QString *damagedSource = nullptr) const;
};

} // namespace quorvel
