#pragma once

#include "core/print/OutputFormat.h"

#include <QDialog>

class QRadioButton;

namespace quorvel {

// The wizard's first step: what the selected photographs are for. A
// click on a picture chooses its kind as well as its radio button does.
class WizardKindDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WizardKindDialog(OutputKind kind, QWidget *parent = nullptr);

    OutputKind kind() const;
    void setKind(OutputKind kind);
    QRadioButton *button(OutputKind kind) const;

private:
    QRadioButton *m_buttons[3] = {};
};

} // namespace quorvel
