#include "core/exif/ExifInfo.h"

#include "core/exif/ExifFormat.h"
#include "core/exif/ExifReader.h"

namespace quorvel {

bool ExifInfo::read(const QString &path)
{
    m_loaded = readExifFields(path, m_fields) ? 1 : 0;
    return m_loaded != 0;
}

void ExifInfo::assign(const ExifFields &fields)
{
    m_fields = fields;
    m_loaded = 1;
}

bool ExifInfo::getModel(QString &model) const
{
    model = m_loaded ? m_fields.model : QString();
    return !model.isEmpty();
}

bool ExifInfo::getDateTime(QString &dateTime) const
{
    dateTime = m_loaded ? m_fields.dateTimeOriginal : QString();
    return !dateTime.isEmpty();
}

bool ExifInfo::getExposure(float &seconds) const
{
    seconds = m_loaded ? exposureSeconds(m_fields.exposureNumerator, m_fields.exposureDenominator) : 0.0f;
    return seconds != 0.0f;
}

bool ExifInfo::getFNumber(float &fNumber) const
{
    fNumber = m_loaded ? m_fields.fNumber : 0.0f;
    return fNumber != 0.0f;
}

bool ExifInfo::getFocalLength(float &millimetres) const
{
    millimetres = m_loaded ? m_fields.focalLength : 0.0f;
    return millimetres != 0.0f;
}

std::pair<int, int> ExifInfo::exposurePair() const
{
    if (!m_loaded)
        return {0, 1};
    return {m_fields.exposureNumerator, m_fields.exposureDenominator};
}

QString ExifInfo::exposureText() const
{
    float seconds = 0.0f;
    if (!getExposure(seconds))
        return QString();
    return formatExposure(m_fields.exposureNumerator, m_fields.exposureDenominator);
}

int ExifInfo::iso() const
{
    return m_loaded ? m_fields.iso : 0;
}

} // namespace quorvel
