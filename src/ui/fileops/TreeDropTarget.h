#pragma once

#include <QObject>
#include <QPersistentModelIndex>
#include <QStringList>

class QMimeData;
class QPoint;

namespace quorvel {

class FolderTreePane;

// Lets files be dropped on the folders of the directory tree: the folder
// under the cursor is highlighted while files are dragged over it, and a
// drop announces the files and that folder. Only local files are taken;
// folders among the dropped entries are left out.
class TreeDropTarget : public QObject
{
    Q_OBJECT
public:
    explicit TreeDropTarget(FolderTreePane &pane);

    // The local files of a drag, in their order.
    static QStringList droppedFiles(const QMimeData *mime);
    // The folder shown highlighted, or empty text.
    QString highlightedFolder() const;

Q_SIGNALS:
    void filesDropped(const QStringList &files, const QString &folder);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void highlight(const QPoint &pos);
    void clearHighlight();

    FolderTreePane &m_pane;
    QPersistentModelIndex m_highlighted;
};

} // namespace quorvel
