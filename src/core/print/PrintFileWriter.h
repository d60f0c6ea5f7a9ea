#pragma once

#include "core/edit/EditedImage.h"
#include "core/edit/SaveResult.h"
#include "core/print/PrintLayout.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace quorvel {

// The photograph an output file is made from: its file, the picture when it
// is already decoded, and the metadata that travels into the output.
struct PrintSource
{
    QString path;
    bool isJpeg = false;
    QImage pixels;   // may be null: the file is decoded when needed
    QSize size;      // the picture's size: a JPEG's from its frame header
    QByteArray exif; // the EXIF block (TIFF structure), empty when none
    QByteArray iccProfile; // the file's own colour profile, empty when none
    bool useCms = false;   // the pixels are (to be) converted to sRGB ("UseCMS")
    // The picture is used turned by its EXIF orientation, as shown; size is
    // then the turned picture's.
    bool applyOrientation = false;
    // Only part of the picture decodes: no output is made from it.
    bool damaged = false;

    // The file's metadata and kind, without decoding a JPEG's picture (other
    // files are decoded whole, as their EXIF comes with the decoder).
    // useCms and applyOrientation: how the pixels are decoded, here and in
    // compose().
    static PrintSource fromFile(const QString &path, EditedImage::LoadOptions options);
    static PrintSource fromFile(const QString &path, bool useCms = false);
    // The profile of the output's pixels: sRGB when they were converted,
    // else the file's RGB profile.
    QByteArray outputProfile() const;
};

// "Create file..." of the final step from the composition on: the picture
// is decoded at the size the output needs (a JPEG at a reduced scale when
// the frame is reduced at least by half), composed, given the photograph's
// EXIF entries and the output resolution, and written as a JPEG through a
// temporary file. A failure leaves no file behind and is reported.
class PrintFileWriter
{
public:
    // The size to decode the photograph at: the smallest that the frame,
    // scaled to the output, still covers; empty when that is more than half
    // of the photograph in either direction (then the whole picture is used).
    static QSize reducedSize(const PrintComposition &c);

    // The output picture with its EXIF block, colour profile and
    // resolution, not yet written. Null when the picture cannot be had or
    // composed. The output is upright: its EXIF says Orientation 1 when the
    // source was turned. Marked damaged when the source is.
    static EditedImage compose(const PrintSource &source, const PrintComposition &c);

    static SaveResult write(const PrintSource &source, const PrintComposition &c, const QString &target,
                            int quality);
};

} // namespace quorvel
