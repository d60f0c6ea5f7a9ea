#include "ui/exif/ExifEditDialog.h"

#include "core/exif/ExifDateTime.h"
#include "core/exif/ExifValueCheck.h"
#include "core/exif/ExifWriter.h"
#include "core/files/DescriptionStore.h"
#include "ui/edit/SaveMessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quorvel {

QString ExifEditDialog::warningText()
{
    return tr("Note: this operation may be dangerous! File will be open for writing, and the author cannot "
              "guarantee that changing EXIF data will be compatible with all camera models and on all operation "
              "systems. If you are not sure, you may cancel this operation. You also may create a backup copy "
              "of the file before this operation.");
}

ExifEditDialog::ExifEditDialog(const QString &path, const ExifFields &fields, DescriptionStore &descriptions,
                           QWidget *parent)
    : QDialog(parent)
    , m_path(path)
    , m_descriptions(descriptions)
{
    setWindowTitle(tr("Edit EXIF data"));
    auto *warning = new QLabel(warningText(), this);
    warning->setWordWrap(true);
    warning->setFrameShape(QFrame::StyledPanel);

    m_camera = new QLineEdit(this);
    m_iso = new QLineEdit(this);
    m_focal = new QLineEdit(this);
    m_aperture = new QLineEdit(this);
    m_description = new QLineEdit(this);
    m_date = new QDateEdit(this);
    m_date->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    m_date->setCalendarPopup(true);
    m_dateCheck = new QCheckBox(this);
    m_dateCheck->setToolTip(tr("Date"));

    auto *dateRow = new QHBoxLayout;
    dateRow->setContentsMargins(0, 0, 0, 0);
    dateRow->addWidget(m_dateCheck);
    dateRow->addWidget(m_date, 1);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Camera:"), this), 0, 0);
    grid->addWidget(m_camera, 0, 1);
    grid->addWidget(new QLabel(tr("ISO:"), this), 0, 2);
    grid->addWidget(m_iso, 0, 3);
    grid->addWidget(new QLabel(tr("Focal length:"), this), 1, 0);
    grid->addWidget(m_focal, 1, 1);
    grid->addWidget(new QLabel(tr("Date:"), this), 1, 2);
    grid->addLayout(dateRow, 1, 3);
    grid->addWidget(new QLabel(tr("Aperture:"), this), 2, 0);
    grid->addWidget(m_aperture, 2, 1);
    grid->addWidget(new QLabel(tr("Description:"), this), 3, 0);
    grid->addWidget(m_description, 3, 1, 1, 2);
    grid->addWidget(new QLabel(tr("(stored in descript.ion file)"), this), 3, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto *saveButton = new QPushButton(tr("Save"), this);
    saveButton->setDefault(true);
    auto *cancelButton = new QPushButton(tr("Cancel"), this);
    connect(saveButton, &QPushButton::clicked, this, &ExifEditDialog::save);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(warning);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(640, sizeHint().height());

    // Fill the boxes; filling does not count as a change.
    m_initial = ExifEditRules::textsOf(fields);
    m_camera->setText(m_initial.camera);
    m_iso->setText(m_initial.iso);
    m_focal->setText(m_initial.focal);
    m_aperture->setText(m_initial.aperture);
    DescriptionStore fresh;
    fresh.load(DescriptionStore::fileInFolder(QFileInfo(path).absolutePath()));
    m_initialDescription = fresh.get(path);
    m_description->setText(m_initialDescription);
    DateTimeRecord record;
    const bool dated = parseExifDateTime(fields.dateTimeOriginal, record);
    const QDate date(record.year, record.month, record.day);
    if (dated && date.isValid()) {
        m_initialDate = date;
        m_time = QTime(record.hour, record.minute, record.second);
        m_date->setDate(date);
    } else {
        m_date->setDate(QDate::currentDate());
    }
    m_dateCheck->setChecked(m_initialDate.isValid());
    m_date->setEnabled(m_initialDate.isValid());

    for (QLineEdit *edit : {m_camera, m_iso, m_focal, m_aperture})
        connect(edit, &QLineEdit::textChanged, this, [this] { m_exifChanged = true; });
    connect(m_date, &QDateEdit::dateChanged, this, [this] { m_exifChanged = true; });
    connect(m_dateCheck, &QCheckBox::toggled, this, [this](bool on) {
        m_date->setEnabled(on);
        m_exifChanged = true;
    });
    connect(m_description, &QLineEdit::textChanged, this, [this] { m_descriptionChanged = true; });
}

QString ExifEditDialog::description() const
{
    return m_description->text();
}

void ExifEditDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_focusPending) {
        m_focusPending = false;
        QTimer::singleShot(0, m_camera, [this] { m_camera->setFocus(); });
    }
}

int ExifEditDialog::changedFields() const
{
    int which = 0;
    if (m_camera->text() != m_initial.camera)
        which |= WriteModel;
    if (m_iso->text() != m_initial.iso)
        which |= WriteIso;
    if (m_focal->text() != m_initial.focal)
        which |= WriteFocalLength;
    if (m_aperture->text() != m_initial.aperture)
        which |= WriteFNumber;
    const QDate now = m_dateCheck->isChecked() ? m_date->date() : QDate();
    if (now != m_initialDate)
        which |= WriteDate;
    return which;
}

void ExifEditDialog::focusField(int field)
{
    switch (field) {
    case WriteModel: m_camera->setFocus(); break;
    case WriteIso: m_iso->setFocus(); break;
    case WriteFocalLength: m_focal->setFocus(); break;
    case WriteFNumber: m_aperture->setFocus(); break;
    case WriteDate: m_date->setFocus(); break;
    default: break;
    }
}

void ExifEditDialog::save()
{
    if (!m_exifChanged && !m_descriptionChanged) {
        reject();
        return;
    }
    bool stored = false;
    if (m_exifChanged) {
        const auto iso = ExifEditRules::checkIso(m_iso->text());
        if (iso != ExifEditRules::IsoCheck::Ok) {
            savemessages::tell(this, ExifEditRules::isoMessage(iso), QMessageBox::Information);
            m_iso->setFocus();
            return;
        }
        const ExifEditRules::Texts texts{m_camera->text(), m_iso->text(), m_focal->text(), m_aperture->text()};
        const QDate date = m_dateCheck->isChecked() ? m_date->date() : QDate();
        const ExifFields fields = ExifEditRules::fieldsFrom(texts, date, m_time);
        const int which = changedFields();
        const ExifValueCheck::Result values = ExifValueCheck::check(fields, which);
        if (!values.ok()) {
            savemessages::tell(this, values.message, QMessageBox::Information);
            focusField(values.field);
            return;
        }
        if (m_release)
            m_release();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const ExifWriteResult result = writeExifFields(m_path, fields, which);
        QApplication::restoreOverrideCursor();
        stored = result.ok();
        if (!result.ok()) {
            const bool information = result.status == ExifWriteResult::CannotOpen
                || result.status == ExifWriteResult::NotSupported;
            savemessages::tell(this, result.message(),
                               information ? QMessageBox::Information : QMessageBox::Warning);
        }
    }
    if (m_descriptionChanged && description() != m_initialDescription) {
        if (m_descriptions.setDescription(m_path, description()))
            stored = true;
        else
            savemessages::tell(this, m_descriptions.lastError(), QMessageBox::Warning);
    }
    if (stored)
        accept();
    else
        reject();
}

} // namespace quorvel
