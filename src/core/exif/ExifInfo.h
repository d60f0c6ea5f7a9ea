#pragma once

#include "core/exif/ExifFields.h"

#include <QString>

#include <utility>

namespace quorvel {

// The EXIF fields of one file, for the file list, the statistics and the
// export. Every accessor reports its field as absent until a Read has
// succeeded (and after one has failed).
class ExifInfo
{
public:
    ExifInfo() = default;
    virtual ~ExifInfo() = default;

    // Reads the file's fields (readExifFields); returns and keeps the result.
    bool read(const QString &path);
    // Takes fields read elsewhere, as if a Read had succeeded.
    void assign(const ExifFields &fields);

    bool isLoaded() const { return m_loaded != 0; }
    const ExifFields &fields() const { return m_fields; }

    // Each of these copies its field and returns true when it is present.
    bool getModel(QString &model) const;
    bool getDateTime(QString &dateTime) const;
    // The exposure in seconds; 0 when absent.
    bool getExposure(float &seconds) const;
    bool getFNumber(float &fNumber) const;
    bool getFocalLength(float &millimetres) const;

    // Numerator and denominator as held; (0, 1) when absent.
    std::pair<int, int> exposurePair() const;
    // The exposure text (formatExposure); "" when absent.
    QString exposureText() const;
    // 0 when absent; 15 means automatic.
    int iso() const;

private:
    int m_loaded = 0;
    ExifFields m_fields;
};

} // namespace quorvel
