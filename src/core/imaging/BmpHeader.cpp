#include "core/imaging/BmpHeader.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace quorvel::bmpheader {

namespace {

quint32 le32(QByteArrayView d, qsizetype at)
{
    return qFromLittleEndian<quint32>(d.data() + at);
}

constexpr quint32 kSrgbSpace = 0x73524742; // 'sRGB'

} // namespace

Check check(QByteArrayView head)
{
    Check c;
    if (head.size() < 18 || !head.startsWith("BM"))
        return c;
    const quint32 size = le32(head, 14);
    if (size == 12)
        return c;
    // Every other header keeps the compression at the same place, when it
    // is long enough to hold one.
    if (head.size() < 14 + 20)
        return c;
    const quint32 compression = size >= 20 ? le32(head, 30) : 0;
    const bool os2 = size >= 16 && size <= 64 && size != 40 && size != 52 && size != 56;
    if (os2 && compression == 3)
        c.refusal = QStringLiteral("BMP: OS/2 Huffman-coded pictures are not supported");
    else if (os2 && compression == 4)
        c.refusal = QStringLiteral("BMP: OS/2 24-bit run-length coded pictures are not supported");
    else if (!os2 && compression == 4)
        c.refusal = QStringLiteral("BMP: pictures holding JPEG data are not supported");
    else if (!os2 && compression == 5)
        c.refusal = QStringLiteral("BMP: pictures holding PNG data are not supported");
    else if (size == 52 || size == 56)
        c.rewriteTo = 108;
    else if (os2 && size != 64)
        c.rewriteTo = 40;
    else if (size != 40 && size != 64 && size != 108 && size != 124)
        c.refusal = QStringLiteral("BMP: a header of %1 bytes is not supported").arg(size);
    return c;
}

QByteArray rewritten(QByteArrayView file, int rewriteTo)
{
    if (file.size() < 18 || !file.startsWith("BM"))
        return QByteArray();
    const quint32 size = le32(file, 14);
    if (size < 16 || size > 64 || file.size() < 14 + qsizetype(size))
        return QByteArray();
    QByteArray header(rewriteTo, '\0');
    std::memcpy(header.data(), file.data() + 14, std::min<size_t>(size, size_t(rewriteTo)));
    qToLittleEndian<quint32>(quint32(rewriteTo), header.data());
    if (rewriteTo == 108) {
        // V4 fields after the V3 ones: the colour space, its end points and
        // gamma, left as plain sRGB.
        if (le32(header, 16) == 6) // alpha bit fields, as V3 headers may say
            qToLittleEndian<quint32>(3, header.data() + 16);
        qToLittleEndian<quint32>(kSrgbSpace, header.data() + 56);
    } else if (size < 36) {
        // Fields a short OS/2 header leaves out stay zero, their defaults,
        // except the palette's length: what lies between the header and the
        // pixels, when that is fewer colours than the depth allows.
        const quint16 bits = qFromLittleEndian<quint16>(header.constData() + 14);
        const qint64 gap = (qint64(le32(file, 10)) - 14 - size) / 4;
        if (bits >= 1 && bits <= 8 && gap > 0 && gap < (qint64(1) << bits))
            qToLittleEndian<quint32>(quint32(gap), header.data() + 32);
    }
    const qint64 delta = qint64(rewriteTo) - qint64(size);
    const quint32 fileSize = le32(file, 2);
    const quint32 offset = le32(file, 10);
    QByteArray out;
    out.reserve(file.size() + delta);
    out.append(file.first(14));
    qToLittleEndian<quint32>(quint32(qMax<qint64>(0, qint64(fileSize) + delta)), out.data() + 2);
    qToLittleEndian<quint32>(quint32(qMax<qint64>(0, qint64(offset) + delta)), out.data() + 10);
    out.append(header);
    out.append(file.sliced(14 + size));
    return out;
}

} // namespace quorvel::bmpheader
