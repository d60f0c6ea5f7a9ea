#pragma once

#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

namespace quorvel {

// The directory tree pane: every drive (on Linux the home folder, the file
// system root and mounted removable volumes) or one folder as the only root,
// with subfolders read one level at a time. Selecting a folder announces it
// so the file list can show it.
class FolderTreePane : public QWidget
{
    Q_OBJECT
public:
    explicit FolderTreePane(QWidget *parent = nullptr);

    // Shows all drives and selects startPath (its deepest existing folder),
    // or the first drive when startPath is empty or matches none.
    void showAllDrives(const QString &startPath = QString());
    // Shows folder as the only root; with an empty folder, all drives.
    void showFolderAsRoot(const QString &folder);
    // Reads the selected folder's siblings again and selects it again by
    // name, without announcing it; when it is gone, its parent is selected
    // (and announced).
    void refreshAroundSelection();

    // The selected folder with a trailing separator, or empty text.
    QString currentFolderPath() const;
    bool hasSelection() const;
    // The folder of the item at a point of the tree's viewport (with a
    // trailing separator), or empty text where there is none.
    QString folderPathAt(const QPoint &viewportPos) const;
    // Selects a folder below the current roots, reading folders on the way;
    // a path that does not exist selects its deepest existing folder.
    void selectPath(const QString &path);
    void openInFileManager() const;

    // Writes the selected folder as the last used one.
    void saveLastUsedFolder() const;

    QTreeWidget *tree() const { return m_tree; }
    bool isRootFolderMode() const { return m_rootFolderMode; }

Q_SIGNALS:
    // A folder was chosen by the user or by a call above; the file list
    // shows it with its first file selected.
    void folderSelected(const QString &path);

private:
    void clearTree();
    QTreeWidgetItem *addRoot(const QString &text, bool drive);
    void fillChildren(QTreeWidgetItem *item);
    void expandLazily(QTreeWidgetItem *item);
    QString itemPath(const QTreeWidgetItem *item) const;
    void onCurrentItemChanged(QTreeWidgetItem *current);

    QTreeWidget *m_tree = nullptr;
    bool m_building = false;
    bool m_rootFolderMode = false;
};

} // namespace quorvel
