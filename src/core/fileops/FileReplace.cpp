#include "core/fileops/FileReplace.h"

#include "core/fileops/FileTimes.h"
#include "core/files/SafeWrite.h"

#include <QFile>
#include <QFileInfo>

namespace quorvel {

bool replaceFileContents(const QString &path, const QByteArray &bytes, const FileTimes *times, QString *error)
{
    const QFileInfo before(path);
    const bool existed = before.exists();
    const QFileDevice::Permissions permissions = existed ? before.permissions() : QFileDevice::Permissions();
    if (!safewrite::writeFile(path, bytes, error))
        return false;
    if (existed)
        QFile::setPermissions(path, permissions);
    if (times)
        setFileTimes(path, *times);
    return true;
}

} // namespace quorvel
