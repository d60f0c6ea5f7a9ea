#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace quorvel {

// What a delete left behind: the files that are gone, and the first one that
// could not be deleted (with the reason), after which nothing more was tried.
struct DeleteResult
{
    QStringList deleted;
    // Where the trash keeps each deleted file, beside deleted (a delete for
    // good leaves this empty).
    QStringList trashed;
    QString failedPath;
    QString error;
    bool ok() const { return failedPath.isEmpty(); }
};

// A file name cut before its last dot: "IMG_1.JPG" gives "IMG_1" and ".JPG",
// "a.jpg.link" gives "a.jpg" and ".link", "README" gives "README" and "".
struct NameParts
{
    QString base;
    QString extension;
};

// The verdict on the text typed in the rename dialog.
enum class RenameCheck {
    Accept,    // rename to the new name
    Empty,     // nothing typed
    Unchanged, // the same name: nothing to do
    Exists,    // a file of that name is in the folder
};

// The file commands on the user's own files. They do exactly what they are
// asked and report what went wrong in a form that can be shown to the user.
class FileOperations
{
    Q_DECLARE_TR_FUNCTIONS(FileOperations)

public:
    // Deletes the files in order, to the trash or for good. Nothing is
    // deleted unless every file exists; a failure stops at that file.
    static DeleteResult deleteFiles(const QStringList &paths, bool toTrash);

    // Moves one file to the trash. The data folder that holds the trash is
    // made first; a trash that ends up anywhere but an absolute path counts
    // as a failure, and the file is put back.
    static bool moveToTrash(const QString &path, QString *error = nullptr, QString *trashedPath = nullptr);

    // Whether something (a file, a folder, a link, even a dangling one) has
    // this path.
    static bool fileExists(const QString &path);

    static NameParts splitName(const QString &fileName);

    // The new name for the edit text (the old extension appended) and the
    // verdict on it.
    static RenameCheck checkRename(const QString &folder, const QString &oldName, const QString &editText,
                                   QString *newName);

    // Renames a file within its folder. Never replaces an existing file, and
    // refuses a name that would move the file elsewhere.
    static bool renameFile(const QString &folder, const QString &oldName, const QString &newName,
                           QString *error = nullptr);
    static bool isValidFileName(const QString &name);

    // Writes a link to target into folder.
    static bool createLinkIn(const QString &target, const QString &folder, QString *error = nullptr);
};

} // namespace quorvel
