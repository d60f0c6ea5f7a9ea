#pragma once

#include "core/edit/SaveResult.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QString>

#include <functional>

namespace quorvel {

// The five turns, numbered as the rotate dialog and the settings know them,
// and Upright: no turn of the user's own, the file is only made upright from
// its EXIF orientation.
enum class TransformCode : int {
    Upright = 0,
    Rotate90 = 13,  // clockwise
    Rotate180 = 14,
    Rotate270 = 15, // 90 degrees counter-clockwise
    FlipHorizontal = 16, // mirror left-right
    FlipVertical = 17,   // mirror top-bottom
};

// What transformImageFile asks and tells its caller while it runs. Missing
// questions count as answered No; a missing release does nothing.
struct TransformQuestions
{
    std::function<bool()> replaceOriginal; // "Do you want to replace the original file?"
    std::function<bool()> notDivisible;    // the divisible-by-16 question
    std::function<bool()> tiffWithoutExif; // the TIFF question
    // Called just before the target is replaced: the shown image and the
    // loader's cache let go of the file.
    std::function<void()> releaseFile;
};

// Turns or mirrors an image file and writes the result to target (which may
// be the source), keeping the source's time stamps.
//
// With asShown the turn applies to the picture as the viewer shows it, that
// is after its EXIF orientation: the two are combined into one of the eight
// lossless transforms of the stored picture, and the result is stored
// upright (Orientation 1). Without it the stored picture is turned and its
// orientation left as it was.
//   - JPEG: losslessly, on the compressed data. When a side is not a
//     multiple of 16 (or of the file's block size) the notDivisible
//     question is asked; on Yes the partial blocks at the edges are
//     trimmed, so that what remains is still lossless. The EXIF block is
//     changed in place (exifturn::adjustJpeg): pixel dimensions, the stored
//     thumbnail turned alike. A file whose picture data is damaged is
//     refused (Damaged): its turned copy would look whole.
//   - TIFF: as pixels, after the TIFF question, written as an 8-bit RGB TIFF.
//   - anything else (camera raw files too, whatever their structure): not
//     supported.
// The target is written through a temporary file beside it; on any
// failure it is left as it was and the result says why. A file that is
// upright already and not turned is not written again in place.
class ImageTransform
{
    Q_DECLARE_TR_FUNCTIONS(ImageTransform)

public:
    static SaveResult transformImageFile(const QString &source, const QString &target, TransformCode code,
                                         const TransformQuestions &questions, bool asShown = true);

    // The lossless JPEG transform in memory, for any of the eight
    // orientation transforms (see orientation::turned): trim drops partial
    // edge blocks, otherwise a file with partial blocks fails. Empty on
    // failure, with *error set. A warning of the JPEG library (damaged data,
    // stray bytes) fails it unless warned is given: the result is then
    // returned and *warned set.
    static QByteArray turnJpeg(const QByteArray &jpeg, int orientation, bool trim, QString *error,
                               bool *warned = nullptr);
    // The orientation value of a user's turn (Upright: 1).
    static int orientationOf(TransformCode code);
    // Whether the JPEG needs the question (a side not a multiple of 16 or of
    // its block size). False for data that is not a readable JPEG.
    static bool jpegNeedsTrim(const QByteArray &jpeg);
    // The same turn on pixels.
    static QImage transformPixels(const QImage &image, TransformCode code);

    static QString notDivisibleQuestion();
    static QString tiffQuestion();
    static QString replaceQuestion();
};

} // namespace quorvel
