#pragma once

#include "core/edit/ImageEditSession.h"
#include "core/edit/SelectionTracker.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class QAbstractButton;
class QLineEdit;

namespace quorvel {

class PreviewWidget;

// "Quorvel - image edit": one image file cropped, cleared of red eyes or
// given a tone curve, in memory until "&Save and close" (or the question on
// closing) writes it through the save rules. The picture is shown in the
// preview control with a free selection rectangle.
class ImageEditWindow : public QDialog
{
    Q_OBJECT
public:
    using Mode = ImageEditSession::Mode;

    // Decodes the file under the wait cursor.
    ImageEditWindow(const QString &sourcePath, Mode mode, QWidget *parent = nullptr);
    ~ImageEditWindow() override;

    // Whether the window can run at all. When not, exec() ends at once as if
    // cancelled, telling the user when the format cannot be saved back.
    bool isEditable() const { return m_session->state() == ImageEditSession::State::Editable; }
    // Whether a file was written: the list and the view must refresh.
    bool isSaved() const { return m_session->isSaved(); }

    ImageEditSession &session() { return *m_session; }
    PreviewWidget *view() const { return m_view; }
    QLineEdit *targetEdit() const { return m_target; }
    // The file to save to: the field's text, a relative name taken beside
    // the source; the source itself (so that replacing it is asked) when the
    // field is empty or names the source another way.
    QString targetPath() const;
    QAbstractButton *modeButton(Mode mode) const;

    // Called just before a file is written, so that nothing holds it.
    void setReleaseFile(std::function<void()> release) { m_release = std::move(release); }

    int exec() override;
    // Cancel or closing: asks to save a modified image first.
    void reject() override;

public Q_SLOTS:
    void setMode(Mode mode);
    // "Apply": crop, red-eye dialog or curves dialog, by the mode.
    void apply();
    // "&Save and close": a pending crop first, then the closing question.
    void saveAndClose();

protected:
    // Runs one of the window's own dialogs (the red-eye and curves dialogs).
    virtual int runDialog(QDialog &dialog);
    // The JPEG quality for a save.
    virtual int chooseQuality();

    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void applyCurves();
    void applyRedEye();
    bool saveOnClosing();
    void paintSelection(QPainter &painter) const;

    std::unique_ptr<ImageEditSession> m_session;
    std::unique_ptr<SelectionTracker> m_tracker;
    PreviewWidget *m_view = nullptr;
    QLineEdit *m_target = nullptr;
    QAbstractButton *m_modeButtons[3] = {};
    std::function<void()> m_release;
    bool m_shown = false;
};

} // namespace quorvel
