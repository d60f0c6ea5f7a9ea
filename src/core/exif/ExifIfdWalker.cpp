#include "core/exif/ExifIfdWalker.h"

#include "core/exif/ExifByteSource.h"

#include <QList>
#include <QtEndian>

#include <cstring>
#include <iterator>
#include <optional>

namespace quorvel::exififd {

namespace {

enum Tag : quint16 {
    Model = 0x0110,
    ExifIfdPointer = 0x8769,
    ExposureTime = 0x829A,
    FNumber = 0x829D,
    IsoSpeedRatings = 0x8827,
    DateTimeOriginal = 0x9003,
    FocalLength = 0x920A,
    MakerNoteTag = 0x927C,
};

constexpr qint64 kEntryBytes = 12;
constexpr quint32 kMaxCount = 0x10000000;
// At most this many Exif IFDs one pointer entry may name are read.
constexpr int kMaxExifIfds = 8;

qint64 typeSize(int type)
{
    switch (type) {
    case 3: case 8: return 2;          // SHORT, SSHORT
    case 4: case 9: case 11: case 13:  // LONG, SLONG, FLOAT, IFD
        return 4;
    case 5: case 10: case 12: return 8; // RATIONAL, SRATIONAL, DOUBLE
    case 16: case 17: case 18: return 8; // LONG8, SLONG8, IFD8
    default: return 1;                  // BYTE, ASCII, SBYTE, UNDEFINED and unknown types
    }
}

// One directory entry with its value bytes.
struct Entry
{
    quint16 tag = 0;
    int type = 0;
    quint32 count = 0;
    QByteArray data;
};

class Block
{
public:
    Block(ExifByteSource &source, qint64 offset, qint64 size)
        : m_source(source), m_offset(offset), m_size(size) {}

    qint64 size() const { return m_size; }
    bool bigEndian() const { return m_bigEndian; }
    void setBigEndian(bool big) { m_bigEndian = big; }

    // Exactly length bytes at offset within the block, or nothing; without
    // a copy where the source keeps them, else in storage. Valid until the
    // next call.
    QByteArrayView view(qint64 offset, qint64 length, QByteArray &storage) const
    {
        if (offset < 0 || length <= 0 || offset > m_size || length > m_size - offset)
            return QByteArrayView();
        QByteArrayView b = m_source.peek(m_offset + offset, length);
        if (b.isEmpty()) {
            storage = m_source.read(m_offset + offset, length);
            b = storage;
        }
        return b.size() == length ? b : QByteArrayView();
    }
    QByteArray bytes(qint64 offset, qint64 length) const
    {
        QByteArray storage;
        return view(offset, length, storage).toByteArray();
    }

    quint16 u16(const char *p) const
    {
        return m_bigEndian ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p);
    }
    quint32 u32(const char *p) const
    {
        return m_bigEndian ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p);
    }

private:
    ExifByteSource &m_source;
    qint64 m_offset;
    qint64 m_size;
    bool m_bigEndian = false;
};

bool wanted(quint16 tag)
{
    switch (tag) {
    case Model: case ExifIfdPointer: case ExposureTime: case FNumber: case IsoSpeedRatings:
    case DateTimeOriginal: case FocalLength: case MakerNoteTag:
        return true;
    default:
        return false;
    }
}

// The entries of the directory at offset: every entry counts toward *any,
// only the wanted ones are kept, with their values.
QList<Entry> readDirectory(const Block &block, qint64 offset, bool *any)
{
    QList<Entry> entries;
    QByteArray storage;
    const QByteArrayView countBytes = block.view(offset, 2, storage);
    if (countBytes.isEmpty())
        return entries;
    const int n = block.u16(countBytes.data());
    if (n > kMaxEntries)
        return entries;
    // Entries cut off by the end of the block end the directory.
    const qint64 whole = std::min<qint64>(n, (block.size() - offset - 2) / kEntryBytes);
    if (whole <= 0)
        return entries;
    // The wanted entries are taken from the table first: reading a value
    // may move the bytes the table view points into.
    struct Raw
    {
        quint16 tag;
        int type;
        quint32 count;
        char value[4];
    };
    Raw raw[16];
    int rawCount = 0;
    {
        const QByteArrayView table = block.view(offset + 2, whole * kEntryBytes, storage);
        if (table.isEmpty())
            return entries;
        for (qint64 i = 0; i < whole; ++i) {
            const char *p = table.data() + i * kEntryBytes;
            const quint32 count = block.u32(p + 4);
            if (count >= kMaxCount)
                continue; // passed over: no entry at all
            *any = true;
            const quint16 tag = block.u16(p);
            if (!wanted(tag) || rawCount == int(std::size(raw)))
                continue;
            Raw &r = raw[rawCount++];
            r.tag = tag;
            r.type = block.u16(p + 2);
            r.count = count;
            std::memcpy(r.value, p + 8, 4);
        }
    }
    entries.reserve(rawCount);
    for (int i = 0; i < rawCount; ++i) {
        const Raw &r = raw[i];
        Entry e;
        e.tag = r.tag;
        e.type = r.type;
        e.count = r.count;
        const qint64 size = typeSize(e.type) * qint64(r.count);
        if (size <= 4) {
            e.data = QByteArray(r.value, size);
        } else {
            const qint64 valueOffset = block.u32(r.value);
            // A value outside the block, wholly or in part, is none; so is
            // one at offset 0, where the header lies.
            if (valueOffset > 0 && valueOffset < block.size() && size <= block.size() - valueOffset)
                e.data = block.bytes(valueOffset, size);
        }
        entries.append(std::move(e));
    }
    return entries;
}

// The first entry with tag in the preferred directory, else in the other.
const Entry *findEntry(const QList<Entry> &preferred, const QList<Entry> &other, quint16 tag)
{
    for (const Entry &e : preferred) {
        if (e.tag == tag)
            return &e;
    }
    for (const Entry &e : other) {
        if (e.tag == tag)
            return &e;
    }
    return nullptr;
}

// The entry when it has the expected type and a value.
const Entry *typedEntry(const QList<Entry> &preferred, const QList<Entry> &other, quint16 tag, int type)
{
    const Entry *e = findEntry(preferred, other, tag);
    if (!e || e->type != type || e->data.size() < typeSize(type))
        return nullptr;
    return e;
}

std::optional<std::pair<quint32, quint32>> firstRational(const Block &block, const Entry *e)
{
    if (!e)
        return std::nullopt;
    return std::make_pair(block.u32(e->data.constData()), block.u32(e->data.constData() + 4));
}

} // namespace

bool readSixTags(ExifByteSource &source, qint64 offset, qint64 size, ExifFields &out, exiftags::MakerNote *makerNote)
{
    out = ExifFields();
    if (makerNote)
        *makerNote = exiftags::MakerNote();
    Block block(source, offset, size);
    const QByteArray header = block.bytes(0, 8);
    if (header.isEmpty())
        return false;
    if (header.startsWith("II"))
        block.setBigEndian(false);
    else if (header.startsWith("MM"))
        block.setBigEndian(true);
    else
        return false;
    if (block.u16(header.constData() + 2) != 42)
        return false;
    const qint64 ifd0Offset = block.u32(header.constData() + 4);
    if (ifd0Offset >= size)
        return false;

    bool any = false;
    const QList<Entry> ifd0 = readDirectory(block, ifd0Offset, &any);
    QList<Entry> exif;
    for (const Entry &e : ifd0) {
        if (e.tag != ExifIfdPointer)
            continue;
        // The first pointer entry names the Exif IFDs, one after another.
        if ((e.type == 4 || e.type == 9 || e.type == 13) && e.count >= 1 && !e.data.isEmpty()) {
            const qint64 n = std::min<qint64>({qint64(e.count), kMaxExifIfds, e.data.size() / 4});
            for (qint64 i = 0; i < n; ++i) {
                const qint64 at = block.u32(e.data.constData() + 4 * i);
                if (at > size)
                    break;
                if (at != ifd0Offset)
                    exif += readDirectory(block, at, &any);
            }
        }
        break;
    }
    if (!any)
        return false;

    if (const Entry *e = typedEntry(ifd0, exif, Model, exiftags::kTypeAscii)) {
        out.model = exiftags::asciiText(e->data);
        out.present = 1;
    }
    if (const auto r = firstRational(block, typedEntry(exif, ifd0, ExposureTime, exiftags::kTypeRational)))
        exiftags::setExposure(r->first, r->second, out);
    if (const auto r = firstRational(block, typedEntry(exif, ifd0, FocalLength, exiftags::kTypeRational)))
        exiftags::setFocalLength(r->first, r->second, out);
    if (const auto r = firstRational(block, typedEntry(exif, ifd0, FNumber, exiftags::kTypeRational)))
        exiftags::setFNumber(r->first, r->second, out);
    if (const Entry *e = typedEntry(exif, ifd0, DateTimeOriginal, exiftags::kTypeAscii)) {
        out.dateTimeOriginal = exiftags::asciiText(e->data);
        out.present = 1;
    }
    if (const Entry *e = typedEntry(exif, ifd0, IsoSpeedRatings, exiftags::kTypeShort)) {
        out.iso = block.u16(e->data.constData());
        out.present = 1;
    }
    if (makerNote) {
        if (const Entry *e = findEntry(exif, ifd0, MakerNoteTag); e && !e->data.isEmpty()) {
            makerNote->exists = true;
            makerNote->typeCode = e->type;
            if (e->type == exiftags::kTypeUndefined)
                makerNote->bytes = e->data;
        }
    }
    return true;
}

} // namespace quorvel::exififd
