#pragma once

#include "core/fileops/FileCopier.h"

#include <QCoreApplication>

class QProgressDialog;
class QWidget;

namespace quorvel {

// The progress window of a copy of many or large files, with its Cancel
// button; for a small copy only the wait cursor shows.
class CopyProgress
{
    Q_DECLARE_TR_FUNCTIONS(CopyProgress)

public:
    CopyProgress(QWidget *owner, const FileCopier &copier);
    ~CopyProgress();
    CopyProgress(const CopyProgress &) = delete;
    CopyProgress &operator=(const CopyProgress &) = delete;

    // What the copier reports to; false once Cancel was pressed.
    FileCopier::Report reporter();
    void finish();

    bool isShown() const { return m_dialog != nullptr; }

private:
    bool report(const FileCopier::Progress &progress);

    QProgressDialog *m_dialog = nullptr;
    bool m_cursor = false;
};

} // namespace quorvel
