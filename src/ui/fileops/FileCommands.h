#pragma once

#include "core/fileops/TrashUndo.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QWidget;

namespace quorvel {

class ImageView;
class FileListPane;
class FileCopier;
class ImageLoader;
class DescriptionStore;
struct DeleteResult;

// The file commands with their questions and messages: delete and rename on
// the list's selection, copy and link into a folder chosen in the folder
// dialog or taken from the favourites. Each returns whether it did its work;
// every failure has been reported by then.
class FileCommands
{
    Q_DECLARE_TR_FUNCTIONS(FileCommands)

public:
    FileCommands(QWidget *owner, FileListPane &list, ImageView &view, ImageLoader &loader);

    // Deletes the selected rows' own files (a link file, not its target).
    // The files of a delete to the trash are remembered for undoDelete.
    bool deleteSelected(bool toTrash);

    // Brings the files of the last delete to the trash back to their places,
    // with their descriptions; every file that stays in the trash is
    // reported. Returns the paths that came back.
    QStringList undoDelete();
    bool canUndoDelete() const { return !m_undo.isEmpty(); }
    // The names of the files undoDelete would bring back.
    QString undoNames() const { return m_undo.namesText(); }
    // Renames the first selected file, keeping its extension, and moves its
    // description along.
    bool renameSelected();

    // Where a copy or a link goes: a folder chosen in the folder dialog, or
    // favourite number k (from 1).
    struct Target
    {
        bool browse = true;
        int favourite = 0;
        QString preset; // a folder given by a drop: used as it is
    };
    // Copies files (links already resolved) to the target folder.
    bool copyToFolder(const Target &target, const QStringList &files);
    // Writes a link to path into the target folder.
    bool createLinkInFolder(const Target &target, const QString &path);

    // "File was copied successfully".
    void tellCopied();

private:
    bool runCopy(const FileCopier &copier);
    void rememberTrashed(const DeleteResult &result, const DescriptionStore &descriptions);

    QWidget *m_owner;
    FileListPane &m_list;
    ImageView &m_view;
    ImageLoader &m_loader;
    TrashUndo m_undo;
};

} // namespace quorvel
