#pragma once

#include <QImage>

namespace quorvel {

// Brings any decoded QImage to the one in-memory layout, Format_RGB32 with
// every alpha byte 255. Transparent pixels are flattened over black, as when
// a picture with alpha is drawn onto a fresh opaque bitmap. Palettes, grey
// and 16-bit channels become 8-bit RGB. A null image stays null.
QImage normalizeToRgb32(QImage image);

// The same for one row of a decoder's own output: width pixels of 8-bit
// samples, interleaved grey (channels 1), RGB (3) or RGBA (4), written into
// out as opaque 32-bit pixels, alpha flattened over black.
void packRow8(const uchar *samples, int channels, int width, QRgb *out);

} // namespace quorvel
