#pragma once

#include "core/print/CustomSizeCheck.h"

#include <QDialog>

class QLineEdit;

namespace quorvel {

// The prompt for a custom output size: width and height in the custom
// entry's unit. OK checks them (commas become points; too small or absurd
// sizes are refused with a message and the focus goes to the field at
// fault); the accepted values are in check().
class NewSizeDialog : public QDialog
{
    Q_OBJECT
public:
    NewSizeDialog(int formatIndex, const QString &caption, const QString &width, const QString &height,
                  QWidget *parent = nullptr);

    QLineEdit *widthEdit() const { return m_width; }
    QLineEdit *heightEdit() const { return m_height; }
    const CustomSizeCheck &check() const { return m_check; }

    void accept() override;

    // Checks a width and a height field as OK does: the fields get the
    // checked texts back, and a refused size is explained in a message with
    // the focus put in the field at fault.
    static CustomSizeCheck checkFields(QWidget *parent, int formatIndex, QLineEdit *width, QLineEdit *height);

protected:
    void showEvent(QShowEvent *event) override;

private:
    int m_format;
    QLineEdit *m_width = nullptr;
    QLineEdit *m_height = nullptr;
    CustomSizeCheck m_check;
};

} // namespace quorvel
