#include "core/fileops/FileReplace.h"

#include "core/fileops/FileTimes.h"
#include "core/files/SafeWriter.h"

namespace quorvel {

bool replaceFile(const QString &path, const WriteContent &content, const ReplaceOptions &options, QString *error)
{
    SafeWriter writer(path);
    if (options.expected)
        writer.expectUnchanged(*options.expected);
    if (options.times)
        writer.setTimes(options.times->lastAccess, options.times->lastWrite, options.times->creation);
    if (!writer.open() || !content(writer) || !writer.commit()) {
        if (error)
            *error = writer.errorString();
        return false;
    }
    return true;
}

} // namespace quorvel
