#include "core/print/PrintParameters.h"

#include "core/print/LengthConversion.h"

#include <QCoreApplication>

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
    if (format().isPixels())
        return PrintLimits::kPixelFormatDpi;
    const int dpi = LengthConversion::leadingInteger(m_dpiText);
    if (dpi <= 0)
        return PrintLimits::kDefaultDpi;
    return std::min(dpi, PrintLimits::kMaxDpi);
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
    const QSize px = outputSize();
    const QSizeF len = outputLengths();
    switch (format().group) {
    case FormatGroup::Pixels:
        return QString::asprintf(
            qUtf8Printable(QCoreApplication::translate("PrintParameters", "Image size:\r\n  %dx%d pixels")),
            px.width(), px.height());
    case FormatGroup::Centimetres:
        return QString::asprintf(qUtf8Printable(QCoreApplication::translate(
                                     "PrintParameters", "Image size:\r\n  %.1fx%.1f cm\r\n  %dx%d pixels")),
                                 len.width(), len.height(), px.width(), px.height());
    case FormatGroup::Inches:
        return QString::asprintf(qUtf8Printable(QCoreApplication::translate(
                                     "PrintParameters", "Image size:\r\n  %.1fx%.1f inch\r\n  %dx%d pixels")),
                                 len.width() * LengthConversion::kInchesPerCm,
                                 len.height() * LengthConversion::kInchesPerCm, px.width(), px.height());
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
