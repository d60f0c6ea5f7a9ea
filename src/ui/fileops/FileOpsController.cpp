#include "ui/fileops/FileOpsController.h"

#include "core/fileops/EditorLauncher.h"
#include "core/files/PathUtil.h"
#include "core/imaging/ImageLoader.h"
#include "core/settings/ProfileStringList.h"
#include "ui/app/SettingsDialog.h"
#include "ui/files/FolderTreePane.h"
#include "ui/files/FileListPane.h"
#include "ui/fileops/FavouriteCommands.h"
#include "ui/fileops/FileCommands.h"
#include "ui/fileops/FileMenuItems.h"
#include "ui/fileops/Prompts.h"
#include "ui/fileops/TreeDropTarget.h"
#include "ui/frame/MainWindow.h"
#include "ui/frame/CommandIds.h"
#include "ui/frame/CommandRouter.h"
#include "ui/imaging/ImageView.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

namespace quorvel {

namespace {

bool inRange(int id, int first, int last)
{
    return id >= first && id <= last;
}

QStringList entries(ProfileStringList list)
{
    list.load();
    return list.entries();
}

} // namespace

FileOpsController::FileOpsController(MainWindow &frame)
    : QObject(&frame)
    , m_frame(frame)
    , m_files(std::make_unique<FileCommands>(&frame, *frame.fileList(), *frame.view(), *frame.loader()))
    , m_favourites(std::make_unique<FavouriteCommands>(&frame, *frame.tree(), *frame.loader()))
    , m_drop(new TreeDropTarget(*frame.tree()))
{
    connectCommands();
    rebuildFavouritesMenus();
}

FileOpsController::~FileOpsController() = default;

void FileOpsController::connectCommands()
{
    CommandRouter *c = m_frame.commands();
    c->setHandler(cmd::DeleteFile, [this] {
        // Shift at this moment, whichever key or menu gave the command.
        const bool shift = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
        m_files->deleteSelected(!shift);
        updateUndoText();
    });
    c->setHandler(cmd::UndoDelete, [this] { undoDelete(); });
    c->setHandler(cmd::RenameFile, [this] { m_files->renameSelected(); });
    c->setHandler(cmd::AddCurrentFolder, [this] {
        if (m_favourites->addCurrentFolder())
            rebuildFavouritesMenus();
    });
    c->setHandler(cmd::DeleteAllFavourites, [this] {
        if (m_favourites->removeAll())
            rebuildFavouritesMenus();
    });
    c->setHandler(cmd::CopyToFolder, [this] { runCommand(cmd::CopyToFolder, Source::Frame); });
    c->setHandler(cmd::Settings, [this] { openSettings(); });
    c->setHandler(cmd::GoToFavourite, [this] {
        showMenu(FileMenuItems::favouritesDropDown(entries(ProfileStringList::favourites())),
                 dropDownPosition(cmd::GoToFavourite), Source::Frame);
    });
    c->setHandler(cmd::EditExternal, [this] {
        showMenu(FileMenuItems::editorsDropDown(entries(ProfileStringList::editors()),
                                                m_frame.fileList()->selectedName()),
                 dropDownPosition(cmd::EditExternal), Source::Frame);
    });
    c->setHandler(cmd::FileContextMenu, [this] {
        ImageView *view = m_frame.view();
        if (view->hasImage())
            showContextMenu({view->currentPath()}, view->mapToGlobal(QPoint(10, 10)), Source::View);
    });

    connect(m_frame.fileList(), &FileListPane::contextMenuRequested, this, [this](const QPoint &pos) {
        if (!m_frame.loader()->isBusy())
            showContextMenu(m_frame.fileList()->selectedFiles(true), pos, Source::List);
    });
    connect(m_frame.view(), &ImageView::contextMenuRequested, this, [this](const QPoint &pos) {
        const QString shown = m_frame.view()->currentPath();
        if (!shown.isEmpty())
            showContextMenu({shown}, pos, Source::View);
    });
    // The drop is taken first; its questions come once the drag is over.
    connect(m_drop, &TreeDropTarget::filesDropped, this, &FileOpsController::copyDroppedFiles, Qt::QueuedConnection);
}

void FileOpsController::undoDelete()
{
    const QStringList restored = m_files->undoDelete();
    updateUndoText();
    if (restored.isEmpty())
        return;
    // Back in the folder on show: the list takes the files in again and the
    // first of them is selected.
    FileListPane *list = m_frame.fileList();
    const QString folder = list->currentFolder();
    QStringList here;
    for (const QString &path : restored) {
        if (!folder.isEmpty() && QDir::cleanPath(folderOf(path)) == QDir::cleanPath(folder))
            here.append(fileNameOf(path));
    }
    if (!here.isEmpty()) {
        list->syncWithFolder();
        list->selectName(here.constFirst());
    }
    QStringList names;
    for (const QString &path : restored)
        names.append(fileNameOf(path));
    m_frame.statusBar()->showMessage(FileCommands::tr("Restored from the trash: %1").arg(names.join(QStringLiteral(", "))),
                                     5000);
}

void FileOpsController::updateUndoText()
{
    QAction *action = m_frame.commands()->action(cmd::UndoDelete);
    if (!action)
        return;
    if (m_files->canUndoDelete())
        action->setText(FileCommands::tr("Undo delete: %1").arg(m_files->undoNames()) + QStringLiteral("\tCtrl+Z"));
    else
        action->setText(QCoreApplication::translate("quorvel::CommandTable", CommandTable::find(cmd::UndoDelete)->text));
    m_frame.commands()->scheduleUpdate();
}

void FileOpsController::rebuildFavouritesMenus()
{
    FavouriteCommands::rebuildMenus(m_frame.findChild<QMenu *>(QStringLiteral("FavouritesMenu")),
                                    m_frame.findChild<QMenu *>(QStringLiteral("DeleteFavouritesMenu")),
                                    [this](int id) { runCommand(id, Source::Frame); });
}

void FileOpsController::openSettings()
{
    SettingsDialog dialog(&m_frame);
    connect(&dialog, &SettingsDialog::favouritesChanged, this, &FileOpsController::rebuildFavouritesMenus);
    dialog.exec();
}

QStringList FileOpsController::filesFor(Source source) const
{
    if (source == Source::View) {
        const QString shown = m_frame.view()->currentPath();
        return shown.isEmpty() ? QStringList() : QStringList{shown};
    }
    return m_frame.fileList()->selectedFiles(true);
}

QString FileOpsController::linkPathFor(Source source) const
{
    if (source == Source::List)
        return m_frame.fileList()->selectedPath(false, true);
    return m_frame.view()->currentPath();
}

void FileOpsController::runCommand(int id, Source source)
{
    if (id == cmd::EditDescription) {
        m_frame.commands()->trigger(id);
        return;
    }
    if (m_frame.loader()->isBusy())
        return;
    if (id == cmd::Settings || id == cmd::SettingsAlt) {
        openSettings();
    } else if (id == cmd::ShowAllFolders) {
        m_frame.commands()->trigger(id);
    } else if (inRange(id, cmd::FavouriteFirst, cmd::FavouriteLast)) {
        m_favourites->goTo(id - cmd::FavouriteFirst);
    } else if (inRange(id, cmd::DeleteFavouriteFirst, cmd::DeleteFavouriteLast)) {
        if (m_favourites->remove(id - cmd::DeleteFavouriteFirst))
            rebuildFavouritesMenus();
    } else if (inRange(id, cmd::EditorFirst, cmd::EditorLast)) {
        EditorLauncher::launch(id - cmd::EditorFirst, filesFor(source));
        if (source == Source::Frame)
            m_frame.focusFileList();
    } else if (inRange(id, cmd::CopyToFolder, cmd::CopyLast)) {
        if (source == Source::Frame && !m_frame.view()->hasImage())
            return;
        const int k = id - cmd::CopyToFolder;
        if (m_files->copyToFolder({k == 0, k, QString()}, filesFor(source)))
            m_files->tellCopied();
    } else if (inRange(id, cmd::LinkToFolder, cmd::LinkLast)) {
        const int k = id - cmd::LinkToFolder;
        m_files->createLinkInFolder({k == 0, k, QString()}, linkPathFor(source));
    }
}

void FileOpsController::copyDroppedFiles(const QStringList &files, const QString &folder)
{
    if (files.isEmpty() || folder.isEmpty())
        return;
    if (folder == m_frame.tree()->currentFolderPath()) {
        Prompts::instance().tell(&m_frame, FileCommands::tr("Warning"), FileCommands::tr("Cannot copy file(s) to itself"),
                                 Prompts::Icon::Information);
        return;
    }
    const QString question = FileCommands::tr("Copy %1 file(s) to folder \"%2\"?")
                                 .arg(QString::number(files.size()), QDir::toNativeSeparators(folder));
    if (!Prompts::instance().ask(&m_frame, FileCommands::tr("Warning"), question, Prompts::Icon::Question))
        return;
    if (m_files->copyToFolder({false, 0, folder}, files))
        m_files->tellCopied();
}

void FileOpsController::fillMenu(QMenu *menu, const QList<MenuItem> &items, Source source)
{
    for (const MenuItem &item : items) {
        if (item.isSeparator()) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(item.text);
        action->setObjectName(QStringLiteral("item%1").arg(item.id));
        action->setData(item.id);
        bool enabled = item.enabled;
        if (item.id == cmd::EditDescription) {
            // The description editor is a command of the window's own.
            m_frame.commands()->update();
            enabled = m_frame.commands()->action(item.id)->isEnabled();
        }
        action->setEnabled(enabled);
        const int id = item.id;
        // Run once the menu has closed.
        connect(action, &QAction::triggered, this, [this, id, source] { runCommand(id, source); }, Qt::QueuedConnection);
    }
}

void FileOpsController::showMenu(const QList<MenuItem> &items, const QPoint &globalPos, Source source)
{
    QMenu menu(&m_frame);
    menu.setObjectName(QStringLiteral("FileOpsPopup"));
    fillMenu(&menu, items, source);
    menu.exec(globalPos);
}

void FileOpsController::showContextMenu(const QStringList &files, const QPoint &globalPos, Source source)
{
    if (files.isEmpty())
        return;
    showMenu(FileMenuItems::contextMenu(files, entries(ProfileStringList::favourites()),
                                        entries(ProfileStringList::editors())),
             globalPos, source);
}

QPoint FileOpsController::dropDownPosition(int id) const
{
    QToolBar *bar = m_frame.mainToolBar();
    QWidget *button = bar->widgetForAction(m_frame.commands()->action(id));
    if (button && button->isVisible())
        return button->mapToGlobal(QPoint(0, button->height() + 4));
    return m_frame.view()->mapToGlobal(QPoint(10, 10));
}

} // namespace quorvel
