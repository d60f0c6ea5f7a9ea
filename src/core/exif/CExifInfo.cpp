#include "core/exif/CExifInfo.h"

#include "core/exif/ExifFormat.h"
#include "core/exif/ExifReader.h"

namespace quorvel {

bool CExifInfo::Read(const QString &path)
{
    m_loaded = ReadExifFields(path, m_fields) ? 1 : 0;
    return m_loaded != 0;
}

void CExifInfo::Assign(const ExifFields &fields)
{
    m_fields = fields;
    m_loaded = 1;
}

bool CExifInfo::GetModel(QString &model) const
{
    model = m_loaded ? m_fields.model : QString();
    return !model.isEmpty();
}

bool CExifInfo::GetDateTime(QString &dateTime) const
{
    dateTime = m_loaded ? m_fields.dateTimeOriginal : QString();
    return !dateTime.isEmpty();
}

bool CExifInfo::GetExposure(float &seconds) const
{
    seconds = m_loaded ? exposureSeconds(m_fields.exposureNumerator, m_fields.exposureDenominator) : 0.0f;
    return seconds != 0.0f;
}

bool CExifInfo::GetFNumber(float &fNumber) const
{
    fNumber = m_loaded ? m_fields.fNumber : 0.0f;
    return fNumber != 0.0f;
}

bool CExifInfo::GetFocalLength(float &millimetres) const
{
    millimetres = m_loaded ? m_fields.focalLength : 0.0f;
    return millimetres != 0.0f;
}

std::pair<int, int> CExifInfo::GetExposurePair() const
{
    if (!m_loaded)
        return {0, 1};
    return {m_fields.exposureNumerator, m_fields.exposureDenominator};
}

QString CExifInfo::GetExposureText() const
{
    float seconds = 0.0f;
    if (!GetExposure(seconds))
        return QString();
    return FormatExposure(m_fields.exposureNumerator, m_fields.exposureDenominator);
}

int CExifInfo::GetIso() const
{
    return m_loaded ? m_fields.iso : 0;
}

} // namespace quorvel
