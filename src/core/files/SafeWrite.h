#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel {

// Replacing files without ever leaving a half-written one behind, through
// SafeWriter: the new content goes into a temporary file beside the target,
// which is renamed over the target only once it is complete. Nothing is
// written through a symbolic link, a replaced file keeps its mode, and a
// target that another program changed during the write is left alone. On
// failure the target is left exactly as it was and *error (when given) says
// what went wrong, in a form that can be shown to the user.
namespace safewrite {

bool writeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Copies source to destination the same way, replacing destination when
// replaceExisting is set and refusing when it exists otherwise (also when it
// appears during the copy). Only a regular file is copied. The copy keeps
// the source's modification time, as a copy in the file manager does.
bool copyFile(const QString &source, const QString &destination, bool replaceExisting,
              QString *error = nullptr);

} // namespace safewrite
} // namespace quorvel
