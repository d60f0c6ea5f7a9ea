#include "core/print/OutputFileNames.h"

#include <algorithm>

namespace quorvel {

namespace {

struct PathParts
{
    QString folder;    // with its trailing separator, or empty
    QString base;      // the name without its last extension
    QString extension; // with its dot, or empty
};

PathParts split(const QString &path)
{
    qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    cut = std::max(cut, path.lastIndexOf(QLatin1Char('\\')));
    cut = std::max(cut, path.lastIndexOf(QLatin1Char(':')));
#endif
    PathParts parts;
    parts.folder = path.left(cut + 1);
    const QString name = path.mid(cut + 1);
    // A leading dot starts a name, not an extension.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        parts.base = name.left(dot);
        parts.extension = name.mid(dot);
    } else {
        parts.base = name;
    }
    return parts;
}

} // namespace

QString OutputFileNames::prepared(const QString &sourcePath, const QString &formatKey)
{
    const PathParts p = split(sourcePath);
    return p.folder + p.base + QLatin1Char('_') + formatKey + QStringLiteral(".jpg");
}

QString OutputFileNames::indexList(const QString &chosenPath, int list)
{
    const PathParts p = split(chosenPath);
    return p.folder + p.base + QLatin1Char('_') + QString::number(list) + p.extension;
}

} // namespace quorvel
