#pragma once

#include <QString>

#include <optional>

namespace quorvel {

// A link file stands in a folder for an image kept elsewhere. It is named
// after the target's file name plus ".link" (IMG_0012.JPG.link) and holds one
// line, the target's path: relative to the link's folder when both lie on the
// same drive, else absolute. No line break follows it.
namespace link {

// The conventions of the platform a link text is written for: Windows has
// drive letters and backslashes, POSIX systems have neither (so every link
// there is relative).
enum class PathStyle { Posix, Windows };
PathStyle nativeStyle();

// A link's first line is a path; anything much longer than a path is not a
// link file.
inline constexpr qint64 kMaxLinkLineBytes = 32 * 1024;

bool isLinkName(QStringView name);

// The text a new link to target placed in destinationFolder holds.
QString relativeLinkPath(const QString &target, const QString &destinationFolder,
                         PathStyle style = nativeStyle());

// Where a link file's line points, given the folder that holds the link.
// Pure text work: the file system is not consulted.
QString resolveLinkText(const QString &linkFolder, const QString &line,
                        PathStyle style = nativeStyle());

// Reads the link file and resolves it. Fails when the file cannot be read,
// its first line is empty, binary or absurdly long, or the target does not
// exist.
std::optional<QString> resolveLink(const QString &linkPath);

// The file a listed path stands for: the link's target when it is a link that
// resolves, otherwise the path itself.
QString effectivePath(const QString &path);

// Writes destinationFolder/<target name>.link holding the relative path.
// Fails only when the file cannot be written.
bool createLink(const QString &target, const QString &destinationFolder);
// The name createLink gives the link file.
QString linkFileName(const QString &target, const QString &destinationFolder);

} // namespace link
} // namespace quorvel
