#include "core/edit/ImageTransform.h"

#include "core/edit/ExifTurn.h"
#include "core/edit/FileResolution.h"
#include "core/edit/SaveRules.h"
#include "core/edit/TiffEncoder.h"
#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifOrientation.h"
#include "core/exif/JpegExifBlock.h"
#include "core/exif/JpegSegments.h"
#include "core/fileops/FileTimes.h"
#include "core/fileops/FileReplace.h"
#include "core/files/FileAccess.h"
#include "core/files/SafeWriter.h"
#include "core/imaging/ColourProfile.h"
#include "core/imaging/DecoderChoice.h"
#include "core/imaging/JpegDecoder.h"
#include "core/imaging/Orientation.h"
#include "core/imaging/TiffDecoder.h"

#include <QFile>
#include <QFileInfo>

#include <turbojpeg.h>

namespace quorvel {

namespace {

constexpr qint64 kJpegMarginBytes = 16 * 1024 * 1024;

int tjOperation(int orientation)
{
    switch (orientation::normalised(orientation)) {
    case 2: return TJXOP_HFLIP;
    case 3: return TJXOP_ROT180;
    case 4: return TJXOP_VFLIP;
    case 5: return TJXOP_TRANSPOSE;
    case 6: return TJXOP_ROT90;
    case 7: return TJXOP_TRANSVERSE;
    case 8: return TJXOP_ROT270;
    default: return TJXOP_NONE;
    }
}

bool isTiff(const QByteArray &head)
{
    return head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4));
}

bool sameFile(const QString &a, const QString &b)
{
    return a == b || QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// The most compressed data a JPEG whose header is given can sensibly hold:
// two bytes per sample is more than any encoder spends, and the header and
// a generous margin (for data after the picture) come on top.
// What a JPEG header's frame says: the picture's size (empty without a
// frame) and its number of components.
struct JpegFrame
{
    QSize size;
    int components = 0;
};

JpegFrame jpegFrame(const QByteArray &header)
{
    const jpegsegments::Layout layout = jpegsegments::walk(header);
    for (const jpegsegments::Segment &s : layout.segments) {
        const bool frame = s.marker >= 0xC0 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xC8
            && s.marker != 0xCC;
        if (!frame || s.dataLength < 6)
            continue;
        const auto at = [&](qsizetype i) { return int(uchar(header[s.dataStart + i])); };
        return JpegFrame{QSize((at(3) << 8) | at(4), (at(1) << 8) | at(2)), at(5)};
    }
    return JpegFrame();
}

qint64 maxJpegBytes(const QByteArray &header)
{
    const JpegFrame frame = jpegFrame(header);
    return header.size() + kJpegMarginBytes
           + qint64(frame.size.width()) * frame.size.height() * frame.components * 2;
}

struct TjHandle
{
    explicit TjHandle(tjhandle h) : handle(h) {}
    ~TjHandle()
    {
        if (handle)
            tjDestroy(handle);
    }
    TjHandle(const TjHandle &) = delete;
    TjHandle &operator=(const TjHandle &) = delete;
    tjhandle handle;
};

} // namespace

QString ImageTransform::notDivisibleQuestion()
{
    return tr("One of the image dimensions is not divisible by 16, rotation without loss is impossible.\n"
              "Do you want to rotate anyway?");
}

QString ImageTransform::tiffQuestion()
{
    return tr("You can save the image in TIFF format, but EXIF data will not be saved.\n"
              "48-bit images are also not supported yet.\nDo you want to continue anyway?");
}

QString ImageTransform::replaceQuestion()
{
    return tr("Do you want to replace the original file?");
}

bool ImageTransform::jpegNeedsTrim(const QByteArray &jpeg)
{
    TjHandle tj(tjInitDecompress());
    int width = 0, height = 0, subsamp = 0, colorspace = 0;
    if (!tj.handle
        || tjDecompressHeader3(tj.handle, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                               static_cast<unsigned long>(jpeg.size()), &width, &height, &subsamp, &colorspace)
            != 0)
        return false;
    const int mcuW = subsamp >= 0 && subsamp < TJ_NUMSAMP ? tjMCUWidth[subsamp] : 16;
    const int mcuH = subsamp >= 0 && subsamp < TJ_NUMSAMP ? tjMCUHeight[subsamp] : 16;
    return width % 16 || height % 16 || width % mcuW || height % mcuH;
}

int ImageTransform::orientationOf(TransformCode code)
{
    switch (code) {
    case TransformCode::Rotate90: return 6;
    case TransformCode::Rotate180: return 3;
    case TransformCode::Rotate270: return 8;
    case TransformCode::FlipHorizontal: return 2;
    case TransformCode::FlipVertical: return 4;
    case TransformCode::Upright: break;
    }
    return orientation::kUpright;
}

QByteArray ImageTransform::turnJpeg(const QByteArray &jpeg, int orientation, bool trim, QString *error, bool *warned)
{
    if (warned)
        *warned = false;
    TjHandle tj(tjInitTransform());
    if (!tj.handle) {
        if (error)
            *error = QString::fromLocal8Bit(tjGetErrorStr2(nullptr));
        return QByteArray();
    }
    // Every block of the picture is held in memory while it turns: a size
    // the viewer would not decode is refused before anything is allocated
    // (an embedded thumbnail can claim any size too).
    int width = 0, height = 0, subsamp = 0, colorspace = 0;
    if (tjDecompressHeader3(tj.handle, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                            static_cast<unsigned long>(jpeg.size()), &width, &height, &subsamp, &colorspace)
            == 0
        && !DecodeOptions().sizeAllowed(width, height)) {
        if (error)
            *error = tr("A picture of %1 x %2 pixels is too large.").arg(width).arg(height);
        return QByteArray();
    }
    tjtransform xform{};
    xform.op = tjOperation(orientation);
    xform.options = trim ? TJXOPT_TRIM : TJXOPT_PERFECT;
    unsigned char *out = nullptr;
    unsigned long outSize = 0;
    const int rc = tjTransform(tj.handle, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                               static_cast<unsigned long>(jpeg.size()), 1, &out, &outSize, &xform, 0);
    // A warning ends the transform with its output complete.
    const bool warning = rc != 0 && warned && tjGetErrorCode(tj.handle) == TJERR_WARNING;
    QByteArray result;
    if ((rc == 0 || warning) && out && outSize > 0) {
        result = QByteArray(reinterpret_cast<const char *>(out), qsizetype(outSize));
        if (warning)
            *warned = true;
    } else if (error) {
        *error = QString::fromLocal8Bit(tjGetErrorStr2(tj.handle));
    }
    if (out)
        tjFree(out);
    return result;
}

QImage ImageTransform::transformPixels(const QImage &image, TransformCode code)
{
    return orientation::turned(image, orientationOf(code));
}

SaveResult ImageTransform::transformImageFile(const QString &source, const QString &target, TransformCode code,
                                              const TransformQuestions &questions, bool asShown)
{
    const auto ask = [](const std::function<bool()> &question) { return question && question(); };
    if (source == target && !ask(questions.replaceOriginal))
        return SaveResult::of(SaveResult::Declined);

    QFile in;
    FileIdentity identity;
    QString reason;
    if (!FileAccess::openForReading(in, source, &reason, &identity))
        return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file") + QLatin1Char('\n') + reason);
    const QByteArray head = in.peek(16);

    // The orientation the file is shown with (of the very file that is
    // read), and the transform of its stored picture that gives the user's
    // turn of what is shown.
    const int stored = asShown ? exiforientation::fromFile(FileAccess::pathOfOpenFile(in, source))
                               : orientation::kUpright;
    const int turn = orientation::combined(stored, orientationOf(code));

    QByteArray output;
    QString error;
    if (isRawFile(source)) {
        // A camera raw file may be TIFF inside; written back as a TIFF it
        // would lose the raw data.
        return SaveResult::of(SaveResult::NotSupported, tr("This format is not supported yet."));
    } else if (jpegexif::isJpeg(head)) {
        if (turn == orientation::kUpright && stored == orientation::kUpright && sameFile(source, target)) {
            // Nothing to turn, nothing to make upright.
            return SaveResult::done();
        }
        // The lossless turn needs all of the compressed data, but never more
        // than a picture of the size the header gives can hold.
        QByteArray header;
        if (!jpegsegments::readHeader(in, header))
            return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file") + QLatin1Char('\n')
                                                              + tr("The JPEG header is damaged."));
        // The transform holds every block of the picture in memory: a
        // picture the viewer would not decode is not turned either.
        if (const QSize frame = jpegFrame(header).size;
            !frame.isEmpty() && !DecodeOptions().sizeAllowed(frame.width(), frame.height()))
            return SaveResult::of(SaveResult::Failed,
                                  tr("Cannot rotate image") + QLatin1Char('\n')
                                      + tr("A picture of %1 x %2 pixels is too large.").arg(frame.width()).arg(frame.height()));
        if (in.size() > std::min(maxJpegBytes(header), decodelimits::kMaxEncodedBytes))
            return SaveResult::of(SaveResult::Failed, tr("Cannot rotate image") + QLatin1Char('\n')
                                                          + tr("The file holds far more data than its picture can."));
        if (!in.seek(0))
            return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file"));
        const QByteArray bytes = in.readAll();
        if (in.error() != QFileDevice::NoError)
            return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file") + QLatin1Char('\n') + in.errorString());
        if (turn == orientation::kUpright && stored == orientation::kUpright) {
            output = bytes;
        } else {
            // A transpose never meets a partial block.
            const bool trim = turn != orientation::kUpright && turn != 5 && jpegNeedsTrim(bytes);
            if (trim && !ask(questions.notDivisible))
                return SaveResult::of(SaveResult::Declined);
            bool warned = false;
            output = turn == orientation::kUpright ? bytes : turnJpeg(bytes, turn, trim, &error, &warned);
            // Damaged picture data would come out turned and looking whole,
            // or stops the transform; other warnings (stray bytes at the
            // end) do no harm.
            if ((warned || output.isEmpty()) && !JpegDecoder::isWhole(bytes))
                return SaveResult::of(SaveResult::Damaged, SaveRules::damagedMessage());
            if (!output.isEmpty() && !exifturn::adjustJpeg(output, turn, asShown, &error))
                output.clear();
        }
    } else if (isTiff(head)) {
        if (!ask(questions.tiffWithoutExif))
            return SaveResult::of(SaveResult::Declined);
        // As stored when the orientation is combined into the turn.
        DecodeOptions options;
        options.applyOrientation = asShown;
        const DecodeResult decoded = TiffDecoder::decode(in, options);
        if (!decoded.ok())
            return SaveResult::of(SaveResult::CannotOpen, decoded.error.isEmpty()
                                                              ? tr("Cannot open file")
                                                              : tr("Cannot open file") + QLatin1Char('\n') + decoded.error);
        if (decoded.partial)
            return SaveResult::of(SaveResult::Damaged, SaveRules::damagedMessage());
        QImage image = decoded.image;
        if (const auto dpi = FileResolution::read(source)) {
            image.setDotsPerMeterX(qRound(dpi->width() / 0.0254));
            image.setDotsPerMeterY(qRound(dpi->height() / 0.0254));
        }
        // Written without its orientation: the pixels are turned to what
        // is shown.
        const QImage turned = orientation::turned(image, turn);
        // The pixels are the file's own (no colour conversion): so is the
        // profile they keep.
        const QByteArray profile =
            colourprofile::forPixels(colourprofile::embedded(FileAccess::pathOfOpenFile(in, source)), false);
        output = TiffEncoder::encode(turned, profile, &error);
    } else {
        return SaveResult::of(SaveResult::NotSupported, tr("This format is not supported yet."));
    }
    if (output.isEmpty()) {
        QString message = tr("Cannot rotate image");
        if (!error.isEmpty())
            message += QLatin1Char('\n') + error;
        return SaveResult::of(SaveResult::Failed, message);
    }

    if (questions.releaseFile)
        questions.releaseFile();
    const FileTimes times = timesOf(in);
    ReplaceOptions options;
    options.times = &times;
    // Turned in place: only over the very file that was read.
    if (sameFile(source, target))
        options.expected = &identity;
    const auto content = [&](SafeWriter &writer) { return writer.write(output); };
    if (!replaceFile(target, content, options, &error))
        return SaveResult::of(SaveResult::Failed, tr("Cannot rotate image") + QLatin1Char('\n') + error);
    return SaveResult::done();
}

} // namespace quorvel
