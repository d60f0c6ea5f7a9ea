#include "core/files/FileRecord.h"

#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"

namespace quorvel {

bool FileRecord::isLink() const
{
    return link::isLinkName(name);
}

QString FileRecord::fullPath(const QString &folder) const
{
    return joinPath(folder, name);
}

} // namespace quorvel
