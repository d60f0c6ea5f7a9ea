#include "Commands.h"

#include "core/files/FolderScanner.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel::cli {

// Prints "<kind>\t<name>" per entry: 0 listed file, 1 folder with listed
// subfolders, 2 folder without.
int runScan(const QStringList &args)
{
    if (args.size() != 1) {
        err(QStringLiteral("usage: quorvel-tool scan FOLDER"));
        return 2;
    }
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
