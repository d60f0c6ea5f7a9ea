#pragma once

#include "core/imaging/DecodeTypes.h"

#include <QByteArray>

class QIODevice;

namespace quorvel {

// The codec layer's entry point: turns a file into the one in-memory layout
// (Format_RGB32, opaque), as the loader does.
//
// Camera raw files (isRawFile, by name) go to the raw decoder and nowhere
// else, unless their content is plainly a JPEG (some cameras and copying
// tools store one under a raw name): that is decoded as the JPEG it is.
// Every other file goes to the decoder its leading bytes call for (JPEG,
// TIFF, HEIF/AVIF, JPEG XL, PCX, else Qt's readers); when that fails and
// options.nameFallback is set, the name rules pick the codec layer's TIFF or
// JPEG decoder as a second attempt. A file no decoder accepts is a failure
// with a reason. A JPEG whose data ends early or is damaged gives what could
// be decoded, marked partial.
//
// With options.applyOrientation the picture comes out turned as its EXIF
// orientation says (DecodeResult::orientation), unless its decoder turned it
// already (DecodeResult::upright): every user of a picture then sees it as
// the viewer shows it.
class ImageDecoder
{
public:
    static DecodeResult decodeFile(const QString &path, const DecodeOptions &options);

    // The same for bytes in memory; nameHint plays the part of the path for
    // the raw and name rules.
    static DecodeResult decodeData(const QByteArray &data, const QString &nameHint, const DecodeOptions &options);

    // The picture a camera raw file carries for quick showing (its embedded
    // JPEG preview or bitmap), upright; reduceTo as for decodeFile. A failure
    // for files that are not camera raw files or carry no preview.
    static DecodeResult decodePreview(const QString &path, const DecodeOptions &options);

    // Whether a file named like a camera raw file starts as a JPEG does.
    static bool isJpegUnderRawName(QByteArrayView head);

    // The file's own bits per pixel, read from its header without decoding
    // the picture: 48 for a TIFF of 16-bit RGB, 8 for a greyscale JPEG or a
    // GIF, 24 for an RGB JPEG. 0 when the file cannot be read or its format
    // is not known (camera raw files other than TIFF-based ones).
    static int pixelDepthOfFile(const QString &path);
    static int pixelDepthOfData(const QByteArray &data);

    // The result turned by the EXIF orientation read from its file; results
    // marked upright, failures and orientation 1 pass unchanged.
    static DecodeResult turnUpright(DecodeResult result, int orientation);

private:
    static DecodeResult decodeDevice(QIODevice &device, const QByteArray *bytes, const QString &path,
                                     const DecodeOptions &options);
    static int pixelDepthOfDevice(QIODevice &device);
};

} // namespace quorvel
