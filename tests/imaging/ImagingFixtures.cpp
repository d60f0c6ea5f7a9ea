#include "ImagingFixtures.h"

#include <QFile>
#include <QFloat16>

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
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, layout.planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, uint16_t(layout.compression));
    if (layout.orientation != 0)
        TIFFSetField(tif, TIFFTAG_ORIENTATION, uint16_t(layout.orientation));
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, uint32_t(layout.compression == COMPRESSION_JPEG ? 16 : 4));
    if (layout.floating)
        TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, uint16_t(SAMPLEFORMAT_IEEEFP));
    uint16_t photometric = layout.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    if (layout.palette)
        photometric = PHOTOMETRIC_PALETTE;
    else if (layout.minIsWhite)
        photometric = PHOTOMETRIC_MINISWHITE;
    else if (layout.cmyk)
        photometric = PHOTOMETRIC_SEPARATED;
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric);
    if (!layout.cmyk && (layout.samples == 2 || layout.samples == 4)) {
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
    const int perRow = layout.planar ? 1 : layout.samples;
    const tmsize_t rowBytes = (tmsize_t(w) * perRow * bits + 7) / 8;
    std::vector<uchar> row(static_cast<size_t>(rowBytes));
    bool ok = true;
    // The samples of one pixel, as 8-bit values.
    const auto samplesOf = [&](QRgb p) {
        std::vector<int> v;
        if (layout.palette) {
            v.push_back(std::max(0, int(palette.indexOf(p | 0xff000000u))));
        } else if (layout.cmyk) {
            v = {255 - qRed(p), 255 - qGreen(p), 255 - qBlue(p), 0};
        } else if (layout.samples >= 3) {
            v = {qRed(p), qGreen(p), qBlue(p)};
        } else {
            v.push_back(layout.minIsWhite ? 255 - qGreen(p) : qGreen(p));
        }
        if (!layout.cmyk && (layout.samples == 2 || layout.samples == 4))
            v.push_back(qAlpha(p));
        return v;
    };
    const int planes = layout.planar ? layout.samples : 1;
    for (int plane = 0; plane < planes && ok; ++plane) {
        for (int y = 0; y < h && ok; ++y) {
            std::fill(row.begin(), row.end(), 0);
            const auto *src = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            int bit = 0;
            auto put = [&](int value) {
                if (layout.floating && bits >= 16) {
                    const double f = value / 255.0;
                    if (bits == 64) {
                        std::memcpy(row.data() + bit / 8, &f, 8);
                    } else if (bits == 32) {
                        const float g = float(f);
                        std::memcpy(row.data() + bit / 8, &g, 4);
                    } else {
                        const qfloat16 g = qfloat16(float(f));
                        std::memcpy(row.data() + bit / 8, &g, 2);
                    }
                } else if (layout.palette) {
                    if (bits == 8)
                        row[size_t(bit / 8)] = uchar(value);
                    else
                        row[size_t(bit / 8)] |= uchar(value << (8 - bits - bit % 8));
                } else if (bits == 16) {
                    const uint16_t v = uint16_t(value * 257);
                    std::memcpy(row.data() + bit / 8, &v, 2);
                } else if (bits == 8) {
                    row[size_t(bit / 8)] = uchar(value);
                } else if (bits < 8) {
                    const int v = value >> (8 - bits);
                    row[size_t(bit / 8)] |= uchar(v << (8 - bits - bit % 8));
                } else {
                    // Other depths MSB first, the value scaled to the depth.
                    const quint32 v = quint32((qint64(value) * ((qint64(1) << bits) - 1) + 127) / 255);
                    for (int i = 0; i < bits; ++i) {
                        if ((v >> (bits - 1 - i)) & 1u)
                            row[size_t((bit + i) / 8)] |= uchar(0x80 >> ((bit + i) % 8));
                    }
                }
                bit += bits;
            };
            for (int x = 0; x < w; ++x) {
                const std::vector<int> v = samplesOf(src[x]);
                if (layout.planar)
                    put(v[size_t(plane)]);
                else
                    for (int s : v)
                        put(s);
            }
            ok = TIFFWriteScanline(tif, row.data(), uint32_t(y), uint16_t(plane)) >= 0;
        }
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

QByteArray writeBmp(const QImage &source, const BmpLayout &layout, const QList<QRgb> &palette)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const int rowBytes = (w * layout.bits + 31) / 32 * 4;
    const bool masksInHeader = layout.bitFields && layout.headerSize >= 52;
    const bool masksAfter = layout.bitFields && layout.headerSize == 40;
    const int paletteEntry = layout.headerSize == 12 ? 3 : 4;
    const int colours = layout.bits == 8 ? int(palette.size()) : 0;
    const int offset = 14 + layout.headerSize + (masksAfter ? 12 : 0) + colours * paletteEntry;
    QByteArray out;
    const auto u16 = [&](int v) { out.append(char(v & 255)).append(char((v >> 8) & 255)); };
    const auto u32 = [&](quint32 v) { u16(int(v & 0xffff)); u16(int(v >> 16)); };
    out.append("BM");
    u32(quint32(offset + rowBytes * h));
    u32(0);
    u32(quint32(offset));
    const qsizetype headerStart = out.size();
    u32(quint32(layout.headerSize));
    if (layout.headerSize == 12) {
        u16(w), u16(h), u16(1), u16(layout.bits);
    } else {
        u32(quint32(w)), u32(quint32(h)), u16(1), u16(layout.bits);
        const quint32 compression = layout.compression >= 0 ? quint32(layout.compression) : layout.bitFields ? 3u : 0u;
        // A short OS/2 2.x header ends wherever its size says.
        for (quint32 v : {compression, quint32(rowBytes * h), 2835u, 2835u, quint32(colours), 0u})
            u32(v);
        const quint32 r = layout.bits == 16 ? 0xF800 : 0x00FF0000, g = layout.bits == 16 ? 0x07E0 : 0x0000FF00,
                      b = layout.bits == 16 ? 0x001F : 0x000000FF;
        if (masksInHeader)
            u32(r), u32(g), u32(b);
        if (masksInHeader && layout.headerSize >= 56)
            u32(0);
        if (out.size() - headerStart > layout.headerSize)
            out.truncate(headerStart + layout.headerSize);
        out.append(QByteArray(layout.headerSize - (out.size() - headerStart), '\0'));
        if (layout.headerSize >= 108)
            std::memcpy(out.data() + headerStart + 56, "BGRs", 4);
        if (masksAfter)
            u32(r), u32(g), u32(b);
    }
    for (QRgb c : palette.mid(0, colours)) {
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
        if (paletteEntry == 4)
            out.append('\0');
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto *src = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        const qsizetype start = out.size();
        for (int x = 0; x < w; ++x) {
            const QRgb p = src[x];
            if (layout.bits == 8)
                out.append(char(std::max(0, int(palette.indexOf(p)))));
            else if (layout.bits == 16)
                u16(((qRed(p) >> 3) << 11) | ((qGreen(p) >> 2) << 5) | (qBlue(p) >> 3));
            else if (layout.bits == 24)
                out.append(char(qBlue(p))).append(char(qGreen(p))).append(char(qRed(p)));
            else
                u32(p & 0xffffff);
        }
        out.append(QByteArray(rowBytes - (out.size() - start), '\0'));
    }
    return out;
}

} // namespace quorvel::fixtures
