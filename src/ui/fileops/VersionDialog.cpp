#include "ui/fileops/VersionDialog.h"

#include "core/fileops/VersionTexts.h"
#include "core/files/PathUtil.h"
#include "ui/fileops/PreviewBox.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

VersionDialog::VersionDialog(const QString &filePath, const QString &repositoryFolder, QWidget *parent)
    : QDialog(parent)
    , m_control(filePath, repositoryFolder)
{
    setWindowTitle(versiontexts::dialogCaption());
    const QFontMetrics fm(font());
    resize(351 * fm.averageCharWidth() / 4, 230 * fm.height() / 8);

    m_fileName = new QLineEdit(m_control.shownPath(), this);
    m_fileName->setReadOnly(true);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("VersionsList"));
    m_remember = new QPushButton(tr("Remember this version "), this);
    m_delete = new QPushButton(tr("Delete version"), this);
    m_restore = new QPushButton(tr("Restore version"), this);
    m_saveTo = new QPushButton(tr("Save version to..."), this);
    auto *close = new QPushButton(tr("Close"), this);
    m_currentPreview = new PreviewBox(this);
    m_versionPreview = new PreviewBox(this);
    m_versionLabel = new QLabel(tr("Version preview:"), this);
    // The previews keep their places while the label comes and goes.
    QSizePolicy keepPlace = m_versionLabel->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_versionLabel->setSizePolicy(keepPlace);

    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(tr("File name:"), this));
    left->addWidget(m_fileName);
    left->addWidget(new QLabel(tr("Versions list:"), this));
    left->addWidget(m_list, 1);
    auto *buttons = new QGridLayout;
    buttons->addWidget(m_remember, 0, 0);
    buttons->addWidget(m_delete, 0, 1);
    buttons->addWidget(m_restore, 1, 0);
    buttons->addWidget(m_saveTo, 1, 1);
    left->addLayout(buttons);

    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel(tr("Current file preview:"), this));
    right->addWidget(m_currentPreview, 1);
    right->addWidget(m_versionLabel);
    right->addWidget(m_versionPreview, 1);
    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(close);
    right->addLayout(closeRow);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);

    connect(m_remember, &QPushButton::clicked, this, &VersionDialog::onRemember);
    connect(m_delete, &QPushButton::clicked, this, &VersionDialog::onDelete);
    connect(m_restore, &QPushButton::clicked, this, &VersionDialog::onRestore);
    connect(m_saveTo, &QPushButton::clicked, this, &VersionDialog::onSaveTo);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &VersionDialog::selectionChanged);

    m_currentPreview->setFile(filePath);
    fillList();
    m_list->setFocus();
}

bool VersionDialog::versionLabelShown() const
{
    return !m_versionLabel->isHidden();
}

int VersionDialog::selectedRow() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

void VersionDialog::fillList()
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    m_control.refill();
    for (const VersionControl::Row &row : m_control.rows())
        m_list->addItem(row.text);
    selectionChanged();
}

void VersionDialog::selectionChanged()
{
    const int row = selectedRow();
    const bool version = m_control.isVersionRow(row);
    m_versionLabel->setVisible(version);
    m_versionPreview->setFile(version ? m_control.rows().at(row).file : QString());
    m_delete->setEnabled(version);
    m_restore->setEnabled(version);
    m_saveTo->setEnabled(version);
}

void VersionDialog::showMessage(const VersionControl::Message &message)
{
    if (message.isNull())
        return;
    if (message.warning)
        QMessageBox::warning(this, message.caption, message.text);
    else
        QMessageBox::information(this, message.caption, message.text);
}

bool VersionDialog::confirmDelete()
{
    return QMessageBox::question(this, versiontexts::warningCaption(), versiontexts::confirmDelete(),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

bool VersionDialog::confirmRestore(int number)
{
    return QMessageBox::question(this, versiontexts::warningCaption(),
                                 tr("The file %1 already exists.\nReplace it with version %2?")
                                     .arg(m_control.shownPath(), QString::number(number)),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

QString VersionDialog::chooseSaveFile()
{
    QFileDialog dialog(this, m_control.saveToTitle(), folderOf(m_control.filePath()), m_control.saveToFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(m_control.defaultSuffix());
    dialog.selectFile(m_control.proposedFileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

void VersionDialog::onRemember()
{
    const VersionControl::Message message = m_control.remember();
    fillList();
    showMessage(message);
}

void VersionDialog::onDelete()
{
    const int row = selectedRow();
    if (!m_control.isVersionRow(row)) {
        showMessage(m_control.nothingSelected(row));
        return;
    }
    if (confirmDelete()) {
        const VersionControl::Message message = m_control.deleteVersion(row);
        fillList();
        showMessage(message);
    }
    m_list->setFocus();
}

void VersionDialog::onRestore()
{
    const int row = selectedRow();
    if (!m_control.isVersionRow(row)) {
        showMessage(m_control.nothingSelected(row));
        return;
    }
    if (QFileInfo::exists(m_control.filePath()) && !confirmRestore(m_control.rows().at(row).number))
        return;
    const VersionControl::Message message = m_control.restore(row);
    if (!message.warning) {
        // The file changed under its preview.
        m_currentPreview->setFile(QString());
        m_currentPreview->setFile(m_control.filePath());
    }
    showMessage(message);
}

void VersionDialog::onSaveTo()
{
    const int row = selectedRow();
    if (!m_control.isVersionRow(row)) {
        showMessage(m_control.nothingSelected(row));
        return;
    }
    const QString destination = chooseSaveFile();
    if (destination.isEmpty())
        return;
    showMessage(m_control.saveTo(row, destination));
}

} // namespace quorvel
