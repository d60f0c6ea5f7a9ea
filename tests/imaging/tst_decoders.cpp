#include "ImagingFixtures.h"

#include "core/imaging/DecoderChoice.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/ImageNormalizer.h"
#include "core/imaging/PcxDecoder.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QColorSpace>
#include <QTemporaryDir>
#include <QTest>

#include <tiffio.h>

using namespace quorvel;
using namespace quorvel::fixtures;

namespace {

enum Mode { Colour, Grey, OneBit };

const QList<QRgb> kBandPalette{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255),
                               qRgb(128, 128, 128)};

QRgb expected(QRgb c, int mode)
{
    const int g = qGreen(c);
    if (mode == Grey)
        return qRgb(g, g, g);
    if (mode == OneBit)
        return g >= 128 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    return c;
}

// Compares the middle of each band and the grey half with what was written.
QString bandsMismatch(const QImage &img, int mode, int tolerance)
{
    const QImage ref = bands(img.width(), img.height());
    const QList<QPoint> probes{{img.width() / 8, img.height() / 4},     {3 * img.width() / 8, img.height() / 4},
                               {5 * img.width() / 8, img.height() / 4}, {7 * img.width() / 8, img.height() / 4},
                               {img.width() / 2, 3 * img.height() / 4}};
    for (const QPoint &p : probes) {
        const QRgb want = expected(ref.pixel(p), mode);
        const QRgb got = img.pixel(p);
        if (qAbs(qRed(got) - qRed(want)) > tolerance || qAbs(qGreen(got) - qGreen(want)) > tolerance
            || qAbs(qBlue(got) - qBlue(want)) > tolerance || qAlpha(got) != 255)
            return QStringLiteral("at %1,%2: got %3, want %4")
                .arg(p.x()).arg(p.y()).arg(got, 8, 16).arg(want, 8, 16);
    }
    return QString();
}

std::vector<int> bandIndices(int w, int h, int mode)
{
    const QImage ref = bands(w, h);
    std::vector<int> out;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb c = ref.pixel(x, y);
            out.push_back(mode == OneBit ? (qGreen(c) >= 128 ? 1 : 0) : int(kBandPalette.indexOf(c)));
        }
    }
    return out;
}

QByteArray tiffBytes(const QImage &img, const TiffLayout &layout, const QList<QRgb> &palette = {})
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.tif"));
    if (!writeTiff(path, img, layout, palette))
        return QByteArray();
    return test::readFile(path);
}

QByteArray qtBytes(const QImage &img, const char *format)
{
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return out;
}

DecodeResult decodeBytes(const QByteArray &bytes, const QString &name, DecodeOptions options = {})
{
    return ImageDecoder::decodeData(bytes, name, options);
}

// Overwrites the 16-bit big-endian frame size in a JPEG's SOF0.
QByteArray withJpegSize(QByteArray jpeg, int w, int h)
{
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    jpeg[sof + 5] = char(h >> 8);
    jpeg[sof + 6] = char(h);
    jpeg[sof + 7] = char(w >> 8);
    jpeg[sof + 8] = char(w);
    return jpeg;
}

} // namespace

class TestDecoders : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void formats_data();
    void formats();
    void gifKeepsPaletteColours();
    void alphaIsFlattenedOverBlack_data();
    void alphaIsFlattenedOverBlack();
    void decoderRowsArePacked_data();
    void decoderRowsArePacked();
    void brokenFilesFail_data();
    void brokenFilesFail();
    void damagedJpegShowsWhatDecodes_data();
    void damagedJpegShowsWhatDecodes();
    void refusalsSayWhy_data();
    void refusalsSayWhy();
    void colourManagement_data();
    void colourManagement();
    void decoderOrder_data();
    void decoderOrder();
    void rawFileRule_data();
    void rawFileRule();
    void sharedSamples_data();
    void sharedSamples();
    void reducedJpeg_data();
    void reducedJpeg();
};

void TestDecoders::formats_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("decoder");
    QTest::addColumn<int>("bpp");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("tolerance");

    const QImage img = bands(64, 32);
    const auto jpeg = [&](JpegLayout::Kind kind, bool progressive, bool arithmetic) {
        JpegLayout s;
        s.kind = kind;
        s.progressive = progressive;
        s.arithmetic = arithmetic;
        return writeJpeg(img, s);
    };
    QTest::newRow("jpeg baseline") << "a.jpg" << jpeg(JpegLayout::Rgb, false, false) << "jpeg" << 24 << int(Colour) << 8;
    QTest::newRow("jpeg progressive") << "a.jpg" << jpeg(JpegLayout::Rgb, true, false) << "jpeg" << 24 << int(Colour) << 8;
    QTest::newRow("jpeg arithmetic") << "a.jpg" << jpeg(JpegLayout::Rgb, false, true) << "jpeg" << 24 << int(Colour) << 8;
    QTest::newRow("jpeg greyscale") << "a.jpg" << jpeg(JpegLayout::Grey, false, false) << "jpeg" << 8 << int(Grey) << 3;
    QTest::newRow("jpeg cmyk") << "a.jpg" << jpeg(JpegLayout::Cmyk, false, false) << "jpeg" << 32 << int(Colour) << 3;
    QTest::newRow("jpeg named png") << "a.png" << jpeg(JpegLayout::Rgb, false, false) << "jpeg" << 24 << int(Colour) << 8;
    QTest::newRow("jpeg named nef") << "a.NEF" << jpeg(JpegLayout::Rgb, false, false) << "jpeg" << 24 << int(Colour) << 8;
    QTest::newRow("jpeg named dng") << "a.dng" << jpeg(JpegLayout::Rgb, false, false) << "jpeg" << 24 << int(Colour) << 8;

    const auto tiff = [&](int bits, int samples, int compression, bool minIsWhite = false, bool floating = false,
                          bool cmyk = false, bool planar = false) {
        TiffLayout s;
        s.bitsPerSample = bits;
        s.samples = samples;
        s.compression = compression;
        s.minIsWhite = minIsWhite;
        s.floating = floating;
        s.cmyk = cmyk;
        s.planar = planar;
        return tiffBytes(img, s);
    };
    QTest::newRow("tiff rgb 8") << "a.tif" << tiff(8, 3, COMPRESSION_NONE) << "tiff" << 24 << int(Colour) << 0;
    QTest::newRow("tiff rgb 16") << "a.tif" << tiff(16, 3, COMPRESSION_NONE) << "tiff" << 48 << int(Colour) << 0;
    QTest::newRow("tiff rgb lzw") << "a.tif" << tiff(8, 3, COMPRESSION_LZW) << "tiff" << 24 << int(Colour) << 0;
    QTest::newRow("tiff rgb deflate") << "a.tif" << tiff(8, 3, COMPRESSION_ADOBE_DEFLATE) << "tiff" << 24 << int(Colour) << 0;
    QTest::newRow("tiff rgb 16 deflate") << "a.tif" << tiff(16, 3, COMPRESSION_ADOBE_DEFLATE) << "tiff" << 48 << int(Colour) << 0;
    QTest::newRow("tiff jpeg") << "a.tif" << tiff(8, 3, COMPRESSION_JPEG) << "tiff" << 24 << int(Colour) << 10;
    QTest::newRow("tiff grey 8") << "a.tif" << tiff(8, 1, COMPRESSION_NONE) << "tiff" << 8 << int(Grey) << 0;
    QTest::newRow("tiff grey 16") << "a.tif" << tiff(16, 1, COMPRESSION_LZW) << "tiff" << 16 << int(Grey) << 0;
    QTest::newRow("tiff 1 bit") << "a.tif" << tiff(1, 1, COMPRESSION_NONE) << "tiff" << 1 << int(OneBit) << 0;
    QTest::newRow("tiff 1 bit min-is-white") << "a.tif" << tiff(1, 1, COMPRESSION_NONE, true) << "tiff" << 1 << int(OneBit) << 0;
    QTest::newRow("tiff named jpg") << "a.jpg" << tiff(8, 3, COMPRESSION_NONE) << "tiff" << 24 << int(Colour) << 0;
    // Depths and sample formats libtiff's RGBA reader leaves to us.
    QTest::newRow("tiff rgb 12") << "a.tif" << tiff(12, 3, COMPRESSION_NONE) << "tiff" << 36 << int(Colour) << 1;
    QTest::newRow("tiff rgb 12 lzw") << "a.tif" << tiff(12, 3, COMPRESSION_LZW) << "tiff" << 36 << int(Colour) << 1;
    QTest::newRow("tiff grey 12") << "a.tif" << tiff(12, 1, COMPRESSION_NONE) << "tiff" << 12 << int(Grey) << 1;
    QTest::newRow("tiff grey 10 min-is-white") << "a.tif" << tiff(10, 1, COMPRESSION_NONE, true) << "tiff" << 10
                                               << int(Grey) << 1;
    QTest::newRow("tiff rgb 14 planar") << "a.tif" << tiff(14, 3, COMPRESSION_NONE, false, false, false, true)
                                        << "tiff" << 42 << int(Colour) << 1;
    QTest::newRow("tiff rgb 32 uint") << "a.tif" << tiff(32, 3, COMPRESSION_NONE) << "tiff" << 96 << int(Colour) << 1;
    QTest::newRow("tiff float 16") << "a.tif" << tiff(16, 3, COMPRESSION_NONE, false, true) << "tiff" << 48
                                   << int(Colour) << 1;
    QTest::newRow("tiff float 32") << "a.tif" << tiff(32, 3, COMPRESSION_NONE, false, true) << "tiff" << 96
                                   << int(Colour) << 1;
    QTest::newRow("tiff float 32 deflate") << "a.tif" << tiff(32, 3, COMPRESSION_ADOBE_DEFLATE, false, true) << "tiff"
                                           << 96 << int(Colour) << 1;
    QTest::newRow("tiff float 64") << "a.tif" << tiff(64, 3, COMPRESSION_NONE, false, true) << "tiff" << 192
                                   << int(Colour) << 1;
    QTest::newRow("tiff float 32 grey planar") << "a.tif" << tiff(32, 1, COMPRESSION_NONE, false, true, false, true)
                                               << "tiff" << 32 << int(Grey) << 1;
    QTest::newRow("tiff float 32 rgba") << "a.tif" << tiff(32, 4, COMPRESSION_NONE, false, true) << "tiff" << 128
                                        << int(Colour) << 1;
    QTest::newRow("tiff cmyk") << "a.tif" << tiff(8, 4, COMPRESSION_NONE, false, false, true) << "tiff" << 32
                               << int(Colour) << 0;
    QTest::newRow("tiff cmyk jpeg") << "a.tif" << tiff(8, 4, COMPRESSION_JPEG, false, false, true) << "tiff" << 32
                                    << int(Colour) << 10;
    QTest::newRow("tiff cmyk 12") << "a.tif" << tiff(12, 4, COMPRESSION_NONE, false, false, true) << "tiff" << 48
                                  << int(Colour) << 1;
    TiffLayout pal;
    pal.palette = true;
    pal.samples = 1;
    QTest::newRow("tiff palette 8") << "a.tif" << tiffBytes(img, pal, kBandPalette) << "tiff" << 8 << int(Colour) << 0;
    pal.bitsPerSample = 4;
    QTest::newRow("tiff palette 4") << "a.tif" << tiffBytes(img, pal, kBandPalette) << "tiff" << 4 << int(Colour) << 0;

    QTest::newRow("png") << "a.png" << qtBytes(img, "PNG") << "qt" << 24 << int(Colour) << 0;
    QTest::newRow("png grey") << "a.png" << qtBytes(img.convertToFormat(QImage::Format_Grayscale8), "PNG") << "qt"
                              << 8 << int(-1) << 0;
    QTest::newRow("png 16 bit") << "a.png" << qtBytes(img.convertToFormat(QImage::Format_RGBX64), "PNG") << "qt"
                                << 48 << int(Colour) << 0;
    QTest::newRow("png indexed") << "a.png"
                                 << qtBytes(img.convertToFormat(QImage::Format_Indexed8, kBandPalette), "PNG") << "qt"
                                 << 8 << int(Colour) << 0;
    QTest::newRow("bmp") << "a.bmp" << qtBytes(img, "BMP") << "qt" << 24 << int(Colour) << 0;
    QTest::newRow("bmp indexed") << "a.bmp"
                                 << qtBytes(img.convertToFormat(QImage::Format_Indexed8, kBandPalette), "BMP") << "qt"
                                 << 4 << int(Colour) << 0; // Qt stores up to 16 colours in 4 bits

    // BMP headers of every version: Qt reads some, the rest are rewritten.
    const auto bmp = [&](int header, int bits, bool bitFields) {
        BmpLayout s;
        s.headerSize = header;
        s.bits = bits;
        s.bitFields = bitFields;
        return writeBmp(img, s, kBandPalette);
    };
    QTest::newRow("bmp os/2 1.x") << "a.bmp" << bmp(12, 24, false) << "qt" << 24 << int(Colour) << 0;
    QTest::newRow("bmp os/2 2.x") << "a.bmp" << bmp(64, 24, false) << "qt" << 24 << int(Colour) << 0;
    QTest::newRow("bmp os/2 2.x palette") << "a.bmp" << bmp(64, 8, false) << "qt" << 8 << int(Colour) << 0;
    QTest::newRow("bmp os/2 2.x short header") << "a.bmp" << bmp(16, 24, false) << "qt" << 24 << int(Colour) << 0;
    QTest::newRow("bmp os/2 2.x short palette") << "a.bmp" << bmp(16, 8, false) << "qt" << 8 << int(Colour) << 0;
    QTest::newRow("bmp 565 bit fields") << "a.bmp" << bmp(40, 16, true) << "qt" << 16 << int(Colour) << 8;
    QTest::newRow("bmp 32 bit fields") << "a.bmp" << bmp(40, 32, true) << "qt" << 32 << int(Colour) << 0;
    QTest::newRow("bmp v2 565") << "a.bmp" << bmp(52, 16, true) << "qt" << 16 << int(Colour) << 8;
    QTest::newRow("bmp v2 32 bit fields") << "a.bmp" << bmp(52, 32, true) << "qt" << 32 << int(Colour) << 0;
    QTest::newRow("bmp v3 565") << "a.bmp" << bmp(56, 16, true) << "qt" << 16 << int(Colour) << 8;
    QTest::newRow("bmp v3 32 bit fields") << "a.bmp" << bmp(56, 32, true) << "qt" << 32 << int(Colour) << 0;
    QTest::newRow("bmp v4 565") << "a.bmp" << bmp(108, 16, true) << "qt" << 16 << int(Colour) << 8;
    QTest::newRow("bmp v4 24") << "a.bmp" << bmp(108, 24, false) << "qt" << 24 << int(Colour) << 0;
    QTest::newRow("bmp v5 32 bit fields") << "a.bmp" << bmp(124, 32, true) << "qt" << 32 << int(Colour) << 0;
    QTest::newRow("bmp v5 palette") << "a.bmp" << bmp(124, 8, false) << "qt" << 8 << int(Colour) << 0;

    const std::vector<int> indices = bandIndices(64, 32, Colour);
    const auto pcx = [&](int bits, int planes, bool rle, bool vga = true) {
        PcxLayout s;
        s.bitsPerPlane = bits;
        s.planes = planes;
        s.rle = rle;
        s.vgaPalette = vga;
        return writePcx(64, 32, s, planes == 1 && bits == 1 ? bandIndices(64, 32, OneBit) : indices, kBandPalette, img);
    };
    QTest::newRow("pcx 24 bit") << "a.pcx" << pcx(8, 3, true) << "pcx" << 24 << int(Colour) << 0;
    QTest::newRow("pcx 8 bit palette") << "a.pcx" << pcx(8, 1, true) << "pcx" << 8 << int(Colour) << 0;
    QTest::newRow("pcx 8 bit stored") << "a.pcx" << pcx(8, 1, false) << "pcx" << 8 << int(Colour) << 0;
    QTest::newRow("pcx 4 bit packed") << "a.pcx" << pcx(4, 1, true) << "pcx" << 4 << int(Colour) << 0;
    QTest::newRow("pcx 4 planes") << "a.pcx" << pcx(1, 4, true) << "pcx" << 4 << int(Colour) << 0;
    QTest::newRow("pcx 1 bit") << "a.pcx" << pcx(1, 1, true) << "pcx" << 1 << int(OneBit) << 0;
}

void TestDecoders::formats()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, decoder);
    QFETCH(int, bpp);
    QFETCH(int, mode);
    QFETCH(int, tolerance);
    QVERIFY(!bytes.isEmpty());
    const DecodeResult r = decodeBytes(bytes, name);
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(decoderName(r.decoder), decoder);
    QCOMPARE(r.image.format(), QImage::Format_RGB32);
    QCOMPARE(r.image.size(), QSize(64, 32));
    if (mode >= 0) {
        const QString mismatch = bandsMismatch(r.image, mode, tolerance);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
    QCOMPARE(ImageDecoder::pixelDepthOfData(bytes), bpp);
}

void TestDecoders::gifKeepsPaletteColours()
{
    const QByteArray gif = tinyGif();
    const DecodeResult r = decodeBytes(gif, QStringLiteral("a.gif"));
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.decoder, DecoderKind::Qt);
    QCOMPARE(r.image.size(), QSize(4, 2));
    QCOMPARE(r.image.pixel(1, 0), qRgb(0, 255, 0));
    QCOMPARE(r.image.pixel(3, 0), qRgb(255, 255, 255));
    QCOMPARE(r.image.pixel(0, 1), qRgb(0, 0, 0));
    QCOMPARE(r.image.pixel(3, 1), qRgb(255, 0, 0));
    QCOMPARE(ImageDecoder::pixelDepthOfData(gif), 8);
}

void TestDecoders::alphaIsFlattenedOverBlack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("bpp");
    QImage img(8, 8, QImage::Format_ARGB32);
    img.fill(qRgba(200, 100, 50, 128));
    TiffLayout rgba;
    rgba.samples = 4;
    QTest::newRow("tiff rgba 8") << tiffBytes(img, rgba) << 32;
    rgba.bitsPerSample = 16;
    QTest::newRow("tiff rgba 16") << tiffBytes(img, rgba) << 64;
    QTest::newRow("png rgba") << qtBytes(img, "PNG") << 32;
}

void TestDecoders::alphaIsFlattenedOverBlack()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, bpp);
    const DecodeResult r = decodeBytes(bytes, QStringLiteral("a"));
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.image.format(), QImage::Format_RGB32);
    const QRgb p = r.image.pixel(4, 4);
    QCOMPARE(qAlpha(p), 255);
    QVERIFY2(qAbs(qRed(p) - 100) <= 1 && qAbs(qGreen(p) - 50) <= 1 && qAbs(qBlue(p) - 25) <= 1,
             qPrintable(QString::number(p, 16)));
    QCOMPARE(ImageDecoder::pixelDepthOfData(bytes), bpp);
}

// The rows HEIF, JPEG XL and raw bitmaps deliver: grey, RGB or RGBA samples,
// alpha flattened over black with rounding.
void TestDecoders::decoderRowsArePacked_data()
{
    QTest::addColumn<QByteArray>("samples");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QList<QRgb>>("pixels");
    QTest::newRow("grey") << QByteArray("\x00\x80\xff", 3) << 1
                          << QList<QRgb>{qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(255, 255, 255)};
    QTest::newRow("rgb") << QByteArray("\x01\x02\x03\xfa\xfb\xfc", 6) << 3
                         << QList<QRgb>{qRgb(1, 2, 3), qRgb(250, 251, 252)};
    QTest::newRow("rgba") << QByteArray("\xc8\x64\x32\x80\xc8\x64\x32\xff\xc8\x64\x32\x00\xff\x01\x02\x01", 16)
                          << 4
                          << QList<QRgb>{qRgb(100, 50, 25), qRgb(200, 100, 50), qRgb(0, 0, 0), qRgb(1, 0, 0)};
}

void TestDecoders::decoderRowsArePacked()
{
    QFETCH(QByteArray, samples);
    QFETCH(int, channels);
    QFETCH(QList<QRgb>, pixels);
    QList<QRgb> row(pixels.size(), 0u);
    packRow8(reinterpret_cast<const uchar *>(samples.constData()), channels, int(pixels.size()), row.data());
    for (qsizetype x = 0; x < pixels.size(); ++x)
        QCOMPARE(QString::number(row[x], 16), QString::number(pixels[x], 16));
}

void TestDecoders::brokenFilesFail_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");

    const QImage img = bands(64, 32);
    const QByteArray baseline = writeJpeg(img, {});
    JpegLayout progressiveLayout;
    progressiveLayout.progressive = true;
    const QByteArray progressive = writeJpeg(img, progressiveLayout);
    const QByteArray tiff = tiffBytes(img, {});
    TiffLayout lzwLayout;
    lzwLayout.compression = COMPRESSION_LZW;
    const QByteArray lzw = tiffBytes(img, lzwLayout);
    const QByteArray png = qtBytes(img, "PNG");
    const QByteArray bmp = qtBytes(img, "BMP");
    PcxLayout pcxLayout;
    pcxLayout.planes = 3;
    const QByteArray pcx = writePcx(64, 32, pcxLayout, {}, {}, img);

    QTest::newRow("empty") << "a.jpg" << QByteArray();
    QTest::newRow("text") << "a.jpg" << QByteArray("hello, this is no picture at all");
    QTest::newRow("jpeg header only") << "a.jpg" << baseline.left(baseline.indexOf("\xFF\xDA") + 4);
    QTest::newRow("jpeg without its scan") << "a.jpg" << baseline.left(baseline.indexOf("\xFF\xDA"));
    QTest::newRow("jpeg truncated in its tables") << "a.jpg" << baseline.left(baseline.indexOf("\xFF\xC4") + 10);
    QByteArray oddStart = baseline.left(baseline.size() * 2 / 3);
    oddStart[2] = 0; // no longer our JPEG signature; Qt's reader must not take it
    QTest::newRow("jpeg truncated, odd start") << "a.bin" << oddStart;
    QTest::newRow("jpeg truncated, odd start, jpg name") << "a.jpg" << oddStart;
    QTest::newRow("jpeg absurd size") << "a.jpg" << withJpegSize(baseline, 65000, 65000);
    QTest::newRow("tiff truncated") << "a.tif" << tiff.left(tiff.size() / 2);
    QTest::newRow("tiff lzw truncated") << "a.tif" << lzw.left(lzw.size() / 2);
    QTest::newRow("tiff header only") << "a.tif" << tiff.left(8);
    QTest::newRow("png truncated") << "a.png" << png.left(png.size() * 2 / 3);
    QTest::newRow("bmp truncated") << "a.bmp" << bmp.left(bmp.size() / 2);
    QTest::newRow("bmp one byte short") << "a.bmp" << bmp.left(bmp.size() - 1);
    QTest::newRow("gif truncated") << "a.gif" << tinyGif().left(50);
    QTest::newRow("pcx truncated") << "a.pcx" << pcx.left(pcx.size() * 2 / 3);
    QByteArray hugePcx = pcx;
    hugePcx[8] = char(0xFF), hugePcx[9] = char(0xFF), hugePcx[10] = char(0xFF), hugePcx[11] = char(0xFF);
    hugePcx[66] = char(0xFF), hugePcx[67] = char(0xFF);
    QTest::newRow("pcx absurd size") << "a.pcx" << hugePcx;
    QByteArray pngHuge = png;
    const qsizetype ihdr = pngHuge.indexOf("IHDR");
    pngHuge[ihdr + 4] = char(0x7F); // width around two thousand million
    QTest::newRow("png absurd size") << "a.png" << pngHuge;
    QTest::newRow("truncated jpeg named nef") << "a.NEF" << baseline.left(baseline.size() * 2 / 3);

}

void TestDecoders::brokenFilesFail()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const DecodeResult r = decodeBytes(bytes, name);
    QVERIFY(!r.ok());
    QVERIFY(r.image.isNull());
    QVERIFY(!r.error.isEmpty());
}

void TestDecoders::damagedJpegShowsWhatDecodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("partial");
    QTest::addColumn<bool>("greyBottom"); // the last rows are the grey of missing data

    // Two bands at the top, then busy pixels all the way down, so that the
    // data is spread over the rows and what is cut off is the bottom.
    QImage img(64, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 64; ++x)
            img.setPixel(x, y, y < 16 ? (x < 32 ? qRgb(200, 30, 30) : qRgb(30, 30, 200))
                                      : qRgb((x * 37 + y * 91) & 0xFF, (x * y) & 0xFF, (x * 13) & 0xFF));
    JpegLayout layout;
    const QByteArray baseline = writeJpeg(img, layout);
    layout.progressive = true;
    const QByteArray progressive = writeJpeg(img, layout);
    const qsizetype scan = baseline.indexOf("\xFF\xDA");

    QTest::newRow("whole") << baseline << false << false;
    QTest::newRow("ends early") << baseline.left(scan + (baseline.size() - scan) / 2) << true << true;
    QTest::newRow("progressive ends early") << progressive.left(progressive.size() * 2 / 3) << true << false;
    QByteArray corrupt = baseline;
    for (qsizetype i = scan + 200; i < corrupt.size() - 2; i += 7)
        corrupt[i] = char(0xFF);
    QTest::newRow("corrupt entropy data") << corrupt << true << false;
    // Some cameras pad the end: that is no damage.
    QByteArray padded = baseline;
    padded.insert(padded.size() - 2, QByteArray(3, '\0'));
    QTest::newRow("padding before the end") << padded << false << false;
}

void TestDecoders::damagedJpegShowsWhatDecodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, partial);
    QFETCH(bool, greyBottom);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("damaged.jpg"));
    QVERIFY(test::writeFile(path, bytes));
    // From a file (read in chunks) and from memory alike.
    for (const DecodeResult &r : {ImageDecoder::decodeFile(path, {}), decodeBytes(bytes, path)}) {
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.partial, partial);
        QCOMPARE(r.image.size(), QSize(64, 256));
        const QRgb top = r.image.pixel(8, 4);
        QVERIFY2(qRed(top) > 150 && qBlue(top) < 80, qPrintable(QString::number(top, 16)));
        if (greyBottom) {
            const QRgb bottom = r.image.pixel(32, 250);
            QVERIFY2(qAbs(qRed(bottom) - 128) <= 2 && qAbs(qGreen(bottom) - 128) <= 2
                         && qAbs(qBlue(bottom) - 128) <= 2,
                     qPrintable(QString::number(bottom, 16)));
        }
    }
    // A reduced decode (thumbnails) shows it as well.
    DecodeOptions reduced;
    reduced.reduceTo = QSize(8, 8);
    const DecodeResult small = ImageDecoder::decodeFile(path, reduced);
    QVERIFY2(small.ok(), qPrintable(small.error));
    QCOMPARE(small.partial, partial);
}

void TestDecoders::refusalsSayWhy_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QImage img = bands(64, 32);
    BmpLayout huffman;
    huffman.headerSize = 64;
    huffman.compression = 3;
    QTest::newRow("bmp os/2 huffman") << writeBmp(img, huffman) << "OS/2 Huffman-coded";
    huffman.compression = 4;
    QTest::newRow("bmp os/2 rle24") << writeBmp(img, huffman) << "OS/2 24-bit run-length";
    BmpLayout embedded;
    embedded.compression = 4;
    QTest::newRow("bmp holding jpeg") << writeBmp(img, embedded) << "JPEG data";
    BmpLayout odd;
    odd.headerSize = 80;
    QTest::newRow("bmp odd header size") << writeBmp(img, odd) << "header of 80 bytes";
    TiffLayout layout;
    layout.bitsPerSample = 24;
    QTest::newRow("tiff 24-bit integers") << tiffBytes(img, layout) << "24-bit samples are not supported";
    layout.bitsPerSample = 8;
    layout.floating = true;
    QTest::newRow("tiff 8-bit floating point") << tiffBytes(img, layout) << "8-bit floating point";
    // A text chunk claiming 1.8 GB in a file of a few hundred bytes: libpng
    // would allocate what it claims before reading it.
    QByteArray png = qtBytes(img, "PNG");
    const QByteArray claim = QByteArray::fromHex("6b4ad400") + QByteArray("tEXtComment") + '\0' + QByteArray("hi")
                             + QByteArray(4, '\0');
    png.insert(33, claim);
    QTest::newRow("png chunk beyond the file") << png << "more bytes than the file holds";
    QByteArray cut = qtBytes(img, "PNG");
    cut.chop(30);
    QTest::newRow("png cut short") << cut << "more bytes than the file holds";
    QTest::newRow("png of zeros after its header") << qtBytes(img, "PNG").left(33) + QByteArray(4096, '\0')
                                                   << "damaged chunk structure";
}

void TestDecoders::refusalsSayWhy()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const DecodeResult r = decodeBytes(bytes, QStringLiteral("a.bin"));
    QVERIFY(!r.ok());
    QVERIFY2(r.error.contains(reason), qPrintable(r.error));
}

void TestDecoders::colourManagement_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QImage grey(16, 16, QImage::Format_RGB32);
    grey.fill(qRgb(128, 128, 128));
    JpegLayout rgbLayout;
    rgbLayout.icc = linearRgbProfile();
    QTest::newRow("jpeg rgb profile") << writeJpeg(grey, rgbLayout);
    JpegLayout greyLayout;
    greyLayout.kind = JpegLayout::Grey;
    greyLayout.icc = linearGreyProfile();
    QTest::newRow("jpeg grey profile") << writeJpeg(grey, greyLayout);
    TiffLayout tiffLayout;
    tiffLayout.icc = linearRgbProfile();
    QTest::newRow("tiff profile") << tiffBytes(grey, tiffLayout);
    QImage tagged = grey;
    tagged.setColorSpace(QColorSpace::fromIccProfile(linearRgbProfile()));
    QTest::newRow("png profile") << qtBytes(tagged, "PNG");
}

void TestDecoders::colourManagement()
{
    QFETCH(QByteArray, bytes);
    DecodeOptions off;
    DecodeOptions on;
    on.useCms = true;
    const DecodeResult plain = decodeBytes(bytes, QStringLiteral("a"), off);
    const DecodeResult managed = decodeBytes(bytes, QStringLiteral("a"), on);
    QVERIFY2(plain.ok() && managed.ok(), qPrintable(plain.error + managed.error));
    // Without the setting the stored values pass unchanged; with it linear
    // 128 becomes sRGB's 188.
    QVERIFY(qAbs(qGreen(plain.image.pixel(8, 8)) - 128) <= 2);
    const QRgb p = managed.image.pixel(8, 8);
    QVERIFY2(qAbs(qRed(p) - 188) <= 3 && qAbs(qGreen(p) - 188) <= 3 && qAbs(qBlue(p) - 188) <= 3,
             qPrintable(QString::number(p, 16)));
    QCOMPARE(qAlpha(p), 255);
}

void TestDecoders::decoderOrder_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<QString>("order");
    const QByteArray jpeg("\xFF\xD8\xFF\xE0", 4);
    const QByteArray tiffLe("II*\0", 4);
    const QByteArray tiffBe("MM\0*", 4);
    const QByteArray png("\x89PNG\r\n\x1a\n");
    QTest::newRow("jpeg by content") << "/p/a.png" << jpeg << true << "jpeg";
    QTest::newRow("tiff little-endian") << "/p/a" << tiffLe << true << "tiff";
    QTest::newRow("tiff big-endian named jpg") << "/p/a.jpg" << tiffBe << true << "tiff,jpeg";
    QTest::newRow("png named jpg falls back") << "/p/a.JPG" << png << true << "qt,jpeg";
    QTest::newRow("tif rule first") << "/p/a.tif.jpg" << png << true << "qt,tiff";
    QTest::newRow("tiff extension") << "/p/A.TIFF" << png << true << "qt,tiff";
    QTest::newRow("folder named jpg") << "/p/x.jpg/a.gif" << png << true << "qt,jpeg";
    QTest::newRow("no fallback for preload") << "/p/a.jpg" << png << false << "qt";
    QTest::newRow("pcx") << "/p/a.bin" << QByteArray("\x0A\x05\x01\x08", 4) << true << "pcx";
    QTest::newRow("not pcx: bad encoding") << "/p/a.bin" << QByteArray("\x0A\x05\x07\x08", 4) << true << "qt";
    const auto ftyp = [](const char *major, const char *compatible) {
        QByteArray box("\0\0\0\x18" "ftyp", 8);
        box += QByteArray(major, 4) + QByteArray(4, '\0') + QByteArray(compatible, 4) + QByteArray("mif1", 4);
        return box;
    };
    QTest::newRow("heic") << "/p/a.jpg" << ftyp("heic", "heic") << true << "heif,jpeg";
    QTest::newRow("avif") << "/p/a" << ftyp("avif", "avif") << true << "heif";
    QTest::newRow("heif by compatible brand") << "/p/a" << ftyp("xxxx", "heix") << true << "heif";
    QTest::newRow("other iso media: mp4") << "/p/a" << ftyp("isom", "avc1").replace("mif1", "mp41") << true << "qt";
    QTest::newRow("jxl codestream") << "/p/a" << QByteArray("\xFF\x0A\xFA\x7F", 4) << true << "jxl";
    QTest::newRow("jxl container") << "/p/a" << QByteArray("\0\0\0\x0CJXL \r\n\x87\n\0\0\0\x14" "ftypjxl ", 20) << true
                                   << "jxl";
}

void TestDecoders::decoderOrder()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, head);
    QFETCH(bool, fallback);
    QFETCH(QString, order);
    QStringList names;
    for (DecoderKind k : quorvel::decoderOrder(path, head, fallback))
        names << decoderName(k);
    QCOMPARE(names.join(u','), order);
}

void TestDecoders::rawFileRule_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("raw");
    QTest::newRow("nef capitals") << "/p/DSC_0001.NEF" << true;
    QTest::newRow("crw") << "/p/crw_0101.crw" << true;
    QTest::newRow("cr2") << "/p/IMG.Cr2" << true;
    QTest::newRow("each extension") << "/p/a.srf" << true;
    QTest::newRow("mrw") << "/p/a.mrw" << true;
    QTest::newRow("substring of the extension") << "/p/a.nefx" << true;
    QTest::newRow("jpeg") << "/p/a.jpg" << false;
    QTest::newRow("raw in folder only") << "/p/x.nef/a.jpg" << false;
    QTest::newRow("raw in name, not extension") << "/p/nef.jpg" << false;
    QTest::newRow("no extension") << "/p/nef" << false;
    for (const char *ext : {"dng", "ARW", "srf", "sr2", "orf", "rw2", "raw", "rwl", "nrw", "CR3", "srw", "x3f", "3fr",
                            "erf", "kdc", "dcs", "mos", "mef", "iiq", "fff"})
        QTest::newRow(ext) << QStringLiteral("/p/a.%1").arg(QLatin1String(ext)) << true;
    for (const char *ext : {"heic", "heif", "avif", "jxl", "png", "webp", "tiff", "jpeg", "bmp", "gif", "pcx"})
        QTest::newRow(ext) << QStringLiteral("/p/a.%1").arg(QLatin1String(ext)) << false;
}

void TestDecoders::rawFileRule()
{
    QFETCH(QString, path);
    QFETCH(bool, raw);
    QCOMPARE(isRawFile(path), raw);
}

void TestDecoders::sharedSamples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("decoder"); // empty: must fail
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("bpp");
    QTest::newRow("baseline") << "jpeg/testorig.jpg" << "jpeg" << QSize(227, 149) << 24;
    QTest::newRow("progressive") << "jpeg/testimgint.jpg" << "jpeg" << QSize(227, 149) << 24;
    QTest::newRow("arithmetic") << "jpeg/testimgari.jpg" << "jpeg" << QSize(227, 149) << 24;
    QTest::newRow("greyscale") << "jpeg/hopper_gray.jpg" << "jpeg" << QSize(128, 128) << 8;
    QTest::newRow("cmyk") << "jpeg/pil_sample_cmyk.jpg" << "jpeg" << QSize(100, 100) << 32;
    QTest::newRow("big icc profile") << "jpeg/icc_profile_big.jpg" << "jpeg" << QSize(425, 250) << 24;
    QTest::newRow("12 bit") << "jpeg/testorig12.jpg" << "" << QSize() << 0;
    QTest::newRow("tiff 16 bit rgb") << "tiff/rgb-3c-16b.tiff" << "tiff" << QSize(157, 151) << 48;
    QTest::newRow("tiff 16 bit grey") << "tiff/minisblack-1c-16b.tiff" << "tiff" << QSize(157, 151) << 16;
    QTest::newRow("tiff grey alpha") << "tiff/minisblack-2c-8b-alpha.tiff" << "tiff" << QSize(64, 64) << 16;
    QTest::newRow("tiff palette 4") << "tiff/palette-1c-4b.tiff" << "tiff" << QSize(157, 151) << 4;
    QTest::newRow("tiff 1 bit") << "tiff/miniswhite-1c-1b.tiff" << "tiff" << QSize(157, 151) << 1;
    QTest::newRow("tiff lzw") << "tiff/lzw-single-strip.tiff" << "tiff" << QSize(7795, 3122) << 1;
    QTest::newRow("tiff tiled jpeg") << "tiff/quad-tile.jpg.tiff" << "tiff" << QSize(512, 384) << 24;
    QTest::newRow("pcx 24 bit") << "pcx/PCX.pcx" << "pcx" << QSize(8, 8) << 24;
    QTest::newRow("pcx odd stride") << "pcx/odd_stride.pcx" << "pcx" << QSize(371, 150) << 8;
    QTest::newRow("pcx 4 planes") << "pcx/p_4_planes.pcx" << "pcx" << QSize(1, 1) << 4;
    QTest::newRow("pcx 1 bit") << "pcx/pil184.pcx" << "pcx" << QSize(447, 144) << 1;
    QTest::newRow("pcx row too short") << "pcx/01r_00.pcx" << "" << QSize() << 0;
    QTest::newRow("bmp") << "bmp/BMP.bmp" << "qt" << QSize(8, 8) << 8;
    QTest::newRow("broken jpeg") << "broken/1-string-format.jpg" << "" << QSize() << 0;
    QTest::newRow("broken jpeg 2") << "broken/issue_2427_poc.jpg" << "" << QSize() << 0;
    QTest::newRow("broken tiff") << "broken/POC3.tif" << "" << QSize() << 0;
    QTest::newRow("broken tiff 2") << "broken/heap-oob-write.tiff" << "" << QSize() << 0;
    QTest::newRow("broken crw") << "broken/issue_1838_poc.crw" << "" << QSize() << 0;
}

void TestDecoders::sharedSamples()
{
    QFETCH(QString, file);
    QFETCH(QString, decoder);
    QFETCH(QSize, size);
    QFETCH(int, bpp);
    QUORVEL_REQUIRE_SHARED("jpeg", root);
    const QString path = test::sharedFile(file);
    QVERIFY2(!path.isEmpty(), qPrintable(file));
    const DecodeResult r = ImageDecoder::decodeFile(path, DecodeOptions());
    if (decoder.isEmpty()) {
        QVERIFY(!r.ok());
        QVERIFY(!r.error.isEmpty());
        return;
    }
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(decoderName(r.decoder), decoder);
    QCOMPARE(r.image.size(), size);
    QCOMPARE(r.image.format(), QImage::Format_RGB32);
    if (bpp)
        QCOMPARE(ImageDecoder::pixelDepthOfFile(path), bpp);
}

void TestDecoders::reducedJpeg_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("reduceTo");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("fullSize");
    const QByteArray landscape = writeJpeg(bands(800, 600), {});
    const QByteArray portrait = writeJpeg(bands(600, 800), {});
    const QByteArray odd = writeJpeg(bands(803, 601), {});
    JpegLayout cmykLayout;
    cmykLayout.kind = JpegLayout::Cmyk;
    const QByteArray cmyk = writeJpeg(bands(800, 600), cmykLayout);
    // The smallest of the scales M/8 whose picture still covers the size
    // (asked for the fastest, a half in place of 3/8).
    QTest::newRow("one eighth") << landscape << QSize(60, 45) << QSize(100, 75) << QSize(800, 600);
    QTest::newRow("two eighths") << landscape << QSize(120, 90) << QSize(200, 150) << QSize(800, 600);
    QTest::newRow("portrait") << portrait << QSize(45, 60) << QSize(75, 100) << QSize(600, 800);
    QTest::newRow("odd size rounds up") << odd << QSize(60, 45) << QSize(101, 76) << QSize(803, 601);
    QTest::newRow("three eighths for one pixel more") << landscape << QSize(201, 10) << QSize(300, 225)
                                                      << QSize(800, 600);
    QTest::newRow("five eighths") << landscape << QSize(401, 10) << QSize(500, 375) << QSize(800, 600);
    QTest::newRow("CMYK") << cmyk << QSize(60, 45) << QSize(100, 75) << QSize(800, 600);
    QTest::newRow("larger than the picture: whole") << landscape << QSize(1000, 800) << QSize(800, 600) << QSize();
    QTest::newRow("not asked: whole") << landscape << QSize() << QSize(800, 600) << QSize();
}

void TestDecoders::reducedJpeg()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, reduceTo);
    DecodeOptions options;
    options.reduceTo = reduceTo;
    const DecodeResult r = decodeBytes(bytes, QStringLiteral("a.jpg"), options);
    QVERIFY2(r.ok(), qPrintable(r.error));
    QTEST(r.image.size(), "size");
    QTEST(r.fullSize, "fullSize");
    // The bands are where they belong: red at the top left, grey below.
    QVERIFY(qRed(r.image.pixel(1, 1)) > 200 && qGreen(r.image.pixel(1, 1)) < 60);
    const QRgb grey = r.image.pixel(r.image.width() / 2, r.image.height() - 2);
    QVERIFY(qAbs(qGreen(grey) - 128) < 20);

    // Asked for the fastest scale: the same, but a half where 3/8 would do.
    options.reduceFastest = true;
    const DecodeResult fastest = decodeBytes(bytes, QStringLiteral("a.jpg"), options);
    QVERIFY2(fastest.ok(), qPrintable(fastest.error));
    QFETCH(QSize, size);
    QFETCH(QSize, fullSize);
    const bool threeEighths = !fullSize.isEmpty() && size.width() * 8 == fullSize.width() * 3;
    QCOMPARE(fastest.image.size(), threeEighths ? fullSize / 2 : size);
}

QTEST_GUILESS_MAIN(TestDecoders)
#include "tst_decoders.moc"
