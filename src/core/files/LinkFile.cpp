#include "core/files/LinkFile.h"

#include "core/files/FileAccess.h"
#include "core/files/PathUtil.h"
#include "core/files/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

namespace quorvel::link {

namespace {

QChar separator(PathStyle style)
{
    return style == PathStyle::Windows ? u'\\' : u'/';
}

// Brings a path into the style's own separators. Link texts written on
// Windows use backslashes; on POSIX systems they are read as separators too,
// so a link made there still resolves.
QString normalised(QString path, PathStyle style)
{
    if (style == PathStyle::Windows)
        path.replace(u'/', u'\\');
    else
        path.replace(u'\\', u'/');
    return path;
}

bool hasDrive(const QString &path, PathStyle style)
{
    return style == PathStyle::Windows && path.size() >= 2 && path.at(1) == u':' && path.at(0).isLetter();
}

struct SplitPath
{
    QString drive;          // "C:" or empty
    QStringList folders;    // the folder names between drive and file name
    bool rooted = false;    // the folder part begins at the root
    QString fileName;       // name and extension
};

SplitPath split(const QString &path, PathStyle style, bool isFolder)
{
    SplitPath out;
    QString rest = path;
    if (hasDrive(rest, style)) {
        out.drive = rest.left(2);
        rest = rest.mid(2);
    }
    const QChar sep = separator(style);
    const qsizetype lastSep = rest.lastIndexOf(sep);
    QString dir;
    if (isFolder) {
        dir = rest;
    } else {
        dir = lastSep >= 0 ? rest.left(lastSep + 1) : QString();
        out.fileName = rest.mid(lastSep + 1);
    }
    out.rooted = dir.startsWith(sep);
    out.folders = dir.split(sep, Qt::SkipEmptyParts);
    return out;
}

QString decodeLine(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    // Not UTF-8: a link written in the system's older 8-bit code page.
#ifdef Q_OS_WIN
    return QString::fromLocal8Bit(bytes);
#else
    return QString::fromLatin1(bytes);
#endif
}

} // namespace

PathStyle nativeStyle()
{
#ifdef Q_OS_WIN
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

bool isLinkName(QStringView name)
{
    return name.endsWith(u".link", Qt::CaseInsensitive);
}

QString relativeLinkPath(const QString &targetPath, const QString &destinationFolder, PathStyle style)
{
    const QChar sep = separator(style);
    const QString target = normalised(targetPath, style);
    QString destination = normalised(destinationFolder, style);
    if (destination.size() > 2 && !destination.endsWith(sep))
        destination += sep;

    const SplitPath t = split(target, style, false);
    const SplitPath d = split(destination, style, true);
    if (t.drive != d.drive || t.rooted != d.rooted)
        return target;

    qsizetype common = 0;
    while (common < t.folders.size() && common < d.folders.size()
           && t.folders.at(common) == d.folders.at(common))
        ++common;

    QString result;
    for (qsizetype i = common; i < d.folders.size(); ++i)
        result += QStringLiteral("..") + sep;
    for (qsizetype i = common; i < t.folders.size(); ++i)
        result += t.folders.at(i) + sep;
    return result + t.fileName;
}

QString resolveLinkText(const QString &linkFolder, const QString &line, PathStyle style)
{
    const QString text = normalised(line, style);
    const QChar sep = separator(style);
    QString target;
    if (hasDrive(text, style) || text.startsWith(sep)) {
        target = text;
        // "\Trips\a.jpg" on Windows names the root of the link's own drive.
        if (style == PathStyle::Windows && !hasDrive(text, style) && !text.startsWith(QStringLiteral("\\\\"))) {
            const QString folder = normalised(linkFolder, style);
            if (hasDrive(folder, style))
                target = folder.left(2) + text;
        }
    } else {
        QString folder = normalised(linkFolder, style);
        if (!folder.isEmpty() && !folder.endsWith(sep))
            folder += sep;
        target = folder + text;
    }
    return QDir::cleanPath(QDir::fromNativeSeparators(style == PathStyle::Windows
                                                          ? QString(target).replace(u'\\', u'/')
                                                          : target));
}

std::optional<QString> resolveLink(const QString &linkPath)
{
    // A FIFO named like a link is refused at once, never waited on.
    QFile file;
    if (!FileAccess::openForReading(file, linkPath))
        return std::nullopt;
    const QByteArray head = file.read(kMaxLinkLineBytes + 1);
    qsizetype end = head.indexOf('\n');
    if (end < 0) {
        if (head.size() > kMaxLinkLineBytes)
            return std::nullopt; // no line break within any sensible path length
        end = head.size();
    }
    QByteArray line = head.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.isEmpty() || line.contains('\0'))
        return std::nullopt;

    const QString target = resolveLinkText(folderOf(linkPath), decodeLine(line));
    if (target.isEmpty() || !QFileInfo::exists(target))
        return std::nullopt;
    return target;
}

QString effectivePath(const QString &path)
{
    if (isLinkName(fileNameOf(path))) {
        if (auto target = resolveLink(path))
            return *target;
    }
    return path;
}

QString linkFileName(const QString &target, const QString &destinationFolder)
{
    return joinPath(destinationFolder, fileNameOf(target) + QStringLiteral(".link"));
}

bool createLink(const QString &target, const QString &destinationFolder)
{
    const QString text = relativeLinkPath(QDir::toNativeSeparators(target),
                                          QDir::toNativeSeparators(destinationFolder));
    return safewrite::writeFile(linkFileName(target, destinationFolder), text.toUtf8());
}

} // namespace quorvel::link
