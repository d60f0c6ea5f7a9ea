#include "ui/edit/ResolutionDialog.h"

#include "core/common/Rounding.h"
#include "core/edit/FileResolution.h"
#include "ui/edit/SaveMessages.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quorvel {

ResolutionDialog::ResolutionDialog(const QString &path, QWidget *parent)
    : QDialog(parent)
    , m_path(path)
{
    setWindowTitle(tr("Set image resolution"));
    m_horizontal = new QLineEdit(this);
    m_vertical = new QLineEdit(this);
    // The boxes hold dots per inch; each says so after it.
    const auto withUnit = [this](QLineEdit *edit) {
        auto *row = new QHBoxLayout;
        row->addWidget(edit, 1);
        row->addWidget(new QLabel(tr("dpi"), this));
        return row;
    };
    auto *form = new QFormLayout;
    form->addRow(tr("Horizontal:"), withUnit(m_horizontal));
    form->addRow(tr("Vertical:"), withUnit(m_vertical));
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("Set"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    if (const auto dpi = FileResolution::read(path)) {
        m_open = true;
        m_horizontal->setText(QString::number(roundHalfDown(dpi->width())));
        m_vertical->setText(QString::number(roundHalfDown(dpi->height())));
    }
    for (QLineEdit *edit : {m_horizontal, m_vertical})
        connect(edit, &QLineEdit::textChanged, this, [this] { m_changed = true; });
}

int ResolutionDialog::exec()
{
    if (!m_open)
        return QDialog::Rejected;
    return QDialog::exec();
}

void ResolutionDialog::accept()
{
    if (m_changed) {
        bool okH = false, okV = false;
        const int h = m_horizontal->text().trimmed().toInt(&okH);
        const int v = m_vertical->text().trimmed().toInt(&okV);
        // Values of 1 or less, or text that is no number, change nothing.
        if (okH && okV && FileResolution::isStorable(h) && FileResolution::isStorable(v)) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            const SaveResult result = FileResolution::write(m_path, h, v);
            QApplication::restoreOverrideCursor();
            m_written = result.ok();
            if (result.status == SaveResult::NotSupported)
                savemessages::tell(this, result.message, QMessageBox::Information);
            else if (!result.ok())
                savemessages::tell(this, result.message, QMessageBox::Warning);
        }
    }
    QDialog::accept();
}

} // namespace quorvel
