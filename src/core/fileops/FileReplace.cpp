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
        writer.setTimes(options.times->lastAccess, options.times->lastWrite);
    if (!writer.open() || !content(writer) || !writer.commit()) {
        if (error)
            *error = writer.errorString();
        return false;
    }
#ifdef Q_OS_WIN
    // The creation time is the new file's own until set by name.
    if (options.times && options.times->creation.isValid()) {
        FileTimes creation;
        creation.creation = options.times->creation;
        setFileTimes(path, creation);
    }
#endif
    return true;
}

} // namespace quorvel
