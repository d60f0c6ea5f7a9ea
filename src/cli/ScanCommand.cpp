#include "Commands.h"

#include "core/files/FolderScanner.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel::cli {

void defineScan(CommandLine &line)
{
    line.describe(QStringLiteral("FOLDER"), QStringLiteral("list the folder's entries and their kinds in scan order"));
    line.addArgument(QStringLiteral("FOLDER"), QStringLiteral("the folder to scan"));
}

// Prints "<kind>\t<name>" per entry: 0 listed file, 1 folder with listed
// subfolders, 2 folder without.
int runScan(const CommandLine &line)
{
    const QStringList args = line.positional();
    if (args.size() != 1)
        return line.usageError();
    const QString folder = QDir::fromNativeSeparators(args.first());
    if (!QFileInfo(folder).isDir()) {
        err(QStringLiteral("quorvel-tool: not a folder: %1").arg(args.first()));
        return 1;
    }
    const FolderEntries entries = FolderScanner(folder).scan(FolderScanner::FoldersAndImages);
    for (const FolderEntry &e : entries)
        out(QStringLiteral("%1\t%2").arg(e.kind).arg(e.name));
    return 0;
}

} // namespace quorvel::cli
