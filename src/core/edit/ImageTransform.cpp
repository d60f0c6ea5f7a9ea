#include "core/edit/ImageTransform.h"

#include "core/edit/FileResolution.h"
#include "core/edit/TiffEncoder.h"
#include "core/exif/JpegExifBlock.h"
#include "core/fileops/FileTimes.h"
#include "core/fileops/FileReplace.h"
#include "core/imaging/DecoderChoice.h"
#include "core/imaging/TiffDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QTransform>

#include <turbojpeg.h>

namespace quorvel {

namespace {

int tjOperation(TransformCode code)
{
    switch (code) {
    case TransformCode::Rotate90: return TJXOP_ROT90;
    case TransformCode::Rotate180: return TJXOP_ROT180;
    case TransformCode::Rotate270: return TJXOP_ROT270;
    case TransformCode::FlipHorizontal: return TJXOP_HFLIP;
    case TransformCode::FlipVertical: return TJXOP_VFLIP;
    }
    return TJXOP_NONE;
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

QByteArray ImageTransform::transformJpeg(const QByteArray &jpeg, TransformCode code, bool trim, QString *error)
{
    TjHandle tj(tjInitTransform());
    if (!tj.handle) {
        if (error)
            *error = QString::fromLocal8Bit(tjGetErrorStr2(nullptr));
        return QByteArray();
    }
    tjtransform xform{};
    xform.op = tjOperation(code);
    xform.options = trim ? TJXOPT_TRIM : TJXOPT_PERFECT;
    unsigned char *out = nullptr;
    unsigned long outSize = 0;
    const int rc = tjTransform(tj.handle, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                               static_cast<unsigned long>(jpeg.size()), 1, &out, &outSize, &xform, 0);
    QByteArray result;
    if (rc == 0 && out && outSize > 0)
        result = QByteArray(reinterpret_cast<const char *>(out), qsizetype(outSize));
    else if (error)
        *error = QString::fromLocal8Bit(tjGetErrorStr2(tj.handle));
    if (out)
        tjFree(out);
    return result;
}

QImage ImageTransform::transformPixels(const QImage &image, TransformCode code)
{
    switch (code) {
    case TransformCode::Rotate90: return image.transformed(QTransform().rotate(90));
    case TransformCode::Rotate180: return image.transformed(QTransform().rotate(180));
    case TransformCode::Rotate270: return image.transformed(QTransform().rotate(270));
    case TransformCode::FlipHorizontal: return image.mirrored(true, false);
    case TransformCode::FlipVertical: return image.mirrored(false, true);
    }
    return image;
}

SaveResult ImageTransform::transformImageFile(const QString &source, const QString &target, TransformCode code,
                                              const TransformQuestions &questions)
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

    QByteArray output;
    QString error;
    if (isRawFile(source)) {
        // A camera raw file may be TIFF inside; written back as a TIFF it
        // would lose the raw data.
        return SaveResult::of(SaveResult::NotSupported, tr("This format is not supported yet."));
    } else if (jpegexif::isJpeg(bytes)) {
        const bool trim = jpegNeedsTrim(bytes);
        if (trim && !ask(questions.notDivisible))
            return SaveResult::of(SaveResult::Declined);
        output = transformJpeg(bytes, code, trim, &error);
    } else if (isTiff(bytes)) {
        if (!ask(questions.tiffWithoutExif))
            return SaveResult::of(SaveResult::Declined);
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        const DecodeResult decoded = TiffDecoder::decode(buffer, DecodeOptions());
        if (!decoded.ok())
            return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file"));
        QImage image = decoded.image;
        if (const auto dpi = FileResolution::read(source)) {
            image.setDotsPerMeterX(qRound(dpi->width() / 0.0254));
            image.setDotsPerMeterY(qRound(dpi->height() / 0.0254));
        }
        const QImage turned = transformPixels(image, code);
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
