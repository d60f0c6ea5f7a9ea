#pragma once

#include "core/print/CustomSizeCheck.h"
#include "core/print/PrintParameters.h"

#include <QColor>
#include <QDialog>
#include <QFont>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace quorvel {

class LengthField;

// What the final step of the wizard and the index print have in common: the
// format list with the size text, the resolution, photolab field scaling,
// "R" for the orientation, the frame width, the text margin, the text with
// its height, font and colour. The lengths, the resolution and the text are
// read from the settings when the dialog opens and written back when it
// closes.
class PrintParametersDialog : public QDialog
{
    Q_OBJECT
public:
    // formatCount: the list holds catalogue entries 0..formatCount-1; the
    // final step lists them all, custom sizes included, the index print only
    // the paper formats.
    PrintParametersDialog(int startFormat, int formatCount, QWidget *parent = nullptr);

    QComboBox *formatList() const { return m_formatList; }
    QLineEdit *dpiEdit() const { return m_dpi; }
    QCheckBox *photolabBox() const { return m_photolab; }
    QToolButton *rotateButton() const { return m_rotate; }
    LengthField *frameWidthField() const { return m_frameWidth; }
    LengthField *marginField() const { return m_margin; }
    LengthField *textHeightField() const { return m_textHeight; }
    QLineEdit *textEdit() const { return m_text; }
    QLabel *sizeLabel() const { return m_sizeText; }

    QFont textFont() const { return m_font; }
    QColor textColour() const { return m_textColour; }

    // The format chosen in the list: a custom entry asks for its size
    // first. Public so that a test can choose without a mouse.
    void chooseFormat(int row);

    void done(int result) override;
    // No button of these dialogs is a default button: Enter in one of the
    // many text fields must not press one (it opened the font dialog).
    void setVisible(bool visible) override;

protected:
    // The format side the dialog shows.
    virtual const PrintParameters &parameters() const = 0;
    // The changes the fields ask for; the derived dialog applies them and
    // redraws.
    virtual void setFormat(int index) = 0;
    virtual void applyCustomSize(const CustomSizeCheck &check) = 0;
    virtual void toggleOrientation() = 0;
    virtual void setPhotolab(bool on) = 0;
    virtual void setDpiText(const QString &text) = 0;
    // Frame width, margin, text, text height, font or colours changed.
    virtual void drawingChanged() = 0;

    // Where the derived dialog adds its own controls, below the common ones.
    QGridLayout *controls() const { return m_grid; }
    // The label in front of the margin field, for a dialog that words it
    // differently.
    QLabel *marginLabel() const { return m_marginLabel; }
    // The read-only size field follows the format side.
    void updateSizeText();
    // The list row of a catalogue index; -1 when not listed.
    int rowOf(int index) const;

    // The text colour and its button's swatch.
    void setTextColour(const QColor &colour);

    // Before an output is made: when the format asks for more than the
    // largest picture the program makes, says so and offers the largest size
    // that fits; Yes puts its resolution into the field. False when the user
    // declines or nothing fits.
    bool confirmOutputSize();

private:
    void chooseFont();
    void chooseTextColour();
    void storeSettings() const;

    QGridLayout *m_grid = nullptr;
    QComboBox *m_formatList = nullptr;
    QLineEdit *m_dpi = nullptr;
    QCheckBox *m_photolab = nullptr;
    QToolButton *m_rotate = nullptr;
    LengthField *m_frameWidth = nullptr;
    LengthField *m_margin = nullptr;
    LengthField *m_textHeight = nullptr;
    QLineEdit *m_text = nullptr;
    QPushButton *m_fontButton = nullptr;
    QPushButton *m_textColourButton = nullptr;
    QLabel *m_sizeText = nullptr;
    QLabel *m_marginLabel = nullptr;
    QFont m_font;
    QColor m_textColour = Qt::black;
    bool m_stored = false;
};

} // namespace quorvel
