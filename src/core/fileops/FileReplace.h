#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel {

struct FileTimes;

// Replaces a file's content as the image writers do: the new bytes go into
// a temporary file beside the target that is renamed over it only once
// complete (safewrite), so a failure - a full disk, a folder without write
// access, a locked file - leaves the target as it was and no temporary file
// behind. The replaced file keeps the permissions the old one had and, when
// times is given, those time stamps. False with *error set on failure.
bool replaceFileContents(const QString &path, const QByteArray &bytes, const FileTimes *times,
                         QString *error = nullptr);

} // namespace quorvel
