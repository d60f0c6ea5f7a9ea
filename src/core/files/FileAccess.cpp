#include "core/files/FileAccess.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvel {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

#ifdef Q_OS_UNIX

FileIdentity identityFrom(const struct stat &st)
{
    FileIdentity id;
    id.kind = S_ISREG(st.st_mode) ? FileIdentity::Kind::Regular : FileIdentity::Kind::Other;
    id.device = quint64(st.st_dev);
    id.inode = quint64(st.st_ino);
    id.size = qint64(st.st_size);
#if defined(Q_OS_DARWIN)
    id.modifiedNs = qint64(st.st_mtimespec.tv_sec) * 1000000000 + st.st_mtimespec.tv_nsec;
#else
    id.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
#endif
    return id;
}

int openNonBlocking(const QByteArray &name, bool noLinks)
{
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    if (noLinks)
        flags |= O_NOFOLLOW;
    int fd;
    do {
        fd = ::open(name.constData(), flags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

#else

FileIdentity identityFrom(const QFileInfo &info)
{
    FileIdentity id;
    if (!info.exists() && !info.isSymLink())
        return id;
    id.kind = info.isFile() && !info.isSymLink() ? FileIdentity::Kind::Regular : FileIdentity::Kind::Other;
    id.size = info.size();
    id.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
    // No inode here: the creation time tells a file moved into place apart.
    id.inode = quint64(info.birthTime().toMSecsSinceEpoch());
    return id;
}

#endif

} // namespace

QString FileAccess::notRegularFile()
{
    return tr("not a regular file");
}

namespace {

// A name whose bytes are not valid in the system's encoding came through as
// replacement characters, and so names nothing.
QString reasonFor(const QString &path, int code)
{
    return code == ENOENT && path.contains(QChar::ReplacementCharacter) ? FileAccess::undecodableName()
                                                                        : FileAccess::systemError(code);
}

} // namespace

QString FileAccess::lookupProblem(const QString &path)
{
    if (path.isEmpty())
        return systemError(ENOENT);
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return reasonFor(path, errno);
    return QString();
#else
    return QFileInfo::exists(path) ? QString() : reasonFor(path, ENOENT);
#endif
}

QString FileAccess::undecodableName()
{
    return tr("the file name is not valid in the system's character encoding; rename the file");
}

QString FileAccess::symbolicLink()
{
    return tr("a symbolic link");
}

QString FileAccess::changedByAnotherProgram()
{
    return tr("The file was changed by another program; nothing was written.");
}

QString FileAccess::systemError(int code)
{
    return qt_error_string(code);
}

bool FileAccess::openForReading(QFile &file, const QString &path, QString *error, FileIdentity *identity,
                                ReadOptions options)
{
    if (file.isOpen())
        file.close();
    const bool noLinks = options.testFlag(NoLinks);
    const QIODevice::OpenMode mode =
        options.testFlag(Unbuffered) ? QIODevice::ReadOnly | QIODevice::Unbuffered : QIODevice::ReadOnly;
    if (path.isEmpty()) {
        setError(error, systemError(ENOENT));
        return false;
    }
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    // Refused before it is opened: opening some devices alone does things.
    struct stat st;
    if ((noLinks ? ::lstat(name.constData(), &st) : ::stat(name.constData(), &st)) != 0) {
        setError(error, reasonFor(path, errno));
        return false;
    }
    if (S_ISLNK(st.st_mode)) {
        setError(error, symbolicLink());
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        setError(error, notRegularFile());
        return false;
    }
    // Opened without blocking, in case a FIFO took the file's place since.
    const int fd = openNonBlocking(name, noLinks);
    if (fd < 0) {
        setError(error, noLinks && errno == ELOOP ? symbolicLink() : systemError(errno));
        return false;
    }
    struct stat opened;
    if (::fstat(fd, &opened) != 0) {
        const int code = errno;
        ::close(fd);
        setError(error, systemError(code));
        return false;
    }
    if (!S_ISREG(opened.st_mode)) {
        ::close(fd);
        setError(error, notRegularFile());
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        const int code = errno;
        ::close(fd);
        setError(error, systemError(code));
        return false;
    }
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        setError(error, file.errorString());
        return false;
    }
    if (identity)
        *identity = identityFrom(opened);
    return true;
#else
    const QFileInfo info(path);
    if (noLinks && info.isSymLink()) {
        setError(error, symbolicLink());
        return false;
    }
    if (!info.exists()) {
        setError(error, systemError(ENOENT));
        return false;
    }
    if (!info.isFile()) {
        setError(error, notRegularFile());
        return false;
    }
    file.setFileName(path);
    if (!file.open(mode)) {
        setError(error, file.errorString());
        return false;
    }
    if (identity)
        *identity = identityFrom(info);
    return true;
#endif
}

FileIdentity FileAccess::identityOf(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st;
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return FileIdentity();
    return identityFrom(st);
#else
    return identityFrom(QFileInfo(path));
#endif
}

QString FileAccess::writeRefusal(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();
    if (S_ISLNK(st.st_mode))
        return tr("\"%1\" is a symbolic link; nothing is written through it.").arg(QDir::toNativeSeparators(path));
    if (!S_ISREG(st.st_mode))
        return tr("\"%1\" is not a regular file; nothing was written.").arg(QDir::toNativeSeparators(path));
    return QString();
#else
    const QFileInfo info(path);
    if (info.isSymLink())
        return tr("\"%1\" is a symbolic link; nothing is written through it.").arg(QDir::toNativeSeparators(path));
    if (info.exists() && !info.isFile())
        return tr("\"%1\" is not a regular file; nothing was written.").arg(QDir::toNativeSeparators(path));
    return QString();
#endif
}

QString FileAccess::folderWriteProblem(const QString &folder)
{
#ifdef Q_OS_UNIX
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0)
        return systemError(errno);
    return QString();
#else
    const QFileInfo info(folder);
    if (!info.exists())
        return systemError(ENOENT);
    return info.isWritable() ? QString() : systemError(EACCES);
#endif
}

QString FileAccess::pathOfOpenFile(const QFile &file, const QString &path)
{
#ifdef Q_OS_LINUX
    const int fd = file.handle();
    if (fd >= 0) {
        const QString own = QStringLiteral("/proc/self/fd/%1").arg(fd);
        struct stat viaProc, viaHandle;
        if (::stat(QFile::encodeName(own).constData(), &viaProc) == 0 && ::fstat(fd, &viaHandle) == 0
            && viaProc.st_dev == viaHandle.st_dev && viaProc.st_ino == viaHandle.st_ino)
            return own;
    }
#else
    Q_UNUSED(file);
#endif
    return path;
}

} // namespace quorvel
