#pragma once

#include <QString>

namespace quorvel {

// Paths inside the program use '/' as Qt does; texts shown to the user or
// written into files the platform's other programs read use the platform's
// own separator.

// folder + name, with exactly one separator between them.
QString joinPath(const QString &folder, const QString &name);
// The folder with a trailing separator (unless empty).
QString withTrailingSeparator(const QString &folder);
// The folder part of a path, with its trailing separator ("" when none).
QString folderOf(const QString &path);
// The name and extension part of a path.
QString fileNameOf(const QString &path);
// Lower-cased path test used by the name rules: does the path contain text?
bool pathContainsLower(const QString &path, QStringView text);

} // namespace quorvel
