// Feeds arbitrary bytes to the codec layer's decode entry point and to the
// header probe. Any crash, leak, sanitizer report or oversized allocation is
// a finding; a failure result is the expected outcome for most inputs.

#include "core/imaging/ImageDecoder.h"
#include "core/imaging/JpegDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    quorvel::DecodeOptions options;
    // Small enough that every allowed picture decodes quickly.
    options.maxPixels = qint64(1) << 22;
    // The last byte picks the name, so the name rules get their turn.
    const uint8_t pick = size ? data[size - 1] : 0;
    options.useCms = pick & 1;
    options.applyOrientation = pick & 4;
    const QString name = (pick & 2) ? QStringLiteral("fuzz.tif") : QStringLiteral("fuzz.jpg");
    const quorvel::DecodeResult result = quorvel::ImageDecoder::decodeData(bytes, name, options);
    if (result.ok() && result.image.format() != QImage::Format_RGB32)
        __builtin_trap();
    quorvel::ImageDecoder::pixelDepthOfData(bytes);
    // Files are decoded as they are read, through libjpeg's source: the
    // same bytes through a device, a chunk at a time.
    if (pick & 4) {
        QBuffer device;
        device.setData(bytes);
        device.open(QIODevice::ReadOnly);
        const quorvel::DecodeResult streamed = quorvel::JpegDecoder::decode(device, options);
        if (streamed.ok() && streamed.image.format() != QImage::Format_RGB32)
            __builtin_trap();
    }
    return 0;
}
