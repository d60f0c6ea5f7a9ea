#include "core/files/FolderTreeRules.h"

#include <QDir>
#include <QStorageInfo>

namespace quorvel::folderTree {

namespace {

QStringList components(const QString &path)
{
    return QDir::fromNativeSeparators(path).split(u'/', Qt::SkipEmptyParts);
}

} // namespace

bool caseInsensitiveFileSystem()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

bool sameComponent(const QString &a, const QString &b, bool caseInsensitive)
{
    return a.compare(b, caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
}

QString itemPath(const QStringList &textsFromRoot)
{
    QString path;
    for (const QString &text : textsFromRoot)
        path += QDir::fromNativeSeparators(text) + u'/';
    while (path.contains(QStringLiteral("//")))
        path.replace(QStringLiteral("//"), QStringLiteral("/"));
#ifdef Q_OS_WIN
    // A network path keeps its leading pair.
    if (!textsFromRoot.isEmpty() && QDir::fromNativeSeparators(textsFromRoot.first()).startsWith(QStringLiteral("//")))
        path.prepend(u'/');
#endif
    return path;
}

RootMatch matchRoot(const QStringList &rootPaths, const QString &path, bool caseInsensitive)
{
    RootMatch match;
    const QStringList target = components(path);
    const bool targetRooted = QDir::fromNativeSeparators(path).startsWith(u'/');
    for (int i = 0; i < rootPaths.size(); ++i) {
        const QStringList root = components(rootPaths.at(i));
        if (QDir::fromNativeSeparators(rootPaths.at(i)).startsWith(u'/') != targetRooted || root.size() > target.size())
            continue;
        bool prefix = true;
        for (int k = 0; k < root.size() && prefix; ++k)
            prefix = sameComponent(root.at(k), target.at(k), caseInsensitive);
        if (prefix) {
            match.rootIndex = i;
            match.components = target.mid(root.size());
            return match;
        }
    }
    return match;
}

QStringList driveRoots()
{
    QStringList roots;
#ifdef Q_OS_WIN
    for (const QFileInfo &drive : QDir::drives()) {
        QString text = QDir::toNativeSeparators(drive.absolutePath()).toUpper();
        text.remove(u'\\');
        if (!text.contains(QStringLiteral("A:")))
            roots.append(text);
    }
#else
    roots.append(QDir::homePath());
    roots.append(QStringLiteral("/"));
    // Cards and sticks mounted by the desktop.
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || root == QStringLiteral("/"))
            continue;
        if (root.startsWith(QStringLiteral("/media/")) || root.startsWith(QStringLiteral("/run/media/")))
            roots.append(root);
    }
#endif
    return roots;
}

} // namespace quorvel::folderTree
