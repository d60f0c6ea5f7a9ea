#include "ui/fileops/TreeDropTarget.h"

#include "ui/files/FolderTreePane.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>

namespace quorvel {

TreeDropTarget::TreeDropTarget(FolderTreePane &pane)
    : QObject(&pane)
    , m_pane(pane)
{
    QTreeWidget *tree = pane.tree();
    tree->setAcceptDrops(true);
    tree->viewport()->setAcceptDrops(true);
    tree->viewport()->installEventFilter(this);
}

QStringList TreeDropTarget::droppedFiles(const QMimeData *mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl &url : mime->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isFile())
            files.append(path);
    }
    return files;
}

QString TreeDropTarget::highlightedFolder() const
{
    if (!m_highlighted.isValid())
        return QString();
    const QRect rect = m_pane.tree()->visualRect(m_highlighted);
    return m_pane.folderPathAt(rect.center());
}

void TreeDropTarget::highlight(const QPoint &pos)
{
    const QModelIndex index = m_pane.folderPathAt(pos).isEmpty() ? QModelIndex() : m_pane.tree()->indexAt(pos);
    if (index == m_highlighted)
        return;
    clearHighlight();
    if (!index.isValid())
        return;
    const QPalette &palette = m_pane.tree()->palette();
    QAbstractItemModel *model = m_pane.tree()->model();
    model->setData(index, palette.brush(QPalette::Highlight), Qt::BackgroundRole);
    model->setData(index, palette.brush(QPalette::HighlightedText), Qt::ForegroundRole);
    m_highlighted = index;
}

void TreeDropTarget::clearHighlight()
{
    if (m_highlighted.isValid()) {
        QAbstractItemModel *model = m_pane.tree()->model();
        model->setData(m_highlighted, QVariant(), Qt::BackgroundRole);
        model->setData(m_highlighted, QVariant(), Qt::ForegroundRole);
    }
    m_highlighted = QPersistentModelIndex();
}

bool TreeDropTarget::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (droppedFiles(drag->mimeData()).isEmpty()) {
            drag->ignore();
            return true;
        }
        highlight(drag->position().toPoint());
        // Entering is accepted anywhere, so that the moves that follow are
        // seen; only a folder takes the drop.
        drag->setDropAction(Qt::CopyAction);
        if (event->type() == QEvent::DragEnter || m_highlighted.isValid())
            drag->accept();
        else
            drag->ignore();
        return true;
    }
    case QEvent::DragLeave:
        clearHighlight();
        return true;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        highlight(drop->position().toPoint());
        const QString folder = highlightedFolder();
        clearHighlight();
        const QStringList files = droppedFiles(drop->mimeData());
        if (folder.isEmpty() || files.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        Q_EMIT filesDropped(files, folder);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quorvel
