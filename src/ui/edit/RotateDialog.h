#pragma once

#include "core/edit/ImageTransform.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;

namespace quorvel {

// "JPEG image rotate": five turns, a preview of the file as it is, and the
// name to save under (the file itself unless changed). The digit keys 1, 2,
// 3, 5 and 6 choose a turn from anywhere in the dialog except the name box,
// where they are typed. Ends with OK when the file was written.
class RotateDialog : public QDialog
{
    Q_OBJECT
public:
    explicit RotateDialog(const QString &sourcePath, QWidget *parent = nullptr);

    // False when the file could not be opened (the user was told): exec()
    // then ends at once as if cancelled.
    bool isOpen() const { return !m_preview.isNull(); }
    TransformCode transform() const { return m_transform; }
    void setTransform(TransformCode code);
    QString targetPath() const;
    QLineEdit *targetEdit() const { return m_target; }
    QAbstractButton *button(TransformCode code) const;
    const QImage &preview() const { return m_preview; }

    // Called just before the file is replaced.
    void setReleaseFile(std::function<void()> release) { m_release = std::move(release); }

    // The code a main-keyboard digit chooses, or 0 for other keys.
    static int codeForKey(int key);

    int exec() override;

public Q_SLOTS:
    // The "Rotate" button.
    void rotate();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_source;
    TransformCode m_transform = TransformCode::Rotate270;
    QImage m_preview;
    QButtonGroup *m_group = nullptr;
    QLineEdit *m_target = nullptr;
    std::function<void()> m_release;
};

} // namespace quorvel
