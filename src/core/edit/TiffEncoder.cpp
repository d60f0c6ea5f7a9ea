#include "core/edit/TiffEncoder.h"

#include <QBuffer>

#include <tiffio.h>

#include <limits>

namespace quorvel {

namespace {

// libtiff's client procedures over a QBuffer.
QBuffer *buf(thandle_t h)
{
    return static_cast<QBuffer *>(h);
}

tmsize_t readProc(thandle_t h, void *data, tmsize_t size)
{
    return tmsize_t(buf(h)->read(static_cast<char *>(data), qint64(size)));
}

tmsize_t writeProc(thandle_t h, void *data, tmsize_t size)
{
    return tmsize_t(buf(h)->write(static_cast<const char *>(data), qint64(size)));
}

toff_t seekProc(thandle_t h, toff_t offset, int whence)
{
    QBuffer *b = buf(h);
    qint64 pos = qint64(offset);
    if (whence == SEEK_CUR)
        pos += b->pos();
    else if (whence == SEEK_END)
        pos += b->size();
    if (pos < 0)
        return toff_t(-1);
    if (pos > b->size()) {
        // Seeking past the end: the gap is zeros, as in a file.
        b->buffer().resize(pos, '\0');
    }
    return b->seek(pos) ? toff_t(pos) : toff_t(-1);
}

int closeProc(thandle_t)
{
    return 0;
}

toff_t sizeProc(thandle_t h)
{
    return toff_t(buf(h)->size());
}

int mapProc(thandle_t, void **, toff_t *)
{
    return 0;
}

void unmapProc(thandle_t, void *, toff_t)
{
}

} // namespace

QByteArray TiffEncoder::encode(const QImage &image, QString *error)
{
    return encode(image, QByteArray(), error);
}

QByteArray TiffEncoder::encode(const QImage &image, const QByteArray &iccProfile, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return QByteArray();
    };
    if (image.isNull())
        return fail(QStringLiteral("no picture"));
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    TIFF *tif = TIFFClientOpen("memory", "w", &buffer, readProc, writeProc, seekProc, closeProc, sizeProc,
                               mapProc, unmapProc);
    if (!tif)
        return fail(QStringLiteral("TIFF writer could not start"));
    const uint32_t width = uint32_t(rgb.width());
    const uint32_t height = uint32_t(rgb.height());
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, float(rgb.dotsPerMeterX() * 0.0254));
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, float(rgb.dotsPerMeterY() * 0.0254));
    if (!iccProfile.isEmpty() && iccProfile.size() <= std::numeric_limits<uint32_t>::max())
        TIFFSetField(tif, TIFFTAG_ICCPROFILE, uint32_t(iccProfile.size()), iccProfile.constData());
    bool ok = true;
    for (uint32_t y = 0; ok && y < height; ++y)
        ok = TIFFWriteScanline(tif, const_cast<uchar *>(rgb.constScanLine(int(y))), y, 0) == 1;
    ok = ok && TIFFWriteDirectory(tif) == 1;
    TIFFClose(tif);
    if (!ok)
        return fail(QStringLiteral("TIFF writer failed"));
    return buffer.data();
}

} // namespace quorvel
