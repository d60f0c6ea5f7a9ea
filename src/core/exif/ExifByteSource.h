#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace quorvel {

// The bytes of one image file for the EXIF reader: a file on disk or a whole
// file already in memory. The first kHeadBytes are read at once, since the
// metadata of a JPEG nearly always lies there; everything else is read on
// demand, never more than asked for and never past the end.
class ExifByteSource
{
public:
    static constexpr qint64 kHeadBytes = 64 * 1024;

    // Opens the file; isOpen() tells whether that worked. Only regular files
    // are opened, without blocking (a FIFO named like a photo is refused).
    explicit ExifByteSource(const QString &path);
    // The bytes are not copied and must outlive the source.
    ExifByteSource(const char *data, qint64 size);

    ExifByteSource(const ExifByteSource &) = delete;
    ExifByteSource &operator=(const ExifByteSource &) = delete;

    bool isOpen() const { return m_open; }
    bool isFile() const { return m_data == nullptr; }
    const QString &path() const { return m_path; }
    // The path under which another library opens the very file this source
    // reads (see FileAccess::pathOfOpenFile); empty for memory.
    QString openPath() const;
    qint64 size() const { return m_size; }

    // The first min(size, kHeadBytes) bytes.
    QByteArrayView head() const { return m_head; }
    // The whole data of an in-memory source; empty for a file.
    QByteArrayView memory() const;

    // Up to length bytes from offset: fewer at the end of the data, none at
    // or past it, none for a negative offset or length.
    QByteArray read(qint64 offset, qint64 length);

private:
    QString m_path;
    QFile m_file;
    const char *m_data = nullptr;
    qint64 m_size = 0;
    QByteArray m_head;
    bool m_open = false;
};

} // namespace quorvel
