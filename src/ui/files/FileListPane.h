#pragma once

#include "core/files/DescriptionStore.h"
#include "core/files/DropRequest.h"
#include "core/files/FolderScanner.h"

#include <QSet>

#include <QWidget>

class QLineEdit;
class QToolButton;
class QTreeView;

namespace quorvel {

class FileListModel;
class ThumbnailDisplay;

// The file list pane: the current folder's image files in a list with a
// short and an EXIF view, sorted by any column, filtered by a text, and the
// selection that drives the image view and the file commands.
class FileListPane : public QWidget
{
    Q_OBJECT
public:
    explicit FileListPane(QWidget *parent = nullptr);
    ~FileListPane() override;

    // Shows a scan of folder; with selectFirst the first row is selected
    // (or, with no rows, the image view is told to show nothing).
    void fillList(const FolderEntries &entries, const QString &folder, bool selectFirst);
    QString currentFolder() const;

    int selectedIndex() const;
    void selectOnly(int row);
    enum NavigateHow { NavigateNext = 0, NavigatePrevious = 1, NavigateFirst = 2, NavigateLast = 3 };
    bool navigate(int how);
    bool hasNeighbour(bool above) const;
    // The effective path of the row above or below the first selected one.
    QString neighbourPath(bool above, int distance = 1) const;
    QString selectedName() const;
    QString selectedPath(bool nameOnly = false, bool resolveLinks = false) const;
    // The full paths of all selected rows, in row order.
    QStringList selectedFiles(bool resolveLinks) const;
    bool selectByName(const QString &lowerName);
    void rememberScroll();
    void restoreScroll();
    // The selected rows, ascending.
    QList<int> selectedRows() const;
    // Removes the rows of deleted files without announcing a new file; the
    // caller selects the row to show next.
    void removeRows(QList<int> rows);
    // ". 1/5, 1.0 Kb" and its kin; empty with nothing selected.
    QString selectionStatusText() const;
    void refreshExifRow(int row, const QString &path, const QString &description);

    // Brings the rows in step with the folder on disk (files that other
    // programs added, removed or renamed, and changed descriptions) without
    // a refill: the selection and the scroll position stay. When the
    // selected file is gone, the row that took its place is selected (with
    // no rows left, listEmptied).
    void syncWithFolder();
    // Selects the row of exactly this name; false when there is none.
    bool selectName(const QString &name);

    int rowCount() const;
    int showMode() const;
    void toggleShowMode();
    // Applies the filter text: when it changed, the list is refilled.
    void applyFilter();
    QString filterText() const;

    // Thumbnails mode (60 x 60 pictures in the rows), off at every start:
    // switching refills the list from a new scan of the folder and selects
    // the same row again.
    void toggleThumbnails(bool on);
    bool thumbnailMode() const;
    ThumbnailDisplay *thumbnails() const { return m_thumbnails; }

    FileListModel *model() const { return m_model; }
    // The current folder's descriptions.
    DescriptionStore &descriptions() { return m_descriptions; }
    QTreeView *listView() const { return m_list; }
    QLineEdit *filterEdit() const { return m_filter; }

Q_SIGNALS:
    // A row became selected: the image view shows this path.
    void fileChosen(const QString &path);
    // The list became empty on a fill that selects: the view shows nothing.
    void listEmptied();
    void selectionChanged();
    // The filter changed: the frame refreshes the list (F5).
    void refreshRequested();
    void fullScreenRequested();
    void editDescriptionRequested();
    void contextMenuRequested(const QPoint &globalPos);
    void thumbnailsRequested(bool on);
    // A file manager dropped a folder or a picture on the list.
    void openRequested(const quorvel::DropRequest &request);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createTopRow();
    void loadColumnWidths();
    void storeColumnWidths() const;
    // Columns whose width was never stored take the width of their heading
    // and, after each fill, of their texts (until the user sizes them).
    void fitAutoColumns();
    void storeSort() const;
    void showSortIndicator();
    bool handleDrop(QEvent *event);
    void onCurrentRowChanged(int row);
    void updateToggleIcon();

    FileListModel *m_model = nullptr;
    ThumbnailDisplay *m_thumbnails = nullptr;
    DescriptionStore m_descriptions;
    QTreeView *m_list = nullptr;
    QToolButton *m_viewButton = nullptr;
    QToolButton *m_modeButton = nullptr;
    QLineEdit *m_filter = nullptr;
    QToolButton *m_applyButton = nullptr;
    QString m_lastAppliedFilter;
    int m_rememberedScrollRow = -1;
    bool m_filling = false;
    QSet<int> m_autoColumns; // fileList::Column values
    bool m_fittingColumns = false;
};

} // namespace quorvel
