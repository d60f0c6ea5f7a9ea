#pragma once

#include <QString>
#include <QStringList>

namespace quorvel::folderTree {

// The text of the dummy child that gives a folder with unread subfolders its
// expand button.
inline const QString kDummyText = QStringLiteral("Sub dir");

// Whether folder names are compared without regard to letter case: where the
// file system does so (Windows), not elsewhere.
bool caseInsensitiveFileSystem();
bool sameComponent(const QString &a, const QString &b, bool caseInsensitive = caseInsensitiveFileSystem());

// The path of a tree item from the texts of the items from its root down to
// it: each text followed by a separator, doubled separators made single. The
// result always ends in a separator ("/home/me/Photos/").
QString itemPath(const QStringList &textsFromRoot);

// The root a path lies under: the index of the first root whose path is a
// leading part of it (whole folder names), and the folder names below that
// root. rootIndex is -1 when no root holds the path.
struct RootMatch
{
    int rootIndex = -1;
    QStringList components;
};
RootMatch matchRoot(const QStringList &rootPaths, const QString &path,
                    bool caseInsensitive = caseInsensitiveFileSystem());

// The roots of "all drives": the drive letters on Windows; elsewhere the home
// folder, the file system root and mounted removable volumes.
QStringList driveRoots();

} // namespace quorvel::folderTree
