#include "core/imaging/ImageDecoder.h"

#include "core/imaging/DecoderChoice.h"
#include "core/imaging/JpegDecoder.h"
#include "core/imaging/PcxDecoder.h"
#include "core/imaging/QtImageDecoder.h"
#include "core/imaging/RawDecoder.h"
#include "core/imaging/TiffDecoder.h"

#include <QBuffer>
#include <QFile>

namespace quorvel {

namespace {

// JPEG and PCX decode from memory: the whole file is read, within bounds.
bool readAllBounded(QIODevice &device, QByteArray &out, QString &error)
{
    const qint64 size = device.size() - device.pos();
    if (size > decodelimits::kMaxEncodedBytes) {
        error = QStringLiteral("file too large");
        return false;
    }
    out = device.read(size);
    if (out.size() != size) {
        error = QStringLiteral("read error");
        return false;
    }
    return true;
}

} // namespace

DecodeResult ImageDecoder::decodeFile(const QString &path, const DecodeOptions &options)
{
    if (isRawFile(path))
        return RawDecoder::decode(path, options);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return DecodeResult::failure(DecoderKind::None, file.errorString());
    return decodeDevice(file, nullptr, path, options);
}

DecodeResult ImageDecoder::decodeData(const QByteArray &data, const QString &nameHint, const DecodeOptions &options)
{
    if (isRawFile(nameHint))
        return RawDecoder::decode(QByteArrayView(data), options);
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return decodeDevice(buffer, &data, nameHint, options);
}

DecodeResult ImageDecoder::decodeDevice(QIODevice &device, const QByteArray *bytes, const QString &path,
                                        const DecodeOptions &options)
{
    const QByteArray head = device.peek(kSniffBytes);
    const QList<DecoderKind> order = decoderOrder(path, head, options.nameFallback);
    QByteArray whole;
    DecodeResult first;
    for (DecoderKind kind : order) {
        if (!device.seek(0))
            return DecodeResult::failure(kind, QStringLiteral("cannot read the file"));
        DecodeResult result;
        if (kind == DecoderKind::Jpeg || kind == DecoderKind::Pcx) {
            if (!bytes && whole.isNull()) {
                QString error;
                if (!readAllBounded(device, whole, error))
                    return DecodeResult::failure(kind, error);
            }
            const QByteArrayView data = bytes ? QByteArrayView(*bytes) : QByteArrayView(whole);
            result = kind == DecoderKind::Jpeg ? JpegDecoder::decode(data, options) : PcxDecoder::decode(data, options);
        } else if (kind == DecoderKind::Tiff) {
            result = TiffDecoder::decode(device, options);
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
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
    default: return QtImageDecoder::pixelDepth(head);
    }
}

} // namespace quorvel
