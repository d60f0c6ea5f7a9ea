#pragma once

#include <QString>

namespace quorvel {

// The file whose EXIF stands for path. Canon raw files (".crw", ".cr2", in
// any capitalisation) carry theirs in the thumbnail file of the same folder
// and base name with the extension ".thm"; the companion is matched without
// regard to case. Without a companion on disk the result is the path such a
// companion would have, which does not exist. Any other path is returned
// as it is.
QString exifSourcePath(const QString &path);

} // namespace quorvel
