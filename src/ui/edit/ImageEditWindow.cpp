#include "ui/edit/ImageEditWindow.h"

#include "core/edit/ImageTransform.h"
#include "core/settings/AppSettings.h"
#include "ui/edit/CurvesDialog.h"
#include "ui/edit/JpegQualityDialog.h"
#include "ui/edit/RedEyeDialog.h"
#include "ui/edit/SaveMessages.h"
#include "ui/print/PreviewWidget.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

namespace {

QPushButton *button(const QString &text, const QString &tip, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}

// Restores the cursor however the save ends.
struct WaitCursor
{
    bool on = false;
    void start()
    {
        if (!on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        on = true;
    }
    ~WaitCursor()
    {
        if (on)
            QApplication::restoreOverrideCursor();
    }
};

} // namespace

ImageEditWindow::ImageEditWindow(const QString &sourcePath, Mode mode, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Quorvel - image edit"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_session = std::make_unique<ImageEditSession>(sourcePath, globalSettings().rotateByExif != 0);
    QApplication::restoreOverrideCursor();
    m_session->setMode(mode);
    createControls();
    m_tracker = std::make_unique<SelectionTracker>(m_session->selection(), m_view->preview());

    PreviewWidget::Tool tool;
    tool.press = [this](QPointF at) { return m_session->mode() != Mode::Curves && m_tracker->press(at); };
    tool.move = [this](QPointF at) { m_tracker->moveTo(at); };
    tool.release = [this](QPointF at) { m_tracker->release(at); };
    tool.cursorAt = [this](QPointF at) {
        return m_session->mode() == Mode::Curves ? Qt::ArrowCursor : m_tracker->cursorAt(at);
    };
    m_view->setTool(tool);
    m_view->setOverlayPainter([this](QPainter &painter) { paintSelection(painter); });
    if (!m_session->image().isNull())
        m_view->setImage(m_session->image().pixels);
    resize(900, 650);
}

ImageEditWindow::~ImageEditWindow() = default;

void ImageEditWindow::createControls()
{
    auto *modeBox = new QGroupBox(tr("Mode"), this);
    auto *modes = new QButtonGroup(this);
    auto *crop = button(tr("Crop"), tr("Crop image"), modeBox);
    auto *eye = button(tr("Eye"), QString(), modeBox);
    auto *curves = button(tr("Crvs"), tr("Adjust brightness, contrast, etc"), modeBox);
    m_modeButtons[int(Mode::Crop)] = crop;
    m_modeButtons[int(Mode::RedEye)] = eye;
    m_modeButtons[int(Mode::Curves)] = curves;
    auto *modeRow = new QHBoxLayout(modeBox);
    for (QPushButton *b : {crop, eye, curves}) {
        b->setCheckable(true);
        modes->addButton(b);
        modeRow->addWidget(b);
    }
    m_modeButtons[int(m_session->mode())]->setChecked(true);
    connect(crop, &QPushButton::clicked, this, [this] { setMode(Mode::Crop); });
    connect(eye, &QPushButton::clicked, this, [this] { setMode(Mode::RedEye); });
    connect(curves, &QPushButton::clicked, this, [this] {
        setMode(Mode::Curves);
        apply();
    });

    auto *applyButton = button(tr("Apply"), QString(), this);
    connect(applyButton, &QPushButton::clicked, this, &ImageEditWindow::apply);

    m_view = new PreviewWidget(this);
    auto *zoomIn = button(tr("+"), tr("Zoom in"), this);
    auto *zoomOut = button(tr("-"), tr("Zoom out"), this);
    auto *fit = button(tr("Fit"), tr("Fit image to window"), this);
    auto *drag = button(tr("Move"), tr("Switch to drag picture mode"), this);
    drag->setCheckable(true);
    connect(zoomIn, &QPushButton::clicked, m_view, &PreviewWidget::zoomIn);
    connect(zoomOut, &QPushButton::clicked, m_view, &PreviewWidget::zoomOut);
    connect(fit, &QPushButton::clicked, m_view, &PreviewWidget::fit);
    connect(drag, &QPushButton::toggled, m_view, &PreviewWidget::setDragMode);
    auto *zoomRow = new QGridLayout;
    zoomRow->addWidget(zoomIn, 0, 0);
    zoomRow->addWidget(zoomOut, 0, 1);
    zoomRow->addWidget(fit, 1, 0);
    zoomRow->addWidget(drag, 1, 1);

    m_target = new QLineEdit(QDir::toNativeSeparators(m_session->initialTarget()), this);
    m_target->setObjectName(QStringLiteral("TargetName"));
    auto *save = button(tr("&Save and close"), QString(), this);
    connect(save, &QPushButton::clicked, this, &ImageEditWindow::saveAndClose);

    auto *side = new QVBoxLayout;
    side->addWidget(modeBox);
    side->addWidget(applyButton);
    side->addSpacing(12);
    side->addLayout(zoomRow);
    side->addSpacing(12);
    side->addWidget(new QLabel(tr("File name for saving:"), this));
    side->addWidget(m_target);
    side->addStretch(1);
    side->addWidget(save);

    auto *sideWidget = new QWidget(this);
    sideWidget->setLayout(side);
    sideWidget->setFixedWidth(220);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(sideWidget);
    layout->addWidget(m_view, 1);
}

QString ImageEditWindow::targetPath() const
{
    const QString source = m_session->source();
    const QString typed = QDir::fromNativeSeparators(m_target->text().trimmed());
    // An emptied field means the file itself; a bare name is a file beside
    // it, not one in whatever folder the program was started from.
    if (typed.isEmpty())
        return source;
    const QFileInfo sourceInfo(source);
    const QString path = QDir::cleanPath(QFileInfo(sourceInfo.dir(), typed).absoluteFilePath());
    // Another spelling of the source still replaces the original, so it
    // still asks first.
    if (path == QDir::cleanPath(sourceInfo.absoluteFilePath()) || QFileInfo(path) == sourceInfo)
        return source;
    return path;
}

QAbstractButton *ImageEditWindow::modeButton(Mode mode) const
{
    return m_modeButtons[int(mode)];
}

int ImageEditWindow::exec()
{
    switch (m_session->state()) {
    case ImageEditSession::State::NotOpened:
        return QDialog::Rejected;
    case ImageEditSession::State::NotSupported:
        savemessages::tell(parentWidget(), ImageEditSession::notSupportedMessage(), QMessageBox::Information);
        return QDialog::Rejected;
    case ImageEditSession::State::Damaged:
        savemessages::tell(parentWidget(), ImageEditSession::damagedMessage(), QMessageBox::Warning);
        return QDialog::Rejected;
    case ImageEditSession::State::Editable:
        break;
    }
    return QDialog::exec();
}

void ImageEditWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // The picture is fitted to the view's size as laid out, and the
    // adjustment mode goes straight to its dialog once the window is up.
    m_view->fit();
    if (m_session->mode() == Mode::Curves)
        QMetaObject::invokeMethod(this, &ImageEditWindow::apply, Qt::QueuedConnection);
}

void ImageEditWindow::setMode(Mode mode)
{
    m_tracker->cancel();
    m_session->setMode(mode);
    if (QAbstractButton *b = modeButton(mode))
        b->setChecked(true);
    m_view->update();
}

void ImageEditWindow::apply()
{
    if (!isEditable())
        return;
    switch (m_session->mode()) {
    case Mode::Crop:
        if (m_session->applyCrop())
            m_view->setImage(m_session->image().pixels);
        break;
    case Mode::RedEye:
        applyRedEye();
        break;
    case Mode::Curves:
        applyCurves();
        break;
    }
}

void ImageEditWindow::applyRedEye()
{
    const QImage area = m_session->selectedArea();
    if (area.isNull())
        return;
    RedEyeDialog dialog(area, this);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_session->applyRedEye(dialog.limit());
    QApplication::restoreOverrideCursor();
    m_view->replacePixels(m_session->image().pixels);
}

void ImageEditWindow::applyCurves()
{
    CurvesDialog dialog(m_session->pixels(), this);
    dialog.setPreviewTarget([this](const QImage &picture) { m_view->replacePixels(picture); });
    // Over the buttons rather than centred over the picture it previews.
    dialog.move(mapToGlobal(QPoint(8, 8)));
    const bool changed = runDialog(dialog) == QDialog::Accepted;
    m_view->replacePixels(m_session->image().pixels);
    if (changed)
        m_session->markModified();
}

void ImageEditWindow::saveAndClose()
{
    if (m_session->mode() == Mode::Crop)
        apply();
    reject();
}

void ImageEditWindow::reject()
{
    if (m_session->isModified()) {
        switch (savemessages::askYesNoCancel(this, ImageEditSession::closeQuestion())) {
        case QMessageBox::Yes:
            if (!saveOnClosing())
                return;
            break;
        case QMessageBox::No:
            break;
        default:
            return;
        }
    }
    QDialog::reject();
}

// Saves on closing; false keeps the window open, with the changes, when the
// picture did not reach the disk.
bool ImageEditWindow::saveOnClosing()
{
    WaitCursor wait;
    const auto beforeWriting = [this, &wait] {
        if (m_release)
            m_release();
        wait.start();
    };
    SaveQuestions questions;
    questions.replaceOriginal = [this] { return savemessages::ask(this, ImageTransform::replaceQuestion()); };
    questions.jpegQuality = [this, beforeWriting] {
        const int quality = chooseQuality();
        beforeWriting();
        return quality;
    };
    questions.tiffWithoutExif = [this, beforeWriting] {
        const bool yes = savemessages::ask(this, ImageTransform::tiffQuestion());
        if (yes)
            beforeWriting();
        return yes;
    };
    const SaveResult result = m_session->save(targetPath(), questions);
    if (wait.on) {
        QApplication::restoreOverrideCursor();
        wait.on = false;
    }
    switch (result.status) {
    case SaveResult::Done:
    case SaveResult::Declined:
        break;
    case SaveResult::SavedAside:
        savemessages::tell(this, result.message, QMessageBox::NoIcon, QCoreApplication::applicationName());
        break;
    case SaveResult::NotSupported:
    case SaveResult::CannotOpen:
        savemessages::tell(this, result.message, QMessageBox::Information);
        break;
    case SaveResult::Failed:
    case SaveResult::Damaged:
        savemessages::tell(this, result.message, QMessageBox::Warning);
        break;
    }
    return ImageEditSession::closesAfter(result);
}

int ImageEditWindow::runDialog(QDialog &dialog)
{
    return dialog.exec();
}

int ImageEditWindow::chooseQuality()
{
    return JpegQualityDialog::choose(this);
}

void ImageEditWindow::paintSelection(QPainter &painter) const
{
    if (m_session->mode() == Mode::Curves)
        return;
    const QRectF r = m_tracker->viewRect();
    if (r.isEmpty())
        return;
    // Through the outermost pixels of the rectangle, dotted over a light
    // line so that it shows on dark and bright pictures alike.
    const QRect outline(QPoint(qRound(r.left()), qRound(r.top())), QPoint(qRound(r.right()) - 1, qRound(r.bottom()) - 1));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawRect(outline);
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.drawRect(outline);
    using Handle = SelectionTracker::Handle;
    for (Handle h : {Handle::TopLeft, Handle::TopRight, Handle::BottomRight, Handle::BottomLeft, Handle::Top,
                     Handle::Right, Handle::Bottom, Handle::Left})
        painter.fillRect(m_tracker->handleRect(h), Qt::black);
}

} // namespace quorvel
