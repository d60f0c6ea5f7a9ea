#include "Commands.h"
#include "ListedFolder.h"

#include "core/exif/ExifStatistics.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel::cli {

void defineStats(CommandLine &line)
{
    line.describe(QStringLiteral("FOLDER [--filter TEXT]"),
                  QStringLiteral("the rows of the EXIF statistics of the folder's files, text and count"));
    addFilterOption(line);
    line.addArgument(QStringLiteral("FOLDER"), QStringLiteral("the folder whose listed files are counted"));
}

// Prints the rows of the "EXIF statistics" report, "<text>\t<count>" each
// (the count empty where the row has none).
int runStats(const CommandLine &line)
{
    if (line.positional().size() != 1)
        return line.usageError();
    const QString folder = QDir::fromNativeSeparators(line.positional().first());
    const QString filter = line.value(QStringLiteral("filter"));
    if (!QFileInfo(folder).isDir()) {
        err(QStringLiteral("quorvel-tool: not a folder: %1").arg(folder));
        return 1;
    }
    const ListedFolder listed(folder, filter);
    ExifStatistics statistics;
    // The fields the listing read are counted as they are: each file is
    // read once.
    const auto known = listed.model().exifRecordsByScanIndex();
    statistics.gather(listed.model().folder(), listed.model().names(), {}, nullptr, &known);
    for (const ExifStatistics::Row &row : statistics.rows(listed.model().folder()))
        out(row.text + u'\t' + row.count);
    return 0;
}

} // namespace quorvel::cli
