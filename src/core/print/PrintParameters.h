#pragma once

#include "core/print/CustomSizeCheck.h"
#include "core/print/FormatCatalogue.h"
#include "core/print/LengthUnit.h"

#include <QSize>
#include <QSizeF>
#include <QString>

#include <optional>

namespace quorvel {

// The format side of a print-parameters dialog (the final step of the
// wizard and the index print) without its widgets: its own copy of the
// catalogue, the current format, the orientation, photolab field scaling
// and the resolution field, and what follows from them: the output size in
// pixels, the effective resolution, the size text and the custom sizes.
class PrintParameters
{
public:
    // firstIsWidth: set for the index print, clear for the final step.
    explicit PrintParameters(int formatIndex = FormatCatalogue::kDefaultIndex, bool firstIsWidth = false);

    FormatCatalogue &catalogue() { return m_catalogue; }
    const FormatCatalogue &catalogue() const { return m_catalogue; }

    int formatIndex() const { return m_index; }
    const OutputFormat &format() const { return m_catalogue.at(m_index); }
    // Changes the format when the index is in 0..50; false otherwise.
    bool setFormatIndex(int index);

    // Whether the output width is the format's first length.
    bool firstIsWidth() const { return m_firstIsWidth; }
    void setFirstIsWidth(bool set) { m_firstIsWidth = set; }
    void toggleOrientation() { m_firstIsWidth = !m_firstIsWidth; }
    // A loaded image decides the orientation of paper formats: portrait
    // output for an image at least as high as wide. Pixel formats keep it.
    void orientForImage(QSize image);

    bool photolab() const { return m_photolab; }
    void setPhotolab(bool on) { m_photolab = on; }

    QString dpiText() const { return m_dpiText; }
    void setDpiText(const QString &text) { m_dpiText = text; }

    // The resolution every length of the dialog is converted at and that is
    // written into output files: 75 for pixel formats, else the resolution
    // field, with 300 for 0 (and for a negative or missing number), at most
    // PrintLimits::kMaxDpi.
    int effectiveDpi() const;
    // The resolution as asked for: the field's number (300 for 0 or none),
    // before the bound of PrintLimits::kMaxDpi.
    int requestedDpi() const;

    // Width and height lengths, corrections included (cm or pixels).
    QSizeF outputLengths() const;
    QSize outputSize() const;
    // The read-only size field's text.
    QString sizeText() const;

    // When the output asked for is larger than the largest picture the
    // program makes (PrintLimits), or the resolution higher than it writes,
    // outputSize() is a reduced size: this says so, and what fits instead.
    struct SizeLimit
    {
        bool exceeded = false;
        qint64 requestedWidth = 0; // at the requested resolution
        qint64 requestedHeight = 0;
        int requestedDpi = 0;
        int fittingDpi = 0; // paper formats: the highest resolution that fits; 0 for pixel formats
        QSize fitting;      // the output at fittingDpi, or the reduced pixel size
    };
    SizeLimit sizeLimit() const;
    // The question put to the user before such an output is made: what was
    // asked for, the limit, and the largest size that fits, offered at its
    // resolution. Empty when the limit is not exceeded.
    QString sizeLimitQuestion() const;
    // The same as a statement, for where nobody can be asked.
    QString sizeLimitMessage() const;

    // A typed length in pixels at the effective resolution.
    int toPixels(const QString &length, std::optional<LengthUnit> unit) const;

    // The size dialog for a custom entry: its caption and the current size
    // to start from. Empty for other entries.
    struct CustomSizePrompt
    {
        QString caption;
        QString width;
        QString height;
    };
    CustomSizePrompt customSizePrompt() const;

    // Stores an accepted size in the current custom entry so that the
    // output has that width and height in the current orientation: pixels
    // as whole numbers, cm as typed, inches converted to cm. False (nothing
    // stored) when the check refused it or the format is not custom.
    bool applyCustomSize(const CustomSizeCheck &check);

private:
    FormatCatalogue m_catalogue;
    int m_index = FormatCatalogue::kDefaultIndex;
    bool m_firstIsWidth = false;
    bool m_photolab = true;
    QString m_dpiText = QStringLiteral("300");
};

} // namespace quorvel
