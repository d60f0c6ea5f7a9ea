#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>

class QMenu;
class QWidget;

namespace quorvel {

class FolderTreePane;
class ImageLoader;

// The favourite folders' commands: add the tree's folder, go to a favourite
// (the tree shows it as its only root), remove one or all, and the entries
// of the main "F&avourites" menu that mirror the list.
class FavouriteCommands
{
    Q_DECLARE_TR_FUNCTIONS(FavouriteCommands)

public:
    FavouriteCommands(QWidget *owner, FolderTreePane &tree, ImageLoader &loader);

    // Adds the tree's selected folder and says so (also when it was in the
    // list already); true when the list changed.
    bool addCurrentFolder();
    // Shows favourite index as the tree's root; false for an index outside
    // the list.
    bool goTo(int index);
    // Removes favourite index without asking; true when the list changed.
    bool remove(int index);
    // Asks, then empties the list; true when it was emptied.
    bool removeAll();

    // Puts one entry per favourite after the favourites menu's own items and
    // after those of its delete submenu; the old entries go. run gets the
    // entry's command id.
    static void rebuildMenus(QMenu *favourites, QMenu *remove, const std::function<void(int id)> &run);

private:
    QWidget *m_owner;
    FolderTreePane &m_tree;
    ImageLoader &m_loader;
};

} // namespace quorvel
