#include "core/exif/ExifBlockEditor.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr qsizetype kHeaderSize = 8;
constexpr qsizetype kEntrySize = 12;
constexpr quint16 kTypeLong = ExifBlockEditor::kLong;
constexpr quint16 kTypeIfd = 13;
constexpr quint16 kTypeUndefined = 7;
constexpr quint16 kExifVersion = 0x9000;

} // namespace

qsizetype ExifBlockEditor::Entry::valueSize() const
{
    return qsizetype(typeSize(type)) * qsizetype(count);
}

int ExifBlockEditor::typeSize(quint16 type)
{
    switch (type) {
    case 1: case 2: case 6: case 7: return 1;        // BYTE ASCII SBYTE UNDEFINED
    case 3: case 8: return 2;                        // SHORT SSHORT
    case 4: case 9: case 11: case 13: return 4;      // LONG SLONG FLOAT IFD
    case 5: case 10: case 12: return 8;              // RATIONAL SRATIONAL DOUBLE
    default: return 0;
    }
}

ExifBlockEditor::ExifBlockEditor()
    : ExifBlockEditor(QByteArray("II\x2A\0\x08\0\0\0" "\0\0" "\0\0\0\0", 14))
{
}

ExifBlockEditor::ExifBlockEditor(QByteArray block)
    : m_block(std::move(block))
{
    if (m_block.size() < kHeaderSize)
        return;
    if (m_block.startsWith("II"))
        m_bigEndian = false;
    else if (m_block.startsWith("MM"))
        m_bigEndian = true;
    else
        return;
    if (u16(2) != 42)
        return;
    QList<Entry> entries;
    m_valid = readDir(u32(4), entries, nullptr);
}

quint16 ExifBlockEditor::u16(qsizetype at) const
{
    const auto *p = reinterpret_cast<const uchar *>(m_block.constData() + at);
    return m_bigEndian ? quint16((p[0] << 8) | p[1]) : quint16((p[1] << 8) | p[0]);
}

quint32 ExifBlockEditor::u32(qsizetype at) const
{
    const auto *p = reinterpret_cast<const uchar *>(m_block.constData() + at);
    return m_bigEndian ? (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3]
                       : (quint32(p[3]) << 24) | (quint32(p[2]) << 16) | (quint32(p[1]) << 8) | p[0];
}

void ExifBlockEditor::put16(qsizetype at, quint16 v)
{
    m_block[at + (m_bigEndian ? 0 : 1)] = char(v >> 8);
    m_block[at + (m_bigEndian ? 1 : 0)] = char(v & 0xFF);
}

void ExifBlockEditor::put32(qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i) {
        const int shift = m_bigEndian ? 24 - 8 * i : 8 * i;
        m_block[at + i] = char((v >> shift) & 0xFF);
    }
}

QByteArray ExifBlockEditor::ascii(const QByteArray &text) const
{
    QByteArray v = text;
    v.append('\0');
    return v;
}

QByteArray ExifBlockEditor::shortValue(quint16 v) const
{
    QByteArray b(2, '\0');
    b[m_bigEndian ? 0 : 1] = char(v >> 8);
    b[m_bigEndian ? 1 : 0] = char(v & 0xFF);
    return b;
}

QByteArray ExifBlockEditor::longValue(quint32 v) const
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (m_bigEndian ? 24 - 8 * i : 8 * i)) & 0xFF);
    return b;
}

std::optional<quint32> ExifBlockEditor::number(const Entry &e) const
{
    if (e.count != 1 || e.valueOffset < 0)
        return std::nullopt;
    if (e.type == kShort)
        return u16(e.valueOffset);
    if (e.type == kTypeLong)
        return u32(e.valueOffset);
    return std::nullopt;
}

QByteArray ExifBlockEditor::rationalValue(quint32 numerator, quint32 denominator) const
{
    QByteArray b(8, '\0');
    for (int i = 0; i < 4; ++i) {
        const int shift = m_bigEndian ? 24 - 8 * i : 8 * i;
        b[i] = char((numerator >> shift) & 0xFF);
        b[4 + i] = char((denominator >> shift) & 0xFF);
    }
    return b;
}

bool ExifBlockEditor::readDir(qsizetype offset, QList<Entry> &entries, qsizetype *nextAt) const
{
    entries.clear();
    const qsizetype size = m_block.size();
    if (offset < kHeaderSize || offset + 2 > size)
        return false;
    const qsizetype n = u16(offset);
    const qsizetype first = offset + 2;
    if (first + n * kEntrySize > size)
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        Entry e;
        e.entryOffset = first + i * kEntrySize;
        e.tag = u16(e.entryOffset);
        e.type = u16(e.entryOffset + 2);
        e.count = u32(e.entryOffset + 4);
        const qsizetype valueSize = e.valueSize();
        if (valueSize <= 4) {
            e.valueOffset = e.entryOffset + 8;
        } else {
            e.valueOffset = u32(e.entryOffset + 8);
            // A value outside the block is kept as it is but never read.
            if (e.valueOffset + valueSize > size || valueSize > size)
                e.valueOffset = -1;
        }
        entries.append(e);
    }
    if (nextAt)
        *nextAt = first + n * kEntrySize;
    return true;
}

std::optional<qsizetype> ExifBlockEditor::dirOffset(Dir dir) const
{
    if (!m_valid)
        return std::nullopt;
    const qsizetype ifd0 = u32(4);
    if (dir == Dir::Image)
        return ifd0;
    QList<Entry> entries;
    qsizetype nextAt = 0;
    if (!readDir(ifd0, entries, &nextAt))
        return std::nullopt;
    if (dir == Dir::Thumbnail) {
        if (nextAt + 4 > m_block.size())
            return std::nullopt;
        const qsizetype at = u32(nextAt);
        QList<Entry> thumbnail;
        if (at == 0 || at == ifd0 || !readDir(at, thumbnail, nullptr))
            return std::nullopt;
        return at;
    }
    for (const Entry &e : entries) {
        if (e.tag == kExifPointer && (e.type == kTypeLong || e.type == kTypeIfd) && e.count == 1) {
            const qsizetype at = u32(e.valueOffset);
            QList<Entry> photo;
            if (readDir(at, photo, nullptr))
                return at;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<ExifBlockEditor::Entry> ExifBlockEditor::find(Dir dir, quint16 tag) const
{
    const auto at = dirOffset(dir);
    QList<Entry> entries;
    if (!at || !readDir(*at, entries, nullptr))
        return std::nullopt;
    for (const Entry &e : entries) {
        if (e.tag == tag)
            return e;
    }
    return std::nullopt;
}

QByteArray ExifBlockEditor::valueBytes(const Entry &e) const
{
    if (e.valueOffset < 0)
        return QByteArray();
    return m_block.mid(e.valueOffset, e.valueSize());
}

qsizetype ExifBlockEditor::append(const QByteArray &bytes)
{
    if (m_block.size() % 2)
        m_block.append('\0'); // offsets are word-aligned
    const qsizetype at = m_block.size();
    m_block.append(bytes);
    return at;
}

bool ExifBlockEditor::writeValue(Entry &e, quint16 type, quint32 count, const QByteArray &value)
{
    const qsizetype newSize = value.size();
    if (newSize <= 4) {
        QByteArray inlineValue = value;
        inlineValue.append(QByteArray(4 - newSize, '\0'));
        m_block.replace(e.entryOffset + 8, 4, inlineValue);
    } else if (e.valueSize() > 4 && e.valueOffset >= 0 && newSize <= e.valueSize()) {
        m_block.replace(e.valueOffset, newSize, value);
        std::fill(m_block.begin() + e.valueOffset + newSize, m_block.begin() + e.valueOffset + e.valueSize(), '\0');
    } else {
        const qsizetype at = append(value);
        put32(e.entryOffset + 8, quint32(at));
    }
    put16(e.entryOffset + 2, type);
    put32(e.entryOffset + 4, count);
    return true;
}

bool ExifBlockEditor::overwrite(Dir dir, quint16 tag, quint16 type, quint32 count, const QByteArray &value)
{
    auto e = find(dir, tag);
    if (!e || e->type != type || e->count != count || e->valueOffset < 0 || e->valueSize() != value.size())
        return false;
    m_block.replace(e->valueOffset, value.size(), value);
    return true;
}

bool ExifBlockEditor::set(Dir dir, quint16 tag, quint16 type, quint32 count, const QByteArray &value)
{
    if (!m_valid || qsizetype(typeSize(type)) * count != value.size())
        return false;
    if (auto e = find(dir, tag))
        return writeValue(*e, type, count, value);
    return addEntry(dir, tag, type, count, value);
}

bool ExifBlockEditor::ensurePhotoDir()
{
    if (dirOffset(Dir::Photo))
        return true;
    if (find(Dir::Image, kExifPointer))
        return false; // a pointer that leads nowhere: not ours to mend
    const qsizetype at = append(QByteArray(6, '\0'));
    QByteArray pointer(4, '\0');
    const quint32 v = quint32(at);
    for (int i = 0; i < 4; ++i)
        pointer[i] = char((v >> (m_bigEndian ? 24 - 8 * i : 8 * i)) & 0xFF);
    // A new Exif directory says which version of the standard it follows.
    return addEntry(Dir::Image, kExifPointer, kTypeLong, 1, pointer)
        && addEntry(Dir::Photo, kExifVersion, kTypeUndefined, 4, QByteArray("0230"));
}

bool ExifBlockEditor::addEntry(Dir dir, quint16 tag, quint16 type, quint32 count, const QByteArray &value)
{
    if (dir == Dir::Thumbnail)
        return false;
    if (dir == Dir::Photo && !ensurePhotoDir())
        return false;
    const auto at = dirOffset(dir);
    QList<Entry> entries;
    qsizetype nextAt = 0;
    if (!at || !readDir(*at, entries, &nextAt) || entries.size() >= 0xFFFF)
        return false;
    const quint32 next = nextAt + 4 <= m_block.size() ? u32(nextAt) : 0;

    QByteArray entry(kEntrySize, '\0');
    {
        ExifBlockEditor scratch;
        scratch.m_bigEndian = m_bigEndian;
        scratch.m_block = QByteArray(kEntrySize, '\0');
        scratch.put16(0, tag);
        scratch.put16(2, type);
        scratch.put32(4, count);
        entry = scratch.m_block;
    }
    if (value.size() <= 4) {
        entry.replace(8, value.size(), value);
    } else {
        const qsizetype valueAt = append(value);
        ExifBlockEditor scratch;
        scratch.m_bigEndian = m_bigEndian;
        scratch.m_block = entry;
        scratch.put32(8, quint32(valueAt));
        entry = scratch.m_block;
    }

    // The directory keeps its entries sorted by tag.
    QByteArray dirBytes;
    const qsizetype n = entries.size() + 1;
    dirBytes.reserve(2 + n * kEntrySize + 4);
    dirBytes.append(shortValue(quint16(n)));
    bool placed = false;
    for (const Entry &e : entries) {
        if (!placed && e.tag > tag) {
            dirBytes.append(entry);
            placed = true;
        }
        dirBytes.append(m_block.mid(e.entryOffset, kEntrySize));
    }
    if (!placed)
        dirBytes.append(entry);
    dirBytes.append(QByteArray(4, '\0'));
    const qsizetype newAt = append(dirBytes);
    put32(newAt + 2 + n * kEntrySize, next);

    if (dir == Dir::Image) {
        put32(4, quint32(newAt));
    } else {
        auto pointer = find(Dir::Image, kExifPointer);
        if (!pointer)
            return false;
        put32(pointer->valueOffset, quint32(newAt));
    }
    return true;
}

bool ExifBlockEditor::remove(Dir dir, quint16 tag)
{
    const auto at = dirOffset(dir);
    if (!at)
        return m_valid; // no such directory: nothing to remove
    QList<Entry> entries;
    qsizetype nextAt = 0;
    if (!readDir(*at, entries, &nextAt))
        return false;
    const auto it = std::find_if(entries.begin(), entries.end(), [tag](const Entry &e) { return e.tag == tag; });
    if (it == entries.end())
        return true;
    const quint32 next = nextAt + 4 <= m_block.size() ? u32(nextAt) : 0;
    const qsizetype from = it->entryOffset;
    const qsizetype tail = nextAt - (from + kEntrySize);
    m_block.replace(from, tail, m_block.mid(from + kEntrySize, tail));
    put16(*at, quint16(entries.size() - 1));
    const qsizetype newNextAt = nextAt - kEntrySize;
    put32(newNextAt, next);
    const qsizetype clearEnd = std::min<qsizetype>(nextAt + 4, m_block.size());
    std::fill(m_block.begin() + newNextAt + 4, m_block.begin() + clearEnd, '\0');
    return true;
}

bool ExifBlockEditor::removeThumbnailDir()
{
    const auto ifd0 = dirOffset(Dir::Image);
    QList<Entry> entries;
    qsizetype nextAt = 0;
    if (!ifd0 || !readDir(*ifd0, entries, &nextAt))
        return false;
    if (nextAt + 4 <= m_block.size())
        put32(nextAt, 0);
    return true;
}

bool ExifBlockEditor::putBytes(qsizetype offset, const QByteArray &bytes)
{
    if (offset < kHeaderSize || offset > m_block.size() || bytes.size() > m_block.size() - offset)
        return false;
    m_block.replace(offset, bytes.size(), bytes);
    return true;
}

} // namespace quorvel
