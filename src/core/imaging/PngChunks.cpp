#include "core/imaging/PngChunks.h"

#include <QtEndian>

namespace quorvel::pngchunks {

namespace {

// A chunk type is four ASCII letters; anything else (the zeros of a sparse
// file, say) means the walk has left the chunk structure.
bool validType(QByteArrayView type)
{
    for (char c : type) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return type.size() == 4;
}

} // namespace

bool hasSignature(QByteArrayView head)
{
    return head.startsWith(QByteArrayView("\x89PNG\r\n\x1a\n", 8));
}

Walk walk(qint64 size, const Read &read, const std::function<bool(const Chunk &)> &visit, int maxChunks)
{
    qint64 at = 8;
    for (int n = 0; at + 12 <= size && n < maxChunks; ++n) {
        const QByteArray header = read(at, 8);
        if (header.size() != 8)
            return Walk::ReadError;
        const quint32 length = qFromBigEndian<quint32>(header.constData());
        if (!validType(QByteArrayView(header).sliced(4)))
            return Walk::BadType;
        if (length > 0x7fffffffu || qint64(length) > size - at - 12)
            return Walk::Damaged;
        const Chunk chunk{header.sliced(4), at + 8, qint64(length)};
        if (visit(chunk))
            return Walk::Stopped;
        if (chunk.type == "IEND")
            return Walk::Ended;
        at += 12 + qint64(length);
    }
    return Walk::Ended;
}

} // namespace quorvel::pngchunks
