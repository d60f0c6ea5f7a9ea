#include "core/fileops/RepositoryLocation.h"

#include "core/fileops/VersionStore.h"
#include "core/files/PathUtil.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvel {

QString RepositoryLocation::folder(const QString &programFolder, const QString &userDataFolder)
{
    if (!programFolder.isEmpty() && QFileInfo(joinPath(programFolder, VersionStore::indexFileName())).isFile())
        return programFolder;
    return joinPath(userDataFolder, QStringLiteral("versions"));
}

QString RepositoryLocation::folder()
{
    return folder(QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace quorvel
