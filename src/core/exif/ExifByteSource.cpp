#include "core/exif/ExifByteSource.h"

#include "core/files/FileAccess.h"

#include <algorithm>

namespace quorvel {

ExifByteSource::ExifByteSource(const QString &path)
    : m_path(path)
{
    if (!FileAccess::openForReading(m_file, path, nullptr, nullptr, FileAccess::Unbuffered))
        return;
    m_size = m_file.size();
    m_head = m_file.read(std::min(m_size, kHeadBytes));
    m_open = true;
}

ExifByteSource::ExifByteSource(const char *data, qint64 size)
    : m_data(data ? data : "")
    , m_size(data ? std::max<qint64>(size, 0) : 0)
    , m_head(QByteArray::fromRawData(m_data, std::min(m_size, kHeadBytes)))
    , m_open(true)
{
}

QString ExifByteSource::openPath() const
{
    return m_data ? QString() : FileAccess::pathOfOpenFile(m_file, m_path);
}

QByteArrayView ExifByteSource::memory() const
{
    return m_data ? QByteArrayView(m_data, m_size) : QByteArrayView();
}

QByteArray ExifByteSource::read(qint64 offset, qint64 length)
{
    if (!m_open || offset < 0 || length <= 0 || offset >= m_size)
        return QByteArray();
    length = std::min(length, m_size - offset);
    if (offset + length <= m_head.size())
        return QByteArray(m_head.constData() + offset, length);
    if (m_data)
        return QByteArray(m_data + offset, length);
    if (!m_file.seek(offset))
        return QByteArray();
    // The file may have shrunk since it was opened: read gives what is left.
    return m_file.read(length);
}

} // namespace quorvel
