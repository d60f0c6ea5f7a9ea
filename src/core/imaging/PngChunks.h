#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <limits>

namespace quorvel::pngchunks {

// The eight bytes every PNG file starts with.
bool hasSignature(QByteArrayView head);

// One chunk: its type ("IHDR", "eXIf"...) and where its data lies.
struct Chunk
{
    QByteArray type;
    qint64 dataStart = 0;
    qint64 length = 0;
};

enum class Walk {
    Ended,     // at IEND, or at the end of the file
    Stopped,   // visit asked to stop
    Damaged,   // a chunk claims more bytes than the file holds
    BadType,   // a chunk type that is not four letters: no chunk structure there
    ReadError, // a chunk header could not be read
};

// Walks the chunks of a PNG file of size bytes from the first one after the
// signature, calling visit for each until it returns true. read(offset,
// length) gives the file's bytes. Only the 8-byte chunk headers are read,
// and every chunk (with its CRC) must fit into the file and within PNG's own
// limit of 2^31 - 1 bytes before visit sees it. At most maxChunks chunks are
// looked at; the walk then counts as Ended.
using Read = std::function<QByteArray(qint64 offset, qint64 length)>;
Walk walk(qint64 size, const Read &read, const std::function<bool(const Chunk &)> &visit,
          int maxChunks = std::numeric_limits<int>::max());

} // namespace quorvel::pngchunks
