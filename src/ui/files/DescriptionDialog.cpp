#include "ui/files/DescriptionDialog.h"

#include "core/files/DescriptionEdit.h"
#include "core/files/FileListModel.h"
#include "ui/files/FileListPane.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

DescriptionDialog::DescriptionDialog(const DescriptionEdit &edit, QWidget *parent)
    : QDialog(parent)
    , m_edit(edit)
{
    setObjectName(QStringLiteral("DescriptionDialog"));
    setWindowTitle(tr("Edit description"));
    m_label = new QLabel(edit.label(), this);
    m_label->setTextFormat(Qt::PlainText);
    m_text = new QLineEdit(edit.startText(), this);
    m_text->setObjectName(QStringLiteral("DescriptionEdit"));
    m_text->setMinimumWidth(360);
    m_label->setBuddy(m_text);

    auto *buttons = new QDialogButtonBox(this);
    m_save = buttons->addButton(tr("&Save"), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole);
    m_save->setDefault(true);
    connect(m_save, &QPushButton::clicked, this, [this] {
        if (m_edit.saveConfirms(text()))
            accept();
        else
            reject();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    setSizeGripEnabled(false);
}

QString DescriptionDialog::text() const
{
    return m_text->text();
}

bool DescriptionDialog::editSelected(FileListPane &pane, QWidget *parent)
{
    const int row = pane.selectedIndex();
    if (row < 0)
        return false;
    // The row's own path: a link is resolved by the store, and the label
    // names the link file.
    const QString path = pane.model()->pathAt(row);
    DescriptionEdit edit(pane.descriptions(), path);
    DescriptionDialog dialog(edit, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!edit.commit(dialog.text())) {
        if (!edit.error().isEmpty())
            QMessageBox::warning(parent, tr("Warning"), edit.error());
        return false;
    }
    pane.refreshExifRow(row, path, edit.storedText());
    return true;
}

} // namespace quorvel
