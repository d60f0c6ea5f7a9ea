#include "core/fileops/FileTimes.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace quorvel {

FileTimes timesOf(const QFileDevice &file)
{
    FileTimes times;
    times.creation = file.fileTime(QFileDevice::FileBirthTime);
    times.lastAccess = file.fileTime(QFileDevice::FileAccessTime);
    times.lastWrite = file.fileTime(QFileDevice::FileModificationTime);
    return times;
}

bool setFileTimes(const QString &path, const FileTimes &times)
{
    if (!QFileInfo(path).isFile())
        return false;
#ifdef Q_OS_UNIX
    // By name: a file that is read-only for its owner still takes its times.
    const auto toTimespec = [](const QDateTime &t) {
        timespec ts{};
        if (!t.isValid()) {
            ts.tv_nsec = UTIME_OMIT;
            return ts;
        }
        const qint64 ms = t.toMSecsSinceEpoch();
        ts.tv_sec = time_t(ms / 1000 - (ms % 1000 < 0 ? 1 : 0));
        ts.tv_nsec = long(((ms % 1000) + 1000) % 1000) * 1000000L;
        return ts;
    };
    const timespec both[2] = {toTimespec(times.lastAccess), toTimespec(times.lastWrite)};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), both, 0) == 0;
#else
    // Setting times needs a handle open for writing; Append never truncates.
    QFile file(path);
    if (!file.open(QIODevice::Append))
        return false;
    bool ok = true;
    if (times.lastAccess.isValid())
        ok = file.setFileTime(times.lastAccess, QFileDevice::FileAccessTime) && ok;
    if (times.lastWrite.isValid())
        ok = file.setFileTime(times.lastWrite, QFileDevice::FileModificationTime) && ok;
    if (times.creation.isValid())
        ok = file.setFileTime(times.creation, QFileDevice::FileBirthTime) && ok;
    return ok;
#endif
}

} // namespace quorvel
