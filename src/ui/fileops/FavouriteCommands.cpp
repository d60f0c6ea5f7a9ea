#include "ui/fileops/FavouriteCommands.h"

#include "core/imaging/ImageLoader.h"
#include "core/settings/ProfileStringList.h"
#include "ui/files/FolderTreePane.h"
#include "ui/fileops/FileMenuItems.h"
#include "ui/fileops/Prompts.h"
#include "ui/frame/CommandIds.h"

#include <QAction>
#include <QMenu>

namespace quorvel {

namespace {

// Marks the menu entries made from the list, so a rebuild finds them.
const char *const kEntryProperty = "quorvelFavouriteEntry";

void replaceEntries(QMenu *menu, const QStringList &folders, int firstId, const std::function<void(int)> &run)
{
    if (!menu)
        return;
    for (QAction *action : menu->actions()) {
        if (action->property(kEntryProperty).toBool()) {
            menu->removeAction(action);
            delete action;
        }
    }
    const qsizetype count = std::min<qsizetype>(folders.size(), FileMenuItems::kMaxEntries);
    for (qsizetype i = 0; i < count; ++i) {
        const int id = firstId + int(i);
        QAction *action = menu->addAction(FileMenuItems::shownPath(folders.at(i)));
        action->setProperty(kEntryProperty, true);
        action->setObjectName(QStringLiteral("command%1").arg(id));
        action->setData(id);
        QObject::connect(action, &QAction::triggered, menu, [run, id] { run(id); });
    }
}

} // namespace

FavouriteCommands::FavouriteCommands(QWidget *owner, FolderTreePane &tree, ImageLoader &loader)
    : m_owner(owner)
    , m_tree(tree)
    , m_loader(loader)
{
}

bool FavouriteCommands::addCurrentFolder()
{
    const QString path = m_tree.currentFolderPath();
    if (path.isEmpty())
        return false;
    const QString folder = ProfileStringList::favouriteFolderText(path);
    if (!ProfileStringList::isStorable(folder)) {
        Prompts::instance().tell(m_owner, tr("Warning"),
                                 tr("The folder \"%1\" cannot be kept in Favourites.").arg(folder),
                                 Prompts::Icon::Warning);
        return false;
    }
    ProfileStringList favourites = ProfileStringList::favourites();
    favourites.load();
    const bool added = favourites.addUnique(folder);
    if (added)
        favourites.save();
    Prompts::instance().tell(m_owner, tr("Information"), tr("Folder \"%1\" added to Favourites").arg(folder),
                             Prompts::Icon::Information);
    return added;
}

bool FavouriteCommands::goTo(int index)
{
    ProfileStringList favourites = ProfileStringList::favourites();
    favourites.load();
    if (index < 0 || index >= favourites.count())
        return false;
    m_loader.emptyCache();
    m_tree.showFolderAsRoot(favourites.at(index));
    return true;
}

bool FavouriteCommands::remove(int index)
{
    ProfileStringList favourites = ProfileStringList::favourites();
    favourites.load();
    if (!favourites.removeAt(index))
        return false;
    favourites.save();
    return true;
}

bool FavouriteCommands::removeAll()
{
    if (!Prompts::instance().ask(m_owner, tr("Warning"),
                                 tr("Do you really want to delete all folders from Favourites?"),
                                 Prompts::Icon::Information))
        return false;
    ProfileStringList favourites = ProfileStringList::favourites();
    favourites.load();
    favourites.clear();
    favourites.save();
    return true;
}

void FavouriteCommands::rebuildMenus(QMenu *favourites, QMenu *remove, const std::function<void(int id)> &run)
{
    ProfileStringList list = ProfileStringList::favourites();
    list.load();
    replaceEntries(favourites, list.entries(), cmd::FavouriteFirst, run);
    replaceEntries(remove, list.entries(), cmd::DeleteFavouriteFirst, run);
}

} // namespace quorvel
