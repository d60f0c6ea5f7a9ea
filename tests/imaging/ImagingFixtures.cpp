#include "ImagingFixtures.h"

#include <QFile>

#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <lcms2.h>
#include <tiffio.h>

namespace quorvel::fixtures {

QImage bands(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    const QRgb colours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            img.setPixel(x, y, y < height / 2 ? colours[x * 4 / width] : qRgb(128, 128, 128));
    }
    return img;
}

QByteArray writeJpeg(const QImage &source, const JpegLayout &layout)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    switch (layout.kind) {
    case JpegLayout::Rgb: cinfo.input_components = 3; cinfo.in_color_space = JCS_RGB; break;
    case JpegLayout::Grey: cinfo.input_components = 1; cinfo.in_color_space = JCS_GRAYSCALE; break;
    case JpegLayout::Cmyk: cinfo.input_components = 4; cinfo.in_color_space = JCS_CMYK; break;
    }
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, layout.quality, TRUE);
    if (layout.progressive)
        jpeg_simple_progression(&cinfo);
    cinfo.arith_code = layout.arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    if (!layout.icc.isEmpty())
        jpeg_write_icc_profile(&cinfo, reinterpret_cast<const JOCTET *>(layout.icc.constData()),
                               unsigned(layout.icc.size()));
    std::vector<uchar> row(static_cast<size_t>(image.width()) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto *src = reinterpret_cast<const QRgb *>(image.constScanLine(int(cinfo.next_scanline)));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = src[x];
            uchar *o = row.data() + x * cinfo.input_components;
            if (layout.kind == JpegLayout::Rgb) {
                o[0] = uchar(qRed(p)); o[1] = uchar(qGreen(p)); o[2] = uchar(qBlue(p));
            } else if (layout.kind == JpegLayout::Grey) {
                o[0] = uchar(qGreen(p));
            } else {
                // Adobe's inverted CMYK, no black generation: 255 means no ink.
                o[0] = uchar(qRed(p)); o[1] = uchar(qGreen(p)); o[2] = uchar(qBlue(p)); o[3] = 255;
            }
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray out(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return out;
}

bool writeTiff(const QString &path, const QImage &source, const TiffLayout &layout, const QList<QRgb> &palette)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    TIFF *tif = TIFFOpen(QFile::encodeName(path).constData(), "w");
    if (!tif)
        return false;
    const int w = image.width(), h = image.height();
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(w));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(h));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, uint16_t(layout.bitsPerSample));
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, uint16_t(layout.samples));
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, uint16_t(layout.compression));
    if (layout.orientation != 0)
        TIFFSetField(tif, TIFFTAG_ORIENTATION, uint16_t(layout.orientation));
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, uint32_t(layout.compression == COMPRESSION_JPEG ? 16 : 4));
    uint16_t photometric = layout.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    if (layout.palette)
        photometric = PHOTOMETRIC_PALETTE;
    else if (layout.minIsWhite)
        photometric = PHOTOMETRIC_MINISWHITE;
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric);
    if (layout.samples == 2 || layout.samples == 4) {
        const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, uint16_t(1), &extra);
    }
    if (layout.palette) {
        const int n = 1 << layout.bitsPerSample;
        const size_t entries = static_cast<size_t>(n);
        std::vector<uint16_t> r(entries), g(entries), b(entries);
        for (int i = 0; i < palette.size() && i < n; ++i) {
            r[size_t(i)] = uint16_t(qRed(palette[i]) * 257);
            g[size_t(i)] = uint16_t(qGreen(palette[i]) * 257);
            b[size_t(i)] = uint16_t(qBlue(palette[i]) * 257);
        }
        TIFFSetField(tif, TIFFTAG_COLORMAP, r.data(), g.data(), b.data());
    }
    if (!layout.icc.isEmpty())
        TIFFSetField(tif, TIFFTAG_ICCPROFILE, uint32_t(layout.icc.size()), layout.icc.constData());
    const int bits = layout.bitsPerSample;
    const tmsize_t rowBytes = (tmsize_t(w) * layout.samples * bits + 7) / 8;
    std::vector<uchar> row(static_cast<size_t>(rowBytes));
    bool ok = true;
    for (int y = 0; y < h && ok; ++y) {
        std::fill(row.begin(), row.end(), 0);
        const auto *src = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int bit = 0;
        auto put = [&](int value) {
            if (bits == 16) {
                const uint16_t v = uint16_t(value * 257);
                std::memcpy(row.data() + bit / 8, &v, 2);
            } else if (bits == 8) {
                row[size_t(bit / 8)] = uchar(value);
            } else {
                const int v = value >> (8 - bits);
                row[size_t(bit / 8)] |= uchar(v << (8 - bits - bit % 8));
            }
            bit += bits;
        };
        for (int x = 0; x < w; ++x) {
            const QRgb p = src[x];
            if (layout.palette) {
                const int index = int(palette.indexOf(p | 0xff000000u));
                const int v = std::max(0, index);
                if (bits == 8) row[size_t(bit / 8)] = uchar(v);
                else row[size_t(bit / 8)] |= uchar(v << (8 - bits - bit % 8));
                bit += bits;
                continue;
            }
            if (layout.samples >= 3) {
                put(qRed(p)); put(qGreen(p)); put(qBlue(p));
            } else {
                put(layout.minIsWhite ? 255 - qGreen(p) : qGreen(p));
            }
            if (layout.samples == 2 || layout.samples == 4)
                put(qAlpha(p));
        }
        ok = TIFFWriteScanline(tif, row.data(), uint32_t(y), 0) >= 0;
    }
    TIFFClose(tif);
    return ok;
}

namespace {

void rleLine(QByteArray &out, const uchar *line, int length, bool rle)
{
    int i = 0;
    while (i < length) {
        const uchar v = line[i];
        if (!rle) {
            out.append(char(v));
            ++i;
            continue;
        }
        int run = 1;
        while (i + run < length && run < 63 && line[i + run] == v)
            ++run;
        if (run > 1 || (v & 0xC0) == 0xC0) {
            out.append(char(0xC0 | run));
            out.append(char(v));
        } else {
            out.append(char(v));
        }
        i += run;
    }
}

} // namespace

QByteArray writePcx(int width, int height, const PcxLayout &layout, const std::vector<int> &indices,
                    const QList<QRgb> &palette, const QImage &image)
{
    QByteArray header(128, '\0');
    auto put16 = [&](int at, int v) {
        header[at] = char(v & 0xFF);
        header[at + 1] = char((v >> 8) & 0xFF);
    };
    header[0] = 0x0A;
    header[1] = 5;
    header[2] = layout.rle ? 1 : 0;
    header[3] = char(layout.bitsPerPlane);
    put16(8, width - 1);
    put16(10, height - 1);
    put16(12, 72);
    put16(14, 72);
    for (int i = 0; i < 16 && i < palette.size(); ++i) {
        header[16 + 3 * i] = char(qRed(palette[i]));
        header[17 + 3 * i] = char(qGreen(palette[i]));
        header[18 + 3 * i] = char(qBlue(palette[i]));
    }
    header[65] = char(layout.planes);
    int bpl = (width * layout.bitsPerPlane + 7) / 8;
    bpl += bpl % 2; // even, as the format asks
    put16(66, bpl);
    put16(68, 1);
    QByteArray out = header;
    std::vector<uchar> line(static_cast<size_t>(bpl * layout.planes));
    for (int y = 0; y < height; ++y) {
        std::fill(line.begin(), line.end(), 0);
        for (int x = 0; x < width; ++x) {
            if (layout.planes == 3) {
                const QRgb p = image.pixel(x, y);
                line[size_t(x)] = uchar(qRed(p));
                line[size_t(bpl + x)] = uchar(qGreen(p));
                line[size_t(2 * bpl + x)] = uchar(qBlue(p));
                continue;
            }
            const int index = indices[size_t(y * width + x)];
            if (layout.bitsPerPlane == 8) {
                line[size_t(x)] = uchar(index);
            } else if (layout.bitsPerPlane == 1) {
                for (int p = 0; p < layout.planes; ++p) {
                    if (index & (1 << p))
                        line[size_t(p * bpl + x / 8)] |= uchar(0x80 >> (x % 8));
                }
            } else {
                const int bit = x * layout.bitsPerPlane;
                line[size_t(bit / 8)] |= uchar(index << (8 - layout.bitsPerPlane - bit % 8));
            }
        }
        rleLine(out, line.data(), int(line.size()), layout.rle);
    }
    if (layout.bitsPerPlane == 8 && layout.planes == 1 && layout.vgaPalette) {
        out.append(char(0x0C));
        for (int i = 0; i < 256; ++i) {
            const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
            out.append(char(qRed(c)));
            out.append(char(qGreen(c)));
            out.append(char(qBlue(c)));
        }
    }
    return out;
}

QByteArray tinyGif()
{
    static const unsigned char bytes[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x02, 0x00, 0xf2, 0x04, 0x00, 0x00, 0x00, 0x00,
        0xff, 0x00, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
        0x00, 0x00, 0x04, 0x00, 0x02, 0x00, 0x00, 0x03, 0x05, 0x18, 0x32, 0x04, 0xf1, 0x09, 0x00, 0x3b};
    return QByteArray(reinterpret_cast<const char *>(bytes), sizeof bytes);
}

namespace {

QByteArray saveProfile(cmsHPROFILE profile)
{
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    QByteArray out(qsizetype(size), '\0');
    cmsSaveProfileToMem(profile, out.data(), &size);
    cmsCloseProfile(profile);
    return out;
}

} // namespace

QByteArray linearRgbProfile()
{
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 6504);
    const cmsCIExyYTRIPLE primaries = {{0.6400, 0.3300, 1.0}, {0.3000, 0.6000, 1.0}, {0.1500, 0.0600, 1.0}};
    cmsToneCurve *linear = cmsBuildGamma(nullptr, 1.0);
    cmsToneCurve *curves[3] = {linear, linear, linear};
    cmsHPROFILE p = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(linear);
    return saveProfile(p);
}

QByteArray linearGreyProfile()
{
    cmsToneCurve *linear = cmsBuildGamma(nullptr, 1.0);
    cmsHPROFILE p = cmsCreateGrayProfile(cmsD50_xyY(), linear);
    cmsFreeToneCurve(linear);
    return saveProfile(p);
}

} // namespace quorvel::fixtures
