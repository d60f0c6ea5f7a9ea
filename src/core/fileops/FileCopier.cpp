#include "core/fileops/FileCopier.h"

#include "core/fileops/FileOperations.h"
#include "core/files/PathUtil.h"
#include "core/files/SafeWrite.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel {

namespace {

// The folder as the file system knows it, so that "/a/b", "/a/b/" and a
// link to it compare equal.
QString canonicalFolder(const QString &folder)
{
    return QFileInfo(folder).canonicalFilePath();
}

} // namespace

FileCopier::FileCopier(QStringList files, QString destination)
    : m_files(std::move(files))
    , m_destination(std::move(destination))
{
    // Two links to one image copy it once.
    m_files.removeDuplicates();
    m_files.removeAll(QString());
}

QString FileCopier::targetFor(const QString &source, const QString &destination)
{
    return joinPath(destination, fileNameOf(source));
}

bool FileCopier::isCopyToItself() const
{
    const QString destination = canonicalFolder(m_destination);
    if (destination.isEmpty())
        return false;
    for (const QString &file : m_files) {
        if (canonicalFolder(folderOf(file)) == destination)
            return true;
    }
    return false;
}

qint64 FileCopier::totalBytes() const
{
    qint64 total = 0;
    for (const QString &file : m_files)
        total += QFileInfo(file).size();
    return total;
}

bool FileCopier::wantsProgress() const
{
    return m_files.size() > kProgressFiles || totalBytes() > kProgressBytes;
}

FileCopier::Result FileCopier::run(const AskReplace &askReplace, const Report &report) const
{
    Result result;
    if (m_files.isEmpty() || m_destination.isEmpty())
        return result;
    if (!QFileInfo(m_destination).isDir()) {
        result.outcome = Outcome::Failed;
        result.error = tr("The folder \"%1\" does not exist.").arg(QDir::toNativeSeparators(m_destination));
        return result;
    }
    if (isCopyToItself()) {
        result.outcome = Outcome::ToItself;
        return result;
    }

    Progress progress;
    progress.total = int(m_files.size());
    progress.bytesTotal = report ? totalBytes() : 0;
    bool replaceAll = false;
    for (const QString &source : m_files) {
        progress.current = source;
        if (report && !report(progress)) {
            result.outcome = Outcome::Cancelled;
            return result;
        }
        const QString target = targetFor(source, m_destination);
        if (FileOperations::fileExists(target) && !replaceAll) {
            const Replace answer = askReplace ? askReplace(target) : Replace::No;
            if (answer == Replace::Cancel) {
                result.outcome = Outcome::Cancelled;
                return result;
            }
            if (answer == Replace::No) {
                ++result.skipped;
                ++progress.done;
                continue;
            }
            replaceAll = answer == Replace::YesToAll;
        }
        QString error;
        if (QFileInfo(target).isDir() || !safewrite::copyFile(source, target, true, &error)) {
            result.outcome = Outcome::Failed;
            result.failedFile = source;
            result.error = error.isEmpty()
                               ? tr("The file \"%1\" could not be written.").arg(QDir::toNativeSeparators(target))
                               : error;
            return result;
        }
        ++result.copied;
        ++progress.done;
        progress.bytesDone += QFileInfo(target).size();
    }
    progress.current.clear();
    if (report)
        report(progress);
    result.outcome = result.copied > 0 ? Outcome::Copied : Outcome::Nothing;
    return result;
}

} // namespace quorvel
