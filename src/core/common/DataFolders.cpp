#include "core/common/DataFolders.h"

#include "core/files/PathUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// The build system states where the data lands relative to the executable;
// these are the usual values for a build that does not say.
#ifndef QUORVEL_DATA_RELATIVE_PATH
#define QUORVEL_DATA_RELATIVE_PATH "../share/quorvel"
#endif
#ifndef QUORVEL_DOC_RELATIVE_PATH
#define QUORVEL_DOC_RELATIVE_PATH "../share/doc/quorvel"
#endif

namespace quorvel {

QString DataFolders::installedRelativePath(Kind kind)
{
    return kind == ProgramData ? QStringLiteral(QUORVEL_DATA_RELATIVE_PATH) : QStringLiteral(QUORVEL_DOC_RELATIVE_PATH);
}

QString DataFolders::locate(Kind kind, const QString &programFolder)
{
    const QString relative = installedRelativePath(kind);
    const QString installed =
        QDir::cleanPath(QDir::isAbsolutePath(relative) ? relative : joinPath(programFolder, relative));
    if (!programFolder.isEmpty() && QFileInfo(installed).isDir())
        return installed;
    return QDir::cleanPath(programFolder);
}

QString DataFolders::locate(Kind kind)
{
    return locate(kind, QCoreApplication::applicationDirPath());
}

QString DataFolders::filePath(Kind kind, const QString &fileName)
{
    return joinPath(locate(kind), fileName);
}

} // namespace quorvel
