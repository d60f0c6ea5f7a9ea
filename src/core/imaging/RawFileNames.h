#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

// Camera raw files are recognised by name: the extension (from its dot,
// lower-cased) containing one of these. Kept apart from the decoders so
// that listing a folder links none of them.
const QStringList &rawExtensions();
bool isRawFile(const QString &path);

} // namespace quorvel
