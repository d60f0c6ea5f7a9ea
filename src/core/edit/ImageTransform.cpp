#include "core/edit/ImageTransform.h"

#include "core/edit/FileResolution.h"
#include "core/edit/TiffEncoder.h"
#include "core/exif/JpegExifBlock.h"
#include "core/exif/JpegSegments.h"
#include "core/fileops/FileTimes.h"
#include "core/fileops/FileReplace.h"
#include "core/files/FileAccess.h"
#include "core/files/SafeWriter.h"
#include "core/imaging/DecoderChoice.h"
#include "core/imaging/TiffDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QTransform>

#include <turbojpeg.h>

namespace quorvel {

namespace {

constexpr qint64 kJpegMarginBytes = 16 * 1024 * 1024;

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

bool sameFile(const QString &a, const QString &b)
{
    return a == b || QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// The most compressed data a JPEG whose header is given can sensibly hold:
// two bytes per sample is more than any encoder spends, and the header and
// a generous margin (for data after the picture) come on top.
qint64 maxJpegBytes(const QByteArray &header)
{
    const jpegsegments::Layout layout = jpegsegments::walk(header);
    for (const jpegsegments::Segment &s : layout.segments) {
        const bool frame = s.marker >= 0xC0 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xC8
            && s.marker != 0xCC;
        if (!frame || s.dataLength < 6)
            continue;
        const auto at = [&](qsizetype i) { return qint64(uchar(header[s.dataStart + i])); };
        const qint64 height = (at(1) << 8) | at(2);
        const qint64 width = (at(3) << 8) | at(4);
        const qint64 components = at(5);
        return header.size() + kJpegMarginBytes + width * height * components * 2;
    }
    return header.size() + kJpegMarginBytes;
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

    QFile in;
    FileIdentity identity;
    QString reason;
    if (!FileAccess::openForReading(in, source, &reason, &identity))
        return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file") + QLatin1Char('\n') + reason);
    const QByteArray head = in.peek(16);

    QByteArray output;
    QString error;
    if (isRawFile(source)) {
        // A camera raw file may be TIFF inside; written back as a TIFF it
        // would lose the raw data.
        return SaveResult::of(SaveResult::NotSupported, tr("This format is not supported yet."));
    } else if (jpegexif::isJpeg(head)) {
        // The lossless turn needs all of the compressed data, but never more
        // than a picture of the size the header gives can hold.
        QByteArray header;
        if (!jpegsegments::readHeader(in, header))
            return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file"));
        if (in.size() > std::min(maxJpegBytes(header), decodelimits::kMaxEncodedBytes))
            return SaveResult::of(SaveResult::Failed, tr("Cannot rotate image") + QLatin1Char('\n')
                                                          + tr("The file holds far more data than its picture can."));
        if (!in.seek(0))
            return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file"));
        const QByteArray bytes = in.readAll();
        if (in.error() != QFileDevice::NoError)
            return SaveResult::of(SaveResult::CannotOpen, tr("Cannot open file") + QLatin1Char('\n') + in.errorString());
        const bool trim = jpegNeedsTrim(bytes);
        if (trim && !ask(questions.notDivisible))
            return SaveResult::of(SaveResult::Declined);
        output = transformJpeg(bytes, code, trim, &error);
    } else if (isTiff(head)) {
        if (!ask(questions.tiffWithoutExif))
            return SaveResult::of(SaveResult::Declined);
        const DecodeResult decoded = TiffDecoder::decode(in, DecodeOptions());
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
