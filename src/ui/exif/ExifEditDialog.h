#pragma once

#include "core/exif/ExifEditRules.h"
#include "core/exif/ExifFields.h"

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace quorvel {

class DescriptionStore;

// "Edit EXIF data": five EXIF fields of a JPEG file and its description.
// Ends with OK when anything was stored, with Cancel otherwise. Only the
// fields the user changed are written.
class ExifEditDialog : public QDialog
{
    Q_OBJECT
public:
    // fields: as read from the file at opening. descriptions: the store the
    // description is saved through (the file list's, so it stays in step).
    ExifEditDialog(const QString &path, const ExifFields &fields, DescriptionStore &descriptions,
                 QWidget *parent = nullptr);

    // Called before the file is rewritten: the shown image lets go of it.
    void setReleaseFile(std::function<void()> release) { m_release = std::move(release); }

    bool exifChanged() const { return m_exifChanged; }
    bool descriptionChanged() const { return m_descriptionChanged; }
    QString description() const;

    QLineEdit *cameraEdit() const { return m_camera; }
    QLineEdit *isoEdit() const { return m_iso; }
    QLineEdit *focalEdit() const { return m_focal; }
    QLineEdit *apertureEdit() const { return m_aperture; }
    QLineEdit *descriptionEdit() const { return m_description; }
    QDateEdit *dateEdit() const { return m_date; }
    QCheckBox *dateCheck() const { return m_dateCheck; }

    static QString warningText();

public Q_SLOTS:
    // The "Save" button.
    void save();

protected:
    void showEvent(QShowEvent *event) override;

private:
    int changedFields() const;
    void focusField(int field);

    QString m_path;
    DescriptionStore &m_descriptions;
    ExifEditRules::Texts m_initial;
    QString m_initialDescription;
    QTime m_time;
    QDate m_initialDate;
    std::function<void()> m_release;
    QLineEdit *m_camera = nullptr;
    QLineEdit *m_iso = nullptr;
    QLineEdit *m_focal = nullptr;
    QLineEdit *m_aperture = nullptr;
    QLineEdit *m_description = nullptr;
    QDateEdit *m_date = nullptr;
    QCheckBox *m_dateCheck = nullptr;
    bool m_exifChanged = false;
    bool m_descriptionChanged = false;
    bool m_focusPending = true;
};

} // namespace quorvel
