#pragma once

#include <QImage>

namespace quorvel {

// Brings any decoded QImage to the one in-memory layout, Format_RGB32 with
// every alpha byte 255. Transparent pixels are flattened over black, as when
// a picture with alpha is drawn onto a fresh opaque bitmap. Palettes, grey
// and 16-bit channels become 8-bit RGB. A null image stays null.
QImage normalizeToRgb32(QImage image);

} // namespace quorvel
