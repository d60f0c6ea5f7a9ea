#pragma once

#include "core/print/CustomSizeCheck.h"
#include "core/print/FramePreview.h"
#include "core/print/PrintFrame.h"
#include "core/print/PrintLayout.h"
#include "core/print/PrintParameters.h"

#include <QImage>
#include <QStringList>

#include <optional>

namespace quorvel {

// The final step of the prepare-file wizard without its widgets: the
// selected files and the current one, its image, the format side
// (parameters), the frame over the image and the preview's zoom, and the
// drawing values (border, caption, colours). Changes of format, custom size,
// orientation or photolab scaling give a new output size and reset the
// frame; a new resolution gives a new output size and keeps the frame (the
// proportions stay); the drawing values only change what is drawn.
class FinalStepModel
{
public:
    // The typed drawing values, as the dialog's fields hold them.
    struct Fields
    {
        QString frameWidth = QStringLiteral("0");
        std::optional<LengthUnit> frameWidthUnit = LengthUnit::Centimetres;
        QString margin = QStringLiteral("0.2");
        std::optional<LengthUnit> marginUnit = LengthUnit::Centimetres;
        QString textHeight = QStringLiteral("0.8");
        std::optional<LengthUnit> textHeightUnit = LengthUnit::Centimetres;
        QString text;
        QFont font = CaptionStyle::defaultFont();
        QColor textColour = Qt::black;
        QColor frameColour = Qt::white;
        CaptionPosition position = CaptionPosition::BottomRight;
        int interpolation = InterpolationBicubic; // "ResizeToPrint"
    };

    FinalStepModel(int formatIndex, const QStringList &files);

    // The files, the current one (0-based) and the position text
    // "File(s): %d/%d".
    const QStringList &files() const { return m_files; }
    int currentIndex() const { return m_current; }
    QString currentPath() const { return m_files.value(m_current); }
    bool hasPrevious() const { return m_current > 0; }
    bool hasNext() const { return m_current + 1 < m_files.size(); }
    // "<< " and ">>": the current file changes; the caller loads it and
    // hands the image to setImage.
    bool previous();
    bool next();
    QString positionText() const;

    // The decoded current image, or a null image when loading failed. Paper
    // formats take portrait output for an image at least as high as wide;
    // the frame is reset and the preview fits the image.
    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }
    bool hasImage() const { return !m_image.isNull(); }

    const PrintParameters &parameters() const { return m_parameters; }
    // The format list; false (nothing changes) for an index outside 0..50.
    bool setFormat(int index);
    // The size dialog's accepted values for the current custom format.
    bool applyCustomSize(const CustomSizeCheck &check);
    // "R".
    void toggleOrientation();
    void setPhotolab(bool on);
    void setDpiText(const QString &text);

    const Fields &fields() const { return m_fields; }
    void setFields(const Fields &fields);
    // "Allow to put frame outside the image".
    void setAllowOutside(bool allow) { m_frame.setAllowOutside(allow); }

    PrintFrame &frame() { return m_frame; }
    const PrintFrame &frame() const { return m_frame; }
    FramePreview &preview() { return m_preview; }
    const FramePreview &preview() const { return m_preview; }

    // Everything "Create file..." composes, in pixels.
    PrintComposition composition() const;
    // The output bitmap; null without an image.
    QImage compose() const;
    // The name the save dialog proposes.
    QString proposedFileName() const;

private:
    void outputChanged(bool resetFrame);

    QStringList m_files;
    int m_current = 0;
    QImage m_image;
    PrintParameters m_parameters;
    Fields m_fields;
    PrintFrame m_frame;
    FramePreview m_preview;
};

} // namespace quorvel
