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
    m_check = CustomSizeCheck::validate(m_format, m_width->text(), m_height->text());
    m_width->setText(m_check.widthText);
    m_height->setText(m_check.heightText);
    if (!m_check.accepted) {
        savemessages::tell(this, m_check.message, QMessageBox::Warning, tr("Warning"));
        QLineEdit *atFault = m_check.focus == CustomSizeCheck::Field::Height ? m_height : m_width;
        atFault->setFocus();
        atFault->selectAll();
        return;
    }
    QDialog::accept();
}

} // namespace quorvel
