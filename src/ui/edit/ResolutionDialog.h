#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

namespace quorvel {

// "Set image resolution": the file's stored resolution in two boxes; "Set"
// stores changed values above 1 into the file (SetFileResolution).
class ResolutionDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ResolutionDialog(const QString &path, QWidget *parent = nullptr);

    // False when the file could not be read: exec() then ends at once as
    // if cancelled.
    bool isOpen() const { return m_open; }
    bool isChanged() const { return m_changed; }
    // Whether "Set" wrote the file.
    bool wasWritten() const { return m_written; }
    QLineEdit *horizontalEdit() const { return m_horizontal; }
    QLineEdit *verticalEdit() const { return m_vertical; }

    int exec() override;
    void accept() override;

private:
    QString m_path;
    QLineEdit *m_horizontal = nullptr;
    QLineEdit *m_vertical = nullptr;
    bool m_open = false;
    bool m_changed = false;
    bool m_written = false;
};

} // namespace quorvel
