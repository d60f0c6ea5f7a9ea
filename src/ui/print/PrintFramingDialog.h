#pragma once

#include "core/exif/ExifFields.h"
#include "core/imaging/DecodeTypes.h"
#include "core/print/FinalStepModel.h"
#include "core/print/FrameTracker.h"
#include "ui/print/PrintParametersDialog.h"

#include <QFutureWatcher>

#include <optional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace quorvel {

class PreviewWidget;

// The last step of the prepare-file wizard: one selected photograph at a
// time in a preview, a frame in the output's proportions placed over it,
// border and caption drawn as they will come out, and "Create file..."
// writing the framed part as a new JPEG beside the photograph.
class PrintFramingDialog : public PrintParametersDialog
{
    Q_OBJECT
public:
    // files: the photographs to prepare; customSize: the size typed in the
    // wizard for a custom format.
    PrintFramingDialog(int format, const QStringList &files, const std::optional<CustomSizeCheck> &customSize,
                    QWidget *parent = nullptr);
    ~PrintFramingDialog() override;

    // Whether at least one file was written.
    bool fileCreated() const { return m_created; }

    FinalStepModel &model() { return m_model; }
    PreviewWidget *previewControl() const { return m_preview; }
    QCheckBox *allowOutsideBox() const { return m_allowOutside; }
    QToolButton *exifButton() const { return m_exifButton; }

    // Loads the current file and waits for it (tests, and the first paint).
    void loadCurrentAndWait();
    bool isLoading() const { return m_watcher.isRunning(); }

    // "Create file..." to a chosen path with a chosen quality, without the
    // save and quality dialogs. True when the file was written.
    bool createFileAt(const QString &path, int quality);

    // The text with an EXIF field of the current file appended.
    void insertExifField(int field);

    void reject() override;
    void done(int result) override;

protected:
    const PrintParameters &parameters() const override { return m_model.parameters(); }
    void setFormat(int index) override;
    void applyCustomSize(const CustomSizeCheck &check) override;
    void toggleOrientation() override;
    void setPhotolab(bool on) override;
    void setDpiText(const QString &text) override;
    void drawingChanged() override;

    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildSideControls();
    QWidget *buildPreviewBar();
    void frameChanged();
    void loadCurrent();
    void imageLoaded();
    void restoreCursor();
    void showPosition();
    void paintOverlay(QPainter &painter);
    void createFile();
    void showExifMenu();
    void chooseFrameColour();

    FinalStepModel m_model;
    PreviewWidget *m_preview = nullptr;
    FrameTracker *m_tracker = nullptr;
    QFutureWatcher<DecodeResult> m_watcher;
    ExifFields m_exif;
    bool m_created = false;
    // Only part of the current picture decodes: no file is made from it.
    bool m_damaged = false;
    bool m_firstShow = true;
    bool m_waitCursor = false;
    QColor m_frameColour = Qt::white;

    QPushButton *m_frameColourButton = nullptr;
    QButtonGroup *m_positions = nullptr;
    QToolButton *m_exifButton = nullptr;
    QCheckBox *m_allowOutside = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QLabel *m_position = nullptr;
    QPushButton *m_create = nullptr;
    QToolButton *m_dragMode = nullptr;
};

} // namespace quorvel
