#include "core/imaging/JpegDecoder.h"

#include "core/imaging/ImageBufferPool.h"
#include "core/imaging/IccConverter.h"
#include "core/imaging/JpegSession.h"
#include "core/imaging/ZoomMath.h"

#include <QIODevice>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace quorvel {

using jpegsession::Session;

static_assert(JpegDecoder::kMaxScans == jpegsession::kMaxScans);

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kRgb32Space = JCS_EXT_BGRX;
#else
constexpr J_COLOR_SPACE kRgb32Space = JCS_EXT_XRGB;
#endif

// The rows of the strip that a decode whose pixels are not kept goes
// through.
constexpr int kStripRows = 16;

// A QIODevice as the session's input.
long long readDevice(void *device, unsigned char *to, long long count)
{
    return static_cast<QIODevice *>(device)->read(reinterpret_cast<char *>(to), count);
}

long long devicePosition(void *device)
{
    return static_cast<QIODevice *>(device)->pos();
}

long long deviceSize(void *device)
{
    return static_cast<QIODevice *>(device)->size();
}

bool seekDevice(void *device, long long position)
{
    return static_cast<QIODevice *>(device)->seek(position);
}

// The decoder skips by seeking only where the device can seek; the frame
// header walk asks any device.
jpegsession::Input inputOf(QIODevice &device, bool seekAlways = false)
{
    jpegsession::Input in;
    in.context = &device;
    in.read = readDevice;
    in.position = devicePosition;
    in.size = deviceSize;
    if (seekAlways || !device.isSequential())
        in.seek = seekDevice;
    return in;
}

struct SessionRelease
{
    void operator()(Session *s) const { jpegsession::release(s); }
};
using SessionPtr = std::unique_ptr<Session, SessionRelease>;

// The size a reduced decode must still cover: reduceTo itself, or the
// picture fitted into it when reduceTo is a view's box.
QSize reducedCover(int width, int height, const DecodeOptions &options)
{
    if (!options.reduceToFit)
        return options.reduceTo;
    return zoom::fitInto(QSize(width, height), options.reduceTo);
}

void convertCmykRow(const void *converter, const unsigned char *cmyk, std::uint32_t *out, int width)
{
    static_cast<const IccConverter *>(converter)->convertCmykRow(cmyk, reinterpret_cast<QRgb *>(out), width);
}

QString messageOf(const Session &s)
{
    return QStringLiteral("JPEG: %1").arg(QString::fromLocal8Bit(s.message));
}

DecodeResult decodeSession(Session *s, const DecodeOptions &options);

} // namespace

DecodeResult JpegDecoder::decode(QByteArrayView data, const DecodeOptions &options)
{
    if (data.isEmpty())
        return DecodeResult::failure(DecoderKind::Jpeg, QStringLiteral("JPEG: empty file"));
    const SessionPtr s(jpegsession::newSession(options.cancel, reinterpret_cast<const JOCTET *>(data.data()),
                                               static_cast<unsigned long>(data.size())));
    if (!s)
        return DecodeResult::failure(DecoderKind::Jpeg, QStringLiteral("JPEG: out of memory"));
    return decodeSession(s.get(), options);
}

DecodeResult JpegDecoder::decode(QIODevice &device, const DecodeOptions &options)
{
    if (device.atEnd())
        return DecodeResult::failure(DecoderKind::Jpeg, QStringLiteral("JPEG: empty file"));
    const SessionPtr s(jpegsession::newSession(options.cancel, inputOf(device)));
    if (!s)
        return DecodeResult::failure(DecoderKind::Jpeg, QStringLiteral("JPEG: out of memory"));
    return decodeSession(s.get(), options);
}

bool JpegDecoder::isWhole(QByteArrayView data)
{
    if (data.isEmpty())
        return false;
    const SessionPtr s(jpegsession::newSession(nullptr, reinterpret_cast<const JOCTET *>(data.data()),
                                               static_cast<unsigned long>(data.size())));
    if (!s || !jpegsession::readHeader(s.get(), false)
        || !DecodeOptions().sizeAllowed(s->cinfo.image_width, s->cinfo.image_height))
        return false;
    s->cinfo.mem->max_memory_to_use = long(std::min<qint64>(decodelimits::kMaxPixels * 8 + (64 << 20), LONG_MAX));
    return jpegsession::readCoefficients(s.get()) && !s->damaged;
}

namespace {

DecodeResult decodeSession(Session *session, const DecodeOptions &options)
{
    auto fail = [](const QString &reason) { return DecodeResult::failure(DecoderKind::Jpeg, reason); };
    Session *s = session;
    if (!jpegsession::readHeader(s, options.useCms))
        return fail(messageOf(*s));

    jpeg_decompress_struct &cinfo = s->cinfo;
    if (!options.sizeAllowed(cinfo.image_width, cinfo.image_height))
        return fail(QStringLiteral("JPEG: picture of %1 x %2 pixels refused").arg(cinfo.image_width).arg(cinfo.image_height));
    // Bounds libjpeg's own working memory (a progressive file keeps every
    // coefficient: two bytes per sample).
    cinfo.mem->max_memory_to_use = long(std::min<qint64>(options.maxPixels * 8 + (64 << 20), LONG_MAX));

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : kRgb32Space;

    int width = int(cinfo.image_width), height = int(cinfo.image_height);
    const QSize cover = options.reduceTo.isEmpty() ? QSize() : reducedCover(width, height, options);
    const bool reduce = !cover.isEmpty() && (cover.width() < width || cover.height() < height);
    if (reduce) {
        if (!jpegsession::chooseReducedScale(s, unsigned(cover.width()), unsigned(cover.height()),
                                             options.reduceFastest))
            return fail(messageOf(*s));
        width = int(cinfo.output_width);
        height = int(cinfo.output_height);
    }

    const bool strip = !options.keepPixels && height > kStripRows;
    QImage image = strip ? QImage(width, kStripRows, QImage::Format_RGB32) : ImageBufferPool::allocateRgb32(width, height);
    if (image.isNull())
        return fail(QStringLiteral("JPEG: out of memory"));
    std::vector<uchar> cmykRow;
    std::unique_ptr<IccConverter> cmykConverter;
    const bool inverted = cinfo.saw_Adobe_marker;
    if (cmyk) {
        cmykRow.resize(size_t(width) * 4);
        if (options.useCms && s->icc) {
            cmykConverter = std::make_unique<IccConverter>(
                QByteArrayView(s->icc, qsizetype(s->iccLength)),
                inverted ? IccConverter::Input::CmykInverted : IccConverter::Input::Cmyk);
            if (!cmykConverter->isValid())
                cmykConverter.reset();
        }
    }
    const jpegsession::PixelTarget target{image.bits(),
                                          image.bytesPerLine(),
                                          JDIMENSION(image.height()),
                                          cmyk ? cmykRow.data() : nullptr,
                                          cmykConverter ? convertCmykRow : nullptr,
                                          cmykConverter.get(),
                                          inverted};
    if (!jpegsession::readPixels(s, &target))
        return fail(messageOf(*s));
    if (s->nothingDecoded)
        return fail(QStringLiteral("JPEG: the data ends before any of the picture"));
    if (int(cinfo.output_width) != width || int(cinfo.output_height) != height)
        return fail(QStringLiteral("JPEG: unexpected output size"));

    if (options.useCms && s->icc && !cmyk)
        IccConverter::applyToImage(image, QByteArrayView(s->icc, qsizetype(s->iccLength)));

    DecodeResult result;
    result.decoder = DecoderKind::Jpeg;
    result.image = std::move(image);
    result.partial = s->damaged;
    if (reduce)
        result.fullSize = QSize(int(cinfo.image_width), int(cinfo.image_height));
    else if (strip)
        result.fullSize = QSize(width, height);
    return result;
}

} // namespace

int JpegDecoder::pixelDepth(QIODevice &device)
{
    return jpegsession::pixelDepth(inputOf(device, true));
}

} // namespace quorvel
