#pragma once

#include "core/imaging/JpegSession.h"

namespace quorvel::cli {

// One image file read through a descriptor, for the parts of quorvel-tool
// that load no Qt: opened by the rules the program's other readers follow
// (a regular file only, checked before it is opened and again once it is
// open, opened without blocking so that a FIFO put in its place cannot hang
// us), its first kHeadBytes read at once, since the markers and metadata of
// a JPEG nearly always lie there. Nothing is read past the end.
class FileBytes
{
public:
    static constexpr long long kHeadBytes = 64 * 1024;

    FileBytes() = default;
    ~FileBytes();
    FileBytes(const FileBytes &) = delete;
    FileBytes &operator=(const FileBytes &) = delete;

    // False when the path names no regular file that can be read.
    bool open(const char *path);

    long long size() const { return m_size; }
    const unsigned char *head() const { return m_head; }
    long long headSize() const { return m_headSize; }

    // Up to count bytes from offset into to: fewer at the end of the file,
    // none at or past it; -1 on a read error.
    long long readAt(long long offset, unsigned char *to, long long count);

    // The file read in order from the start, for the JPEG session and the
    // frame header walk.
    jpegsession::Input input();

private:
    static long long readNext(void *file, unsigned char *to, long long count);
    static long long positionOf(void *file);
    static long long sizeOf(void *file);
    static bool seekTo(void *file, long long position);

    int m_fd = -1;
    long long m_size = 0;
    long long m_position = 0;
    long long m_headSize = 0;
    unsigned char m_head[kHeadBytes];
};

} // namespace quorvel::cli
