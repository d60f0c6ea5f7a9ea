#include "ui/fileops/FileCommands.h"

#include "core/fileops/FileCopier.h"
#include "core/fileops/FileOperations.h"
#include "core/files/FileListModel.h"
#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"
#include "core/imaging/ImageLoader.h"
#include "core/settings/ProfileStringList.h"
#include "ui/files/FileListPane.h"
#include "ui/fileops/CopyProgress.h"
#include "ui/fileops/Prompts.h"
#include "ui/imaging/ImageView.h"

#include <QApplication>
#include <QDir>

namespace quorvel {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString favouriteFolder(int k)
{
    ProfileStringList favourites = ProfileStringList::favourites();
    favourites.load();
    return favourites.at(k - 1);
}

} // namespace

FileCommands::FileCommands(QWidget *owner, FileListPane &list, ImageView &view, ImageLoader &loader)
    : m_owner(owner)
    , m_list(list)
    , m_view(view)
    , m_loader(loader)
{
}

bool FileCommands::deleteSelected(bool toTrash)
{
    m_list.rememberScroll();
    const QList<int> rows = m_list.selectedRows();
    if (rows.isEmpty())
        return false;
    QStringList paths;
    for (int row : rows)
        paths.append(m_list.model()->pathAt(row));

    QString question = paths.size() == 1
                           ? tr("Do you really want to delete file \"%1\"?").arg(shown(paths.constFirst()))
                           : tr("Do you really want to delete %1 selected files?").arg(paths.size());
    if (!toTrash)
        question += QStringLiteral("\n\n") + tr("Shift+Del deletes for good, past the trash: this cannot be undone.");
    if (!Prompts::instance().ask(m_owner, tr("Warning"), question, Prompts::Icon::Question))
        return false;

    // The shown file is let go first, or it could not be deleted everywhere.
    const QString shownFile = m_view.currentPath();
    m_loader.emptyCache();
    m_view.clear();

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const DeleteResult result = FileOperations::deleteFiles(paths, toTrash);
    QApplication::restoreOverrideCursor();
    if (!result.ok())
        Prompts::instance().tell(m_owner, tr("Warning"), tr("Cannot delete file") + u'\n' + result.error,
                                 Prompts::Icon::Warning);

    if (toTrash && !result.deleted.isEmpty())
        rememberTrashed(result, m_list.descriptions());

    QList<int> removed;
    for (int i = 0; i < rows.size(); ++i) {
        if (result.deleted.contains(paths.at(i)))
            removed.append(rows.at(i));
    }
    if (removed.isEmpty()) {
        // Nothing went: the list stays as it was, and so does the view.
        if (!shownFile.isEmpty())
            m_view.showFile(shownFile);
        return false;
    }
    m_list.removeRows(removed);
    const int count = m_list.rowCount();
    if (count == 0)
        m_view.clear();
    else
        m_list.selectOnly(removed.constFirst() < count ? removed.constFirst() : count - 1);
    m_list.restoreScroll();
    return result.ok();
}

void FileCommands::rememberTrashed(const DeleteResult &result, const DescriptionStore &descriptions)
{
    QVector<TrashedFile> files;
    for (qsizetype i = 0; i < result.deleted.size() && i < result.trashed.size(); ++i) {
        const QString &path = result.deleted.at(i);
        // A link's description is its target's, which stays where it is.
        const QString description = link::isLinkName(fileNameOf(path)) ? QString() : descriptions.get(path);
        files.append({path, result.trashed.at(i), description});
    }
    m_undo.remember(std::move(files));
}

QStringList FileCommands::undoDelete()
{
    if (m_undo.isEmpty())
        return {};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TrashUndo::Result result = m_undo.restore();
    QApplication::restoreOverrideCursor();
    if (!result.problems.isEmpty())
        Prompts::instance().tell(m_owner, tr("Warning"), result.problems.join(u'\n'), Prompts::Icon::Warning);
    return result.restored;
}

bool FileCommands::renameSelected()
{
    const int row = m_list.selectedIndex();
    if (row < 0)
        return false;
    const QString folder = m_list.currentFolder();
    const QString oldName = m_list.model()->nameAt(row);
    const std::optional<QString> newName = Prompts::instance().askNewName(m_owner, folder, oldName);
    if (!newName)
        return false;

    const QString oldPath = joinPath(folder, oldName);
    const QString newPath = joinPath(folder, *newName);
    m_loader.emptyCache();
    m_view.clear();
    QString error;
    if (!FileOperations::renameFile(folder, oldName, *newName, &error)) {
        Prompts::instance().tell(m_owner, tr("Warning"), tr("Cannot rename file") + u'\n' + error,
                                 Prompts::Icon::Warning);
        m_view.showFile(oldPath);
        return false;
    }
    m_list.model()->renameFileRow(row, *newName);
    DescriptionStore &descriptions = m_list.descriptions();
    if (!descriptions.moveDescription(oldPath, newPath))
        Prompts::instance().tell(m_owner, tr("Warning"), descriptions.lastError(), Prompts::Icon::Warning);
    m_list.refreshExifRow(row, newPath, descriptions.getDescription(newPath));
    m_view.showFile(newPath);
    return true;
}

bool FileCommands::copyToFolder(const Target &target, const QStringList &files)
{
    if (files.isEmpty())
        return false;
    const bool one = files.size() == 1;
    const QString name = fileNameOf(QDir::fromNativeSeparators(files.constFirst()));
    QString destination = target.preset;
    if (destination.isEmpty() && target.browse) {
        const QString title = one ? tr("Choose folder to place the file \"%1\"").arg(name)
                                  : tr("Choose folder to place %1 selected files").arg(files.size());
        destination = Prompts::instance().browseForFolder(m_owner, title);
        if (destination.isEmpty())
            return false;
    } else if (destination.isEmpty()) {
        destination = favouriteFolder(target.favourite);
        if (destination.isEmpty())
            return false;
        const QString question = one ? tr("Copy file %1 to %2?").arg(name, shown(destination))
                                     : tr("Copy %1 selected files to folder %2?")
                                           .arg(QString::number(files.size()), shown(destination));
        if (!Prompts::instance().ask(m_owner, tr("Warning"), question, Prompts::Icon::Question))
            return false;
    }
    return runCopy(FileCopier(files, QDir::fromNativeSeparators(destination)));
}

bool FileCommands::runCopy(const FileCopier &copier)
{
    if (copier.isCopyToItself()) {
        Prompts::instance().tell(m_owner, tr("Warning"), tr("Cannot copy file(s) to itself"),
                                 Prompts::Icon::Information);
        return false;
    }
    CopyProgress progress(m_owner, copier);
    const FileCopier::Result result = copier.run(
        [this](const QString &existing) {
            // The question is answered with the normal cursor.
            QApplication::restoreOverrideCursor();
            const FileCopier::Replace answer = Prompts::instance().askReplace(m_owner, existing);
            QApplication::setOverrideCursor(Qt::WaitCursor);
            return answer;
        },
        progress.reporter());
    progress.finish();
    switch (result.outcome) {
    case FileCopier::Outcome::Copied:
        return true;
    case FileCopier::Outcome::ToItself:
        Prompts::instance().tell(m_owner, tr("Warning"), tr("Cannot copy file(s) to itself"),
                                 Prompts::Icon::Information);
        return false;
    case FileCopier::Outcome::Failed:
        Prompts::instance().tell(m_owner, tr("Warning"), tr("Cannot copy file") + u'\n' + result.error,
                                 Prompts::Icon::Warning);
        return false;
    case FileCopier::Outcome::Nothing:
    case FileCopier::Outcome::Cancelled:
        return false;
    }
    return false;
}

void FileCommands::tellCopied()
{
    Prompts::instance().tell(m_owner, QStringLiteral("Quorvel"), tr("File was copied successfully"),
                             Prompts::Icon::Information);
}

bool FileCommands::createLinkInFolder(const Target &target, const QString &path)
{
    if (path.isEmpty())
        return false;
    QString folder = target.preset;
    if (folder.isEmpty() && target.browse) {
        folder = Prompts::instance().browseForFolder(m_owner,
                                                     tr("Choose folder to place the file \"%1\"").arg(shown(path)));
    } else if (folder.isEmpty()) {
        folder = favouriteFolder(target.favourite);
        if (folder.isEmpty())
            return false;
        if (!Prompts::instance().ask(m_owner, tr("Warning"),
                                     tr("Create link to file %1 in the folder %2?").arg(shown(path), shown(folder)),
                                     Prompts::Icon::Question))
            return false;
    }
    if (folder.isEmpty())
        return false;
    QString error;
    if (!FileOperations::createLinkIn(path, QDir::fromNativeSeparators(folder), &error)) {
        Prompts::instance().tell(m_owner, tr("Warning"), error, Prompts::Icon::Warning);
        return false;
    }
    Prompts::instance().tell(m_owner, shown(path), tr("Link successfully created"), Prompts::Icon::Information);
    return true;
}

} // namespace quorvel
