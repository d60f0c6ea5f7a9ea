#include "core/files/InPlaceWrite.h"

#include "core/files/SafeWriter.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvel {

namespace {

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

#ifdef Q_OS_UNIX

qint64 modifiedNs(const struct stat &st)
{
    return qint64(st.st_mtim.tv_sec) * 1000000000LL + qint64(st.st_mtim.tv_nsec);
}

// The file open in fd, and the entry at path, are still the file read.
bool unchanged(int fd, const QByteArray &path, const FileIdentity &expected)
{
    struct stat open, entry;
    if (::fstat(fd, &open) != 0 || ::lstat(path.constData(), &entry) != 0)
        return false;
    return S_ISREG(open.st_mode) && S_ISREG(entry.st_mode) && open.st_dev == entry.st_dev
        && open.st_ino == entry.st_ino && quint64(open.st_dev) == expected.device
        && quint64(open.st_ino) == expected.inode && qint64(open.st_size) == expected.size
        && modifiedNs(open) == expected.modifiedNs;
}

#endif

} // namespace

bool InPlaceWrite::withinOneSector(qint64 offset, qint64 length)
{
    return offset >= 0 && length > 0 && offset / kSectorSize == (offset + length - 1) / kSectorSize;
}

#ifdef Q_OS_UNIX

InPlaceWrite::Outcome InPlaceWrite::write(const QString &path, qint64 offset, const QByteArray &bytes,
                                          const QByteArray &previous, const FileIdentity &expected, const QDateTime &lastAccess,
                                          const QDateTime &lastWrite, QString *error)
{
    if (!expected.isRegular() || previous.size() != bytes.size() || !withinOneSector(offset, bytes.size())
        || offset + bytes.size() > expected.size)
        return Outcome::NotInPlace;
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so that a FIFO put in the file's place cannot hold us up.
    int fd;
    do {
        fd = ::open(name.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return Outcome::NotInPlace; // the replacement says why, or refuses
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1) {
        ::close(fd);
        return Outcome::NotInPlace;
    }
    const int injected = SafeWriter::runCommitHook(path);
    if (!unchanged(fd, name, expected)) {
        ::close(fd);
        fail(error, FileAccess::changedByAnotherProgram());
        return Outcome::Failed;
    }
    if (injected != 0) {
        ::close(fd);
        fail(error, tr("The file \"%1\" could not be written: %2")
                        .arg(QDir::toNativeSeparators(path), FileAccess::systemError(injected)));
        return Outcome::Failed;
    }
    ssize_t n;
    do {
        n = ::pwrite(fd, bytes.constData(), size_t(bytes.size()), off_t(offset));
    } while (n < 0 && errno == EINTR);
    const int writeError = n < 0 ? errno : (n != bytes.size() ? ENOSPC : 0);
    if (writeError == 0) {
        SafeWriter::setTimesOf(fd, lastAccess, lastWrite);
    }
    const int syncError = writeError == 0 && ::fsync(fd) != 0 ? errno : 0;
    if (writeError != 0 || syncError != 0) {
        // Whatever part went out is taken back.
        if (n > 0 && ::pwrite(fd, previous.constData(), size_t(previous.size()), off_t(offset)) == previous.size())
            (void)::fsync(fd);
        ::close(fd);
        fail(error, tr("The file \"%1\" could not be written: %2")
                        .arg(QDir::toNativeSeparators(path), FileAccess::systemError(writeError ? writeError : syncError)));
        return Outcome::Failed;
    }
    ::close(fd);
    return Outcome::Written;
}

#else

// Elsewhere files are always replaced.
InPlaceWrite::Outcome InPlaceWrite::write(const QString &, qint64, const QByteArray &, const QByteArray &,
                                          const FileIdentity &,
                                          const QDateTime &, const QDateTime &, QString *)
{
    return Outcome::NotInPlace;
}

#endif

} // namespace quorvel
