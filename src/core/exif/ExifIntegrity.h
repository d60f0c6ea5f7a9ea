#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel::exifintegrity {

// Compares two EXIF blocks as the metadata library decodes them - every
// entry of every directory, the maker note's own entries and its raw bytes
// included - leaving out the five fields the EXIF editor writes and the
// pointer to the Exif directory (and the version entry of an Exif
// directory that was added). Returns "" when everything else is the
// same; otherwise names what differs. A block that cannot be decoded counts
// as different.
QString changedEntries(const QByteArray &before, const QByteArray &after);

} // namespace quorvel::exifintegrity
