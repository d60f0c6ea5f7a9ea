#pragma once

namespace quorvel::cli {

class FileBytes;

// The EXIF orientation (1..8) of a JPEG file, found without Qt and by the
// very rules of the program's own reader (exiforientation::fromFile): the
// first APP1 "Exif" segment before the first scan, the Orientation entry of
// its first directory, SHORT or LONG, one value; 1 for anything else.
int jpegOrientation(FileBytes &file);

} // namespace quorvel::cli
