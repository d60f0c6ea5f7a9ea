#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace quorvel::exifturn {

// Brings an EXIF block (the TIFF structure of a JPEG's APP1 segment) in line
// with its picture after the picture was turned by turn (an orientation
// value, 1 for none) and now has the given size:
//   - Orientation (IFD0, and IFD1 where it has one) says 1 when upright is
//     set: the picture is now stored as it is meant to be seen;
//   - PixelXDimension and PixelYDimension, where present, say the size;
//   - the stored thumbnail is turned the same way (losslessly where its
//     sides allow, else decoded, turned and encoded again) and put back
//     where it lay, or at the end of the block when it grew. A thumbnail
//     that cannot be turned, or would no longer fit into the segment, is
//     dropped rather than left showing the old turn.
// Entries are overwritten where they lie; nothing else moves, so a maker
// note stays valid. A damaged block is left as it is; false, when it names
// an orientation other than 1 all the same.
bool adjust(QByteArray &block, int turn, QSize size, bool upright);

// The same for the EXIF segment of a whole JPEG file, with the size from its
// frame header. A file without EXIF is left as it is. False, with *error
// set and the file unchanged, when its markers or its EXIF are damaged.
bool adjustJpeg(QByteArray &jpeg, int turn, bool upright, QString *error = nullptr);

} // namespace quorvel::exifturn
