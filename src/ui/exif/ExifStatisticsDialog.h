#pragma once

#include "core/exif/ExifStatistics.h"

#include <QDialog>
#include <QFutureWatcher>

#include <atomic>
#include <vector>

class QLabel;
class QProgressBar;
class QTreeWidget;

namespace quorvel {

// "EXIF statistics": which cameras, exposures, apertures, focal lengths and
// ISO values the folder's files have, and how often. The files are read once,
// when the dialog first shows, on a worker thread; meanwhile the dialog says
// "Gathering statistics, please wait..." and, for a large folder, shows how
// far it got. The report does not follow later changes of the folder.
class ExifStatisticsDialog : public QDialog
{
    Q_OBJECT
public:
    // Folders with more files to read than this show a progress bar.
    static constexpr int kProgressBarFiles = 100;

    // fileTable: the file list's names by scan index, empty for the files
    // its filter hides; known: what the list read of their EXIF, indexed the
    // same way, so those files are not read again.
    ExifStatisticsDialog(const QString &folder, std::vector<QString> fileTable, QWidget *parent = nullptr,
                         std::vector<std::optional<ExifRecord>> known = {});
    ~ExifStatisticsDialog() override;

    bool isGathered() const { return m_gathered; }
    bool showsProgressBar() const;
    // The report as the list shows it.
    QVector<ExifStatistics::Row> shownRows() const;

Q_SIGNALS:
    void gathered();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void startGathering();
    void fill(const ExifStatistics &statistics);
    void fitColumns();

    QString m_folder;
    std::vector<QString> m_fileTable;
    std::vector<std::optional<ExifRecord>> m_known;
    QTreeWidget *m_list = nullptr;
    QLabel *m_waitText = nullptr;
    QProgressBar *m_progress = nullptr;
    QFutureWatcher<ExifStatistics> m_watcher;
    std::atomic_bool m_cancel{false};
    bool m_started = false;
    bool m_gathered = false;
};

} // namespace quorvel
