#include "core/print/FinalStepModel.h"

#include "core/print/OutputFileNames.h"
#include "core/print/PrintComposer.h"

#include <QCoreApplication>

namespace quorvel {

FinalStepModel::FinalStepModel(int formatIndex, const QStringList &files)
    : m_parameters(formatIndex, false)
{
    for (const QString &f : files) {
        if (!f.isEmpty())
            m_files.append(f);
    }
    outputChanged(true);
    setFields(m_fields);
}

bool FinalStepModel::previous()
{
    if (!hasPrevious())
        return false;
    --m_current;
    return true;
}

bool FinalStepModel::next()
{
    if (!hasNext())
        return false;
    ++m_current;
    return true;
}

QString FinalStepModel::positionText() const
{
    return QString::asprintf(qUtf8Printable(QCoreApplication::translate("FinalStepModel", "File(s): %d/%d")),
                             m_files.isEmpty() ? 0 : m_current + 1, int(m_files.size()));
}

void FinalStepModel::setImage(const QImage &image)
{
    m_image = image;
    m_frame.setImageSize(image.size());
    if (!image.isNull())
        m_parameters.orientForImage(image.size());
    outputChanged(true);
    m_preview.setImageSize(image.size());
}

bool FinalStepModel::setFormat(int index)
{
    if (!m_parameters.setFormatIndex(index))
        return false;
    outputChanged(true);
    return true;
}

bool FinalStepModel::applyCustomSize(const CustomSizeCheck &check)
{
    const bool applied = m_parameters.applyCustomSize(check);
    outputChanged(true);
    return applied;
}

void FinalStepModel::toggleOrientation()
{
    m_parameters.toggleOrientation();
    outputChanged(true);
}

void FinalStepModel::setPhotolab(bool on)
{
    m_parameters.setPhotolab(on);
    outputChanged(true);
}

void FinalStepModel::setDpiText(const QString &text)
{
    m_parameters.setDpiText(text);
    outputChanged(false);
}

void FinalStepModel::setFields(const Fields &fields)
{
    m_fields = fields;
    m_frame.setBorder(m_parameters.toPixels(fields.frameWidth, fields.frameWidthUnit));
}

void FinalStepModel::outputChanged(bool resetFrame)
{
    m_frame.setOutputSize(m_parameters.outputSize());
    // Lengths are converted at the resolution, which may have changed too.
    m_frame.setBorder(m_parameters.toPixels(m_fields.frameWidth, m_fields.frameWidthUnit));
    if (resetFrame)
        m_frame.reset();
}

PrintComposition FinalStepModel::composition() const
{
    PrintComposition c;
    c.imageSize = m_image.size();
    c.frame = m_frame.rect();
    c.output = m_parameters.outputSize();
    c.border = m_parameters.toPixels(m_fields.frameWidth, m_fields.frameWidthUnit);
    c.frameColour = m_fields.frameColour;
    c.caption.text = m_fields.text;
    c.caption.font = m_fields.font;
    c.caption.height = m_parameters.toPixels(m_fields.textHeight, m_fields.textHeightUnit);
    c.caption.colour = m_fields.textColour;
    c.margin = m_parameters.toPixels(m_fields.margin, m_fields.marginUnit);
    c.position = m_fields.position;
    c.interpolation = m_fields.interpolation;
    c.dpi = m_parameters.effectiveDpi();
    return c;
}

QImage FinalStepModel::compose() const
{
    if (m_image.isNull())
        return QImage();
    return PrintComposer::compose(m_image, composition());
}

QString FinalStepModel::proposedFileName() const
{
    return OutputFileNames::prepared(currentPath(), m_parameters.format().key);
}

} // namespace quorvel
