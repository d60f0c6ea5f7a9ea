#include "core/imaging/JxlDecoder.h"

#include "core/imaging/IccConverter.h"
#include "core/imaging/ImageBufferPool.h"
#include "core/imaging/ImageNormalizer.h"

#include <QIODevice>

#include <jxl/decode.h>
#include <jxl/resizable_parallel_runner.h>

#include <cstring>
#include <memory>
#include <vector>

namespace quorvel {

namespace {

struct DecoderFree
{
    void operator()(::JxlDecoder *d) const { JxlDecoderDestroy(d); }
};
struct RunnerFree
{
    void operator()(void *r) const { JxlResizableParallelRunnerDestroy(r); }
};

// The file is handed to libjxl a chunk at a time; whatever libjxl has not
// consumed yet is kept and the next chunk appended to it.
class Feeder
{
public:
    Feeder(::JxlDecoder *decoder, QIODevice &device, qint64 chunk)
        : m_decoder(decoder), m_device(device), m_chunk(chunk)
    {
    }

    // Gives libjxl more input: the next chunk, or at the end of the data
    // once the news that no more follows. False after that, or on a read
    // error.
    bool more()
    {
        if (m_closed)
            return false;
        const size_t kept = m_buffer.empty() ? 0 : JxlDecoderReleaseInput(m_decoder);
        if (kept > m_buffer.size())
            return false;
        if (kept > 0)
            std::memmove(m_buffer.data(), m_buffer.data() + (m_buffer.size() - kept), kept);
        m_buffer.resize(kept + size_t(m_chunk));
        const qint64 n = m_device.read(reinterpret_cast<char *>(m_buffer.data()) + kept, m_chunk);
        if (n < 0)
            return false;
        m_buffer.resize(kept + size_t(n));
        if (JxlDecoderSetInput(m_decoder, m_buffer.data(), m_buffer.size()) != JXL_DEC_SUCCESS)
            return false;
        if (n == 0) {
            JxlDecoderCloseInput(m_decoder);
            m_closed = true;
        }
        return true;
    }

private:
    ::JxlDecoder *m_decoder;
    QIODevice &m_device;
    qint64 m_chunk;
    std::vector<uint8_t> m_buffer;
    bool m_closed = false;
};

} // namespace

bool JxlDecoder::looksLikeJxl(QByteArrayView head)
{
    return JxlSignatureCheck(reinterpret_cast<const uint8_t *>(head.data()), size_t(head.size()))
        >= JXL_SIG_CODESTREAM;
}

DecodeResult JxlDecoder::decode(QIODevice &device, const DecodeOptions &options)
{
    auto fail = [](const QString &reason) { return DecodeResult::failure(DecoderKind::Jxl, reason); };
    std::unique_ptr<::JxlDecoder, DecoderFree> decoder(JxlDecoderCreate(nullptr));
    if (!decoder)
        return fail(QStringLiteral("JPEG XL: out of memory"));
    ::JxlDecoder *dec = decoder.get();
    if (JxlDecoderSubscribeEvents(dec, JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE)
        != JXL_DEC_SUCCESS)
        return fail(QStringLiteral("JPEG XL: decoder refused its settings"));
    // Threads as the picture's size suggests, set once it is known.
    std::unique_ptr<void, RunnerFree> runner(JxlResizableParallelRunnerCreate(nullptr));
    if (runner && JxlDecoderSetParallelRunner(dec, JxlResizableParallelRunner, runner.get()) != JXL_DEC_SUCCESS)
        return fail(QStringLiteral("JPEG XL: decoder refused its settings"));

    Feeder feeder(dec, device, 1 << 20);
    const JxlPixelFormat format{4, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    JxlBasicInfo info{};
    QImage image;
    std::vector<uint8_t> rgba;
    QByteArray icc;
    if (device.atEnd())
        return fail(QStringLiteral("JPEG XL: empty file"));
    if (!feeder.more())
        return fail(QStringLiteral("JPEG XL: read error"));
    for (;;) {
        if (options.cancelled())
            return fail(QStringLiteral("JPEG XL: decoding cancelled"));
        const JxlDecoderStatus status = JxlDecoderProcessInput(dec);
        switch (status) {
        case JXL_DEC_ERROR:
            return fail(QStringLiteral("JPEG XL: damaged or unsupported file"));
        case JXL_DEC_NEED_MORE_INPUT:
            if (!feeder.more())
                return fail(QStringLiteral("JPEG XL: data ends early"));
            break;
        case JXL_DEC_BASIC_INFO: {
            if (JxlDecoderGetBasicInfo(dec, &info) != JXL_DEC_SUCCESS)
                return fail(QStringLiteral("JPEG XL: damaged header"));
            if (!options.sizeAllowed(info.xsize, info.ysize))
                return fail(QStringLiteral("JPEG XL: picture of %1 x %2 pixels refused").arg(info.xsize).arg(info.ysize));
            if (runner)
                JxlResizableParallelRunnerSetThreads(
                    runner.get(), std::min<size_t>(JxlResizableParallelRunnerSuggestThreads(info.xsize, info.ysize), 4));
            break;
        }
        case JXL_DEC_COLOR_ENCODING: {
            size_t size = 0;
            if (options.useCms
                && JxlDecoderGetICCProfileSize(dec, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &size) == JXL_DEC_SUCCESS
                && size > 0 && qint64(size) <= decodelimits::kMaxIccBytes) {
                icc.resize(qsizetype(size));
                if (JxlDecoderGetColorAsICCProfile(dec, nullptr, JXL_COLOR_PROFILE_TARGET_DATA,
                                                   reinterpret_cast<uint8_t *>(icc.data()), size)
                    != JXL_DEC_SUCCESS)
                    icc.clear();
            }
            break;
        }
        case JXL_DEC_NEED_IMAGE_OUT_BUFFER: {
            size_t size = 0;
            if (JxlDecoderImageOutBufferSize(dec, &format, &size) != JXL_DEC_SUCCESS)
                return fail(QStringLiteral("JPEG XL: damaged header"));
            // The picture as delivered, turned by its orientation.
            const bool turned = info.orientation >= JXL_ORIENT_TRANSPOSE;
            const qint64 w = turned ? info.ysize : info.xsize, h = turned ? info.xsize : info.ysize;
            if (!options.sizeAllowed(w, h) || qint64(size) != w * h * 4)
                return fail(QStringLiteral("JPEG XL: unexpected output size"));
            image = ImageBufferPool::allocateRgb32(int(w), int(h));
            try {
                rgba.resize(size);
            } catch (const std::bad_alloc &) {
                return fail(QStringLiteral("JPEG XL: out of memory"));
            }
            if (image.isNull())
                return fail(QStringLiteral("JPEG XL: out of memory"));
            if (JxlDecoderSetImageOutBuffer(dec, &format, rgba.data(), rgba.size()) != JXL_DEC_SUCCESS)
                return fail(QStringLiteral("JPEG XL: decoder refused the picture buffer"));
            break;
        }
        case JXL_DEC_FULL_IMAGE:
        case JXL_DEC_SUCCESS: {
            if (image.isNull())
                return fail(QStringLiteral("JPEG XL: no picture in the file"));
            // The first frame is the picture; the rest of an animation is not read.
            for (int y = 0; y < image.height(); ++y)
                packRow8(rgba.data() + qsizetype(y) * image.width() * 4, 4, image.width(),
                         reinterpret_cast<QRgb *>(image.scanLine(y)));
            if (!icc.isEmpty())
                IccConverter::applyToImage(image, icc);
            DecodeResult result;
            result.decoder = DecoderKind::Jxl;
            result.image = std::move(image);
            result.upright = true;
            return result;
        }
        default:
            break;
        }
    }
}

int JxlDecoder::pixelDepth(QIODevice &device)
{
    std::unique_ptr<::JxlDecoder, DecoderFree> decoder(JxlDecoderCreate(nullptr));
    if (!decoder || JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_BASIC_INFO) != JXL_DEC_SUCCESS)
        return 0;
    Feeder feeder(decoder.get(), device, 16 * 1024);
    if (!feeder.more())
        return 0;
    // The basic header lies within the first bytes of the codestream; a
    // container's leading boxes (metadata) are read through, up to a bound.
    for (int rounds = 0; rounds < 256; ++rounds) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(decoder.get());
        if (status == JXL_DEC_BASIC_INFO) {
            JxlBasicInfo info{};
            if (JxlDecoderGetBasicInfo(decoder.get(), &info) != JXL_DEC_SUCCESS)
                return 0;
            return int(info.bits_per_sample * info.num_color_channels + info.alpha_bits);
        }
        if (status != JXL_DEC_NEED_MORE_INPUT || !feeder.more())
            return 0;
    }
    return 0;
}

} // namespace quorvel
