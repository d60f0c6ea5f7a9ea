#include "core/print/PrintParameters.h"

#include "core/print/LengthConversion.h"

#include <QCoreApplication>

#include <climits>
#include <cmath>

namespace quorvel {

PrintParameters::PrintParameters(int formatIndex, bool firstIsWidth)
    : m_firstIsWidth(firstIsWidth)
{
    setFormatIndex(formatIndex);
}

bool PrintParameters::setFormatIndex(int index)
{
    if (!FormatCatalogue::isValidIndex(index))
        return false;
    m_index = index;
    return true;
}

void PrintParameters::orientForImage(QSize image)
{
    if (format().isPixels() || image.isEmpty())
        return;
    m_firstIsWidth = image.height() >= image.width();
}

int PrintParameters::effectiveDpi() const
{
    return std::min(requestedDpi(), PrintLimits::kMaxDpi);
}

int PrintParameters::requestedDpi() const
{
    if (format().isPixels())
        return PrintLimits::kPixelFormatDpi;
    const int dpi = LengthConversion::leadingInteger(m_dpiText);
    return dpi <= 0 ? PrintLimits::kDefaultDpi : dpi;
}

PrintParameters::SizeLimit PrintParameters::sizeLimit() const
{
    SizeLimit limit;
    limit.requestedDpi = requestedDpi();
    const FormatCatalogue::PixelSize asked =
        m_catalogue.requestedSize(m_index, m_firstIsWidth, m_photolab, limit.requestedDpi);
    limit.requestedWidth = asked.width;
    limit.requestedHeight = asked.height;
    limit.exceeded = !FormatCatalogue::withinLimits(asked.width, asked.height)
        || limit.requestedDpi > PrintLimits::kMaxDpi;
    if (!limit.exceeded)
        return limit;
    if (format().isPixels()) {
        limit.fitting = FormatCatalogue::limitedSize(asked.width, asked.height);
    } else {
        limit.fittingDpi = m_catalogue.largestFittingDpi(m_index, m_firstIsWidth, m_photolab, limit.requestedDpi);
        if (limit.fittingDpi > 0)
            limit.fitting = m_catalogue.outputSize(m_index, m_firstIsWidth, m_photolab, limit.fittingDpi);
    }
    return limit;
}

namespace {

QString text(const char *source)
{
    return QCoreApplication::translate("PrintParameters", source);
}

} // namespace

QString PrintParameters::sizeLimitMessage() const
{
    const SizeLimit limit = sizeLimit();
    if (!limit.exceeded)
        return QString();
    QString what;
    if (!FormatCatalogue::withinLimits(limit.requestedWidth, limit.requestedHeight)) {
        what = text(QT_TRANSLATE_NOOP("PrintParameters",
                                      "\"%1\" would be %2 x %3 pixels, more than the largest picture the program "
                                      "makes (%4 pixels a side, %5 megapixels)."))
                   .arg(format().shortName)
                   .arg(limit.requestedWidth)
                   .arg(limit.requestedHeight)
                   .arg(PrintLimits::kMaxSide)
                   .arg(PrintLimits::kMaxPixels / (1024 * 1024));
    } else {
        what = text(QT_TRANSLATE_NOOP("PrintParameters",
                                      "%1 dpi is more than the highest resolution the program writes (%2 dpi)."))
                   .arg(limit.requestedDpi)
                   .arg(PrintLimits::kMaxDpi);
    }
    if (format().isPixels()) {
        return what + QLatin1Char('\n')
            + text(QT_TRANSLATE_NOOP("PrintParameters", "The largest size of its proportions that fits is %1 x %2 "
                                                        "pixels."))
                  .arg(limit.fitting.width())
                  .arg(limit.fitting.height());
    }
    if (limit.fittingDpi <= 0)
        return what;
    return what + QLatin1Char('\n')
        + text(QT_TRANSLATE_NOOP("PrintParameters", "At %1 dpi it is %2 x %3 pixels, the largest that fits."))
              .arg(limit.fittingDpi)
              .arg(limit.fitting.width())
              .arg(limit.fitting.height());
}

QString PrintParameters::sizeLimitQuestion() const
{
    const SizeLimit limit = sizeLimit();
    if (!limit.exceeded)
        return QString();
    const QString message = sizeLimitMessage();
    if (format().isPixels())
        return message + QLatin1Char('\n') + text(QT_TRANSLATE_NOOP("PrintParameters", "Make it that size?"));
    if (limit.fittingDpi <= 0)
        return QString();
    return message + QLatin1Char('\n')
        + text(QT_TRANSLATE_NOOP("PrintParameters", "Use %1 dpi?")).arg(limit.fittingDpi);
}

QSizeF PrintParameters::outputLengths() const
{
    return m_catalogue.lengths(m_index, m_firstIsWidth, m_photolab);
}

QSize PrintParameters::outputSize() const
{
    return m_catalogue.outputSize(m_index, m_firstIsWidth, m_photolab, effectiveDpi());
}

QString PrintParameters::sizeText() const
{
    // An output beyond the limits shows the size asked for, and says so.
    const SizeLimit limit = sizeLimit();
    QSize px = outputSize();
    QString beyond;
    if (limit.exceeded) {
        px = QSize(int(std::min<qint64>(limit.requestedWidth, INT_MAX)),
                   int(std::min<qint64>(limit.requestedHeight, INT_MAX)));
        beyond = QStringLiteral("\r\n  ")
            + (limit.fittingDpi > 0
                   ? QCoreApplication::translate("PrintParameters", "too large: %1 dpi at most").arg(limit.fittingDpi)
                   : QCoreApplication::translate("PrintParameters", "too large"));
    }
    const QSizeF len = outputLengths();
    switch (format().group) {
    case FormatGroup::Pixels:
        return QString::asprintf(
                   qUtf8Printable(QCoreApplication::translate("PrintParameters", "Image size:\r\n  %dx%d pixels")),
                   px.width(), px.height())
            + beyond;
    case FormatGroup::Centimetres:
        return QString::asprintf(qUtf8Printable(QCoreApplication::translate(
                                     "PrintParameters", "Image size:\r\n  %.1fx%.1f cm\r\n  %dx%d pixels")),
                                 len.width(), len.height(), px.width(), px.height())
            + beyond;
    case FormatGroup::Inches:
        return QString::asprintf(qUtf8Printable(QCoreApplication::translate(
                                     "PrintParameters", "Image size:\r\n  %.1fx%.1f inch\r\n  %dx%d pixels")),
                                 len.width() * LengthConversion::kInchesPerCm,
                                 len.height() * LengthConversion::kInchesPerCm, px.width(), px.height())
            + beyond;
    }
    return QString();
}

int PrintParameters::toPixels(const QString &length, std::optional<LengthUnit> unit) const
{
    return LengthConversion::toPixels(length, unit, effectiveDpi());
}

PrintParameters::CustomSizePrompt PrintParameters::customSizePrompt() const
{
    const QSizeF len = outputLengths();
    switch (m_index) {
    case FormatCatalogue::kCustomPixels: {
        const QSize px = outputSize();
        return {QCoreApplication::translate("PrintParameters", "Enter new size in pixels"),
                QString::number(px.width()), QString::number(px.height())};
    }
    case FormatCatalogue::kCustomCm:
        return {QCoreApplication::translate("PrintParameters", "Enter new size in cm"),
                QString::asprintf("%.2f", len.width()), QString::asprintf("%.2f", len.height())};
    case FormatCatalogue::kCustomInch:
        return {QCoreApplication::translate("PrintParameters", "Enter new size in inches"),
                QString::asprintf("%.2f", len.width() * LengthConversion::kInchesPerCm),
                QString::asprintf("%.2f", len.height() * LengthConversion::kInchesPerCm)};
    default:
        return {};
    }
}

bool PrintParameters::applyCustomSize(const CustomSizeCheck &check)
{
    if (!check.accepted || !FormatCatalogue::isCustom(m_index))
        return false;
    float width = check.width, height = check.height;
    if (m_index == FormatCatalogue::kCustomPixels) {
        width = std::trunc(width);
        height = std::trunc(height);
    } else if (m_index == FormatCatalogue::kCustomInch) {
        width *= 2.54f;
        height *= 2.54f;
    }
    return m_firstIsWidth ? m_catalogue.setCustomLengths(m_index, width, height)
                          : m_catalogue.setCustomLengths(m_index, height, width);
}

} // namespace quorvel
