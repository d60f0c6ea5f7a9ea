#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace quorvel {

// The bytes of one image file for the EXIF reader: a file on disk or a whole
// file already in memory. The first kHeadBytes are read at once, since the
// markers and the start of the metadata of a JPEG nearly always lie there.
// A read beyond them grows the bytes kept from the start of the file (at
// least doubling, up to kMaxKeptBytes), so that the next look further on
// costs no system call; reads past that are made as asked and not kept.
// Nothing is ever read past the end.
class ExifByteSource
{
public:
    static constexpr qint64 kHeadBytes = 4 * 1024;
    static constexpr qint64 kMaxKeptBytes = 256 * 1024;

    // Where the path comes from. A path from anywhere is checked to be a
    // regular file before it is opened (opening some devices alone does
    // things). An entry a folder scan has just listed as a file was checked
    // by the scan: it is opened without that second look. Either way it is
    // opened without blocking and the open file must be a regular one, so a
    // FIFO or device put in its place since is never read.
    enum class Entry { Unchecked, ListedAsFile };

    // Opens the file; isOpen() tells whether that worked.
    explicit ExifByteSource(const QString &path, Entry entry = Entry::Unchecked);
    // The bytes are not copied and must outlive the source.
    ExifByteSource(const char *data, qint64 size);
    ~ExifByteSource();

    ExifByteSource(const ExifByteSource &) = delete;
    ExifByteSource &operator=(const ExifByteSource &) = delete;

    bool isOpen() const { return m_open; }
    bool isFile() const { return m_data == nullptr; }
    const QString &path() const { return m_path; }
    // The path under which another library opens the very file this source
    // reads (see FileAccess::pathOfOpenFile); empty for memory.
    QString openPath() const;
    qint64 size() const { return m_size; }

    // At least the first min(size, kHeadBytes) bytes.
    QByteArrayView head() const { return m_head; }
    // The whole data of an in-memory source; empty for a file.
    QByteArrayView memory() const;

    // Up to length bytes from offset: fewer at the end of the data, none at
    // or past it, none for a negative offset or length.
    QByteArray read(qint64 offset, qint64 length);
    // The same without a copy, when the bytes lie within the bytes kept (or
    // in memory); empty when they lie beyond. Valid until the next call.
    QByteArrayView peek(qint64 offset, qint64 length);

    // How many bytes this source has read from its file so far.
    qint64 bytesRead() const { return m_bytesRead; }
    // How many files sources have opened in this process, for checks that a
    // file is read once.
    static quint64 filesOpened();

private:
    bool open(const QString &path, Entry entry);
    // Up to length bytes of the file from offset; fewer at its end.
    QByteArray readFile(qint64 offset, qint64 length);
    bool keepUpTo(qint64 end);

    QString m_path;
#ifdef Q_OS_UNIX
    // A file list reads thousands of these: the file is opened, checked and
    // read with the fewest system calls (stat, open, fstat, pread, close;
    // no stat for a listed entry).
    int m_fd = -1;
#else
    QFile m_file;
#endif
    const char *m_data = nullptr;
    qint64 m_size = 0;
    qint64 m_bytesRead = 0;
    QByteArray m_head;
    bool m_open = false;
};

} // namespace quorvel
