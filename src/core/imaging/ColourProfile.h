#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel::colourprofile {

// The ICC colour profile a picture file carries: a JPEG's APP2 segments,
// the profile tag of a TIFF, the iCCP chunk of a PNG, a WebP's ICCP chunk.
// Empty when the file has none, it cannot be read, or it exceeds
// decodelimits::kMaxIccBytes. Camera raw files have none: their decoder
// delivers sRGB.
QByteArray embedded(const QString &path);

// The sRGB profile (Little CMS's own), for pictures whose pixels are sRGB.
const QByteArray &srgb();

// The profile a new RGB picture made from decoded pixels should carry.
// cmsApplied: the decoder converted the file's profile to sRGB ("UseCMS").
// - no embedded profile: none (the pixels are taken as sRGB);
// - converted: sRGB, whatever the file had;
// - not converted: the file's own profile when it is an RGB one; a grey or
//   CMYK profile does not describe RGB pixels and is dropped.
QByteArray forPixels(const QByteArray &embeddedProfile, bool cmsApplied);

} // namespace quorvel::colourprofile
