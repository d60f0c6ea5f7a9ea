#include "core/imaging/RawDecoder.h"

#include "core/files/FileAccess.h"
#include "core/imaging/ImageBufferPool.h"
#include "core/imaging/ImageNormalizer.h"
#include "core/imaging/JpegDecoder.h"
#include "core/imaging/Orientation.h"

#include <QFile>

#include <libraw/libraw.h>

#include <algorithm>
#include <bit>
#include <functional>
#include <memory>

namespace quorvel {

namespace {

// LibRaw reports stages (bits 0..19 of LibRaw_progress), not rows; the share
// done is the position of the stage among them.
constexpr int kLastStageBit = 19;

struct ProgressState
{
    const DecodeOptions *options;
    int lastPercent;
};

int progressCallback(void *data, enum LibRaw_progress stage, int iteration, int expected)
{
    auto *state = static_cast<ProgressState *>(data);
    if (state->options->cancelled())
        return 1; // LibRaw stops with LIBRAW_CANCELLED_BY_CALLBACK
    const unsigned bits = unsigned(stage) & 0x000fffffu;
    if (bits == 0 || !state->options->progress)
        return 0;
    const int index = std::bit_width(bits) - 1;
    double share = double(index) / (kLastStageBit + 1);
    if (expected > 0 && iteration >= 0)
        share += std::min(1.0, double(iteration) / expected) / (kLastStageBit + 1);
    const int percent = std::clamp(int(share * 100.0), 0, 99);
    if (percent > state->lastPercent) {
        state->lastPercent = percent;
        state->options->progress(percent);
    }
    return 0;
}

QString emptyFile()
{
    return QStringLiteral("raw: the file is empty");
}

QString librawMessage(int code)
{
    return QStringLiteral("raw: %1").arg(QString::fromLocal8Bit(libraw_strerror(code)));
}

// Whether LibRaw's output is a bitmap of 8-bit RGB or grey samples that
// holds all of its pixels.
bool isUsableBitmap(const libraw_processed_image_t &mem, const DecodeOptions &options)
{
    return mem.type == LIBRAW_IMAGE_BITMAP && mem.bits == 8 && (mem.colors == 3 || mem.colors == 1)
        && options.sizeAllowed(mem.width, mem.height)
        && qint64(mem.data_size) >= qint64(mem.width) * mem.height * mem.colors;
}

// Such a bitmap as a picture; null when memory runs out.
QImage imageOfBitmap(const libraw_processed_image_t &mem)
{
    QImage image = ImageBufferPool::allocateRgb32(mem.width, mem.height);
    if (image.isNull())
        return image;
    for (int y = 0; y < image.height(); ++y)
        packRow8(mem.data + qsizetype(y) * mem.width * mem.colors, mem.colors, mem.width,
                 reinterpret_cast<QRgb *>(image.scanLine(y)));
    return image;
}

DecodeResult decodeWith(const DecodeOptions &options, const std::function<int(LibRaw &)> &open)
{
    auto fail = [](const QString &reason) { return DecodeResult::failure(DecoderKind::Raw, reason); };
    auto raw = std::make_unique<LibRaw>(LIBRAW_OPTIONS_NONE);
    ProgressState state{&options, -1};
    raw->set_progress_handler(progressCallback, &state);
    if (options.progress) {
        state.lastPercent = 0;
        options.progress(0);
    }
    libraw_output_params_t &p = raw->imgdata.params;
    p.user_qual = options.hqRaw ? 1 : 0; // 0 bilinear, 1 VNG
    p.use_auto_wb = 1;
    p.output_bps = 8;
    p.output_color = 1; // sRGB
    p.auto_bright_thr = 0.01f;

    int rc = open(*raw);
    if (rc != LIBRAW_SUCCESS)
        return fail(librawMessage(rc));
    const libraw_image_sizes_t &sz = raw->imgdata.sizes;
    if (!options.sizeAllowed(sz.raw_width, sz.raw_height) || !options.sizeAllowed(sz.iwidth, sz.iheight))
        return fail(QStringLiteral("raw: picture of %1 x %2 pixels refused").arg(sz.raw_width).arg(sz.raw_height));
    // The picture's size as it comes out whole, turned as the camera says.
    const QSize whole = (sz.flip & 4) ? QSize(sz.height, sz.width) : QSize(sz.width, sz.height);
    // Half size takes one pixel per colour cell and skips the interpolation:
    // several times faster, for a picture that is shown much smaller anyway.
    const bool half = !options.reduceTo.isEmpty() && options.reduceTo.width() <= whole.width() / 2
        && options.reduceTo.height() <= whole.height() / 2;
    if (half)
        p.half_size = 1;
    if ((rc = raw->unpack()) != LIBRAW_SUCCESS)
        return fail(librawMessage(rc));
    if ((rc = raw->dcraw_process()) != LIBRAW_SUCCESS)
        return fail(librawMessage(rc));
    int err = 0;
    libraw_processed_image_t *mem = raw->dcraw_make_mem_image(&err);
    if (!mem)
        return fail(librawMessage(err));
    std::unique_ptr<libraw_processed_image_t, void (*)(libraw_processed_image_t *)> guard(
        mem, [](libraw_processed_image_t *m) { LibRaw::dcraw_clear_mem(m); });
    if (!isUsableBitmap(*mem, options))
        return fail(QStringLiteral("raw: unexpected output from the raw decoder"));

    QImage image = imageOfBitmap(*mem);
    if (image.isNull())
        return fail(QStringLiteral("raw: out of memory"));
    if (options.progress && state.lastPercent < 100)
        options.progress(100);
    DecodeResult result;
    result.decoder = DecoderKind::Raw;
    result.image = std::move(image);
    result.upright = true; // LibRaw turned it as the camera says
    if (half)
        result.fullSize = whole;
    return result;
}

using Opener = std::function<int(LibRaw &)>;

DecodeResult previewWith(const DecodeOptions &options, const Opener &open)
{
    auto fail = [](const QString &reason) { return DecodeResult::failure(DecoderKind::Raw, reason); };
    auto raw = std::make_unique<LibRaw>(LIBRAW_OPTIONS_NONE);
    int rc = open(*raw);
    if (rc != LIBRAW_SUCCESS)
        return fail(librawMessage(rc));
    const libraw_thumbnail_t &thumb = raw->imgdata.thumbnail;
    if (thumb.tlength == 0)
        return fail(QStringLiteral("raw: no embedded preview"));
    if (qint64(thumb.tlength) > RawDecoder::kMaxPreviewBytes)
        return fail(QStringLiteral("raw: embedded preview of %1 bytes refused").arg(thumb.tlength));
    if (options.cancelled())
        return fail(QStringLiteral("raw: decoding cancelled"));
    if ((rc = raw->unpack_thumb()) != LIBRAW_SUCCESS)
        return fail(librawMessage(rc));
    int err = 0;
    libraw_processed_image_t *mem = raw->dcraw_make_mem_thumb(&err);
    if (!mem)
        return fail(librawMessage(err));
    std::unique_ptr<libraw_processed_image_t, void (*)(libraw_processed_image_t *)> guard(
        mem, [](libraw_processed_image_t *m) { LibRaw::dcraw_clear_mem(m); });

    const int flip = raw->imgdata.sizes.flip & 7;
    DecodeResult result;
    if (mem->type == LIBRAW_IMAGE_JPEG) {
        DecodeOptions jpegOptions = options;
        // The wanted size is the turned picture's.
        if ((flip & 4) && !jpegOptions.reduceTo.isEmpty())
            jpegOptions.reduceTo.transpose();
        result = JpegDecoder::decode(QByteArrayView(reinterpret_cast<const char *>(mem->data), qsizetype(mem->data_size)),
                                     jpegOptions);
        if (!result.ok())
            return fail(QStringLiteral("raw: embedded preview: %1").arg(result.error));
    } else if (isUsableBitmap(*mem, options)) {
        result.image = imageOfBitmap(*mem);
        if (result.image.isNull())
            return fail(QStringLiteral("raw: out of memory"));
    } else {
        return fail(QStringLiteral("raw: embedded preview in a form not shown"));
    }
    if (flip) {
        result.image = RawDecoder::turnedByFlip(std::move(result.image), flip);
        if (result.image.isNull())
            return fail(QStringLiteral("raw: out of memory"));
        if (flip & 4)
            result.fullSize.transpose();
    }
    result.decoder = DecoderKind::Raw;
    result.error.clear();
    result.upright = true;
    return result;
}

Opener fileOpener(const QFile &file, const QString &path)
{
    const QString openPath = FileAccess::pathOfOpenFile(file, path);
    return [openPath](LibRaw &raw) {
#ifdef Q_OS_WIN
        return raw.open_file(reinterpret_cast<const wchar_t *>(openPath.utf16()));
#else
        return raw.open_file(QFile::encodeName(openPath).constData());
#endif
    };
}

Opener memoryOpener(QByteArrayView data)
{
    return [data](LibRaw &raw) { return raw.open_buffer(const_cast<char *>(data.data()), size_t(data.size())); };
}

} // namespace

QImage RawDecoder::turnedByFlip(QImage image, int flip)
{
    // The flip's bits - transposed first, then upside down, then mirrored -
    // as the EXIF orientation that turns alike.
    static constexpr int kOrientations[8] = {1, 2, 4, 3, 5, 8, 6, 7};
    return orientation::turned(std::move(image), kOrientations[flip & 7]);
}

DecodeResult RawDecoder::decodePreview(const QFile &file, const QString &path, const DecodeOptions &options)
{
    // LibRaw calls an empty file an input/output error.
    if (file.size() == 0)
        return DecodeResult::failure(DecoderKind::Raw, emptyFile());
    return previewWith(options, fileOpener(file, path));
}

DecodeResult RawDecoder::decodePreview(QByteArrayView data, const DecodeOptions &options)
{
    return previewWith(options, memoryOpener(data));
}

DecodeResult RawDecoder::decode(const QString &path, const DecodeOptions &options)
{
    QFile file;
    QString error;
    if (!FileAccess::openForReading(file, path, &error))
        return DecodeResult::failure(DecoderKind::Raw, QStringLiteral("raw: %1").arg(error));
    return decode(file, path, options);
}

DecodeResult RawDecoder::decode(const QFile &file, const QString &path, const DecodeOptions &options)
{
    if (file.size() == 0)
        return DecodeResult::failure(DecoderKind::Raw, emptyFile());
    return decodeWith(options, fileOpener(file, path));
}

DecodeResult RawDecoder::decode(QByteArrayView data, const DecodeOptions &options)
{
    return decodeWith(options, memoryOpener(data));
}

} // namespace quorvel
