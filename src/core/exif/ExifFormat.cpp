#include "core/exif/ExifFormat.h"

#include "core/exif/ExifNumberText.h"

#include <QCoreApplication>

#include <numeric>

namespace quorvel {

namespace {

QString exifText(const char *source)
{
    return QCoreApplication::translate("Exif", source);
}

// Puts value in place of the first placeholder of a (translated) template.
QString filled(QString pattern, QLatin1StringView placeholder, const QString &value)
{
    const qsizetype at = pattern.indexOf(placeholder);
    if (at >= 0)
        pattern.replace(at, placeholder.size(), value);
    return pattern;
}

void appendItem(QString &line, const QString &item)
{
    if (!line.isEmpty())
        line += QLatin1String(", ");
    line += item;
}

} // namespace

QString formatAperture(float fNumber)
{
    return QLatin1Char('F') + numbertext::fixed(fNumber, 1);
}

QString formatFocalLength(float millimetres)
{
    return filled(exifText(QT_TRANSLATE_NOOP("Exif", "%.1f mm")), QLatin1StringView("%.1f"),
                  numbertext::fixed(millimetres, 1));
}

QString formatIso(int iso, bool plain)
{
    if (iso == kAutoIso)
        return exifText(QT_TRANSLATE_NOOP("Exif", "Auto"));
    return plain ? QString::number(iso) : QLatin1String("ISO") + QString::number(iso);
}

QString formatExposure(int numerator, int denominator)
{
    if (denominator == 0)
        return QString();
    if (numerator < denominator) {
        if (numerator >= 10)
            return QLatin1String("1/") + QString::number(denominator / numerator);
        return QString::number(numerator) + QLatin1Char('/') + QString::number(denominator);
    }
    if (numerator == denominator)
        return QStringLiteral("1.0");
    return numbertext::fixed(float(numerator) / float(denominator), 1);
}

void reduceFraction(int &numerator, int &denominator)
{
    if (numerator <= 0 || numerator > denominator || numerator == 1)
        return;
    // Dividing again and again by the smallest common factor ends where
    // dividing once by the greatest common divisor does.
    const int divisor = std::gcd(numerator, denominator);
    numerator /= divisor;
    denominator /= divisor;
}

QString formatExifSummary(const ExifFields &fields)
{
    QString line;
    if (!fields.model.isEmpty() && fields.model != QLatin1String("unknown"))
        appendItem(line, filled(exifText(QT_TRANSLATE_NOOP("Exif", "Camera: %s")), QLatin1StringView("%s"),
                                fields.model));
    if (hasExposure(fields)) {
        appendItem(line, filled(exifText(QT_TRANSLATE_NOOP("Exif", "Exposure: %s sec")), QLatin1StringView("%s"),
                                formatExposure(fields.exposureNumerator, fields.exposureDenominator)));
    }
    if (fields.fNumber != 0.0f)
        appendItem(line, formatAperture(fields.fNumber));
    if (fields.iso != 0) {
        appendItem(line, fields.iso == kAutoIso
                             ? exifText(QT_TRANSLATE_NOOP("Exif", "ISO: Auto"))
                             : filled(exifText(QT_TRANSLATE_NOOP("Exif", "ISO: %d")), QLatin1StringView("%d"),
                                      QString::number(fields.iso)));
    }
    if (!fields.dateTimeOriginal.isEmpty()) {
        if (!line.isEmpty())
            line += QLatin1String(". ");
        line += filled(exifText(QT_TRANSLATE_NOOP("Exif", "Date: %s")), QLatin1StringView("%s"),
                       fields.dateTimeOriginal);
    }
    return line;
}

double parseRationalText(QStringView text)
{
    const qsizetype slash = text.indexOf(u'/');
    if (slash < 0)
        return numbertext::leadingDouble(text);
    const int numerator = numbertext::leadingInt(text.left(slash));
    const int denominator = numbertext::leadingInt(text.mid(slash + 1));
    if (denominator == 0)
        return 0.0;
    return double(numerator) / double(denominator);
}

} // namespace quorvel
