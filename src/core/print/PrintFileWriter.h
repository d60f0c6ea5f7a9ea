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
    QByteArray exif; // the EXIF block (TIFF structure), empty when none
    // The picture is used turned by its EXIF orientation, as shown.
    bool applyOrientation = false;
    // Only part of the picture decodes: no output is made from it.
    bool damaged = false;

    // The file's metadata and kind, without decoding a JPEG's picture (other
    // files are decoded whole, as their EXIF comes with the decoder).
    static PrintSource fromFile(const QString &path, bool applyOrientation = false);
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

    // The output picture with its EXIF block and resolution, not yet
    // written. Null when the picture cannot be had or composed. The output
    // is upright: its EXIF says Orientation 1 when the source was turned.
    // Marked damaged when the source is.
    static EditedImage compose(const PrintSource &source, const PrintComposition &c);

    static SaveResult write(const PrintSource &source, const PrintComposition &c, const QString &target,
                            int quality);
};

} // namespace quorvel
