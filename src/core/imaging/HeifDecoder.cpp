#include "core/imaging/HeifDecoder.h"

#include "core/imaging/IccConverter.h"
#include "core/imaging/ImageBufferPool.h"
#include "core/imaging/ImageNormalizer.h"

#include <QIODevice>
#include <QtEndian>

#include <libheif/heif.h>

#include <cstdlib>
#include <memory>

namespace quorvel {

namespace {

// libheif reads through these, so files and memory buffers take one path.
struct DeviceReader
{
    QIODevice *device;
    qint64 origin;
    qint64 size;
};

int64_t getPosition(void *user)
{
    auto *r = static_cast<DeviceReader *>(user);
    return r->device->pos() - r->origin;
}

int readBytes(void *data, size_t size, void *user)
{
    auto *r = static_cast<DeviceReader *>(user);
    if (qint64(size) > r->size)
        return -1;
    return r->device->read(static_cast<char *>(data), qint64(size)) == qint64(size) ? 0 : -1;
}

int seekTo(int64_t position, void *user)
{
    auto *r = static_cast<DeviceReader *>(user);
    if (position < 0 || position > r->size)
        return -1;
    return r->device->seek(r->origin + position) ? 0 : -1;
}

heif_reader_grow_status waitForFileSize(int64_t target, void *user)
{
    auto *r = static_cast<DeviceReader *>(user);
    return target <= r->size ? heif_reader_grow_status_size_reached : heif_reader_grow_status_size_beyond_eof;
}

const heif_reader kReader{1, getPosition, readBytes, seekTo, waitForFileSize};

struct ContextFree
{
    void operator()(heif_context *c) const { heif_context_free(c); }
};
struct HandleFree
{
    void operator()(heif_image_handle *h) const { heif_image_handle_release(h); }
};
struct ImageFree
{
    void operator()(heif_image *i) const { heif_image_release(i); }
};
struct OptionsFree
{
    void operator()(heif_decoding_options *o) const { heif_decoding_options_free(o); }
};
using ContextPtr = std::unique_ptr<heif_context, ContextFree>;
using HandlePtr = std::unique_ptr<heif_image_handle, HandleFree>;
using ImagePtr = std::unique_ptr<heif_image, ImageFree>;

QString messageOf(const heif_error &e)
{
    return QStringLiteral("HEIF: %1").arg(QString::fromUtf8(e.message ? e.message : "unknown error"));
}

// Opens the file and its primary image. libheif reads through reader as
// long as the context lives. On failure, *error says why.
HandlePtr openPrimary(DeviceReader &reader, ContextPtr &context, QString *error)
{
    if (reader.size <= 0 || reader.size > HeifDecoder::kMaxFileBytes) {
        *error = QStringLiteral("HEIF: file of %1 bytes refused").arg(reader.size);
        return nullptr;
    }
    context.reset(heif_context_alloc());
    if (!context) {
        *error = QStringLiteral("HEIF: out of memory");
        return nullptr;
    }
    heif_context_set_maximum_image_size_limit(context.get(), decodelimits::kMaxSide);
    // The program decodes several pictures at once (thumbnails, preload):
    // grid tiles are decoded on the calling thread.
    heif_context_set_max_decoding_threads(context.get(), 0);
    heif_error e = heif_context_read_from_reader(context.get(), &kReader, &reader, nullptr);
    if (e.code != heif_error_Ok) {
        *error = messageOf(e);
        return nullptr;
    }
    heif_image_handle *handle = nullptr;
    e = heif_context_get_primary_image_handle(context.get(), &handle);
    if (e.code != heif_error_Ok || !handle) {
        *error = messageOf(e);
        return nullptr;
    }
    return HandlePtr(handle);
}

// The stored thumbnail that can stand in for a picture of size full reduced
// to wanted: large enough, with the picture's proportions to within a pixel.
HandlePtr fittingThumbnail(const heif_image_handle *primary, QSize full, QSize wanted)
{
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0 || count > 16)
        return nullptr;
    heif_item_id ids[16];
    heif_image_handle_get_list_of_thumbnail_IDs(primary, ids, count);
    for (int i = 0; i < count; ++i) {
        heif_image_handle *thumb = nullptr;
        if (heif_image_handle_get_thumbnail(primary, ids[i], &thumb).code != heif_error_Ok || !thumb)
            continue;
        HandlePtr owned(thumb);
        const qint64 w = heif_image_handle_get_width(thumb), h = heif_image_handle_get_height(thumb);
        const bool covers = w >= wanted.width() && h >= wanted.height();
        const bool proportional = qAbs(w * full.height() - h * full.width()) <= qMax<qint64>(full.width(), full.height());
        if (covers && proportional && w < full.width())
            return owned;
    }
    return nullptr;
}

DecodeResult decodeHandle(const heif_image_handle *handle, const DecodeOptions &options)
{
    auto fail = [](const QString &reason) { return DecodeResult::failure(DecoderKind::Heif, reason); };
    const int width = heif_image_handle_get_width(handle);
    const int height = heif_image_handle_get_height(handle);
    if (!options.sizeAllowed(width, height))
        return fail(QStringLiteral("HEIF: picture of %1 x %2 pixels refused").arg(width).arg(height));
    if (options.cancelled())
        return fail(QStringLiteral("HEIF: decoding cancelled"));

    const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
    std::unique_ptr<heif_decoding_options, OptionsFree> decoding(heif_decoding_options_alloc());
    if (!decoding)
        return fail(QStringLiteral("HEIF: out of memory"));
    decoding->convert_hdr_to_8bit = 1;
    heif_image *decoded = nullptr;
    const heif_error e = heif_decode_image(handle, &decoded, heif_colorspace_RGB,
                                           alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                                           decoding.get());
    ImagePtr picture(decoded);
    if (e.code != heif_error_Ok || !picture)
        return fail(messageOf(e));
    if (options.cancelled())
        return fail(QStringLiteral("HEIF: decoding cancelled"));

    const int outWidth = heif_image_get_width(picture.get(), heif_channel_interleaved);
    const int outHeight = heif_image_get_height(picture.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t *plane = heif_image_get_plane_readonly(picture.get(), heif_channel_interleaved, &stride);
    const int channels = alpha ? 4 : 3;
    if (!plane || !options.sizeAllowed(outWidth, outHeight) || stride < outWidth * channels
        || heif_image_get_bits_per_pixel_range(picture.get(), heif_channel_interleaved) != 8)
        return fail(QStringLiteral("HEIF: unexpected output from the decoder"));

    QImage image = ImageBufferPool::allocateRgb32(outWidth, outHeight);
    if (image.isNull())
        return fail(QStringLiteral("HEIF: out of memory"));
    for (int y = 0; y < outHeight; ++y)
        packRow8(plane + qsizetype(y) * stride, channels, outWidth, reinterpret_cast<QRgb *>(image.scanLine(y)));

    if (options.useCms) {
        const heif_color_profile_type type = heif_image_handle_get_color_profile_type(handle);
        const size_t size = heif_image_handle_get_raw_color_profile_size(handle);
        if ((type == heif_color_profile_type_prof || type == heif_color_profile_type_rICC) && size > 0
            && qint64(size) <= decodelimits::kMaxIccBytes) {
            QByteArray icc(qsizetype(size), Qt::Uninitialized);
            if (heif_image_handle_get_raw_color_profile(handle, icc.data()).code == heif_error_Ok)
                IccConverter::applyToImage(image, icc);
        }
    }

    DecodeResult result;
    result.decoder = DecoderKind::Heif;
    result.image = std::move(image);
    result.upright = true;
    return result;
}

bool hasBrand(QByteArrayView brand)
{
    static const char *const brands[] = {"heic", "heix", "hevc", "heim", "heis", "hevm", "hevs",
                                         "mif1", "msf1", "avif", "avis"};
    for (const char *b : brands) {
        if (brand == QByteArrayView(b, 4))
            return true;
    }
    return false;
}

} // namespace

bool HeifDecoder::looksLikeHeif(QByteArrayView head)
{
    if (head.size() < 16 || head.sliced(4, 4) != "ftyp")
        return false;
    const quint32 boxSize = qFromBigEndian<quint32>(head.data());
    if (boxSize < 16)
        return false;
    if (hasBrand(head.sliced(8, 4)))
        return true;
    // The compatible brands follow the minor version.
    const qsizetype end = qMin<qsizetype>(head.size(), boxSize);
    for (qsizetype at = 16; at + 4 <= end; at += 4) {
        if (hasBrand(head.sliced(at, 4)))
            return true;
    }
    return false;
}

DecodeResult HeifDecoder::decode(QIODevice &device, const DecodeOptions &options)
{
    DeviceReader reader{&device, device.pos(), device.size() - device.pos()};
    ContextPtr context;
    QString error;
    HandlePtr primary = openPrimary(reader, context, &error);
    if (!primary)
        return DecodeResult::failure(DecoderKind::Heif, error);
    const QSize full(heif_image_handle_get_width(primary.get()), heif_image_handle_get_height(primary.get()));
    if (!options.sizeAllowed(full.width(), full.height()))
        return DecodeResult::failure(DecoderKind::Heif, QStringLiteral("HEIF: picture of %1 x %2 pixels refused")
                                                            .arg(full.width()).arg(full.height()));
    if (!options.reduceTo.isEmpty()) {
        if (HandlePtr thumb = fittingThumbnail(primary.get(), full, options.reduceTo)) {
            DecodeResult small = decodeHandle(thumb.get(), options);
            if (small.ok()) {
                small.fullSize = full;
                return small;
            }
        }
    }
    return decodeHandle(primary.get(), options);
}

int HeifDecoder::pixelDepth(QIODevice &device)
{
    DeviceReader reader{&device, device.pos(), device.size() - device.pos()};
    ContextPtr context;
    QString error;
    HandlePtr primary = openPrimary(reader, context, &error);
    if (!primary)
        return 0;
    const int luma = heif_image_handle_get_luma_bits_per_pixel(primary.get());
    if (luma <= 0)
        return 0;
    // An alpha plane has the depth of the colour planes.
    return luma * (heif_image_handle_has_alpha_channel(primary.get()) ? 4 : 3);
}

} // namespace quorvel
