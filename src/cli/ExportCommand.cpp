#include "Commands.h"
#include "ListedFolder.h"

#include "core/exif/ImagesInfoExport.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel::cli {

// Writes the image-information export of the folder's listed rows to OUT.
int runExport(const QStringList &args)
{
    QStringList positional;
    QString filter;
    bool bad = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--filter") && i + 1 < args.size())
            filter = args.at(++i);
        else if (args.at(i).startsWith(QLatin1String("--")))
            bad = true;
        else
            positional.append(QDir::fromNativeSeparators(args.at(i)));
    }
    if (bad || positional.size() != 2) {
        err(QStringLiteral("usage: quorvel-tool export FOLDER OUT [--filter TEXT]"));
        return 2;
    }
    if (!QFileInfo(positional.at(0)).isDir()) {
        err(QStringLiteral("quorvel-tool: not a folder: %1").arg(positional.at(0)));
        return 1;
    }
    const ListedFolder listed(positional.at(0), filter);
    QString error;
    if (!ExportImagesInfo(positional.at(1), imagesinfo::listedPaths(listed.model()), &error)) {
        err(QStringLiteral("quorvel-tool: ") + error);
        return 1;
    }
    return 0;
}

} // namespace quorvel::cli
