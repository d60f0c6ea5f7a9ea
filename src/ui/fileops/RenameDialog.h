#pragma once

#include <QDialog>

class QLineEdit;

namespace quorvel {

// "Rename file": the name without its extension in an edit box; the
// extension is kept as it was. Ok checks the new name and stays open when it
// is empty or taken; an unchanged name closes the dialog as cancelled.
class RenameDialog : public QDialog
{
    Q_OBJECT
public:
    RenameDialog(const QString &folder, const QString &oldName, QWidget *parent = nullptr);

    // The accepted name, extension included.
    QString newName() const { return m_newName; }
    QLineEdit *edit() const { return m_edit; }

public Q_SLOTS:
    void onOk();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString m_folder;
    QString m_oldName;
    QString m_newName;
    QLineEdit *m_edit = nullptr;
};

} // namespace quorvel
