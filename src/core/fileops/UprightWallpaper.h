#pragma once

#include <QString>

namespace quorvel {

// The file to hand the desktop for a picture. Desktops differ in whether
// they honour a photo's EXIF orientation, so a picture that is not stored
// upright is given as an upright copy, made losslessly like a turn
// (ImageTransform, TransformCode::Upright), or for a format that cannot be
// turned losslessly (PNG, WebP) or that desktops do not read (see
// WallpaperSource) decoded as shown and written as a PNG, and kept in folder
// (usually WallpaperSource::defaultFolder()) under a name of its own per
// picture; copies made for other pictures are removed. The picture itself
// when it is upright already, or when no copy can be made.
QString uprightWallpaperFile(const QString &path, const QString &folder);

} // namespace quorvel
