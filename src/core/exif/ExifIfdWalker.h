#pragma once

#include "core/exif/ExifFields.h"
#include "core/exif/ExifTagDecoder.h"

#include <QtGlobal>

namespace quorvel {

class ExifByteSource;

// Reads the six fields straight from an EXIF block (a TIFF structure from
// its "II*\0" or "MM\0*" header) that lies at [offset, offset + size) of the
// source, without decoding anything else: the header, IFD0, the Exif IFD it
// points to, and the values of the six tags and the maker note. Only those
// bytes are read from the source, each range checked against the block
// first, so an offset that points anywhere else is refused before anything
// is read.
//
// The rules are those of decodeSixTags over the metadata library's decoding
// of the same block: a directory of more than 256 entries is not read, an
// entry cut off by the end of the block ends its directory, an entry with a
// count of 0x10000000 or more is passed over, a value outside the block (or
// at offset 0, where the header lies) leaves its entry without a value, and
// the Exif IFD is not read when it is IFD0 again.
namespace exififd {

// False when the block is no TIFF structure or holds no entry; out then
// stays at its defaults. Texts are not yet cleaned. makerNote, when not
// null, receives the Exif IFD's maker note.
bool readSixTags(ExifByteSource &source, qint64 offset, qint64 size, ExifFields &out,
                 exiftags::MakerNote *makerNote = nullptr);

// The most entries one directory may hold to be read.
inline constexpr int kMaxEntries = 256;

} // namespace exififd
} // namespace quorvel
