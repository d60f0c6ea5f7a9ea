#include "core/imaging/ImageDecoder.h"

#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifOrientation.h"
#include "core/files/FileAccess.h"
#include "core/imaging/DecoderChoice.h"
#include "core/imaging/HeifDecoder.h"
#include "core/imaging/JpegDecoder.h"
#include "core/imaging/JxlDecoder.h"
#include "core/imaging/Orientation.h"
#include "core/imaging/PcxDecoder.h"
#include "core/imaging/QtImageDecoder.h"
#include "core/imaging/RawDecoder.h"
#include "core/imaging/TiffDecoder.h"

#include <QBuffer>
#include <QFile>

namespace quorvel {

namespace {

// PCX decodes from memory: the file is read whole when it is no larger than
// its header says it can need, otherwise only that much and its palette.
bool readPcx(QIODevice &device, QByteArray &out, QString &error)
{
    const qint64 size = device.size() - device.pos();
    const qint64 useful = PcxDecoder::maxUsefulBytes(device.peek(PcxDecoder::kHeaderSize));
    if (size <= 0 || useful < 0) {
        error = QStringLiteral("PCX: unsupported or damaged header");
        return false;
    }
    if (size <= useful) {
        out = device.read(size);
        if (out.size() != size) {
            error = QStringLiteral("read error");
            return false;
        }
        return true;
    }
    const qint64 start = device.pos();
    out = device.read(useful - PcxDecoder::kPaletteSize);
    if (out.size() != useful - PcxDecoder::kPaletteSize
        || !device.seek(start + size - PcxDecoder::kPaletteSize)) {
        error = QStringLiteral("read error");
        return false;
    }
    const QByteArray palette = device.read(PcxDecoder::kPaletteSize);
    if (palette.size() != PcxDecoder::kPaletteSize) {
        error = QStringLiteral("read error");
        return false;
    }
    out += palette;
    return true;
}

// The options for the decoder of a picture that is turned afterwards: the
// reduced size it is asked for is in the stored picture's terms.
DecodeOptions storedTerms(const DecodeOptions &options, int orientation)
{
    DecodeOptions stored = options;
    stored.reduceTo = orientation::turnedSize(options.reduceTo, orientation);
    return stored;
}

} // namespace

DecodeResult ImageDecoder::decodeFile(const QString &path, const DecodeOptions &options)
{
    QFile file;
    QString error;
    if (!FileAccess::openForReading(file, path, &error))
        return DecodeResult::failure(DecoderKind::None, error);
    if (isRawFile(path) && !isJpegUnderRawName(file.peek(kSniffBytes)))
        return RawDecoder::decode(file, path, options);
    // The orientation of the very file that is decoded, not of one put in
    // its place since.
    const int orientation = options.applyOrientation
                                ? exiforientation::fromFile(FileAccess::pathOfOpenFile(file, path))
                                : orientation::kUpright;
    return turnUpright(decodeDevice(file, nullptr, path, storedTerms(options, orientation)), orientation);
}

DecodeResult ImageDecoder::decodePreview(const QString &path, const DecodeOptions &options)
{
    if (!isRawFile(path))
        return DecodeResult::failure(DecoderKind::None, QStringLiteral("no embedded preview"));
    QFile file;
    QString error;
    if (!FileAccess::openForReading(file, path, &error))
        return DecodeResult::failure(DecoderKind::None, error);
    if (isJpegUnderRawName(file.peek(kSniffBytes)))
        return DecodeResult::failure(DecoderKind::None, QStringLiteral("no embedded preview"));
    return RawDecoder::decodePreview(file, path, options);
}

bool ImageDecoder::isJpegUnderRawName(QByteArrayView head)
{
    return sniffDecoder(head) == DecoderKind::Jpeg;
}

DecodeResult ImageDecoder::decodeData(const QByteArray &data, const QString &nameHint, const DecodeOptions &options)
{
    if (isRawFile(nameHint) && !isJpegUnderRawName(QByteArrayView(data).first(qMin<qsizetype>(data.size(), kSniffBytes))))
        return RawDecoder::decode(QByteArrayView(data), options);
    int orientation = orientation::kUpright;
    if (options.applyOrientation) {
        ExifByteSource source(data.constData(), data.size());
        orientation = exiforientation::fromSource(source);
    }
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return turnUpright(decodeDevice(buffer, &data, nameHint, storedTerms(options, orientation)), orientation);
}

DecodeResult ImageDecoder::turnUpright(DecodeResult result, int orientation)
{
    if (!result.ok() || result.upright || orientation == orientation::kUpright)
        return result;
    QImage turned = orientation::turned(std::move(result.image), orientation);
    if (turned.isNull())
        return DecodeResult::failure(result.decoder, QStringLiteral("out of memory"));
    result.image = std::move(turned);
    result.orientation = orientation;
    result.fullSize = orientation::turnedSize(result.fullSize, orientation);
    return result;
}

DecodeResult ImageDecoder::decodeDevice(QIODevice &device, const QByteArray *bytes, const QString &path,
                                        const DecodeOptions &options)
{
    const QByteArray head = device.peek(kSniffBytes);
    const QList<DecoderKind> order = decoderOrder(path, head, options.nameFallback);
    DecodeResult first;
    for (DecoderKind kind : order) {
        if (!device.seek(0))
            return DecodeResult::failure(kind, QStringLiteral("cannot read the file"));
        DecodeResult result;
        if (kind == DecoderKind::Jpeg) {
            result = bytes ? JpegDecoder::decode(QByteArrayView(*bytes), options) : JpegDecoder::decode(device, options);
        } else if (kind == DecoderKind::Pcx) {
            QByteArray whole;
            QString error;
            if (!bytes && !readPcx(device, whole, error))
                result = DecodeResult::failure(kind, error);
            else
                result = PcxDecoder::decode(bytes ? QByteArrayView(*bytes) : QByteArrayView(whole), options);
        } else if (kind == DecoderKind::Tiff) {
            result = TiffDecoder::decode(device, options);
        } else if (kind == DecoderKind::Heif) {
            result = HeifDecoder::decode(device, options);
        } else if (kind == DecoderKind::Jxl) {
            result = JxlDecoder::decode(device, options);
        } else {
            result = QtImageDecoder::decode(device, options);
        }
        if (result.ok())
            return result;
        if (first.decoder == DecoderKind::None)
            first = std::move(result);
        if (options.cancelled())
            break;
    }
    // The reason of the decoder the content called for says most.
    return first;
}

int ImageDecoder::pixelDepthOfFile(const QString &path)
{
    QFile file;
    if (!FileAccess::openForReading(file, path))
        return 0;
    return pixelDepthOfDevice(file);
}

int ImageDecoder::pixelDepthOfData(const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return pixelDepthOfDevice(buffer);
}

int ImageDecoder::pixelDepthOfDevice(QIODevice &device)
{
    const QByteArray head = device.peek(PcxDecoder::kHeaderSize);
    switch (sniffDecoder(head)) {
    case DecoderKind::Jpeg: return JpegDecoder::pixelDepth(device);
    case DecoderKind::Tiff: return TiffDecoder::pixelDepth(device);
    case DecoderKind::Pcx: return PcxDecoder::pixelDepth(head);
    case DecoderKind::Heif: return HeifDecoder::pixelDepth(device);
    case DecoderKind::Jxl: return JxlDecoder::pixelDepth(device);
    default: return QtImageDecoder::pixelDepth(head);
    }
}

} // namespace quorvel
