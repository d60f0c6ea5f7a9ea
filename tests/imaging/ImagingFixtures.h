#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>
#include <QString>

#include <cstdint>
#include <vector>

// Writers for the pictures the imaging tests decode: JPEG through libjpeg,
// TIFF through libtiff, PCX by hand, ICC profiles through Little CMS.
namespace quorvel::fixtures {

// A test picture: four vertical bands (red, green, blue, white) over the top
// half, grey 128 below. Flat areas survive JPEG compression closely.
QImage bands(int width, int height);

struct JpegLayout
{
    enum Kind { Rgb, Grey, Cmyk } kind = Rgb;
    bool progressive = false;
    bool arithmetic = false;
    int quality = 95;
    QByteArray icc;
};
// RGB and grey pictures come from image (grey from its green channel); a
// CMYK picture stores the Adobe-inverted values of image.
QByteArray writeJpeg(const QImage &image, const JpegLayout &layout);

struct TiffLayout
{
    int bitsPerSample = 8;
    // 1 grey, 2 grey + alpha, 3 RGB, 4 RGB + alpha
    int samples = 3;
    bool palette = false;  // samples 1: indices into a colour map
    bool minIsWhite = false;
    int compression = 1;   // COMPRESSION_NONE, _LZW (5), _ADOBE_DEFLATE (8), _JPEG (7)
    QByteArray icc;
    int orientation = 0;   // TIFFTAG_ORIENTATION; none when 0
    bool floating = false; // IEEE samples of 16, 32 or 64 bits, value / 255
    bool cmyk = false;     // 4 samples, separated: C, M, Y = 255 - R, G, B, K = 0
    bool planar = false;   // one plane per sample
};
// Writes image (alpha from its alpha channel, 16-bit samples as value * 257,
// other depths as the value scaled to the depth's range; a palette picture
// uses the palette's order for indices).
bool writeTiff(const QString &path, const QImage &image, const TiffLayout &layout, const QList<QRgb> &palette = {});

struct BmpLayout
{
    // 12 (OS/2 1.x), 16 and 64 (OS/2 2.x), 40, 52 (V2), 56 (V3), 108 (V4), 124 (V5)
    int headerSize = 40;
    int bits = 24;          // 8 (palette), 16, 24 or 32
    bool bitFields = false; // 16: 5-6-5 masks; 32: 8-8-8 masks
    int compression = -1;   // written as is when not -1
};
// A bottom-up BMP of the picture; 8-bit pictures use the palette's order.
QByteArray writeBmp(const QImage &image, const BmpLayout &layout, const QList<QRgb> &palette = {});

struct PcxLayout
{
    int bitsPerPlane = 8;
    int planes = 1;
    bool rle = true;
    bool vgaPalette = true; // 8-bit: append the 256-colour palette
};
// indices holds one palette index per pixel for indexed layouts; image is
// used for the 24-bit layout.
QByteArray writePcx(int width, int height, const PcxLayout &layout, const std::vector<int> &indices,
                    const QList<QRgb> &palette, const QImage &image = QImage());

// A 4 x 2 GIF: red, lime, blue, white over black, red, red, red.
QByteArray tinyGif();

// An RGB profile with sRGB's primaries and white point and a linear tone
// curve: 128 in it is about 188 in sRGB.
QByteArray linearRgbProfile();
// A grey profile with a linear tone curve.
QByteArray linearGreyProfile();

} // namespace quorvel::fixtures
