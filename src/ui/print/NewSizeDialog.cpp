#include "ui/print/NewSizeDialog.h"

#include "ui/edit/SaveMessages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quorvel {

NewSizeDialog::NewSizeDialog(int formatIndex, const QString &caption, const QString &width,
                             const QString &height, QWidget *parent)
    : QDialog(parent), m_format(formatIndex)
{
    setWindowTitle(caption);
    m_width = new QLineEdit(width, this);
    m_width->setObjectName(QStringLiteral("NewWidth"));
    m_height = new QLineEdit(height, this);
    m_height->setObjectName(QStringLiteral("NewHeight"));
    m_width->setMaxLength(32);
    m_height->setMaxLength(32);

    auto *form = new QFormLayout;
    form->addRow(tr("Width:"), m_width);
    form->addRow(tr("Height:"), m_height);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void NewSizeDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_width->setFocus();
    m_width->selectAll();
}

void NewSizeDialog::accept()
{
    m_check = checkFields(this, m_format, m_width, m_height);
    if (m_check.accepted)
        QDialog::accept();
}

CustomSizeCheck NewSizeDialog::checkFields(QWidget *parent, int formatIndex, QLineEdit *width, QLineEdit *height)
{
    const CustomSizeCheck check = CustomSizeCheck::validate(formatIndex, width->text(), height->text());
    width->setText(check.widthText);
    height->setText(check.heightText);
    if (!check.accepted) {
        savemessages::tell(parent, check.message, QMessageBox::Warning, tr("Warning"));
        QLineEdit *atFault = check.focus == CustomSizeCheck::Field::Height ? height : width;
        atFault->setFocus();
        atFault->selectAll();
    }
    return check;
}

} // namespace quorvel
