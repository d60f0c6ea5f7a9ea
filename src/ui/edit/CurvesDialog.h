#pragma once

#include "core/edit/CurvesAdjustment.h"

#include <QDialog>
#include <QImage>

#include <functional>

class QAbstractButton;
class QCheckBox;
class QComboBox;

namespace quorvel {

// "Image adjustment": a tone curve chosen from the presets, drawn in the
// dialog and previewed in the edit window's view. OK changes the edited
// image and ends accepted when a preset was chosen or "Reset" pressed;
// otherwise the dialog ends as cancelled and the image is left alone.
class CurvesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CurvesDialog(QImage &edited, QWidget *parent = nullptr);

    // Where the preview goes: the working copy while "Preview" is ticked,
    // else the edited image.
    void setPreviewTarget(std::function<void(const QImage &)> show) { m_show = std::move(show); }

    const CurvesAdjustment &adjustment() const { return m_adjustment; }
    const QImage &workingCopy() const { return m_working; }
    QComboBox *presetList() const { return m_presets; }
    QCheckBox *previewCheck() const { return m_preview; }
    QAbstractButton *resetButton() const { return m_reset; }

    void accept() override;

private:
    void choosePreset(int row);
    void reset();
    void recompute();
    void showPreview();

    QImage &m_edited;
    QImage m_working;
    CurvesAdjustment m_adjustment;
    std::function<void(const QImage &)> m_show;
    QComboBox *m_presets = nullptr;
    QCheckBox *m_preview = nullptr;
    QAbstractButton *m_reset = nullptr;
    QWidget *m_curve = nullptr;
};

} // namespace quorvel
