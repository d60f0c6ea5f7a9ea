#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel {

class FileListPane;
class DescriptionEdit;

// "Edit description": one line of text for one file. "Save" confirms only a
// changed text; an unchanged one ends the dialog as if cancelled, so nothing
// is written.
class DescriptionDialog : public QDialog
{
    Q_OBJECT
public:
    DescriptionDialog(const DescriptionEdit &edit, QWidget *parent = nullptr);

    QString text() const;
    QLineEdit *editor() const { return m_text; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Edits the description of the pane's first selected file: opens the
    // dialog, stores a confirmed text and shows it in the row's Description
    // cell. A failure to store it is reported in a message box. Does nothing
    // without a selection; true when a new text was stored.
    static bool editSelected(FileListPane &pane, QWidget *parent);

private:
    const DescriptionEdit &m_edit;
    QLabel *m_label = nullptr;
    QLineEdit *m_text = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace quorvel
