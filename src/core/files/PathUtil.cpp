#include "core/files/PathUtil.h"

namespace quorvel {

namespace {
bool isSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'/' || c == u'\\';
#else
    return c == u'/';
#endif
}
} // namespace

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    if (isSeparator(folder.back()))
        return folder + name;
    return folder + u'/' + name;
}

QString withTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || isSeparator(folder.back()))
        return folder;
    return folder + u'/';
}

QString folderOf(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (isSeparator(path.at(i)))
            return path.left(i + 1);
    }
#ifdef Q_OS_WIN
    if (path.size() >= 2 && path.at(1) == u':')
        return path.left(2);
#endif
    return QString();
}

QString fileNameOf(const QString &path)
{
    return path.mid(folderOf(path).size());
}

bool pathContainsLower(const QString &path, QStringView text)
{
    return path.toLower().contains(text);
}

} // namespace quorvel
