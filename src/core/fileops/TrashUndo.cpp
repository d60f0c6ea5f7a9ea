#include "core/fileops/TrashUndo.h"

#include "core/fileops/FileOperations.h"
#include "core/files/DescriptionStore.h"
#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace quorvel {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool samePath(const QString &a, const QString &b)
{
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}

} // namespace

void TrashUndo::remember(QVector<TrashedFile> files)
{
    m_files = std::move(files);
}

QString TrashUndo::namesText() const
{
    constexpr int kNamed = 3;
    QStringList names;
    for (const TrashedFile &f : m_files) {
        if (names.size() == kNamed)
            break;
        names.append(fileNameOf(f.originalPath));
    }
    const QString list = names.join(QStringLiteral(", "));
    if (m_files.size() <= kNamed)
        return list;
    return tr("%1 and %2 more").arg(list).arg(m_files.size() - kNamed);
}

QString TrashUndo::infoFileOf(const QString &trashedPath)
{
    // <trash>/files/NAME is recorded in <trash>/info/NAME.trashinfo.
    const QFileInfo trashed(trashedPath);
    const QDir filesDir = trashed.absoluteDir();
    return QDir::cleanPath(filesDir.absoluteFilePath(QStringLiteral("../info/") + trashed.fileName()
                                                     + QStringLiteral(".trashinfo")));
}

QString TrashUndo::recordedPath(const QString &trashedPath)
{
    QFile info(infoFileOf(trashedPath));
    if (!info.open(QIODevice::ReadOnly) || info.size() > kMaxInfoBytes)
        return QString();
    return pathInRecord(info.read(kMaxInfoBytes), trashedPath);
}

QString TrashUndo::pathInRecord(QByteArrayView record, const QString &trashedPath)
{
    if (record.size() > kMaxInfoBytes)
        return QString();
    bool inGroup = false;
    for (const QByteArray &raw : QByteArray(record.data(), record.size()).split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inGroup = line == "[Trash Info]";
            continue;
        }
        if (!inGroup || !line.startsWith("Path="))
            continue;
        const QString path = QUrl::fromPercentEncoding(line.mid(5));
        if (path.isEmpty())
            return QString();
        if (QDir::isAbsolutePath(path))
            return QDir::cleanPath(path);
        // A trash at the top of another volume records paths from there.
        const QDir trashDir(QFileInfo(trashedPath).absolutePath() + QStringLiteral("/.."));
        return QDir::cleanPath(trashDir.absoluteFilePath(QStringLiteral("../") + path));
    }
    return QString();
}

TrashUndo::Outcome TrashUndo::restoreOne(const TrashedFile &file, QString *message)
{
    const QString name = shown(file.originalPath);
    if (!FileOperations::fileExists(file.trashedPath) || !samePath(recordedPath(file.trashedPath), file.originalPath)) {
        *message = tr("\"%1\" cannot be restored: it is no longer in the trash.").arg(name);
        return Outcome::Gone;
    }
    if (FileOperations::fileExists(file.originalPath)) {
        *message = tr("\"%1\" cannot be restored: another file of that name is there now.").arg(name);
        return Outcome::PlaceTaken;
    }
    if (!QFileInfo(folderOf(file.originalPath)).isDir()) {
        *message = tr("\"%1\" cannot be restored: its folder is gone.").arg(name);
        return Outcome::PlaceTaken;
    }
    // QFile::rename never replaces an existing file.
    QFile trashed(file.trashedPath);
    if (!trashed.rename(file.originalPath)) {
        *message = tr("\"%1\" could not be moved back from the trash: %2").arg(name, trashed.errorString());
        return FileOperations::fileExists(file.originalPath) ? Outcome::PlaceTaken : Outcome::Failed;
    }
    QFile::remove(infoFileOf(file.trashedPath));

    if (!file.description.isEmpty() && !link::isLinkName(fileNameOf(file.originalPath))) {
        DescriptionStore descriptions;
        descriptions.load(DescriptionStore::fileInFolder(folderOf(file.originalPath)));
        // A description given meanwhile is the newer one.
        if (descriptions.get(file.originalPath).isEmpty()
            && !descriptions.setDescription(file.originalPath, file.description)) {
            *message = tr("\"%1\" was restored, but not its description: %2")
                           .arg(name, descriptions.lastError());
        }
    }
    return Outcome::Restored;
}

TrashUndo::Result TrashUndo::restore()
{
    Result result;
    QVector<TrashedFile> kept;
    for (const TrashedFile &file : std::as_const(m_files)) {
        QString message;
        const Outcome outcome = restoreOne(file, &message);
        if (outcome == Outcome::Restored)
            result.restored.append(file.originalPath);
        if (!message.isEmpty())
            result.problems.append(message);
        if (outcome == Outcome::PlaceTaken || outcome == Outcome::Failed)
            kept.append(file);
    }
    m_files = std::move(kept);
    return result;
}

} // namespace quorvel
