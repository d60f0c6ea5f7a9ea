#include "core/exif/ExifCompanion.h"

#include "core/files/PathUtil.h"

#include <QDirIterator>
#include <QFileInfo>

namespace quorvel {

namespace {

bool isCanonRawName(const QString &name)
{
    return name.endsWith(QLatin1String(".crw"), Qt::CaseInsensitive)
        || name.endsWith(QLatin1String(".cr2"), Qt::CaseInsensitive);
}

} // namespace

QString exifSourcePath(const QString &path)
{
    const QString name = fileNameOf(path);
    if (!isCanonRawName(name))
        return path;
    const QString folder = folderOf(path);
    const QString base = name.left(name.size() - 4);
    const QString wanted = base + QLatin1String(".thm");

    // The spellings cameras write come first; a case-insensitive file
    // system finds any of them under the first name.
    const QString likely[] = {
        base + QLatin1String(".THM"),
        wanted,
        base.toUpper() + QLatin1String(".THM"),
        base.toLower() + QLatin1String(".thm"),
    };
    for (const QString &candidate : likely) {
        const QString full = folder + candidate;
        if (QFileInfo(full).isFile())
            return full;
    }

    // Any other capitalisation: look through the folder. Of several matches
    // the first in name order is taken, so the choice does not depend on the
    // order the file system lists them in.
    QString match;
    QDirIterator it(folder.isEmpty() ? QStringLiteral(".") : folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QString entry = it.fileName();
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0 && (match.isEmpty() || entry < match))
            match = entry;
    }
    return folder + (match.isEmpty() ? wanted : match);
}

} // namespace quorvel
