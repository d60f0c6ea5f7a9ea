#pragma once

#include "core/edit/SaveResult.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QString>

#include <functional>

namespace quorvel {

// The five turns, numbered as the rotate dialog and the settings know them.
enum class TransformCode : int {
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
//   - JPEG: losslessly, on the compressed data. When a side is not a
//     multiple of 16 (or of the file's block size) the notDivisible
//     question is asked; on Yes the partial blocks at the edges are
//     trimmed, so that what remains is still lossless.
//   - TIFF: as pixels, after the TIFF question, written as an 8-bit RGB TIFF.
//   - anything else (camera raw files too, whatever their structure): not
//     supported.
// The target is written through a temporary file beside it; on any
// failure it is left as it was and the result says why.
class ImageTransform
{
    Q_DECLARE_TR_FUNCTIONS(ImageTransform)

public:
    static SaveResult transformImageFile(const QString &source, const QString &target, TransformCode code,
                                         const TransformQuestions &questions);

    // The lossless JPEG transform in memory: trim drops partial edge blocks,
    // otherwise a file with partial blocks fails. Empty on failure, with
    // *error set.
    static QByteArray transformJpeg(const QByteArray &jpeg, TransformCode code, bool trim, QString *error);
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
