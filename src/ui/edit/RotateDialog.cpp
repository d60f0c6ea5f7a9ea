#include "ui/edit/RotateDialog.h"

#include "core/imaging/DisplayEngine.h"
#include "core/imaging/ImageDecoder.h"
#include "core/settings/AppSettings.h"
#include "ui/edit/SaveMessages.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

namespace {

// The picture as the file holds it, fitted into the box with a black frame.
class PreviewBox : public QWidget
{
public:
    PreviewBox(const QImage &image, QWidget *parent)
        : QWidget(parent)
        , m_image(image)
    {
        setMinimumSize(200, 150);
    }
    void release() { m_image = QImage(); update(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect box = rect().adjusted(1, 1, -1, -1);
        if (!m_image.isNull())
            drawFitted(painter, m_image, box);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QImage m_image;
};

struct RotateButton
{
    TransformCode code;
    const char *text;
    const char *icon;
};

const RotateButton kButtons[] = {
    {TransformCode::Rotate270, QT_TRANSLATE_NOOP("quorvel::RotateDialog", "Left"), "object-rotate-left"},
    {TransformCode::Rotate180, QT_TRANSLATE_NOOP("quorvel::RotateDialog", "180"), nullptr},
    {TransformCode::Rotate90, QT_TRANSLATE_NOOP("quorvel::RotateDialog", "Right"), "object-rotate-right"},
    {TransformCode::FlipHorizontal, QT_TRANSLATE_NOOP("quorvel::RotateDialog", "Hor"), "object-flip-horizontal"},
    {TransformCode::FlipVertical, QT_TRANSLATE_NOOP("quorvel::RotateDialog", "Ver"), "object-flip-vertical"},
};

} // namespace

int RotateDialog::codeForKey(int key)
{
    switch (key) {
    case Qt::Key_1: return int(TransformCode::Rotate270);
    case Qt::Key_2: return int(TransformCode::Rotate180);
    case Qt::Key_3: return int(TransformCode::Rotate90);
    case Qt::Key_5: return int(TransformCode::FlipHorizontal);
    case Qt::Key_6: return int(TransformCode::FlipVertical);
    default: return 0;
    }
}

RotateDialog::RotateDialog(const QString &sourcePath, QWidget *parent)
    : QDialog(parent)
    , m_source(sourcePath)
{
    setWindowTitle(tr("JPEG image rotate"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DecodeOptions options;
    options.applyOrientation = globalSettings().rotateByExif != 0;
    m_preview = ImageDecoder::decodeFile(sourcePath, options).image;
    QApplication::restoreOverrideCursor();

    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    auto *buttonRow = new QHBoxLayout;
    for (const RotateButton &button : kButtons) {
        auto *b = new QPushButton(tr(button.text), this);
        b->setCheckable(true);
        b->setAutoDefault(false);
        if (button.icon)
            b->setIcon(QIcon::fromTheme(QLatin1String(button.icon)));
        m_group->addButton(b, int(button.code));
        buttonRow->addWidget(b);
    }
    m_group->button(int(TransformCode::Rotate270))->setChecked(true);
    connect(m_group, &QButtonGroup::idClicked, this, [this](int id) { m_transform = TransformCode(id); });

    auto *preview = new PreviewBox(m_preview, this);
    m_target = new QLineEdit(QDir::toNativeSeparators(sourcePath), this);
    auto *rotateButton = new QPushButton(tr("Rotate"), this);
    rotateButton->setDefault(true);
    auto *cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setAutoDefault(false);
    connect(rotateButton, &QPushButton::clicked, this, [this, preview] {
        preview->release();
        rotate();
    });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *side = new QVBoxLayout;
    side->addLayout(buttonRow);
    side->addWidget(new QLabel(tr("File name for saving:"), this));
    side->addWidget(m_target);
    side->addStretch(1);
    auto *actions = new QHBoxLayout;
    actions->addStretch(1);
    actions->addWidget(rotateButton);
    actions->addWidget(cancelButton);
    side->addLayout(actions);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(preview, 1);
    layout->addLayout(side, 2);
    resize(620, 260);

    if (m_preview.isNull())
        savemessages::tell(parent, tr("Cannot open file"), QMessageBox::Warning);
}

int RotateDialog::exec()
{
    if (!isOpen())
        return QDialog::Rejected;
    return QDialog::exec();
}

QAbstractButton *RotateDialog::button(TransformCode code) const
{
    return m_group->button(int(code));
}

void RotateDialog::setTransform(TransformCode code)
{
    m_transform = code;
    if (QAbstractButton *b = button(code))
        b->setChecked(true);
}

QString RotateDialog::targetPath() const
{
    return QDir::fromNativeSeparators(m_target->text().trimmed());
}

void RotateDialog::keyPressEvent(QKeyEvent *event)
{
    // Keys the name box did not take: it keeps the digits typed into it.
    const int code = (event->modifiers() & Qt::KeypadModifier) ? 0 : codeForKey(event->key());
    if (code) {
        setTransform(TransformCode(code));
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void RotateDialog::rotate()
{
    m_preview = QImage();
    TransformQuestions questions;
    questions.replaceOriginal = [this] { return savemessages::ask(this, ImageTransform::replaceQuestion()); };
    questions.notDivisible = [this] {
        return savemessages::ask(this, ImageTransform::notDivisibleQuestion(), QMessageBox::Information);
    };
    questions.tiffWithoutExif = [this] { return savemessages::ask(this, ImageTransform::tiffQuestion()); };
    questions.releaseFile = m_release;
    const SaveResult result = ImageTransform::transformImageFile(m_source, targetPath(), m_transform, questions,
                                                                 globalSettings().rotateByExif != 0);
    if (result.ok()) {
        accept();
        return;
    }
    if (!result.message.isEmpty()) {
        const bool information = result.status == SaveResult::CannotOpen || result.status == SaveResult::NotSupported;
        savemessages::tell(this, result.message, information ? QMessageBox::Information : QMessageBox::Warning);
    }
    reject();
}

} // namespace quorvel
