#include "core/exif/ContainerExif.h"

#include "core/exif/ExifByteSource.h"
#include "core/imaging/PngChunks.h"

#include <QList>
#include <QtEndian>

#include <brotli/decode.h>

#include <memory>
#include <optional>

namespace quorvel::containerexif {

namespace {

bool isTiffHeader(QByteArrayView b)
{
    return b.size() >= 8 && (b.startsWith(QByteArrayView("II*\0", 4)) || b.startsWith(QByteArrayView("MM\0*", 4)));
}

// A block as the chunk-based formats store it: the TIFF structure, which
// some writers precede with the "Exif\0\0" of a JPEG segment.
QByteArray tiffBlock(QByteArray data)
{
    if (data.startsWith(QByteArrayView("Exif\0\0", 6)))
        data.remove(0, 6);
    return isTiffHeader(data) ? data : QByteArray();
}

// HEIF's and JPEG XL's Exif payload: a 32-bit offset from its end to the
// TIFF header, then the data.
QByteArray offsetBlock(const QByteArray &payload)
{
    if (payload.size() < 4)
        return QByteArray();
    const quint32 offset = qFromBigEndian<quint32>(payload.constData());
    if (offset > quint32(payload.size() - 4))
        return QByteArray();
    const QByteArray block = payload.mid(4 + qsizetype(offset));
    return isTiffHeader(block) ? block : QByteArray();
}

// Reads big-endian numbers from a buffer; past the end every read gives 0
// and marks the reader bad.
class Reader
{
public:
    explicit Reader(QByteArrayView data) : m_data(data) {}

    bool ok() const { return m_ok; }
    qsizetype pos() const { return m_pos; }
    qsizetype left() const { return m_ok ? m_data.size() - m_pos : 0; }

    quint64 number(int bytes)
    {
        if (bytes < 0 || bytes > 8 || left() < bytes) {
            m_ok = false;
            return 0;
        }
        quint64 v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | uchar(m_data[m_pos++]);
        return v;
    }
    quint32 u8() { return quint32(number(1)); }
    quint32 u16() { return quint32(number(2)); }
    quint32 u32() { return quint32(number(4)); }
    QByteArrayView fourcc()
    {
        if (left() < 4) {
            m_ok = false;
            return {};
        }
        m_pos += 4;
        return m_data.sliced(m_pos - 4, 4);
    }
    void skip(qsizetype n)
    {
        if (n < 0 || left() < n)
            m_ok = false;
        else
            m_pos += n;
    }

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

// One ISO media box: where its contents lie and what it is called.
struct Box
{
    QByteArray type;
    qint64 contentStart = 0;
    qint64 contentSize = 0; // to the end of the enclosing data for size 0
};

// Reads the box header at offset within [0, end) of the source.
std::optional<Box> boxAt(ExifByteSource &source, qint64 offset, qint64 end)
{
    const QByteArray header = source.read(offset, 16);
    if (header.size() < 8 || offset + 8 > end)
        return std::nullopt;
    Reader r(header);
    quint64 size = r.u32();
    Box box;
    box.type = r.fourcc().toByteArray();
    qint64 headerSize = 8;
    if (size == 1) {
        if (header.size() < 16)
            return std::nullopt;
        size = r.number(8);
        headerSize = 16;
    } else if (size == 0) {
        size = quint64(end - offset);
    }
    if (size < quint64(headerSize) || size > quint64(end - offset))
        return std::nullopt;
    box.contentStart = offset + headerSize;
    box.contentSize = qint64(size) - headerSize;
    return box;
}

// The same for a box inside a buffer already read.
std::optional<Box> boxIn(QByteArrayView data, qsizetype offset)
{
    Reader r(data.sliced(offset));
    quint64 size = r.u32();
    Box box;
    box.type = r.fourcc().toByteArray();
    qint64 headerSize = 8;
    if (size == 1) {
        size = r.number(8);
        headerSize = 16;
    } else if (size == 0) {
        size = quint64(data.size() - offset);
    }
    if (!r.ok() || size < quint64(headerSize) || size > quint64(data.size() - offset))
        return std::nullopt;
    box.contentStart = offset + headerSize;
    box.contentSize = qint64(size) - headerSize;
    return box;
}

struct Extent
{
    quint64 offset;
    quint64 length;
};

struct ItemLocation
{
    quint32 id = 0;
    int construction = 0; // 0: in the file, 1: in the idat box
    quint64 baseOffset = 0;
    QList<Extent> extents;
};

// The Exif item of a HEIF meta box's contents, read from the file.
QByteArray heifExifFromMeta(ExifByteSource &source, QByteArrayView meta)
{
    quint32 primary = 0;
    QList<quint32> exifItems;
    QList<ItemLocation> locations;
    QList<std::pair<quint32, quint32>> describes; // Exif item -> the item it describes
    QByteArrayView idat;

    qsizetype at = 4; // version and flags of the meta box
    for (int n = 0; at + 8 <= meta.size() && n < kMaxEntries; ++n) {
        const auto box = boxIn(meta, at);
        if (!box)
            break;
        const QByteArrayView content = meta.sliced(box->contentStart, box->contentSize);
        at = box->contentStart + box->contentSize;
        Reader r(content);
        if (box->type == "pitm") {
            const quint32 version = r.u8();
            r.skip(3);
            primary = version == 0 ? r.u16() : r.u32();
        } else if (box->type == "idat") {
            idat = content;
        } else if (box->type == "iinf") {
            const quint32 version = r.u8();
            r.skip(3);
            const quint32 count = version == 0 ? r.u16() : r.u32();
            qsizetype inner = r.pos();
            for (quint32 i = 0; i < count && r.ok() && inner + 8 <= content.size() && int(i) < kMaxEntries; ++i) {
                const auto infe = boxIn(content, inner);
                if (!infe)
                    break;
                inner = infe->contentStart + infe->contentSize;
                if (infe->type != "infe")
                    continue;
                Reader e(content.sliced(infe->contentStart, infe->contentSize));
                const quint32 v = e.u8();
                e.skip(3);
                if (v < 2)
                    continue;
                const quint32 id = v == 2 ? e.u16() : e.u32();
                e.u16(); // protection index
                if (e.fourcc() == "Exif" && e.ok())
                    exifItems.append(id);
            }
        } else if (box->type == "iloc") {
            const quint32 version = r.u8();
            r.skip(3);
            const quint32 sizes = r.u16();
            const int offsetSize = int(sizes >> 12), lengthSize = int((sizes >> 8) & 15);
            const int baseSize = int((sizes >> 4) & 15), indexSize = version >= 1 ? int(sizes & 15) : 0;
            const quint32 count = version < 2 ? r.u16() : r.u32();
            for (quint32 i = 0; i < count && r.ok() && int(i) < kMaxEntries; ++i) {
                ItemLocation loc;
                loc.id = version < 2 ? r.u16() : r.u32();
                if (version >= 1)
                    loc.construction = int(r.u16() & 15);
                r.u16(); // data reference index
                loc.baseOffset = r.number(baseSize);
                const quint32 extents = r.u16();
                for (quint32 k = 0; k < extents && r.ok() && int(k) < kMaxEntries; ++k) {
                    r.number(indexSize);
                    const quint64 offset = r.number(offsetSize);
                    const quint64 length = r.number(lengthSize);
                    loc.extents.append({offset, length});
                }
                if (r.ok())
                    locations.append(loc);
            }
        } else if (box->type == "iref") {
            const quint32 version = r.u8();
            r.skip(3);
            qsizetype inner = r.pos();
            for (int k = 0; inner + 8 <= content.size() && k < kMaxEntries; ++k) {
                const auto ref = boxIn(content, inner);
                if (!ref)
                    break;
                inner = ref->contentStart + ref->contentSize;
                if (ref->type != "cdsc")
                    continue;
                Reader e(content.sliced(ref->contentStart, ref->contentSize));
                const quint32 from = version == 0 ? e.u16() : e.u32();
                const quint32 refs = e.u16();
                for (quint32 j = 0; j < refs && e.ok(); ++j) {
                    const quint32 to = version == 0 ? e.u16() : e.u32();
                    if (e.ok())
                        describes.append({from, to});
                }
            }
        }
    }
    if (exifItems.isEmpty())
        return QByteArray();
    // The block that describes the primary image, else the first one.
    quint32 chosen = exifItems.first();
    for (quint32 id : exifItems) {
        if (describes.contains(std::pair<quint32, quint32>(id, primary))) {
            chosen = id;
            break;
        }
    }
    for (const ItemLocation &loc : locations) {
        if (loc.id != chosen)
            continue;
        if (loc.construction != 0 && loc.construction != 1)
            return QByteArray();
        QByteArray payload;
        for (const Extent &e : loc.extents) {
            const quint64 start = loc.baseOffset + e.offset;
            const quint64 available = loc.construction == 0 ? quint64(source.size()) : quint64(idat.size());
            if (start > available)
                return QByteArray();
            const quint64 length = e.length == 0 ? available - start : e.length;
            if (length > available - start || qint64(payload.size()) + qint64(length) > kMaxBlockBytes)
                return QByteArray();
            if (loc.construction == 0) {
                const QByteArray part = source.read(qint64(start), qint64(length));
                if (quint64(part.size()) != length)
                    return QByteArray();
                payload += part;
            } else {
                payload += idat.sliced(qsizetype(start), qsizetype(length));
            }
        }
        return offsetBlock(payload);
    }
    return QByteArray();
}

QByteArray findHeif(ExifByteSource &source)
{
    qint64 at = 0;
    for (int n = 0; at < source.size() && n < kMaxEntries; ++n) {
        const auto box = boxAt(source, at, source.size());
        if (!box)
            return QByteArray();
        if (box->type == "meta") {
            if (box->contentSize > kMaxMetaBytes)
                return QByteArray();
            const QByteArray meta = source.read(box->contentStart, box->contentSize);
            if (meta.size() != box->contentSize)
                return QByteArray();
            return heifExifFromMeta(source, meta);
        }
        at = box->contentStart + box->contentSize;
    }
    return QByteArray();
}

QByteArray brotliDecompressed(QByteArrayView compressed)
{
    std::unique_ptr<BrotliDecoderState, void (*)(BrotliDecoderState *)> state(
        BrotliDecoderCreateInstance(nullptr, nullptr, nullptr), BrotliDecoderDestroyInstance);
    if (!state)
        return QByteArray();
    size_t availableIn = size_t(compressed.size());
    const uint8_t *nextIn = reinterpret_cast<const uint8_t *>(compressed.data());
    QByteArray out;
    for (;;) {
        const qsizetype done = out.size();
        if (done >= kMaxBlockBytes)
            return QByteArray();
        const qsizetype step = qMin<qsizetype>(64 * 1024, kMaxBlockBytes - done);
        out.resize(done + step);
        size_t availableOut = size_t(step);
        uint8_t *nextOut = reinterpret_cast<uint8_t *>(out.data() + done);
        const BrotliDecoderResult result =
            BrotliDecoderDecompressStream(state.get(), &availableIn, &nextIn, &availableOut, &nextOut, nullptr);
        out.resize(done + step - qsizetype(availableOut));
        if (result == BROTLI_DECODER_RESULT_SUCCESS)
            return out;
        if (result != BROTLI_DECODER_RESULT_NEEDS_MORE_OUTPUT)
            return QByteArray(); // damaged, or ends early
    }
}

QByteArray findJxl(ExifByteSource &source)
{
    qint64 at = 0;
    for (int n = 0; at < source.size() && n < kMaxEntries; ++n) {
        const auto box = boxAt(source, at, source.size());
        if (!box)
            return QByteArray();
        if (box->type == "Exif" || box->type == "brob") {
            if (box->contentSize > kMaxBlockBytes)
                return QByteArray();
            const QByteArray content = source.read(box->contentStart, box->contentSize);
            if (content.size() != box->contentSize)
                return QByteArray();
            if (box->type == "Exif")
                return offsetBlock(content);
            if (content.startsWith("Exif"))
                return offsetBlock(brotliDecompressed(QByteArrayView(content).sliced(4)));
        }
        at = box->contentStart + box->contentSize;
    }
    return QByteArray();
}

QByteArray findPng(ExifByteSource &source)
{
    QByteArray block;
    const auto read = [&source](qint64 offset, qint64 length) { return source.read(offset, length); };
    pngchunks::walk(source.size(), read, [&](const pngchunks::Chunk &chunk) {
        if (chunk.type != "eXIf")
            return false;
        if (chunk.length <= kMaxBlockBytes) {
            const QByteArray data = source.read(chunk.dataStart, chunk.length);
            if (data.size() == chunk.length)
                block = tiffBlock(data);
        }
        return true;
    }, kMaxEntries);
    return block;
}

QByteArray findWebp(ExifByteSource &source)
{
    const qint64 riffEnd = qMin<qint64>(source.size(), 8 + qint64(qFromLittleEndian<quint32>(source.head().data() + 4)));
    qint64 at = 12;
    for (int n = 0; at + 8 <= riffEnd && n < kMaxEntries; ++n) {
        const QByteArray header = source.read(at, 8);
        if (header.size() != 8)
            return QByteArray();
        const qint64 length = qFromLittleEndian<quint32>(header.constData() + 4);
        if (length > riffEnd - at - 8)
            return QByteArray();
        if (header.startsWith("EXIF")) {
            if (length > kMaxBlockBytes)
                return QByteArray();
            const QByteArray data = source.read(at + 8, length);
            return data.size() == length ? tiffBlock(data) : QByteArray();
        }
        at += 8 + length + (length & 1);
    }
    return QByteArray();
}

} // namespace

Kind kindOf(QByteArrayView head)
{
    if (head.size() >= 12 && head.sliced(4, 4) == "ftyp")
        return Kind::Heif;
    if (head.startsWith(QByteArrayView("\0\0\0\x0cJXL \r\n\x87\n", 12)))
        return Kind::Jxl;
    if (pngchunks::hasSignature(head))
        return Kind::Png;
    if (head.size() >= 12 && head.startsWith("RIFF") && head.sliced(8, 4) == "WEBP")
        return Kind::Webp;
    return Kind::None;
}

QByteArray find(ExifByteSource &source)
{
    switch (kindOf(source.head())) {
    case Kind::Heif: return findHeif(source);
    case Kind::Jxl: return findJxl(source);
    case Kind::Png: return findPng(source);
    case Kind::Webp: return findWebp(source);
    case Kind::None: break;
    }
    return QByteArray();
}

} // namespace quorvel::containerexif
