#pragma once

#include "core/imaging/DecodeTypes.h"
#include "core/imaging/RawFileNames.h"

#include <QByteArrayView>
#include <QList>
#include <QStringList>

namespace quorvel {

// How many leading bytes sniffDecoder looks at.
inline constexpr int kSniffBytes = 64;

// The decoder the leading bytes of a file call for: Jpeg, Tiff, Heif (HEIC
// and AVIF), Jxl or Pcx by their signatures, otherwise Qt (whose readers
// decide by content in turn).
DecoderKind sniffDecoder(QByteArrayView head);

// The decoders to try, in order, for a file that is not a camera raw file:
// the one its content calls for, then (with nameFallback) the codec layer by
// the name rules: TIFF when the lower-cased path contains ".tif", else JPEG
// when it contains ".jpg". Each decoder appears once.
QList<DecoderKind> decoderOrder(const QString &path, QByteArrayView head, bool nameFallback);

} // namespace quorvel
