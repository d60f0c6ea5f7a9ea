#include "core/files/SafeWriter.h"

#include "core/files/PathUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <vector>

#ifdef Q_OS_UNIX
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace quorvel {

namespace {

constexpr qint64 kChunk = 1 << 20;
constexpr int kRandomLength = 12;
constexpr int kNameAttempts = 100;

SafeWriter::CommitHook &commitHook()
{
    static SafeWriter::CommitHook hook;
    return hook;
}

std::atomic_bool g_unnamedAllowed{true};

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString randomPart()
{
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString part;
    for (int i = 0; i < kRandomLength; ++i)
        part.append(QLatin1Char(kChars[QRandomGenerator::global()->bounded(int(sizeof kChars - 1))]));
    return part;
}

#ifdef Q_OS_UNIX

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// Unnamed temporaries are given their name through /proc; without it they
// are not used at all.
bool unnamedPossible()
{
#ifdef O_TMPFILE
    static const bool proc = ::access("/proc/self/fd", X_OK) == 0;
    return proc && g_unnamedAllowed.load();
#else
    return false;
#endif
}

// Moves from to to unless something is at to: a hard link where the file
// system has them, else the rename flag for it, else a check and a rename.
int renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    if (errno == EEXIST)
        return EEXIST;
#ifdef SYS_renameat2
    if (::syscall(SYS_renameat2, AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), 1 /* RENAME_NOREPLACE */) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
#endif
    struct stat st;
    if (::lstat(to.constData(), &st) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

qint64 nowSeconds()
{
    return QDateTime::currentSecsSinceEpoch();
}

timespec toTimespec(const QDateTime &t)
{
    timespec ts{};
    if (!t.isValid()) {
        ts.tv_nsec = UTIME_OMIT;
        return ts;
    }
    const qint64 ms = t.toMSecsSinceEpoch();
    ts.tv_sec = time_t(ms / 1000 - (ms % 1000 < 0 ? 1 : 0));
    ts.tv_nsec = long(((ms % 1000) + 1000) % 1000) * 1000000L;
    return ts;
}

#endif

} // namespace

#ifdef Q_OS_UNIX
void SafeWriter::setTimesOf(int fd, const QDateTime &lastAccess, const QDateTime &lastWrite)
{
    const timespec times[2] = {toTimespec(lastAccess), toTimespec(lastWrite)};
    (void)::futimens(fd, times);
}
#endif

SafeWriter::SafeWriter(QString target, Mode mode)
    : m_target(std::move(target))
    , m_mode(mode)
{
    const QString folder = QFileInfo(m_target).path();
    m_folder = folder.isEmpty() ? QStringLiteral(".") : folder;
}

SafeWriter::~SafeWriter()
{
    discard();
}

void SafeWriter::setCommitHook(CommitHook hook)
{
    commitHook() = std::move(hook);
}

int SafeWriter::runCommitHook(const QString &target)
{
    const CommitHook &hook = commitHook();
    return hook ? hook(target) : 0;
}

void SafeWriter::setUnnamedTemporaries(bool allowed)
{
    g_unnamedAllowed = allowed;
}

bool SafeWriter::isTemporaryName(QStringView name)
{
    const QString prefix = temporaryPrefix();
    if (name.size() != prefix.size() + kRandomLength + 4 || !name.startsWith(prefix) || !name.endsWith(u".tmp"))
        return false;
    for (QChar c : name.sliced(prefix.size(), kRandomLength)) {
        if (!((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')))
            return false;
    }
    return true;
}

void SafeWriter::expectUnchanged(const FileIdentity &identity)
{
    m_expectSet = true;
    m_expected = identity;
}

void SafeWriter::setTimes(const QDateTime &lastAccess, const QDateTime &lastWrite, const QDateTime &creation)
{
    m_lastAccess = lastAccess;
    m_lastWrite = lastWrite;
    m_creation = creation;
}

void SafeWriter::setAsideName(const QString &name)
{
    m_asideName = name;
}

bool SafeWriter::fail(const QString &message)
{
    m_error = message;
    discard();
    return false;
}

bool SafeWriter::failWrite(int code)
{
    m_errorCode = code;
    return fail(tr("The file \"%1\" could not be written: %2").arg(shown(m_target), FileAccess::systemError(code)));
}

QString SafeWriter::newTemporaryName() const
{
    return joinPath(m_folder, temporaryPrefix() + randomPart() + QStringLiteral(".tmp"));
}

// Compares the target with what it has to be: at open only that a link or
// anything but a regular file is refused (and what the caller expects, when
// it said), at the commit also that it is what it was at open.
bool SafeWriter::checkTarget(bool atCommit)
{
    const FileIdentity now = FileAccess::identityOf(m_target);
    if (!atCommit) {
        const QString refusal = FileAccess::writeRefusal(m_target);
        if (!refusal.isEmpty())
            return fail(refusal);
        m_atOpen = now;
    }
    if (m_mode == Mode::CreateNew) {
        if (now.kind != FileIdentity::Kind::Missing)
            return fail(tr("The file \"%1\" already exists.").arg(shown(m_target)));
        return true;
    }
    const FileIdentity &wanted = m_expectSet ? m_expected : m_atOpen;
    const bool same = wanted.isRegular() ? now == wanted : now.kind == FileIdentity::Kind::Missing;
    if (!same)
        return fail(FileAccess::changedByAnotherProgram());
    return true;
}

void SafeWriter::removeStaleTemporaries() const
{
    const QStringList names = QDir(m_folder).entryList({temporaryPrefix() + QStringLiteral("*.tmp")},
                                                       QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &name : names) {
        if (!isTemporaryName(name))
            continue;
        const QString path = joinPath(m_folder, name);
#ifdef Q_OS_UNIX
        struct stat st;
        if (::lstat(encoded(path).constData(), &st) == 0 && S_ISREG(st.st_mode)
            && nowSeconds() - qint64(st.st_mtime) > kStaleSeconds)
            ::unlink(encoded(path).constData());
#else
        const QFileInfo info(path);
        if (info.isFile() && !info.isSymLink()
            && info.lastModified().secsTo(QDateTime::currentDateTime()) > kStaleSeconds)
            QFile::remove(path);
#endif
    }
}

#ifdef Q_OS_UNIX

bool SafeWriter::open()
{
    discard();
    m_error.clear();
    m_errorCode = 0;
    m_savedAside.clear();
    if (!checkTarget(false))
        return false;
    struct stat st;
    m_replacing = m_atOpen.isRegular() && ::lstat(encoded(m_target).constData(), &st) == 0 && S_ISREG(st.st_mode);
    if (m_replacing) {
        m_targetMode = unsigned(st.st_mode & 07777);
        m_targetUid = unsigned(st.st_uid);
        m_targetGid = unsigned(st.st_gid);
    }
    removeStaleTemporaries();

    // A file that replaces another stays private until it has that one's
    // mode; a new one gets the usual mode at once.
    const mode_t mode = m_replacing ? 0600 : 0666;
#ifdef O_TMPFILE
    if (unnamedPossible()) {
        int fd;
        do {
            fd = ::open(encoded(m_folder).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0) {
            m_fd = fd;
            m_open = true;
            return true;
        }
        // File systems without unnamed files (FAT, exFAT, many network
        // shares) say so in one of these ways.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return failWrite(errno);
    }
#endif
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString name = newTemporaryName();
        int fd;
        do {
            fd = ::open(encoded(name).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW, mode);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0) {
            m_fd = fd;
            m_temporary = name;
            m_open = true;
            return true;
        }
        if (errno != EEXIST)
            return failWrite(errno);
    }
    return failWrite(EEXIST);
}

bool SafeWriter::write(QByteArrayView bytes)
{
    if (!m_open)
        return false;
    const char *data = bytes.data();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, data, size_t(std::min<qint64>(left, kChunk)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failWrite(errno);
        }
        if (n == 0)
            return failWrite(ENOSPC);
        data += n;
        left -= n;
    }
    return true;
}

bool SafeWriter::sync()
{
    if (!m_open)
        return false;
    if (::fsync(m_fd) != 0)
        return failWrite(errno);
    return true;
}

bool SafeWriter::commit()
{
    // On the disk before it takes the target's place: a full disk or a
    // failing network share says so here at the latest.
    if (!sync())
        return false;
    if (m_replacing) {
        struct stat st;
        // The owner first: changing it may clear the set-id bits.
        if (::fstat(m_fd, &st) == 0 && (unsigned(st.st_uid) != m_targetUid || unsigned(st.st_gid) != m_targetGid)) {
            if (::fchown(m_fd, uid_t(m_targetUid), gid_t(m_targetGid)) != 0)
                (void)::fchown(m_fd, uid_t(-1), gid_t(m_targetGid)); // the group alone, where allowed
        }
        // File systems without POSIX modes (FAT, exFAT) refuse; there the
        // mount decides the mode of every file alike.
        if (::fchmod(m_fd, mode_t(m_targetMode)) != 0 && errno != EPERM && errno != ENOTSUP
            && errno != EOPNOTSUPP)
            return failWrite(errno);
    }
    if (m_lastAccess.isValid() || m_lastWrite.isValid()) {
        // The times are kept where the file system can; a file saved without
        // them is still the file that was meant.
        setTimesOf(m_fd, m_lastAccess, m_lastWrite);
    }
    if (m_temporary.isEmpty() && m_mode == Mode::Replace) {
        // The unnamed file gets a hidden name in the folder, to be renamed.
        const QByteArray own = "/proc/self/fd/" + QByteArray::number(m_fd);
        for (int attempt = 0;; ++attempt) {
            const QString name = newTemporaryName();
            if (::linkat(AT_FDCWD, own.constData(), AT_FDCWD, encoded(name).constData(), AT_SYMLINK_FOLLOW) == 0) {
                m_temporary = name;
                break;
            }
            if (errno != EEXIST || attempt >= kNameAttempts)
                return failWrite(errno);
        }
    }

    const CommitHook &hook = commitHook();
    const int injected = hook ? hook(m_target) : 0;
    if (!checkTarget(true))
        return false;
    if (!publish(injected))
        return false;
    ::close(m_fd);
    m_fd = -1;
    m_temporary.clear();
    m_open = false;
    // The rename itself on the disk too.
    const int folder = ::open(encoded(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

bool SafeWriter::publish(int injected)
{
    const QByteArray target = encoded(m_target);
    if (m_mode == Mode::CreateNew) {
        int code = injected;
        if (!code && m_temporary.isEmpty()) {
            const QByteArray own = "/proc/self/fd/" + QByteArray::number(m_fd);
            code = ::linkat(AT_FDCWD, own.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
        } else if (!code) {
            code = renameNoReplace(encoded(m_temporary), target);
        }
        if (code == EEXIST)
            return fail(tr("The file \"%1\" already exists.").arg(shown(m_target)));
        return code == 0 || failWrite(code);
    }
    int code = injected;
    if (!code && ::rename(encoded(m_temporary).constData(), target.constData()) != 0)
        code = errno;
    if (code == 0)
        return true;
    if (!m_asideName.isEmpty() && renameNoReplace(encoded(m_temporary), encoded(m_asideName)) == 0) {
        m_temporary.clear();
        const QString saved = m_asideName;
        failWrite(code);
        m_savedAside = saved;
        return false;
    }
    return failWrite(code);
}

void SafeWriter::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(encoded(m_temporary).constData());
        m_temporary.clear();
    }
    m_open = false;
}

#else // Windows and anything else without the POSIX calls

bool SafeWriter::open()
{
    discard();
    m_error.clear();
    m_errorCode = 0;
    m_savedAside.clear();
    if (!checkTarget(false))
        return false;
    const QFileInfo info(m_target);
    m_replacing = m_atOpen.isRegular();
    m_permissions = m_replacing ? int(info.permissions()) : 0;
    removeStaleTemporaries();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString name = newTemporaryName();
        auto file = std::make_unique<QFile>(name);
        if (file->open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            m_file = std::move(file);
            m_temporary = name;
            m_open = true;
            return true;
        }
        if (file->error() != QFileDevice::OpenError || !QFileInfo::exists(name))
            return fail(tr("The file \"%1\" could not be written: %2").arg(shown(m_target), file->errorString()));
    }
    return failWrite(EEXIST);
}

bool SafeWriter::write(QByteArrayView bytes)
{
    if (!m_open)
        return false;
    if (m_file->write(bytes.data(), bytes.size()) != bytes.size())
        return fail(tr("The file \"%1\" could not be written: %2").arg(shown(m_target), m_file->errorString()));
    return true;
}

bool SafeWriter::sync()
{
    if (!m_open)
        return false;
    if (!m_file->flush())
        return fail(tr("The file \"%1\" could not be written: %2").arg(shown(m_target), m_file->errorString()));
    return true;
}

bool SafeWriter::commit()
{
    if (!m_open)
        return false;
    if (!m_file->flush())
        return fail(tr("The file \"%1\" could not be written: %2").arg(shown(m_target), m_file->errorString()));
    if (m_lastAccess.isValid())
        m_file->setFileTime(m_lastAccess, QFileDevice::FileAccessTime);
    if (m_lastWrite.isValid())
        m_file->setFileTime(m_lastWrite, QFileDevice::FileModificationTime);
    // Set on the finished file before the rename, which keeps it.
    if (m_creation.isValid())
        m_file->setFileTime(m_creation, QFileDevice::FileBirthTime);
    m_file->close();
    if (m_replacing)
        QFile::setPermissions(m_temporary, QFileDevice::Permissions(m_permissions));
    const CommitHook &hook = commitHook();
    const int injected = hook ? hook(m_target) : 0;
    if (!checkTarget(true))
        return false;
    if (!publish(injected))
        return false;
    m_file.reset();
    m_temporary.clear();
    m_open = false;
    return true;
}

bool SafeWriter::publish(int injected)
{
    const QString from = QDir::toNativeSeparators(m_temporary);
    const QString to = QDir::toNativeSeparators(m_target);
    const QString aside = QDir::toNativeSeparators(m_asideName);
    const auto native = [](const QString &path) { return reinterpret_cast<const wchar_t *>(path.utf16()); };
    DWORD flags = MOVEFILE_WRITE_THROUGH;
    if (m_mode == Mode::Replace)
        flags |= MOVEFILE_REPLACE_EXISTING;
    int code = injected;
    if (!code && !MoveFileExW(native(from), native(to), flags))
        code = int(GetLastError());
    if (code == 0)
        return true;
    if (m_mode == Mode::CreateNew && QFileInfo::exists(m_target))
        return fail(tr("The file \"%1\" already exists.").arg(shown(m_target)));
    if (m_mode == Mode::Replace && !m_asideName.isEmpty()
        && MoveFileExW(native(from), native(aside), MOVEFILE_WRITE_THROUGH)) {
        m_temporary.clear();
        const QString saved = m_asideName;
        fail(tr("The file \"%1\" could not be written: %2").arg(shown(m_target), qt_error_string(code)));
        m_savedAside = saved;
        return false;
    }
    return fail(tr("The file \"%1\" could not be written: %2").arg(shown(m_target), qt_error_string(code)));
}

void SafeWriter::discard()
{
    if (m_file) {
        m_file->close();
        m_file.reset();
    }
    if (!m_temporary.isEmpty()) {
        QFile::remove(m_temporary);
        m_temporary.clear();
    }
    m_open = false;
}

#endif

bool SafeWriter::copyFrom(QIODevice &in, const QString &sourceName)
{
    if (!m_open)
        return false;
    std::vector<char> buffer(static_cast<size_t>(kChunk));
    for (;;) {
        const qint64 n = in.read(buffer.data(), kChunk);
        if (n < 0)
            return fail(tr("The file \"%1\" could not be read: %2").arg(shown(sourceName), in.errorString()));
        if (n == 0)
            return true;
        if (!write(QByteArrayView(buffer.data(), n)))
            return false;
    }
}

} // namespace quorvel
