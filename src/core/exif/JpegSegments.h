#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

class QIODevice;

namespace quorvel::jpegsegments {

// One marker segment of a JPEG file in memory, before the scan data.
struct Segment
{
    uchar marker = 0;
    qsizetype start = 0;     // offset of the 0xFF that starts the marker
    qsizetype dataStart = 0; // offset of the content after the length field
    qsizetype dataLength = 0;

    qsizetype end() const { return dataStart + dataLength; }
};

// The header segments of a whole JPEG file, from SOI up to the first SOS.
// Everything from scanStart on (the SOS segment, the entropy-coded data and
// whatever follows) is the picture data that metadata edits never touch.
struct Layout
{
    bool ok = false;
    QList<Segment> segments;
    qsizetype scanStart = 0;

    // The index of the first APP1 "Exif\0\0" or APP0 "JFIF\0" segment, or -1.
    int exifIndex(QByteArrayView file) const;
    int jfifIndex(QByteArrayView file) const;
};

// Walks the segments with checked lengths and a bounded count; ok is false
// for anything that is not a JPEG or whose headers are damaged or cut short.
Layout walk(QByteArrayView file);

// Reads a JPEG file's header segments from the device's start, a segment at
// a time: SOI up to and including the first SOS segment, so that walk() on
// the result succeeds and the device stands at the start of the entropy-coded
// data. Nothing beyond is read. False when the data is no JPEG, its headers
// are damaged or cut short, or they exceed maxBytes.
bool readHeader(QIODevice &device, QByteArray &header, qint64 maxBytes = 64LL * 1024 * 1024);

inline constexpr uchar kApp0 = 0xE0;
inline constexpr uchar kApp1 = 0xE1;
inline constexpr uchar kSos = 0xDA;
inline constexpr qsizetype kExifIdSize = 6; // "Exif\0\0"
inline constexpr qsizetype kMaxSegmentData = 65533;

} // namespace quorvel::jpegsegments
