#pragma once

#include "core/exif/ExifFields.h"

#include <QString>

namespace quorvel {

// Reads the six EXIF fields of an image file into out, which starts from
// its defaults. True when the file could be opened and holds at least one
// EXIF entry of any kind (present stays 0 when none of the six is among
// them); false otherwise, with out at its defaults. Canon raw files are read
// through their ".thm" companion (see exifSourcePath).
//
// Only the metadata is read, never the picture: for a JPEG the marker
// segments up to the EXIF block, then only the directories and values of
// the six tags within it (see exififd); for HEIF/AVIF, JPEG XL, PNG and
// WebP the block their container carries (see containerexif), walked the
// same way; TIFF-based files (TIFF, DNG, CR2, NEF, ARW, ORF, RW2 and the
// like) through the metadata library. Other formats carry no EXIF here.
// The file is opened once. Never throws, never reports to the user. Safe
// to call from several threads at once.
bool readExifFields(const QString &path, ExifFields &out);
// The same for a file a folder scan has just listed (see
// ExifByteSource::Entry): one system call fewer, for lists of thousands.
bool readListedExifFields(const QString &path, ExifFields &out);

// The same for a whole file already in memory; the maker-note rule reads
// its offsets within these bytes.
bool readExifFieldsFromMemory(const char *data, qint64 size, ExifFields &out);

// The same through the metadata library's decoding of every entry of the
// block, as the fields were once read: slower, and kept to check the walk
// against.
bool readExifFieldsThroughLibrary(const QString &path, ExifFields &out);
bool readExifFieldsFromMemoryThroughLibrary(const char *data, qint64 size, ExifFields &out);

} // namespace quorvel
