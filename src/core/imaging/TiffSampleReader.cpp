#include "core/imaging/TiffSampleReader.h"

#include "core/imaging/ImageBufferPool.h"

#include <QFloat16>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <vector>

namespace quorvel {

namespace {

struct Layout
{
    uint32_t width = 0, height = 0;
    uint16_t bits = 1, samples = 1, format = SAMPLEFORMAT_UINT, planar = PLANARCONFIG_CONTIG, photometric = 0;
    int colours = 1;     // 1 grey, 3 RGB, 4 CMYK
    int alpha = -1;      // index of the alpha sample, -1 for none
    bool premultiplied = false;
};

bool isFloat(const Layout &l)
{
    return l.format == SAMPLEFORMAT_IEEEFP;
}

QString describe(const Layout &l)
{
    return isFloat(l) ? QStringLiteral("%1-bit floating point").arg(l.bits) : QStringLiteral("%1-bit").arg(l.bits);
}

// One sample as a number: bit-packed depths are read MSB first; 8, 16 and
// 32 bits and the floating point formats come in the machine's byte order
// (libtiff swaps them as it decodes).
double sampleAt(const uchar *row, qsizetype index, const Layout &l)
{
    switch (l.bits) {
    case 8: return l.format == SAMPLEFORMAT_INT ? double(qint8(row[index])) : double(row[index]);
    case 16:
        if (isFloat(l)) {
            qfloat16 h;
            std::memcpy(&h, row + index * 2, 2);
            return double(float(h));
        } else {
            quint16 v;
            std::memcpy(&v, row + index * 2, 2);
            return l.format == SAMPLEFORMAT_INT ? double(qint16(v)) : double(v);
        }
    case 32:
        if (isFloat(l)) {
            float f;
            std::memcpy(&f, row + index * 4, 4);
            return double(f);
        } else {
            quint32 v;
            std::memcpy(&v, row + index * 4, 4);
            return l.format == SAMPLEFORMAT_INT ? double(qint32(v)) : double(v);
        }
    case 64: {
        double d;
        std::memcpy(&d, row + index * 8, 8);
        return d;
    }
    default: break;
    }
    quint32 v = 0;
    qsizetype bit = index * l.bits;
    for (int i = 0; i < l.bits; ++i, ++bit)
        v = (v << 1) | ((row[bit >> 3] >> (7 - (bit & 7))) & 1u);
    if (l.format == SAMPLEFORMAT_INT && (v >> (l.bits - 1)))
        return double(qint64(v) - (qint64(1) << l.bits));
    return double(v);
}

// Walks every row of every plane: visit(plane, y, x0, count, bytes) gets
// count samples-per-pixel groups (one sample each for a planar file) of the
// row y from column x0 on. False, with *error set, on damaged data.
using RowVisitor = std::function<void(int plane, uint32_t y, uint32_t x0, uint32_t count, const uchar *bytes)>;

bool forEachRow(TIFF *tif, const Layout &l, qint64 maxBuffer, const DecodeOptions &options, const RowVisitor &visit,
                QString *error)
{
    const int planes = l.planar == PLANARCONFIG_SEPARATE ? l.samples : 1;
    const int perPixel = l.planar == PLANARCONFIG_SEPARATE ? 1 : l.samples;
    const qint64 pixelBits = qint64(perPixel) * l.bits;
    std::vector<uchar> buffer;
    const auto reserve = [&](qint64 size) {
        if (size <= 0 || size > maxBuffer) {
            *error = QStringLiteral("TIFF: a strip or tile of %1 bytes refused").arg(size);
            return false;
        }
        try {
            buffer.resize(size_t(size));
        } catch (const std::bad_alloc &) {
            *error = QStringLiteral("TIFF: out of memory");
            return false;
        }
        return true;
    };
    if (TIFFIsTiled(tif)) {
        uint32_t tw = 0, th = 0;
        TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tw);
        TIFFGetField(tif, TIFFTAG_TILELENGTH, &th);
        if (tw == 0 || th == 0 || !reserve(TIFFTileSize64(tif)))
            return *error = error->isEmpty() ? QStringLiteral("TIFF: damaged tile layout") : *error, false;
        const qint64 rowBytes = (qint64(tw) * pixelBits + 7) / 8;
        if (rowBytes * th > qint64(buffer.size()))
            return *error = QStringLiteral("TIFF: damaged tile layout"), false;
        for (int p = 0; p < planes; ++p) {
            for (uint32_t ty = 0; ty < l.height; ty += th) {
                for (uint32_t tx = 0; tx < l.width; tx += tw) {
                    if (options.cancelled())
                        return *error = QStringLiteral("TIFF: decoding cancelled"), false;
                    const uint32_t tile = TIFFComputeTile(tif, tx, ty, 0, uint16_t(p));
                    if (TIFFReadEncodedTile(tif, tile, buffer.data(), tmsize_t(buffer.size())) < 0)
                        return *error = QStringLiteral("TIFF: damaged picture data"), false;
                    const uint32_t count = std::min(tw, l.width - tx);
                    for (uint32_t r = 0; r < th && ty + r < l.height; ++r)
                        visit(p, ty + r, tx, count, buffer.data() + qsizetype(r) * rowBytes);
                }
            }
        }
        return true;
    }
    uint32_t rowsPerStrip = l.height;
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    rowsPerStrip = std::clamp<uint32_t>(rowsPerStrip, 1, l.height);
    if (!reserve(TIFFStripSize64(tif)))
        return false;
    const qint64 rowBytes = (qint64(l.width) * pixelBits + 7) / 8;
    for (int p = 0; p < planes; ++p) {
        for (uint32_t y = 0; y < l.height; y += rowsPerStrip) {
            if (options.cancelled())
                return *error = QStringLiteral("TIFF: decoding cancelled"), false;
            const uint32_t strip = TIFFComputeStrip(tif, y, uint16_t(p));
            const uint32_t rows = std::min(rowsPerStrip, l.height - y);
            const tmsize_t got = TIFFReadEncodedStrip(tif, strip, buffer.data(), tmsize_t(buffer.size()));
            if (got < 0 || qint64(got) < rowBytes * rows)
                return *error = QStringLiteral("TIFF: damaged picture data"), false;
            for (uint32_t r = 0; r < rows; ++r)
                visit(p, y + r, 0, l.width, buffer.data() + qsizetype(r) * rowBytes);
        }
    }
    return true;
}

} // namespace

bool TiffSampleReader::isNeeded(TIFF *tif)
{
    uint16_t bits = 1, format = SAMPLEFORMAT_UINT;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &format);
    if (format == SAMPLEFORMAT_IEEEFP)
        return true;
    return bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16;
}

DecodeResult TiffSampleReader::read(TIFF *tif, qint64 maxBuffer, const DecodeOptions &options)
{
    auto fail = [](const QString &reason) { return DecodeResult::failure(DecoderKind::Tiff, reason); };
    Layout l;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &l.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &l.height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &l.bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &l.samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &l.format);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &l.planar);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &l.photometric))
        l.photometric = l.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    if (!options.sizeAllowed(l.width, l.height))
        return fail(QStringLiteral("TIFF: picture of %1 x %2 pixels refused").arg(l.width).arg(l.height));

    const bool floatOk = isFloat(l) && (l.bits == 16 || l.bits == 32 || l.bits == 64);
    const bool intOk = (l.format == SAMPLEFORMAT_UINT || l.format == SAMPLEFORMAT_INT)
        && ((l.bits >= 1 && l.bits <= 16) || l.bits == 32);
    if (!floatOk && !intOk)
        return fail(QStringLiteral("TIFF: %1 samples are not supported").arg(describe(l)));
    switch (l.photometric) {
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_MINISWHITE: l.colours = 1; break;
    case PHOTOMETRIC_RGB: l.colours = 3; break;
    case PHOTOMETRIC_SEPARATED: {
        uint16_t inkset = INKSET_CMYK;
        TIFFGetFieldDefaulted(tif, TIFFTAG_INKSET, &inkset);
        if (inkset != INKSET_CMYK)
            return fail(QStringLiteral("TIFF: separated colours other than CMYK are not supported"));
        l.colours = 4;
        break;
    }
    default:
        return fail(QStringLiteral("TIFF: %1 samples with photometric interpretation %2 are not supported")
                        .arg(describe(l)).arg(l.photometric));
    }
    if (l.samples < l.colours)
        return fail(QStringLiteral("TIFF: %1 samples per pixel are too few for its colours").arg(l.samples));
    uint16_t extraCount = 0;
    uint16_t *extra = nullptr;
    if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) && extraCount > 0 && extra
        && l.samples > l.colours) {
        if (extra[0] == EXTRASAMPLE_ASSOCALPHA || extra[0] == EXTRASAMPLE_UNASSALPHA) {
            l.alpha = l.colours;
            l.premultiplied = extra[0] == EXTRASAMPLE_ASSOCALPHA;
        }
    }

    // The range that maps to 0..255.
    double low = 0.0, high = l.format == SAMPLEFORMAT_INT ? double((qint64(1) << (l.bits - 1)) - 1)
                                                          : double((qint64(1) << std::min<int>(l.bits, 62)) - 1);
    QString error;
    if (isFloat(l)) {
        double smin = 0.0, smax = 0.0;
        const bool stated = TIFFGetField(tif, TIFFTAG_SMINSAMPLEVALUE, &smin) && TIFFGetField(tif, TIFFTAG_SMAXSAMPLEVALUE, &smax)
            && std::isfinite(smin) && std::isfinite(smax) && smax > smin;
        if (stated) {
            low = smin;
            high = smax;
        } else {
            // A first pass finds the largest colour value.
            double largest = 0.0;
            const bool ok = forEachRow(
                tif, l, maxBuffer, options,
                [&](int plane, uint32_t, uint32_t, uint32_t count, const uchar *bytes) {
                    const int perPixel = l.planar == PLANARCONFIG_SEPARATE ? 1 : l.samples;
                    for (uint32_t i = 0; i < count; ++i) {
                        for (int s = 0; s < perPixel; ++s) {
                            const int sample = l.planar == PLANARCONFIG_SEPARATE ? plane : s;
                            if (sample >= l.colours)
                                continue;
                            const double v = sampleAt(bytes, qsizetype(i) * perPixel + s, l);
                            if (std::isfinite(v))
                                largest = std::max(largest, v);
                        }
                    }
                },
                &error);
            if (!ok)
                return fail(error);
            high = largest > 1.0 ? largest : 1.0;
        }
    }
    const double span = high - low;
    const auto level = [&](double v) {
        if (!std::isfinite(v) || span <= 0.0)
            return 0.0;
        return std::clamp((v - low) / span, 0.0, 1.0);
    };

    QImage image = ImageBufferPool::allocateRgb32(int(l.width), int(l.height));
    if (image.isNull())
        return fail(QStringLiteral("TIFF: out of memory"));
    // Each pixel's levels (0..1) gather here, a row at a time for contiguous
    // files; planar files fill one plane after the other into the picture.
    const int kept = std::min<int>(l.samples, 5);
    std::vector<float> levels;
    const bool planar = l.planar == PLANARCONFIG_SEPARATE;
    if (planar) {
        if (qint64(l.width) * l.height * kept * qint64(sizeof(float)) > (qint64(1) << 30))
            return fail(QStringLiteral("TIFF: planar %1 picture too large").arg(describe(l)));
        try {
            levels.assign(size_t(l.width) * l.height * size_t(kept), 0.0f);
        } catch (const std::bad_alloc &) {
            return fail(QStringLiteral("TIFF: out of memory"));
        }
    }
    const auto store = [&](uint32_t y, uint32_t x, const float *px) {
        float c[4] = {px[0], px[0], px[0], 0.0f};
        if (l.colours == 1 && l.photometric == PHOTOMETRIC_MINISWHITE)
            c[0] = c[1] = c[2] = 1.0f - px[0];
        else if (l.colours == 3)
            c[0] = px[0], c[1] = px[1], c[2] = px[2];
        else if (l.colours == 4)
            for (int i = 0; i < 3; ++i)
                c[i] = (1.0f - px[i]) * (1.0f - px[3]);
        if (l.alpha >= 0 && !l.premultiplied)
            for (int i = 0; i < 3; ++i)
                c[i] *= px[l.alpha];
        reinterpret_cast<QRgb *>(image.scanLine(int(y)))[x] =
            qRgb(qRound(c[0] * 255.0f), qRound(c[1] * 255.0f), qRound(c[2] * 255.0f));
    };
    const bool ok = forEachRow(
        tif, l, maxBuffer, options,
        [&](int plane, uint32_t y, uint32_t x0, uint32_t count, const uchar *bytes) {
            if (planar) {
                if (plane >= kept)
                    return;
                for (uint32_t i = 0; i < count; ++i)
                    levels[(size_t(y) * l.width + x0 + i) * size_t(kept) + size_t(plane)] =
                        float(level(sampleAt(bytes, qsizetype(i), l)));
                return;
            }
            float px[5] = {0, 0, 0, 0, 0};
            for (uint32_t i = 0; i < count; ++i) {
                for (int s = 0; s < kept; ++s)
                    px[s] = float(level(sampleAt(bytes, qsizetype(i) * l.samples + s, l)));
                store(y, x0 + i, px);
            }
        },
        &error);
    if (!ok)
        return fail(error);
    if (planar) {
        for (uint32_t y = 0; y < l.height; ++y)
            for (uint32_t x = 0; x < l.width; ++x)
                store(y, x, &levels[(size_t(y) * l.width + x) * size_t(kept)]);
    }
    DecodeResult result;
    result.decoder = DecoderKind::Tiff;
    result.image = std::move(image);
    return result;
}

} // namespace quorvel
