#include "ui/fileops/CopyProgress.h"

#include "core/files/PathUtil.h"

#include <QApplication>
#include <QDir>
#include <QProgressDialog>

namespace quorvel {

namespace {
// The bar counts in kilobytes, so that large copies stay within an int.
int kilobytes(qint64 bytes)
{
    return int(std::min<qint64>(bytes / 1024, std::numeric_limits<int>::max()));
}
} // namespace

CopyProgress::CopyProgress(QWidget *owner, const FileCopier &copier)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_cursor = true;
    if (!copier.wantsProgress())
        return;
    m_dialog = new QProgressDialog(owner);
    m_dialog->setObjectName(QStringLiteral("CopyProgress"));
    m_dialog->setWindowTitle(tr("Copying..."));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setRange(0, std::max(1, kilobytes(copier.totalBytes())));
    m_dialog->setValue(0);
}

CopyProgress::~CopyProgress()
{
    finish();
}

FileCopier::Report CopyProgress::reporter()
{
    if (!m_dialog)
        return {};
    return [this](const FileCopier::Progress &p) { return report(p); };
}

bool CopyProgress::report(const FileCopier::Progress &p)
{
    if (!m_dialog)
        return true;
    if (m_dialog->wasCanceled())
        return false;
    if (!p.current.isEmpty())
        m_dialog->setLabelText(tr("Copying %1 of %2:\n%3")
                                   .arg(QString::number(p.done + 1), QString::number(p.total),
                                        QDir::toNativeSeparators(fileNameOf(p.current))));
    m_dialog->setValue(std::min(m_dialog->maximum(), kilobytes(p.bytesDone)));
    QCoreApplication::processEvents();
    return !m_dialog->wasCanceled();
}

void CopyProgress::finish()
{
    if (m_dialog) {
        m_dialog->hide();
        m_dialog->deleteLater();
        m_dialog = nullptr;
    }
    if (m_cursor) {
        QApplication::restoreOverrideCursor();
        m_cursor = false;
    }
}

} // namespace quorvel
