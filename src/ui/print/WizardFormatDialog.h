#pragma once

#include "core/print/CustomSizeCheck.h"
#include "core/print/OutputFormat.h"

#include <QDialog>
#include <QSize>

class QLabel;
class QLineEdit;
class QListWidget;

namespace quorvel {

// The wizard's second step: the output formats of the chosen kind, and a
// width and a height for the custom sizes. "Wallpaper" is the pixel custom
// size filled in with the size of the whole desktop.
class WizardFormatDialog : public QDialog
{
    Q_OBJECT
public:
    // exec() gives this when "< Back" was pressed.
    static constexpr int Back = 2;

    // format: the kind's last format; screen: the desktop's size for
    // "Wallpaper" (all screens together).
    WizardFormatDialog(OutputKind kind, int format, int defaultUnits, QSize screen, QWidget *parent = nullptr);

    // The chosen catalogue index, 0..50.
    int format() const { return m_format; }
    // The typed size after "Next >" for a custom format; empty otherwise.
    const CustomSizeCheck &customSize() const { return m_check; }

    QListWidget *list() const { return m_list; }
    QLineEdit *widthEdit() const { return m_width; }
    QLineEdit *heightEdit() const { return m_height; }
    // Whether the size fields are shown (the custom formats).
    bool showsSizeFields() const { return m_sizeShown; }

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void rowChanged(int row);
    void showSizeFields();

    QSize m_screen;
    int m_format = 0;
    bool m_sizeShown = false;
    CustomSizeCheck m_check;
    QListWidget *m_list = nullptr;
    QLabel *m_widthLabel = nullptr;
    QLabel *m_heightLabel = nullptr;
    QLineEdit *m_width = nullptr;
    QLineEdit *m_height = nullptr;
};

} // namespace quorvel
