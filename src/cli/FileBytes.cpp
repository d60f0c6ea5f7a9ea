#include "FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::cli {

FileBytes::~FileBytes()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileBytes::open(const char *path)
{
    if (!path || !*path)
        return false;
    struct stat st;
    if (::stat(path, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    int fd;
    do {
        fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_size = (long long)st.st_size;
    m_position = 0;
    m_headSize = 0;
    const long long n = readAt(0, m_head, std::min(m_size, kHeadBytes));
    if (n < 0)
        return false;
    m_headSize = n;
    return true;
}

long long FileBytes::readAt(long long offset, unsigned char *to, long long count)
{
    if (m_fd < 0 || offset < 0 || count <= 0 || offset >= m_size)
        return 0;
    count = std::min(count, m_size - offset);
    long long done = 0;
    if (offset < m_headSize) {
        done = std::min(count, m_headSize - offset);
        std::memcpy(to, m_head + offset, size_t(done));
    }
    while (done < count) {
        const ssize_t n = ::pread(m_fd, to + done, size_t(count - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return done > 0 ? done : -1;
        if (n == 0)
            break; // the file may have shrunk since it was opened
        done += n;
    }
    return done;
}

jpegsession::Input FileBytes::input()
{
    m_position = 0;
    jpegsession::Input in;
    in.context = this;
    in.read = readNext;
    in.position = positionOf;
    in.size = sizeOf;
    in.seek = seekTo;
    return in;
}

long long FileBytes::readNext(void *file, unsigned char *to, long long count)
{
    auto *f = static_cast<FileBytes *>(file);
    const long long n = f->readAt(f->m_position, to, count);
    if (n > 0)
        f->m_position += n;
    return n;
}

long long FileBytes::positionOf(void *file)
{
    return static_cast<FileBytes *>(file)->m_position;
}

long long FileBytes::sizeOf(void *file)
{
    return static_cast<FileBytes *>(file)->m_size;
}

bool FileBytes::seekTo(void *file, long long position)
{
    if (position < 0)
        return false;
    static_cast<FileBytes *>(file)->m_position = position;
    return true;
}

} // namespace quorvel::cli
