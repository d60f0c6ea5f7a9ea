#include "core/exif/ExifByteSource.h"

#include "core/files/FileAccess.h"

#include <algorithm>
#include <atomic>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvel {

namespace {

std::atomic<quint64> g_filesOpened{0};

} // namespace

ExifByteSource::ExifByteSource(const QString &path, Entry entry)
    : m_path(path)
{
    if (!open(path, entry))
        return;
    g_filesOpened.fetch_add(1, std::memory_order_relaxed);
    m_head = readFile(0, std::min(m_size, kHeadBytes));
    m_open = true;
}

ExifByteSource::~ExifByteSource()
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

#ifdef Q_OS_UNIX

// The rules of FileAccess::openForReading: the entry is checked before it is
// opened (opening some devices alone does things), opened without blocking
// (a FIFO may have taken its place since) and the open handle checked again.
bool ExifByteSource::open(const QString &path, Entry entry)
{
    if (path.isEmpty())
        return false;
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (entry == Entry::Unchecked && (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode)))
        return false;
    int fd;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_size = qint64(st.st_size);
    return true;
}

QByteArray ExifByteSource::readFile(qint64 offset, qint64 length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(m_fd, bytes.data() + done, size_t(length - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // the file may have shrunk since it was opened
        done += n;
    }
    bytes.truncate(done);
    m_bytesRead += done;
    return bytes;
}

QString ExifByteSource::openPath() const
{
    if (m_data || m_fd < 0)
        return QString();
#ifdef Q_OS_LINUX
    const QString own = QStringLiteral("/proc/self/fd/%1").arg(m_fd);
    struct stat viaProc, viaHandle;
    if (::stat(QFile::encodeName(own).constData(), &viaProc) == 0 && ::fstat(m_fd, &viaHandle) == 0
        && viaProc.st_dev == viaHandle.st_dev && viaProc.st_ino == viaHandle.st_ino)
        return own;
#endif
    return m_path;
}

#else

bool ExifByteSource::open(const QString &path, Entry)
{
    if (!FileAccess::openForReading(m_file, path, nullptr, nullptr, FileAccess::Unbuffered))
        return false;
    m_size = m_file.size();
    return true;
}

QByteArray ExifByteSource::readFile(qint64 offset, qint64 length)
{
    if (!m_file.seek(offset))
        return QByteArray();
    const QByteArray bytes = m_file.read(length);
    m_bytesRead += bytes.size();
    return bytes;
}

QString ExifByteSource::openPath() const
{
    return m_data ? QString() : FileAccess::pathOfOpenFile(m_file, m_path);
}

#endif

ExifByteSource::ExifByteSource(const char *data, qint64 size)
    : m_data(data ? data : "")
    , m_size(data ? std::max<qint64>(size, 0) : 0)
    , m_head(QByteArray::fromRawData(m_data, std::min(m_size, kHeadBytes)))
    , m_open(true)
{
}

quint64 ExifByteSource::filesOpened()
{
    return g_filesOpened.load(std::memory_order_relaxed);
}

QByteArrayView ExifByteSource::memory() const
{
    return m_data ? QByteArrayView(m_data, m_size) : QByteArrayView();
}

// Grows the kept bytes of a file so that they reach end: to the next
// multiple of kHeadBytes, at least twice what is kept, at most
// kMaxKeptBytes. False when end lies beyond that bound or the read fails.
bool ExifByteSource::keepUpTo(qint64 end)
{
    const qint64 kept = m_head.size();
    if (end <= kept)
        return true;
    if (end > kMaxKeptBytes || kept < std::min(m_size, kHeadBytes))
        return false;
    qint64 target = std::max(kept * 2, (end + kHeadBytes - 1) / kHeadBytes * kHeadBytes);
    target = std::min({target, kMaxKeptBytes, m_size});
    m_head += readFile(kept, target - kept);
    return m_head.size() >= end;
}

QByteArrayView ExifByteSource::peek(qint64 offset, qint64 length)
{
    if (!m_open || offset < 0 || length <= 0 || offset >= m_size)
        return QByteArrayView();
    length = std::min(length, m_size - offset);
    if (m_data)
        return QByteArrayView(m_data + offset, length);
    if (offset + length <= m_head.size() || keepUpTo(offset + length)) {
        // The file may have shrunk since it was opened: what is left is given.
        if (offset >= m_head.size())
            return QByteArrayView();
        return QByteArrayView(m_head.constData() + offset, std::min<qint64>(length, m_head.size() - offset));
    }
    return QByteArrayView();
}

QByteArray ExifByteSource::read(qint64 offset, qint64 length)
{
    if (!m_open || offset < 0 || length <= 0 || offset >= m_size)
        return QByteArray();
    const QByteArrayView kept = peek(offset, length);
    if (!kept.isEmpty())
        return kept.toByteArray();
    return readFile(offset, std::min(length, m_size - offset));
}

} // namespace quorvel
