#include "core/imaging/IccConverter.h"

#include "core/imaging/DecodeTypes.h"

#include <lcms2.h>

#include <vector>

namespace quorvel {

namespace {

// Format_RGB32 in memory: B, G, R, A on little-endian machines.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr cmsUInt32Number kRgb32Type = TYPE_BGRA_8;
#else
constexpr cmsUInt32Number kRgb32Type = TYPE_ARGB_8;
#endif

} // namespace

IccConverter::IccConverter(QByteArrayView icc, Input input)
{
    if (icc.isEmpty() || icc.size() > decodelimits::kMaxIccBytes)
        return;
    cmsContext ctx = cmsCreateContext(nullptr, nullptr);
    if (!ctx)
        return;
    m_context = ctx;
    cmsHPROFILE source = cmsOpenProfileFromMemTHR(ctx, icc.data(), cmsUInt32Number(icc.size()));
    if (!source)
        return;
    cmsHPROFILE srgb = cmsCreate_sRGBProfileTHR(ctx);
    if (!srgb) {
        cmsCloseProfile(source);
        return;
    }
    const cmsColorSpaceSignature space = cmsGetColorSpace(source);
    cmsUInt32Number inType = 0;
    if (input == Input::Rgb32 && space == cmsSigRgbData) {
        inType = kRgb32Type;
    } else if (input == Input::Rgb32 && space == cmsSigGrayData) {
        inType = TYPE_GRAY_8;
        m_greyInput = true;
    } else if (input != Input::Rgb32 && space == cmsSigCmykData) {
        inType = input == Input::CmykInverted ? TYPE_CMYK_8_REV : TYPE_CMYK_8;
    }
    if (inType != 0) {
        m_transform = cmsCreateTransformTHR(ctx, source, inType, srgb, kRgb32Type, INTENT_PERCEPTUAL, 0);
    }
    cmsCloseProfile(source);
    cmsCloseProfile(srgb);
}

IccConverter::~IccConverter()
{
    if (m_transform)
        cmsDeleteTransform(static_cast<cmsHTRANSFORM>(m_transform));
    if (m_context)
        cmsDeleteContext(static_cast<cmsContext>(m_context));
}

void IccConverter::convertRow(QRgb *row, int width) const
{
    if (!m_transform || width <= 0)
        return;
    if (m_greyInput) {
        std::vector<uchar> grey(static_cast<size_t>(width));
        for (int x = 0; x < width; ++x)
            grey[size_t(x)] = uchar(qGreen(row[x]));
        cmsDoTransform(static_cast<cmsHTRANSFORM>(m_transform), grey.data(), row, cmsUInt32Number(width));
    } else {
        cmsDoTransform(static_cast<cmsHTRANSFORM>(m_transform), row, row, cmsUInt32Number(width));
    }
}

void IccConverter::convertCmykRow(const uchar *cmyk, QRgb *out, int width) const
{
    if (!m_transform || width <= 0)
        return;
    for (int x = 0; x < width; ++x)
        out[x] = 0xff000000u;
    cmsDoTransform(static_cast<cmsHTRANSFORM>(m_transform), cmyk, out, cmsUInt32Number(width));
}

bool IccConverter::applyToImage(QImage &image, QByteArrayView icc)
{
    if (image.isNull() || image.format() != QImage::Format_RGB32)
        return false;
    const IccConverter converter(icc, Input::Rgb32);
    if (!converter.isValid())
        return false;
    for (int y = 0; y < image.height(); ++y)
        converter.convertRow(reinterpret_cast<QRgb *>(image.scanLine(y)), image.width());
    return true;
}

} // namespace quorvel
