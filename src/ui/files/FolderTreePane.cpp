#include "ui/files/FolderTreePane.h"

#include "core/files/FolderScanner.h"
#include "core/files/FolderTreeRules.h"
#include "core/settings/AppSettings.h"
#include "ui/fileops/DesktopOpen.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorvel {

namespace {

// Marks the dummy child so a folder really named "Sub dir" is never taken
// for it.
constexpr int kDummyRole = Qt::UserRole + 1;

QIcon themed(const char *name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(name), QApplication::style()->standardIcon(fallback));
}

// A folder, shown open while selected.
QIcon folderIcon()
{
    QIcon icon = themed("folder", QStyle::SP_DirIcon);
    const QIcon open = themed("folder-open", QStyle::SP_DirOpenIcon);
    for (const QSize &size : open.availableSizes())
        icon.addPixmap(open.pixmap(size), QIcon::Selected);
    if (open.availableSizes().isEmpty())
        icon.addPixmap(open.pixmap(16, 16), QIcon::Selected);
    return icon;
}

bool isDummy(const QTreeWidgetItem *item)
{
    return item && item->data(0, kDummyRole).toBool();
}

void addDummy(QTreeWidgetItem *parent)
{
    auto *dummy = new QTreeWidgetItem(parent, {folderTree::kDummyText});
    dummy->setData(0, kDummyRole, true);
}

// Restores the building flag on every way out.
class BuildingGuard
{
public:
    explicit BuildingGuard(bool &flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~BuildingGuard() { m_flag = m_old; }

private:
    bool &m_flag;
    bool m_old;
};

} // namespace

FolderTreePane::FolderTreePane(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DirectoryTree"));
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("DirectoryTreeControl"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 3);
    layout->addWidget(m_tree);
    setFocusProxy(m_tree);

    connect(m_tree, &QTreeWidget::itemExpanded, this, &FolderTreePane::expandLazily);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current, QTreeWidgetItem *) { onCurrentItemChanged(current); });
}

void FolderTreePane::clearTree()
{
    m_tree->clear();
}

QTreeWidgetItem *FolderTreePane::addRoot(const QString &text, bool drive)
{
    auto *item = new QTreeWidgetItem(m_tree, {QDir::toNativeSeparators(text)});
    item->setData(0, Qt::UserRole, text);
    item->setIcon(0, drive ? themed("drive-harddisk", QStyle::SP_DriveHDIcon) : folderIcon());
    fillChildren(item);
    return item;
}

void FolderTreePane::fillChildren(QTreeWidgetItem *item)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FolderEntries entries = FolderScanner(itemPath(item)).scan(FolderScanner::Folders);
    const QIcon icon = folderIcon();
    for (const FolderEntry &entry : entries) {
        auto *child = new QTreeWidgetItem(item, {entry.name});
        child->setData(0, Qt::UserRole, entry.name);
        child->setIcon(0, icon);
        if (entry.kind == FolderEntry::FolderWithSubfolders)
            addDummy(child);
    }
    item->sortChildren(0, Qt::AscendingOrder);
    QApplication::restoreOverrideCursor();
}

void FolderTreePane::expandLazily(QTreeWidgetItem *item)
{
    if (item->childCount() > 0 && isDummy(item->child(0))) {
        BuildingGuard guard(m_building);
        delete item->takeChild(0);
        fillChildren(item);
    }
}

QString FolderTreePane::itemPath(const QTreeWidgetItem *item) const
{
    QStringList texts;
    for (const QTreeWidgetItem *i = item; i; i = i->parent())
        texts.prepend(i->data(0, Qt::UserRole).toString());
    return folderTree::itemPath(texts);
}

void FolderTreePane::showAllDrives(const QString &startPath)
{
    {
        BuildingGuard guard(m_building);
        m_rootFolderMode = false;
        clearTree();
        for (const QString &root : folderTree::driveRoots())
            addRoot(root, true);
    }
    if (m_tree->topLevelItemCount() == 0)
        return;
    if (!startPath.isEmpty()) {
        selectPath(startPath);
    } else {
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
    }
    if (QTreeWidgetItem *current = m_tree->currentItem())
        current->setExpanded(true);
}

void FolderTreePane::showFolderAsRoot(const QString &folder)
{
    if (folder.isEmpty()) {
        showAllDrives(QString());
        return;
    }
    QTreeWidgetItem *root = nullptr;
    {
        BuildingGuard guard(m_building);
        m_rootFolderMode = true;
        clearTree();
        root = addRoot(QDir::fromNativeSeparators(folder), false);
    }
    root->setExpanded(true);
    m_tree->setCurrentItem(root);
}

void FolderTreePane::selectPath(const QString &path)
{
    QStringList rootPaths;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        rootPaths.append(m_tree->topLevelItem(i)->data(0, Qt::UserRole).toString());
    const folderTree::RootMatch match = folderTree::matchRoot(rootPaths, path);
    if (match.rootIndex < 0) {
        if (m_tree->topLevelItemCount() > 0)
            m_tree->setCurrentItem(m_tree->topLevelItem(0));
        return;
    }
    QTreeWidgetItem *item = m_tree->topLevelItem(match.rootIndex);
    {
        BuildingGuard guard(m_building);
        for (const QString &component : match.components) {
            if (item->childCount() > 0 && isDummy(item->child(0))) {
                delete item->takeChild(0);
                fillChildren(item);
            }
            QTreeWidgetItem *next = nullptr;
            for (int i = 0; i < item->childCount() && !next; ++i) {
                if (folderTree::sameComponent(item->child(i)->data(0, Qt::UserRole).toString(), component))
                    next = item->child(i);
            }
            if (!next)
                break; // the deepest folder that still exists
            item->setExpanded(true);
            item = next;
        }
    }
    m_tree->setCurrentItem(item);
    m_tree->scrollToItem(item);
}

void FolderTreePane::refreshAroundSelection()
{
    QTreeWidgetItem *selected = m_tree->currentItem();
    if (!selected)
        return;
    QTreeWidgetItem *parent = selected->parent();
    QTreeWidgetItem *holder = parent ? parent : selected;
    const QString remembered = selected->data(0, Qt::UserRole).toString();
    const bool wasExpanded = holder->isExpanded();
    const bool selectedWasExpanded = selected->isExpanded();
    {
        BuildingGuard guard(m_building);
        const auto children = holder->takeChildren();
        qDeleteAll(children);
        fillChildren(holder);
        holder->setExpanded(wasExpanded || parent);
        if (!parent) {
            m_tree->setCurrentItem(holder);
            return;
        }
        for (int i = 0; i < holder->childCount(); ++i) {
            if (holder->child(i)->data(0, Qt::UserRole).toString() == remembered) {
                m_tree->setCurrentItem(holder->child(i));
                // Read again, but still open as the user left it.
                holder->child(i)->setExpanded(selectedWasExpanded);
                return;
            }
        }
        m_tree->setCurrentItem(nullptr);
    }
    // The folder is gone: its parent is shown instead.
    m_tree->setCurrentItem(holder);
}

QString FolderTreePane::currentFolderPath() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    return item ? itemPath(item) : QString();
}

QString FolderTreePane::folderPathAt(const QPoint &viewportPos) const
{
    const QTreeWidgetItem *item = m_tree->itemAt(viewportPos);
    return item && !isDummy(item) ? itemPath(item) : QString();
}

bool FolderTreePane::hasSelection() const
{
    return m_tree->currentItem() != nullptr;
}

void FolderTreePane::openInFileManager() const
{
    const QString path = currentFolderPath();
    if (!path.isEmpty())
        openWithDesktop(window(), path);
}

void FolderTreePane::saveLastUsedFolder() const
{
    AppSettings local;
    local.load();
    local.lastUsedDir = QDir::toNativeSeparators(currentFolderPath());
    local.save();
}

void FolderTreePane::onCurrentItemChanged(QTreeWidgetItem *current)
{
    if (m_building || !current || isDummy(current))
        return;
    Q_EMIT folderSelected(itemPath(current));
}

} // namespace quorvel
