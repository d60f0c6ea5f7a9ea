#include "core/imaging/TiffDecoder.h"

#include "core/imaging/ImageBufferPool.h"

#include "core/imaging/IccConverter.h"
#include "core/imaging/Orientation.h"
#include "core/imaging/TiffSampleReader.h"

#include <QIODevice>

#include <algorithm>
#include <cstdarg>
#include <memory>
#include <cstdio>

#include <tiffio.h>

namespace quorvel {

namespace {

// libtiff reads through these, so files and memory buffers take one path.
struct DeviceHandle
{
    QIODevice *device;
    qint64 origin;
    char lastError[256];
};

tmsize_t readProc(thandle_t h, void *buf, tmsize_t size)
{
    auto *d = static_cast<DeviceHandle *>(h);
    return tmsize_t(d->device->read(static_cast<char *>(buf), qint64(size)));
}

tmsize_t writeProc(thandle_t, void *, tmsize_t)
{
    return -1;
}

toff_t seekProc(thandle_t h, toff_t offset, int whence)
{
    auto *d = static_cast<DeviceHandle *>(h);
    qint64 target = 0;
    switch (whence) {
    case SEEK_SET: target = d->origin + qint64(offset); break;
    case SEEK_CUR: target = d->device->pos() + qint64(offset); break;
    case SEEK_END: target = d->device->size() + qint64(offset); break;
    default: return toff_t(-1);
    }
    // Offsets beyond the data are refused rather than read as nothing.
    if (target < d->origin || target > d->device->size() || !d->device->seek(target))
        return toff_t(-1);
    return toff_t(target - d->origin);
}

int closeProc(thandle_t)
{
    return 0;
}

toff_t sizeProc(thandle_t h)
{
    auto *d = static_cast<DeviceHandle *>(h);
    return toff_t(d->device->size() - d->origin);
}

int mapProc(thandle_t, void **, toff_t *)
{
    return 0;
}

void unmapProc(thandle_t, void *, toff_t)
{
}

int errorHandler(TIFF *, void *user, const char *module, const char *fmt, va_list ap)
{
    auto *d = static_cast<DeviceHandle *>(user);
    char text[200];
    std::vsnprintf(text, sizeof text, fmt, ap);
    std::snprintf(d->lastError, sizeof d->lastError, "%s: %s", module ? module : "tiff", text);
    return 1;
}

int warningHandler(TIFF *, void *, const char *, const char *, va_list)
{
    return 1; // silenced: warnings do not fail a decode
}

struct TiffCloser
{
    void operator()(TIFF *t) const { TIFFClose(t); }
};
using TiffPtr = std::unique_ptr<TIFF, TiffCloser>;

TiffPtr openTiff(DeviceHandle &handle, tmsize_t maxSingleAlloc)
{
    TIFFOpenOptions *opts = TIFFOpenOptionsAlloc();
    if (!opts)
        return nullptr;
    TIFFOpenOptionsSetMaxSingleMemAlloc(opts, maxSingleAlloc);
    TIFFOpenOptionsSetErrorHandlerExtR(opts, errorHandler, &handle);
    TIFFOpenOptionsSetWarningHandlerExtR(opts, warningHandler, &handle);
    // 'm': no memory mapping (there is nothing to map); 'h': only the header
    // and the first directory are read at open.
    TIFF *tif = TIFFClientOpenExt("tiff", "rm", &handle, readProc, writeProc, seekProc, closeProc, sizeProc,
                                  mapProc, unmapProc, opts);
    TIFFOpenOptionsFree(opts);
    return TiffPtr(tif);
}

QString lastError(const DeviceHandle &handle, const char *fallback)
{
    const char *text = handle.lastError[0] ? handle.lastError : fallback;
    return QStringLiteral("TIFF: %1").arg(QString::fromLocal8Bit(text));
}

// The picture through libtiff's RGBA reader, its rows arranged for the
// requested orientation; null on damaged data.
QImage readRgba(TIFF *tif, uint32_t width, uint32_t height, uint16_t requested)
{
    QImage image = ImageBufferPool::allocateRgb32(int(width), int(height));
    if (image.isNull())
        return image;
    // RGB32 rows of 32-bit pixels have no padding, so the picture is one
    // raster of width x height words, which is what libtiff fills.
    Q_ASSERT(image.bytesPerLine() == qsizetype(width) * 4);
    auto *raster = reinterpret_cast<uint32_t *>(image.bits());
    if (!TIFFReadRGBAImageOriented(tif, width, height, raster, requested, 1))
        return QImage();
    // libtiff packs A, B, G, R from the high byte down and premultiplies the
    // colours by alpha: that is the picture flattened over black already.
    const qsizetype count = qsizetype(width) * height;
    for (qsizetype i = 0; i < count; ++i) {
        const uint32_t p = raster[i];
        raster[i] = qRgb(int(TIFFGetR(p)), int(TIFFGetG(p)), int(TIFFGetB(p)));
    }
    return image;
}

// The mirroring libtiff's RGBA reader does when asked for top-left rows: it
// knows no quarter turns, so 5 to 8 are mirrored like 1 to 4.
int libtiffTopLeftMirror(uint16_t stored)
{
    switch (stored) {
    case ORIENTATION_TOPRIGHT:
    case ORIENTATION_RIGHTTOP: return 2;
    case ORIENTATION_BOTRIGHT:
    case ORIENTATION_RIGHTBOT: return 3;
    case ORIENTATION_BOTLEFT:
    case ORIENTATION_LEFTBOT: return 4;
    default: return orientation::kUpright;
    }
}

} // namespace

DecodeResult TiffDecoder::decode(QIODevice &device, const DecodeOptions &options)
{
    auto fail = [](const QString &reason) { return DecodeResult::failure(DecoderKind::Tiff, reason); };
    DeviceHandle handle{&device, device.pos(), {0}};
    // One strip or tile of the largest allowed picture at 16 bits per sample
    // and the most samples: beyond that nothing is allocated.
    const tmsize_t maxAlloc = tmsize_t(std::min<qint64>(options.maxPixels * 8 + (64 << 20), qint64(1) << 31));
    TiffPtr tif = openTiff(handle, maxAlloc);
    if (!tif)
        return fail(lastError(handle, "not a readable TIFF file"));

    uint32_t width = 0, height = 0;
    uint16_t samples = 1, bits = 1;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    if (!options.sizeAllowed(width, height))
        return fail(QStringLiteral("TIFF: picture of %1 x %2 pixels refused").arg(width).arg(height));
    if (samples < 1 || samples > kMaxSamplesPerPixel)
        return fail(QStringLiteral("TIFF: %1 samples per pixel refused").arg(samples));

    // With the EXIF orientation applied, the rows are delivered as stored,
    // for the orientation step to turn (ImageDecoder). Otherwise they are
    // mirrored as libtiff's RGBA reader always has for top-left rows, the
    // samples read here as well, so that a picture looks the same whatever
    // its sample layout.
    uint16_t stored = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_ORIENTATION, &stored);
    QImage image;
    if (TiffSampleReader::isNeeded(tif.get())) {
        DecodeResult samples = TiffSampleReader::read(tif.get(), maxAlloc, options);
        if (!samples.ok()) {
            if (handle.lastError[0])
                samples.error = lastError(handle, "");
            return samples;
        }
        image = std::move(samples.image);
        if (!options.applyOrientation) {
            image = orientation::turned(std::move(image), libtiffTopLeftMirror(stored));
            if (image.isNull())
                return fail(QStringLiteral("TIFF: out of memory"));
        }
    } else {
        char message[1024] = {0};
        if (!TIFFRGBAImageOK(tif.get(), message))
            return fail(QStringLiteral("TIFF: %1").arg(QString::fromLocal8Bit(message)));
        image = readRgba(tif.get(), width, height, options.applyOrientation ? stored : uint16_t(ORIENTATION_TOPLEFT));
        if (image.isNull())
            return fail(lastError(handle, "damaged picture data"));
    }
    if (options.cancelled())
        return fail(QStringLiteral("TIFF: decoding cancelled"));

    if (options.useCms) {
        uint32_t iccLength = 0;
        void *icc = nullptr;
        if (TIFFGetField(tif.get(), TIFFTAG_ICCPROFILE, &iccLength, &icc) && icc && iccLength > 0)
            IccConverter::applyToImage(image, QByteArrayView(static_cast<const char *>(icc), qsizetype(iccLength)));
    }

    DecodeResult result;
    result.decoder = DecoderKind::Tiff;
    result.image = std::move(image);
    return result;
}

int TiffDecoder::pixelDepth(QIODevice &device)
{
    DeviceHandle handle{&device, device.pos(), {0}};
    TiffPtr tif = openTiff(handle, tmsize_t(64) << 20);
    if (!tif)
        return 0;
    uint16_t samples = 1, bits = 1, photometric = 0;
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    if (bits < 1 || bits > 64 || samples < 1 || samples > kMaxSamplesPerPixel)
        return 0;
    if (TIFFGetField(tif.get(), TIFFTAG_PHOTOMETRIC, &photometric) && photometric == PHOTOMETRIC_PALETTE)
        return bits;
    return int(bits) * int(samples);
}

} // namespace quorvel
