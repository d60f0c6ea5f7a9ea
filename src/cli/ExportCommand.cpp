#include "Commands.h"
#include "ListedFolder.h"

#include "core/exif/ImagesInfoExport.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel::cli {

void defineExport(CommandLine &line)
{
    line.describe(QStringLiteral("FOLDER OUT [--filter TEXT]"),
                  QStringLiteral("write the image-information export of the files the EXIF view lists"));
    addFilterOption(line);
    line.addArgument(QStringLiteral("FOLDER"), QStringLiteral("the folder whose listed files are exported"));
    line.addArgument(QStringLiteral("OUT"), QStringLiteral("the text file to write"));
}

// Writes the image-information export of the folder's listed rows to OUT.
int runExport(const CommandLine &line)
{
    if (line.positional().size() != 2)
        return line.usageError();
    QStringList positional;
    for (const QString &arg : line.positional())
        positional.append(QDir::fromNativeSeparators(arg));
    const QString filter = line.value(QStringLiteral("filter"));
    if (!QFileInfo(positional.at(0)).isDir()) {
        err(QStringLiteral("quorvel-tool: not a folder: %1").arg(positional.at(0)));
        return 1;
    }
    const ListedFolder listed(positional.at(0), filter);
    QString error;
    if (!exportListedFiles(positional.at(1), imagesinfo::listedFiles(listed.model()), &error)) {
        err(QStringLiteral("quorvel-tool: ") + error);
        return 1;
    }
    return 0;
}

} // namespace quorvel::cli
