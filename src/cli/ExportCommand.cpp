#include "Commands.h"
#include "ListedFolder.h"

#include "core/exif/ImagesInfoExport.h"

#include <QFileInfo>

namespace quorvel::cli {

// Writes the image-information export of the folder's listed rows to OUT.
int runExport(const QStringList &args)
{
    QStringList positional;
    QString filter;
    if (!parseListedArgs(args, 2, &positional, &filter)) {
        err(QStringLiteral("usage: quorvel-tool export FOLDER OUT [--filter TEXT]"));
        return 2;
    }
    if (!QFileInfo(positional.at(0)).isDir()) {
        err(QStringLiteral("quorvel-tool: not a folder: %1").arg(positional.at(0)));
        return 1;
    }
    const ListedFolder listed(positional.at(0), filter);
    QString error;
    if (!exportImagesInfo(positional.at(1), imagesinfo::listedPaths(listed.model()), &error)) {
        err(QStringLiteral("quorvel-tool: ") + error);
        return 1;
    }
    return 0;
}

} // namespace quorvel::cli
