#include "ui/print/WizardKindDialog.h"

#include "ui/print/KindPicture.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel {

WizardKindDialog::WizardKindDialog(OutputKind kind, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Prepare file wizard, step 1/3"));
    setObjectName(QStringLiteral("WizardStep1"));
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    const QString texts[3] = {tr("prepare to &print"), tr("publish on &web or make wallpaper"),
                              tr("put on &mobile phone or PDA")};
    for (int i = 0; i < 3; ++i) {
        const OutputKind k = OutputKind(i);
        auto *picture = new KindPicture(k, this);
        m_buttons[i] = new QRadioButton(texts[i], this);
        grid->addWidget(picture, i, 0);
        grid->addWidget(m_buttons[i], i, 1);
        connect(picture, &KindPicture::clicked, this, [this, k] { setKind(k); });
    }
    setKind(kind);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("Next >"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("You want to..."), this));
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

OutputKind WizardKindDialog::kind() const
{
    for (int i = 0; i < 3; ++i) {
        if (m_buttons[i]->isChecked())
            return OutputKind(i);
    }
    return OutputKind::Print;
}

void WizardKindDialog::setKind(OutputKind kind)
{
    const int i = int(kind);
    m_buttons[(i >= 0 && i < 3) ? i : 0]->setChecked(true);
}

QRadioButton *WizardKindDialog::button(OutputKind kind) const
{
    const int i = int(kind);
    return (i >= 0 && i < 3) ? m_buttons[i] : nullptr;
}

} // namespace quorvel
