#include "Commands.h"
#include "ListedFolder.h"

#include "core/exif/ExifStatistics.h"

#include <QFileInfo>

namespace quorvel::cli {

// Prints the rows of the "EXIF statistics" report, "<text>\t<count>" each
// (the count empty where the row has none).
int runStats(const QStringList &args)
{
    QStringList positional;
    QString filter;
    if (!parseListedArgs(args, 1, &positional, &filter)) {
        err(QStringLiteral("usage: quorvel-tool stats FOLDER [--filter TEXT]"));
        return 2;
    }
    const QString folder = positional.first();
    if (!QFileInfo(folder).isDir()) {
        err(QStringLiteral("quorvel-tool: not a folder: %1").arg(folder));
        return 1;
    }
    const ListedFolder listed(folder, filter);
    ExifStatistics statistics;
    statistics.gather(listed.model().folder(), listed.model().names());
    for (const ExifStatistics::Row &row : statistics.rows(listed.model().folder()))
        out(row.text + u'\t' + row.count);
    return 0;
}

} // namespace quorvel::cli
