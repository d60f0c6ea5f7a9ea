#pragma once

#include "core/fileops/VersionControl.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvel {

class PreviewBox;

// "Version control": the versions of one file kept in the repository, with
// previews of the file and of the selected version, and the buttons to
// remember, delete, restore or save a version elsewhere.
class VersionDialog : public QDialog
{
    Q_OBJECT
public:
    VersionDialog(const QString &filePath, const QString &repositoryFolder, QWidget *parent = nullptr);

    // Whether a restore or a save changed files: the file list then reads
    // its folder again.
    bool filesChanged() const { return m_control.filesChanged(); }
    VersionControl &control() { return m_control; }

    QListWidget *versionsList() const { return m_list; }
    QPushButton *rememberButton() const { return m_remember; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *restoreButton() const { return m_restore; }
    QPushButton *saveToButton() const { return m_saveTo; }
    PreviewBox *currentPreview() const { return m_currentPreview; }
    PreviewBox *versionPreview() const { return m_versionPreview; }
    bool versionLabelShown() const;

    void onRemember();
    void onDelete();
    void onRestore();
    void onSaveTo();

protected:
    // The user's part, in their own functions so that tests can answer.
    virtual void showMessage(const VersionControl::Message &message);
    virtual bool confirmDelete();
    // Restoring replaces the file: the user agrees first.
    virtual bool confirmRestore(int number);
    // The destination of "Save version to..."; empty when cancelled.
    virtual QString chooseSaveFile();

private:
    void fillList();
    void selectionChanged();
    int selectedRow() const;

    VersionControl m_control;
    QLineEdit *m_fileName = nullptr;
    QListWidget *m_list = nullptr;
    QPushButton *m_remember = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_saveTo = nullptr;
    QLabel *m_versionLabel = nullptr;
    PreviewBox *m_currentPreview = nullptr;
    PreviewBox *m_versionPreview = nullptr;
};

} // namespace quorvel
