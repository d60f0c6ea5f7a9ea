#pragma once

#include <QSize>
#include <QString>

namespace quorvel::viewStatus {

// The first status pane with an image shown: "IMG_1.JPG: 640x480, 24bpp",
// without the depth when it is 0, and ", damaged" when only part of the
// picture could be decoded; followed by the file list's position and size
// text. The size is the picture's as shown (turned by its orientation).
QString facts(const QString &fileName, QSize size, int bitsPerPixel, const QString &listText, bool damaged = false);
// The second pane: the EXIF summary and ".", or "EXIF not present."; then
// " Zoom: %d%%." with the zoom truncated.
QString info(const QString &exifSummary, float zoom);
// Without an image.
QString notLoaded();
// While a file loads.
QString loading();

} // namespace quorvel::viewStatus
