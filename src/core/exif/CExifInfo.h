#pragma once

#include "core/exif/ExifFields.h"

#include <QString>

#include <utility>

namespace quorvel {

// The EXIF fields of one file, for the file list, the statistics and the
// export. Every accessor reports its field as absent until a Read has
// succeeded (and after one has failed).
class CExifInfo
{
public:
    CExifInfo() = default;
    virtual ~CExifInfo() = default;

    // Reads the file's fields (ReadExifFields); returns and keeps the result.
    bool Read(const QString &path);
    // Takes fields read elsewhere, as if a Read had succeeded.
    void Assign(const ExifFields &fields);

    bool IsLoaded() const { return m_loaded != 0; }
    const ExifFields &Fields() const { return m_fields; }

    // Each of these copies its field and returns true when it is present.
    bool GetModel(QString &model) const;
    bool GetDateTime(QString &dateTime) const;
    // The exposure in seconds; 0 when absent.
    bool GetExposure(float &seconds) const;
    bool GetFNumber(float &fNumber) const;
    bool GetFocalLength(float &millimetres) const;

    // Numerator and denominator as held; (0, 1) when absent.
    std::pair<int, int> GetExposurePair() const;
    // The exposure text (FormatExposure); "" when absent.
    QString GetExposureText() const;
    // 0 when absent; 15 means automatic.
    int GetIso() const;

private:
    int m_loaded = 0;
    ExifFields m_fields;
};

} // namespace quorvel
