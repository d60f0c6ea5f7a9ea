#include "core/imaging/ColourProfile.h"

#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifLibrary.h"
#include "core/exif/Exiv2Include.h"
#include "core/exif/JpegExifBlock.h"
#include "core/imaging/DecodeTypes.h"
#include "core/imaging/DecoderChoice.h"

#include <QFile>

#include <lcms2.h>

namespace quorvel::colourprofile {

namespace {

// The colour space a profile describes, or 0 when lcms cannot read it.
cmsColorSpaceSignature spaceOf(QByteArrayView icc)
{
    if (icc.isEmpty() || icc.size() > decodelimits::kMaxIccBytes)
        return cmsColorSpaceSignature(0);
    cmsContext context = cmsCreateContext(nullptr, nullptr);
    if (!context)
        return cmsColorSpaceSignature(0);
    cmsColorSpaceSignature space = cmsColorSpaceSignature(0);
    if (cmsHPROFILE profile = cmsOpenProfileFromMemTHR(context, icc.data(), cmsUInt32Number(icc.size()))) {
        space = cmsGetColorSpace(profile);
        cmsCloseProfile(profile);
    }
    cmsDeleteContext(context);
    return space;
}

QByteArray makeSrgb()
{
    cmsContext context = cmsCreateContext(nullptr, nullptr);
    if (!context)
        return QByteArray();
    QByteArray bytes;
    if (cmsHPROFILE profile = cmsCreate_sRGBProfileTHR(context)) {
        cmsUInt32Number size = 0;
        if (cmsSaveProfileToMem(profile, nullptr, &size) && size > 0) {
            bytes.resize(qsizetype(size));
            if (!cmsSaveProfileToMem(profile, bytes.data(), &size))
                bytes.clear();
        }
        cmsCloseProfile(profile);
    }
    cmsDeleteContext(context);
    return bytes;
}

QByteArray throughExiv2(const QString &path)
{
    initExifLibrary();
    try {
        auto image = exiv2::openFile(QFile::encodeName(path).toStdString());
        if (!image.get())
            return QByteArray();
        image->readMetadata();
        if (!image->iccProfileDefined())
            return QByteArray();
        const Exiv2::DataBuf *buf = image->iccProfile();
        if (!buf || buf->size_ <= 0 || buf->size_ > decodelimits::kMaxIccBytes)
            return QByteArray();
        return QByteArray(reinterpret_cast<const char *>(buf->pData_), qsizetype(buf->size_));
    } catch (...) {
        return QByteArray();
    }
}

} // namespace

QByteArray embedded(const QString &path)
{
    if (isRawFile(path))
        return QByteArray();
    {
        ExifByteSource source(path);
        if (!source.isOpen())
            return QByteArray();
        if (jpegexif::isJpeg(source.head()))
            return jpegexif::iccProfile(source, decodelimits::kMaxIccBytes);
    }
    return throughExiv2(path);
}

const QByteArray &srgb()
{
    static const QByteArray profile = makeSrgb();
    return profile;
}

QByteArray forPixels(const QByteArray &embeddedProfile, bool cmsApplied)
{
    if (embeddedProfile.isEmpty())
        return QByteArray();
    const cmsColorSpaceSignature space = spaceOf(embeddedProfile);
    if (cmsApplied && (space == cmsSigRgbData || space == cmsSigGrayData || space == cmsSigCmykData))
        return srgb();
    if (!cmsApplied && space == cmsSigRgbData)
        return embeddedProfile;
    return QByteArray();
}

} // namespace quorvel::colourprofile
