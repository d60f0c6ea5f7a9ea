#include "core/imaging/QtImageDecoder.h"

#include "core/imaging/BmpHeader.h"
#include "core/imaging/IccConverter.h"
#include "core/imaging/ImageNormalizer.h"
#include "core/imaging/PngChunks.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>

namespace quorvel {

namespace {

quint32 le32(const QByteArray &d, int at)
{
    return quint32(uchar(d[at])) | quint32(uchar(d[at + 1])) << 8 | quint32(uchar(d[at + 2])) << 16
           | quint32(uchar(d[at + 3])) << 24;
}

// Qt's BMP reader shows a truncated file with its missing rows blank. For
// the uncompressed layouts the size the pixels need is known from the
// header, so such a file is caught here.
bool truncatedBmp(QIODevice &device)
{
    const QByteArray h = device.peek(54);
    if (h.size() < 54 || !h.startsWith("BM"))
        return false;
    const quint32 headerSize = le32(h, 14);
    if (headerSize < 40)
        return false; // the old OS/2 header: left to Qt
    const qint64 offset = le32(h, 10);
    const qint64 width = qint32(le32(h, 18));
    const qint64 height = qAbs(qint64(qint32(le32(h, 22))));
    const int bits = uchar(h[28]) | (uchar(h[29]) << 8);
    const quint32 compression = le32(h, 30);
    if (compression != 0 && compression != 3)
        return false; // run-length coded: the length is not known in advance
    if (width <= 0 || bits <= 0 || bits > 32 || width > decodelimits::kMaxSide || height > decodelimits::kMaxSide)
        return false; // refused by size later, or not a BMP Qt reads
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    return device.size() < offset + rowBytes * height;
}

// libpng allocates what a chunk's length field claims before it reads the
// chunk, so a few hundred bytes claiming a text chunk of gigabytes cost
// gigabytes. Every chunk must fit in the file (and within PNG's own limit of
// 2^31 - 1 bytes) and carry a proper type before the file goes to Qt's
// reader; only the 8-byte chunk headers are read, and at most a million of
// them (a picture's data chunks are kilobytes each, so that covers files of
// gigabytes), so a file of empty chunks cannot keep the walk busy for long.
QString pngChunkProblem(QIODevice &device)
{
    if (!pngchunks::hasSignature(device.peek(8)))
        return QString();
    const qint64 start = device.pos();
    const auto read = [&](qint64 offset, qint64 length) {
        return device.seek(start + offset) ? device.read(length) : QByteArray();
    };
    const pngchunks::Walk walk =
        pngchunks::walk(device.size() - start, read, [](const pngchunks::Chunk &) { return false; }, 1 << 20);
    device.seek(start);
    switch (walk) {
    case pngchunks::Walk::ReadError: return QStringLiteral("PNG: read error");
    case pngchunks::Walk::Damaged: return QStringLiteral("PNG: a chunk claims more bytes than the file holds");
    case pngchunks::Walk::BadType: return QStringLiteral("PNG: damaged chunk structure (a chunk type that is no type)");
    default: return QString();
    }
}

} // namespace

DecodeResult QtImageDecoder::decode(QIODevice &source, const DecodeOptions &options)
{
    auto fail = [](const QString &reason) { return DecodeResult::failure(DecoderKind::Qt, reason); };
    // BMP headers Qt does not read are rewritten to ones it does, in memory.
    const bmpheader::Check bmp = bmpheader::check(source.peek(bmpheader::kHeadBytes));
    if (!bmp.refusal.isEmpty())
        return fail(bmp.refusal);
    QBuffer rewritten;
    if (bmp.rewriteTo) {
        const qint64 size = source.size() - source.pos();
        if (size > decodelimits::kMaxEncodedBytes)
            return fail(QStringLiteral("BMP: file of %1 bytes refused").arg(size));
        const QByteArray whole = source.read(size);
        if (whole.size() != size)
            return fail(QStringLiteral("read error"));
        rewritten.setData(bmpheader::rewritten(whole, bmp.rewriteTo));
        if (rewritten.data().isEmpty())
            return fail(QStringLiteral("BMP: damaged header"));
        rewritten.open(QIODevice::ReadOnly);
    }
    QIODevice &device = bmp.rewriteTo ? static_cast<QIODevice &>(rewritten) : source;
    if (const QString problem = pngChunkProblem(device); !problem.isEmpty())
        return fail(problem);
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    // Only formats with a firm signature: JPEG and TIFF belong to the codec
    // layer (Qt's readers would show truncated files half-decoded), and a
    // reader without a signature (TGA) would take any damaged file for one.
    static const QByteArrayList accepted{"png", "gif", "bmp", "webp"};
    if (!reader.canRead() || !accepted.contains(reader.format().toLower()))
        return fail(QStringLiteral("no decoder for this file"));
    if (truncatedBmp(device))
        return fail(QStringLiteral("BMP: picture data ends early"));
    const QSize size = reader.size();
    if (size.isValid() && !options.sizeAllowed(size.width(), size.height()))
        return fail(QStringLiteral("picture of %1 x %2 pixels refused").arg(size.width()).arg(size.height()));
    // Qt's own bound on what a reader may allocate, in MiB; a reader that
    // does not report its size in advance is held to it too.
    reader.setAllocationLimit(int(std::min<qint64>(options.maxPixels * 8 / (1024 * 1024) + 1, 1 << 30)));
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return fail(reader.errorString());
    if (!options.sizeAllowed(image.width(), image.height()))
        return fail(QStringLiteral("picture of %1 x %2 pixels refused").arg(image.width()).arg(image.height()));
    const QByteArray icc = options.useCms ? image.colorSpace().iccProfile() : QByteArray();
    image = normalizeToRgb32(std::move(image));
    if (image.isNull())
        return fail(QStringLiteral("out of memory"));
    if (!icc.isEmpty())
        IccConverter::applyToImage(image, icc);
    DecodeResult result;
    result.decoder = DecoderKind::Qt;
    result.image = std::move(image);
    return result;
}

int QtImageDecoder::pixelDepth(QByteArrayView head)
{
    const auto at = [&](qsizetype i) { return i < head.size() ? int(uchar(head[i])) : -1; };
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return 8;
    if (head.startsWith("BM") && head.size() >= 30) {
        // The old OS/2 header is 12 bytes long and keeps the bit count
        // earlier than the Windows headers.
        const int headerSize = at(14) | (at(15) << 8);
        return headerSize == 12 ? (at(24) | (at(25) << 8)) : (at(28) | (at(29) << 8));
    }
    if (head.size() >= 30 && head.startsWith("RIFF") && head.sliced(8, 4) == "WEBP") {
        const QByteArrayView chunk = head.sliced(12, 4);
        if (chunk == "VP8 ")
            return 24;
        if (chunk == "VP8L") // the alpha flag follows the 28 bits of the size
            return (at(24) & 0x10) ? 32 : 24;
        if (chunk == "VP8X")
            return (at(20) & 0x10) ? 32 : 24;
        return 0;
    }
    if (pngchunks::hasSignature(head) && head.size() >= 26 && head.sliced(12, 4) == "IHDR") {
        const int depth = at(24);
        switch (at(25)) {
        case 0: return depth;     // grey
        case 2: return depth * 3; // RGB
        case 3: return depth;     // palette
        case 4: return depth * 2; // grey and alpha
        case 6: return depth * 4; // RGBA
        default: return 0;
        }
    }
    return 0;
}

} // namespace quorvel
