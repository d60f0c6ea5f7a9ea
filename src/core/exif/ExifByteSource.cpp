#include "core/exif/ExifByteSource.h"

#include "core/files/FileAccess.h"

#include <algorithm>
#include <atomic>

namespace quorvel {

namespace {

std::atomic<quint64> g_filesOpened{0};

} // namespace

ExifByteSource::ExifByteSource(const QString &path)
    : m_path(path)
{
    if (!FileAccess::openForReading(m_file, path, nullptr, nullptr, FileAccess::Unbuffered))
        return;
    g_filesOpened.fetch_add(1, std::memory_order_relaxed);
    m_size = m_file.size();
    m_head = m_file.read(std::min(m_size, kHeadBytes));
    m_bytesRead = m_head.size();
    m_open = true;
}

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

QString ExifByteSource::openPath() const
{
    return m_data ? QString() : FileAccess::pathOfOpenFile(m_file, m_path);
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
    if (!m_file.seek(kept))
        return false;
    const QByteArray more = m_file.read(target - kept);
    m_bytesRead += more.size();
    m_head += more;
    return m_head.size() >= end;
}

QByteArray ExifByteSource::read(qint64 offset, qint64 length)
{
    if (!m_open || offset < 0 || length <= 0 || offset >= m_size)
        return QByteArray();
    length = std::min(length, m_size - offset);
    if (m_data)
        return QByteArray(m_data + offset, length);
    if (offset + length <= m_head.size() || keepUpTo(offset + length))
        return QByteArray(m_head.constData() + offset, std::min<qint64>(length, m_head.size() - offset));
    if (!m_file.seek(offset))
        return QByteArray();
    // The file may have shrunk since it was opened: read gives what is left.
    const QByteArray bytes = m_file.read(length);
    m_bytesRead += bytes.size();
    return bytes;
}

} // namespace quorvel
