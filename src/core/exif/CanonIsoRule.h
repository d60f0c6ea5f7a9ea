#pragma once

#include <QByteArrayView>

#include <optional>

namespace quorvel::canoniso {

// Canon cameras that leave ISOSpeedRatings out keep the ISO in their maker
// note, in the camera-settings array (maker-note tag 1).

// Where the maker note says the camera-settings array lies.
struct CameraSettings
{
    quint32 count = 0;   // number of 16-bit values
    quint32 offset = 0;  // as written in the entry
};

// Reads the maker note as a little-endian IFD (a 16-bit entry count, then
// 12-byte entries: tag, type, count, value offset) and gives the first entry
// with tag 1. Entries that do not lie wholly inside the maker note are not
// read, whatever the entry count says.
std::optional<CameraSettings> findCameraSettings(QByteArrayView makerNote);

// How many bytes are read at the array's offset.
inline constexpr qint64 kReadBytes = 512;

// The ISO from the bytes read at the array's offset, counted from the start
// of the file. The offset in the maker note is not counted from there, so the
// array is found by its first value, which is its own length in bytes (twice
// the count); the ISO code is the 16th value after it. Codes 15 (automatic),
// 16, 17, 18 and 19 give 15, 50, 100, 200 and 400; anything else, or an array
// not found within the bytes, gives 0.
int isoFromCameraSettings(QByteArrayView bytes, quint32 count);

} // namespace quorvel::canoniso
