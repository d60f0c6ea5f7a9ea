#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>
#include <functional>

namespace quorvel {

// The decoders of the codec layer, as quorvel-tool names them.
enum class DecoderKind { None, Jpeg, Tiff, Raw, Qt, Pcx, Heif, Jxl };

QString decoderName(DecoderKind kind);

// Called with the whole percentage done (0..100) whenever it changes.
using PercentCallback = std::function<void(int percent)>;

// Bounds that protect against hostile files: nothing is allocated for a
// picture beyond them.
namespace decodelimits {
// 2^28 pixels: 1 GiB in the in-memory layout; larger than any camera makes.
inline constexpr qint64 kMaxPixels = qint64(1) << 28;
// No side may exceed this (QImage and the display code use int coordinates).
inline constexpr int kMaxSide = 1 << 17;
// Embedded colour profiles larger than this are ignored.
inline constexpr qint64 kMaxIccBytes = 16 * 1024 * 1024;
// Files read whole into memory (JPEG, PCX) may not exceed this.
inline constexpr qint64 kMaxEncodedBytes = qint64(1) << 30;
} // namespace decodelimits

struct DecodeOptions
{
    // "UseCMS": convert pictures with an embedded ICC profile to sRGB.
    bool useCms = false;
    // "HQRAWConv": VNG interpolation for camera raw files instead of bilinear.
    bool hqRaw = false;
    // When the decoder chosen by content fails, try the codec layer by the
    // name rules (".tif", ".jpg" in the lower-cased path). The preload does
    // without.
    bool nameFallback = true;
    // Pictures with more pixels are refused before anything is allocated.
    qint64 maxPixels = decodelimits::kMaxPixels;
    // Progress of long decodes (camera raw files).
    PercentCallback progress;
    // Set from another thread to abandon a decode; the result is a failure.
    const std::atomic_bool *cancel = nullptr;
    // When not empty, a decoder that can decode at a reduced scale cheaply
    // (JPEG, in the DCT domain) delivers the smallest such picture that still
    // covers this size, favouring speed over the last bit of quality. Other
    // decoders deliver the whole picture.
    QSize reduceTo;
    // reduceTo is a box the picture is to be fitted into with its aspect
    // ratio kept (a view): the reduced picture need only cover that fitted
    // size, not the whole box.
    bool reduceToFit = false;
    // Of the reduced scales that cover reduceTo, the one that decodes
    // fastest rather than the smallest, at the cost of memory (JPEG: a half
    // where 3/8 would do). For the picture the user is waiting for.
    bool reduceFastest = false;
    // Turn the picture as its EXIF orientation says ("Rotate pictures by
    // their EXIF orientation"), so that it comes out as it is meant to be
    // seen. reduceTo and DecodeResult::fullSize are then in that turned
    // picture's terms.
    bool applyOrientation = false;
    // false when the caller wants only the outcome (decoder, size, state)
    // and never looks at the pixels, as a check of a file does: a decoder
    // that can (JPEG) then decodes every row into a strip of a few rows it
    // reuses instead of holding the whole picture, delivers that strip as
    // the image and the picture's size in DecodeResult::fullSize. Other
    // decoders deliver the whole picture.
    bool keepPixels = true;

    bool cancelled() const { return cancel && cancel->load(std::memory_order_relaxed); }
    // Whether a picture of this size may be allocated.
    bool sizeAllowed(qint64 width, qint64 height) const;
};

// A decoded picture in the one in-memory layout (QImage::Format_RGB32,
// opaque), or a failure with a one-line reason.
struct DecodeResult
{
    QImage image;
    DecoderKind decoder = DecoderKind::None;
    QString error;
    // The picture's size in the file when the decoder delivered it reduced
    // (DecodeOptions::reduceTo) or only as a strip of rows
    // (DecodeOptions::keepPixels); empty otherwise.
    QSize fullSize;
    // The decoder already applied the format's own orientation (HEIF's
    // rotation and mirroring, JPEG XL's, a camera raw file's turn, a TIFF's
    // Orientation tag); the EXIF Orientation tag must not be applied again.
    bool upright = false;
    // The EXIF orientation (1..8) that was applied to the picture; 1 when
    // none was.
    int orientation = 1;
    // Only part of the picture could be decoded (its data ends early or is
    // damaged): the rest is grey. Shown, but never written as if whole.
    bool partial = false;

    bool ok() const { return !image.isNull(); }
    static DecodeResult failure(DecoderKind kind, const QString &reason)
    {
        DecodeResult r;
        r.decoder = kind;
        r.error = reason;
        return r;
    }
};

} // namespace quorvel
