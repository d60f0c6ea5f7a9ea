#include "core/edit/ImageTransform.h"

#include "core/edit/ExifTurn.h"
#include "core/edit/FileResolution.h"
#include "core/edit/SaveRules.h"
#include "core/edit/TiffEncoder.h"
#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifOrientation.h"
#include "core/exif/JpegExifBlock.h"
#include "core/fileops/FileTimes.h"
#include "core/fileops/FileReplace.h"
#include "core/imaging/DecoderChoice.h"
#include "core/imaging/JpegDecoder.h"
#include "core/imaging/Orientation.h"
#include "core/imaging/TiffDecoder.h"

#include <QBuffer>
#include <QFile>

#include <turbojpeg.h>

namespace quorvel {

namespace {

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

QByteArray ImageTransform::transformJpeg(const QByteArray &jpeg, TransformCode code, bool trim, QString *error)
{
    return turnJpeg(jpeg, orientationOf(code), trim, error);
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

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly) || in.size() > decodelimits::kMaxEncodedBytes)
        return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file"));
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file"));
    in.close();

    // The orientation the file is shown with, and the transform of its
    // stored picture that gives the user's turn of what is shown.
    ExifByteSource head(bytes.constData(), bytes.size());
    const int stored = asShown ? exiforientation::fromSource(head) : orientation::kUpright;
    const int turn = orientation::combined(stored, orientationOf(code));

    QByteArray output;
    QString error;
    if (isRawFile(source)) {
        // A camera raw file may be TIFF inside; written back as a TIFF it
        // would lose the raw data.
        return SaveResult::of(SaveResult::NotSupported, tr("This format is not supported yet."));
    } else if (jpegexif::isJpeg(bytes)) {
        if (turn == orientation::kUpright && stored == orientation::kUpright) {
            // Nothing to turn, nothing to make upright.
            if (target == source)
                return SaveResult::done();
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
    } else if (isTiff(bytes)) {
        if (!ask(questions.tiffWithoutExif))
            return SaveResult::of(SaveResult::Declined);
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        // As stored when the orientation is combined into the turn.
        DecodeOptions options;
        options.applyOrientation = asShown;
        const DecodeResult decoded = TiffDecoder::decode(buffer, options);
        if (!decoded.ok())
            return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file"));
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
        output = TiffEncoder::encode(turned, &error);
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
    FileTimes times;
    const bool haveTimes = getFileTimes(source, times);
    if (!replaceFileContents(target, output, haveTimes ? &times : nullptr, &error))
        return SaveResult::of(SaveResult::Failed, tr("Cannot rotate image") + QLatin1Char('\n') + error);
    return SaveResult::done();
}

} // namespace quorvel
