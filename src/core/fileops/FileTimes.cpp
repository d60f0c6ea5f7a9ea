#include "core/fileops/FileTimes.h"

namespace quorvel {

FileTimes timesOf(const QFileDevice &file)
{
    FileTimes times;
    times.creation = file.fileTime(QFileDevice::FileBirthTime);
    times.lastAccess = file.fileTime(QFileDevice::FileAccessTime);
    times.lastWrite = file.fileTime(QFileDevice::FileModificationTime);
    return times;
}

} // namespace quorvel
