#include "JpegOrientation.h"

#include "FileBytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace quorvel::cli {

namespace {

constexpr int kUpright = 1;
constexpr int kMaxSegments = 4096;
constexpr unsigned kOrientationTag = 0x0112;
constexpr unsigned kShort = 3;
constexpr unsigned kLong = 4;
// An APP1 segment holds at most this many bytes after its length.
constexpr long long kMaxBlock = 0xFFFF;

int normalised(std::uint64_t value)
{
    return value >= 1 && value <= 8 ? int(value) : kUpright;
}

// Unsigned numbers in the block's byte order.
struct Numbers
{
    bool big;
    std::uint64_t get(const unsigned char *p, int bytes) const
    {
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = big ? (v << 8) | p[i] : v | (std::uint64_t(p[i]) << (8 * i));
        return v;
    }
};

// Up to length bytes of the block from offset: where they start and how
// many there are (none past the end).
long long slice(long long blockSize, std::uint64_t offset, std::uint64_t length)
{
    if (length == 0 || offset >= std::uint64_t(blockSize))
        return 0;
    return (long long)std::min<std::uint64_t>(length, std::uint64_t(blockSize) - offset);
}

// The orientation entry of the first directory of a TIFF structure.
int fromBlock(const unsigned char *block, long long size)
{
    if (size < 8)
        return kUpright;
    Numbers n{false};
    if (block[0] == 'M' && block[1] == 'M')
        n.big = true;
    else if (!(block[0] == 'I' && block[1] == 'I'))
        return kUpright;
    const std::uint64_t magic = n.get(block + 2, 2);
    const bool bigTiff = magic == 43;
    if (magic != 42 && !(bigTiff && size >= 16 && n.get(block + 4, 2) == 8))
        return kUpright;
    const std::uint64_t ifd = bigTiff ? n.get(block + 8, 8) : n.get(block + 4, 4);
    if (ifd < 8 || ifd > std::uint64_t(std::numeric_limits<long long>::max() / 2))
        return kUpright;

    const int countSize = bigTiff ? 8 : 2;
    const int entrySize = bigTiff ? 20 : 12;
    if (slice(size, ifd, std::uint64_t(countSize)) != countSize)
        return kUpright;
    // A directory holds at most 65535 entries in either form; more is
    // damage, and is never read.
    const std::uint64_t count = n.get(block + ifd, countSize);
    if (count == 0 || count > 0xFFFF)
        return kUpright;
    const std::uint64_t first = ifd + std::uint64_t(countSize);
    const long long available = slice(size, first, count * std::uint64_t(entrySize));
    for (long long at = 0; at + entrySize <= available; at += entrySize) {
        const unsigned char *e = block + first + at;
        if (n.get(e, 2) != kOrientationTag)
            continue;
        const std::uint64_t type = n.get(e + 2, 2);
        const std::uint64_t values = bigTiff ? n.get(e + 4, 8) : n.get(e + 4, 4);
        const unsigned char *value = e + (bigTiff ? 12 : 8);
        if (values != 1)
            return kUpright;
        if (type == kShort)
            return normalised(n.get(value, 2));
        if (type == kLong)
            return normalised(std::min<std::uint64_t>(n.get(value, 4), 9));
        return kUpright;
    }
    return kUpright;
}

} // namespace

int jpegOrientation(FileBytes &file)
{
    const unsigned char *head = file.head();
    if (file.headSize() < 2 || head[0] != 0xFF || head[1] != 0xD8)
        return kUpright;
    // The marker segments up to the first scan; the first APP1 segment that
    // starts "Exif\0\0" ends the walk, whole or not.
    long long pos = 2;
    for (int n = 0; n < kMaxSegments; ++n) {
        unsigned char header[4];
        const long long got = file.readAt(pos, header, 4);
        if (got < 2 || header[0] != 0xFF)
            return kUpright;
        const unsigned char marker = header[1];
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9)
            return kUpright;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            pos += 2;
            continue;
        }
        if (got < 4)
            return kUpright;
        const long long length = (long long)(header[2]) << 8 | header[3];
        if (length < 2)
            return kUpright;
        if (marker == 0xE1 && length - 2 >= 6) {
            unsigned char id[6];
            if (file.readAt(pos + 4, id, 6) == 6 && std::memcmp(id, "Exif\0\0", 6) == 0) {
                const long long offset = pos + 10;
                const long long size = length - 8;
                // A segment cut short by the end of the file gives no block.
                if (size <= 0 || offset + size > file.size())
                    return kUpright;
                unsigned char block[kMaxBlock];
                if (file.readAt(offset, block, size) != size)
                    return kUpright;
                return fromBlock(block, size);
            }
        }
        pos += 2 + length;
    }
    return kUpright;
}

} // namespace quorvel::cli
