#include "core/fileops/FileOperations.h"

#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvel {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

bool FileOperations::fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool FileOperations::moveToTrash(const QString &path, QString *error, QString *trashedPath)
{
    // Without its data folder, QFile::moveToTrash may claim success and put
    // the file somewhere under the current folder.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QDir().mkpath(data)) {
        setError(error, tr("There is no trash folder for \"%1\".").arg(shown(path)));
        return false;
    }
    QFile file(path);
    if (!file.moveToTrash()) {
        setError(error, tr("\"%1\" could not be moved to the trash: %2").arg(shown(path), file.errorString()));
        return false;
    }
    // The file now goes by its name in the trash.
    const QString trashed = file.fileName();
    if (trashed.isEmpty() || QDir::isRelativePath(trashed)) {
        if (!trashed.isEmpty() && !fileExists(path))
            QFile::rename(trashed, path);
        setError(error, tr("\"%1\" could not be moved to the trash.").arg(shown(path)));
        return false;
    }
    if (trashedPath)
        *trashedPath = trashed;
    return true;
}

DeleteResult FileOperations::deleteFiles(const QStringList &paths, bool toTrash)
{
    DeleteResult result;
    for (const QString &path : paths) {
        if (!fileExists(path)) {
            result.failedPath = path;
            result.error = tr("The file \"%1\" does not exist.").arg(shown(path));
            return result;
        }
    }
    for (const QString &path : paths) {
        bool done = false;
        QString why;
        QString trashedPath;
        if (toTrash) {
            done = moveToTrash(path, &why, &trashedPath);
        } else {
            QFile file(path);
            done = file.remove();
            if (!done)
                why = tr("\"%1\" could not be deleted: %2").arg(shown(path), file.errorString());
        }
        if (!done) {
            result.failedPath = path;
            result.error = why;
            return result;
        }
        result.deleted.append(path);
        if (toTrash)
            result.trashed.append(trashedPath);
    }
    return result;
}

NameParts FileOperations::splitName(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return {fileName, QString()};
    return {fileName.left(dot), fileName.mid(dot)};
}

RenameCheck FileOperations::checkRename(const QString &folder, const QString &oldName, const QString &editText,
                                        QString *newName)
{
    if (editText.isEmpty())
        return RenameCheck::Empty;
    const QString name = editText + splitName(oldName).extension;
    if (newName)
        *newName = name;
    if (name == oldName)
        return RenameCheck::Unchanged;
    if (fileExists(joinPath(folder, name)))
        return RenameCheck::Exists;
    return RenameCheck::Accept;
}

bool FileOperations::isValidFileName(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') || name.contains(QChar(0)))
        return false;
#ifdef Q_OS_WIN
    static const QString forbidden = QStringLiteral("\\:*?\"<>|");
    for (QChar c : name) {
        if (forbidden.contains(c) || c.unicode() < 32)
            return false;
    }
#endif
    return true;
}

bool FileOperations::renameFile(const QString &folder, const QString &oldName, const QString &newName,
                                QString *error)
{
    if (!isValidFileName(newName)) {
        setError(error, tr("\"%1\" is not a valid file name.").arg(newName));
        return false;
    }
    const QString from = joinPath(folder, oldName);
    const QString to = joinPath(folder, newName);
    // QFile::rename never replaces an existing file.
    QFile file(from);
    if (!file.rename(to)) {
        setError(error, tr("\"%1\" could not be renamed to \"%2\": %3").arg(shown(from), newName, file.errorString()));
        return false;
    }
    return true;
}

bool FileOperations::createLinkIn(const QString &target, const QString &folder, QString *error)
{
    if (!QFileInfo(folder).isDir()) {
        setError(error, tr("The folder \"%1\" does not exist.").arg(shown(folder)));
        return false;
    }
    if (!link::createLink(target, folder)) {
        setError(error, tr("The link \"%1\" could not be written.").arg(shown(link::linkFileName(target, folder))));
        return false;
    }
    return true;
}

} // namespace quorvel
