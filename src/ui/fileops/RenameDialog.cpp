#include "ui/fileops/RenameDialog.h"

#include "core/fileops/FileOperations.h"
#include "ui/fileops/Prompts.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

RenameDialog::RenameDialog(const QString &folder, const QString &oldName, QWidget *parent)
    : QDialog(parent)
    , m_folder(folder)
    , m_oldName(oldName)
{
    setObjectName(QStringLiteral("RenameDialog"));
    setWindowTitle(tr("Rename file"));
    m_edit = new QLineEdit(FileOperations::splitName(oldName).base, this);
    m_edit->setObjectName(QStringLiteral("NewNameEdit"));
    m_edit->setMinimumWidth(280);
    auto *ok = new QPushButton(tr("Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(ok, &QPushButton::clicked, this, &RenameDialog::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);
    setSizeGripEnabled(false);
}

void RenameDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_edit->setFocus();
    m_edit->selectAll();
}

void RenameDialog::onOk()
{
    QString name;
    switch (FileOperations::checkRename(m_folder, m_oldName, m_edit->text(), &name)) {
    case RenameCheck::Empty:
        Prompts::instance().tell(this, tr("Warning"), tr("File name cannot be empty"), Prompts::Icon::Warning);
        m_edit->setFocus();
        return;
    case RenameCheck::Exists:
        Prompts::instance().tell(this, tr("Warning"), tr("File with this name allready exist, cannot rename."),
                                 Prompts::Icon::Warning);
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    case RenameCheck::Unchanged:
        reject();
        return;
    case RenameCheck::Accept:
        m_newName = name;
        accept();
        return;
    }
}

} // namespace quorvel
