#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace quorvel {

// Edits entries of an EXIF block (the TIFF structure inside a JPEG's APP1
// segment) without moving anything that is already there, so that maker
// notes and every other offset-based structure stay valid byte for byte:
//   - a value of the same type and size is overwritten where it lies;
//   - a different value is written where the old one lay when it fits
//     there, else appended at the end of the block, and only the entry's
//     twelve bytes change;
//   - an added entry makes a new copy of its directory at the end of the
//     block, with the pointer to that directory updated; the old copy stays
//     behind, unreferenced;
//   - a removed entry is taken out of its directory in place.
// Every offset read from the block is checked against its size.
class ExifBlockEditor
{
public:
    // IFD0, the Exif IFD, and IFD1 (the stored thumbnail's directory, which
    // entries can be found and overwritten in, never added to).
    enum class Dir { Image, Photo, Thumbnail };

    // The entry type codes the program writes.
    static constexpr quint16 kAscii = 2;
    static constexpr quint16 kShort = 3;
    static constexpr quint16 kLong = 4;
    static constexpr quint16 kRational = 5;

    struct Entry
    {
        quint16 tag = 0;
        quint16 type = 0;
        quint32 count = 0;
        qsizetype entryOffset = 0; // of the 12-byte entry in the block
        qsizetype valueOffset = 0; // of the value bytes in the block
        qsizetype valueSize() const;
    };

    // An empty block: little-endian header and an empty IFD0.
    ExifBlockEditor();
    explicit ExifBlockEditor(QByteArray block);

    bool isValid() const { return m_valid; }
    bool bigEndian() const { return m_bigEndian; }
    const QByteArray &block() const { return m_block; }

    std::optional<Entry> find(Dir dir, quint16 tag) const;
    QByteArray valueBytes(const Entry &e) const;

    // Sets the entry to the value (in the block's byte order, count items of
    // type); adds it when missing. False when the block is damaged.
    bool set(Dir dir, quint16 tag, quint16 type, quint32 count, const QByteArray &value);
    // Overwrites the value only when the entry exists with this type and
    // count; false (nothing changed) otherwise.
    bool overwrite(Dir dir, quint16 tag, quint16 type, quint32 count, const QByteArray &value);
    // Removes the entry when present; false only when the block is damaged.
    bool remove(Dir dir, quint16 tag);
    // Unlinks IFD1, and with it the stored thumbnail: its bytes stay behind,
    // unreferenced.
    bool removeThumbnailDir();

    // Raw access for data that entries point to (a stored thumbnail):
    // writes bytes over the block from offset, within its size; appends
    // bytes at the end (word-aligned) and gives their offset.
    bool putBytes(qsizetype offset, const QByteArray &bytes);
    qsizetype appendBytes(const QByteArray &bytes) { return append(bytes); }

    // Values in the block's byte order.
    QByteArray ascii(const QByteArray &text) const; // with its terminating zero
    QByteArray shortValue(quint16 v) const;
    QByteArray longValue(quint32 v) const;
    // The number in a SHORT or LONG entry of count 1.
    std::optional<quint32> number(const Entry &e) const;
    QByteArray rationalValue(quint32 numerator, quint32 denominator) const;

    static int typeSize(quint16 type);

    inline static constexpr quint16 kExifPointer = 0x8769;

private:
    quint16 u16(qsizetype at) const;
    quint32 u32(qsizetype at) const;
    void put16(qsizetype at, quint16 v);
    void put32(qsizetype at, quint32 v);
    bool readDir(qsizetype offset, QList<Entry> &entries, qsizetype *nextAt) const;
    std::optional<qsizetype> dirOffset(Dir dir) const;
    bool ensurePhotoDir();
    qsizetype append(const QByteArray &bytes);
    bool writeValue(Entry &e, quint16 type, quint32 count, const QByteArray &value);
    bool addEntry(Dir dir, quint16 tag, quint16 type, quint32 count, const QByteArray &value);

    QByteArray m_block;
    bool m_bigEndian = false;
    bool m_valid = false;
};

} // namespace quorvel
