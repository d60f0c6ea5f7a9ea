#include "core/edit/JpegEncoder.h"

#include "core/exif/JpegSegments.h"

#include <QtGlobal>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace quorvel {

namespace {

struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void onMessage(j_common_ptr, int)
{
}

// What 255 APP2 segments hold after their "ICC_PROFILE" headers.
constexpr qsizetype kMaxIccBytes = qsizetype(255) * (65533 - 14);

// The density in dots per inch from the picture's dots per metre, within
// the 16-bit field.
UINT16 density(int dotsPerMeter)
{
    return UINT16(qBound(1, qRound(dotsPerMeter * 0.0254), 65535));
}

} // namespace

QByteArray JpegEncoder::encode(const QImage &image, int quality, const QByteArray &exifBlock, QString *error)
{
    return encode(image, quality, exifBlock, QByteArray(), error);
}

QByteArray JpegEncoder::encode(const QImage &image, int quality, const QByteArray &exifBlock,
                               const QByteArray &iccProfile, QString *error)
{
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("no picture");
        return QByteArray();
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    // Everything with a destructor is made before setjmp: an error jumps back.
    QByteArray app1;
    if (!exifBlock.isEmpty() && exifBlock.size() + jpegsegments::kExifIdSize <= jpegsegments::kMaxSegmentData)
        app1 = QByteArray("Exif\0\0", 6) + exifBlock;

    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = onError;
    err.base.emit_message = onMessage;
    unsigned char *out = nullptr;
    unsigned long outSize = 0;

    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        if (out)
            std::free(out);
        if (error)
            *error = QString::fromLocal8Bit(err.message);
        return QByteArray();
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = JDIMENSION(rgb.width());
    cinfo.image_height = JDIMENSION(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, qBound(kMinQuality, quality, kMaxQuality), TRUE);
    cinfo.write_JFIF_header = TRUE;
    cinfo.density_unit = 1;
    cinfo.X_density = density(rgb.dotsPerMeterX());
    cinfo.Y_density = density(rgb.dotsPerMeterY());
    jpeg_start_compress(&cinfo, TRUE);
    if (!app1.isEmpty()) {
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET *>(app1.constData()),
                          unsigned(app1.size()));
    }
    // libjpeg splits the profile into as many APP2 segments as it needs (at
    // most 255 of them: a larger profile is left out).
    if (!iccProfile.isEmpty() && iccProfile.size() <= kMaxIccBytes) {
        jpeg_write_icc_profile(&cinfo, reinterpret_cast<const JOCTET *>(iccProfile.constData()),
                               unsigned(iccProfile.size()));
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray result(reinterpret_cast<const char *>(out), qsizetype(outSize));
    std::free(out);
    return result;
}

} // namespace quorvel
