#include "ui/imaging/ImageView.h"

#include "core/exif/ExifFormat.h"
#include "core/exif/ExifReader.h"
#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/ImageLoader.h"
#include "core/imaging/ViewStatusText.h"
#include "core/settings/AppSettings.h"
#include "ui/imaging/ProgressLineWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace quorvel {

namespace {

const QColor kBackground(127, 127, 127);

class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

ImageView::ImageView(ImageLoader &loader, QWidget *parent)
    : QWidget(parent)
    , m_loader(loader)
{
    setObjectName(QStringLiteral("ImageView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setMinimumSize(64, 64);
    setAcceptDrops(true);
    m_progressLine = new ProgressLineWidget(this);
    m_model.engine().setProgress([this](int percent) { setProgress(percent >= 100 ? -1 : percent); });
    connect(&m_loader, &ImageLoader::fullResolutionReady, this, &ImageView::showFullResolution);
    connect(&m_loader, &ImageLoader::refined, this, &ImageView::showRefined);
}

void ImageView::updateDisplayTarget()
{
    // With a locked zoom or a full-resolution treatment the whole picture is
    // needed anyway: nothing is reduced or prepared ahead.
    DisplayTarget target;
    if (!m_model.isLocked() && !m_model.engine().modes().fullResolution().isOn()) {
        target.view = deviceSize();
        target.mode = globalSettings().resizeFullScreen;
    }
    m_loader.setDisplayTarget(target);
}

void ImageView::showFullResolution()
{
    if (!m_model.hasImage() || !m_model.engine().isReduced()
        || m_loader.currentFullSize() != m_model.engine().imageSize())
        return;
    m_model.engine().setFullResolution(m_loader.currentImage());
    update();
}

void ImageView::showRefined()
{
    // Only over the draft of the same picture, not over its whole version.
    if (!m_model.hasImage() || !m_model.engine().isReduced() || m_loader.isBusy()
        || m_loader.currentFullSize() != m_model.engine().imageSize())
        return;
    m_model.engine().setRefined(m_loader.currentImage(), m_loader.currentAhead());
    update();
}

ImageView::~ImageView() = default;

QSize ImageView::deviceSize() const
{
    const qreal dpr = devicePixelRatioF();
    return QSize(qRound(width() * dpr), qRound(height() * dpr));
}

QPoint ImageView::devicePoint(const QPointF &logical) const
{
    const qreal dpr = devicePixelRatioF();
    return QPoint(qRound(logical.x() * dpr), qRound(logical.y() * dpr));
}

bool ImageView::hasImage() const
{
    return m_model.hasImage();
}

void ImageView::showFile(const QString &path)
{
    if (path == m_currentPath)
        return;
    m_currentPath = path;
    QString target = path;
    if (link::isLinkName(fileNameOf(path))) {
        const auto resolved = link::resolveLink(path);
        if (!resolved || *resolved == path) {
            // The view keeps its picture, but the status speaks of the link.
            m_unresolvedLink = true;
            refreshStatus();
            return;
        }
        target = *resolved;
    }
    m_unresolvedLink = false;
    m_currentPath = target;
    Q_EMIT statusChanged(viewStatus::loading(), QDir::toNativeSeparators(target));
    updateDisplayTarget();
    const bool served = m_loader.requestLoad(target);
    if (served)
        Q_EMIT servedFromCache();
}

void ImageView::reload()
{
    const QString path = m_currentPath;
    m_currentPath.clear();
    if (!path.isEmpty())
        showFile(path);
}

void ImageView::clear()
{
    m_loader.clearAll();
    m_model.clear();
    m_currentPath.clear();
    m_unresolvedLink = false;
    updateCursor();
    update();
    refreshStatus();
}

void ImageView::afterLoad()
{
    if (m_loader.isImagePresent()) {
        m_model.resize(deviceSize());
        // The bitmap the loader prepared ahead is used when it still fits.
        m_model.showImage(m_loader.currentImage(), m_loader.currentFullSize(), m_loader.currentAhead());
    } else {
        m_model.clear();
    }
    setProgress(-1);
    updateCursor();
    // Painted now, not when the event loop gets to it: with a key held the
    // next key press would otherwise come first and wait for its own
    // picture, and this one would never reach the screen.
    repaint();
    refreshStatus();
    Q_EMIT zoomChanged();
}

void ImageView::showPassing()
{
    if (m_loader.passingImage().isNull())
        return;
    m_model.resize(deviceSize());
    m_model.showImage(m_loader.passingImage(), m_loader.passingFullSize(), m_loader.passingAhead());
    // Painted at once for the same reason as in afterLoad().
    repaint();
}

void ImageView::showPreview()
{
    if (m_loader.previewImage().isNull())
        return;
    m_model.resize(deviceSize());
    m_model.showImage(m_loader.previewImage());
    updateCursor();
    update();
}

void ImageView::refreshStatus()
{
    if (m_unresolvedLink) {
        const QString listText = m_listText ? m_listText() : QString();
        Q_EMIT statusChanged(viewStatus::notLoaded() + listText, QDir::toNativeSeparators(m_currentPath));
        return;
    }
    if (!m_model.hasImage()) {
        Q_EMIT statusChanged(viewStatus::notLoaded(), QString());
        return;
    }
    const QString path = m_loader.currentPath();
    const int depth = ImageDecoder::pixelDepthOfFile(path);
    const QString listText = m_listText ? m_listText() : QString();
    ExifFields fields;
    readExifFields(path, fields);
    Q_EMIT statusChanged(viewStatus::facts(fileNameOf(path), m_model.engine().imageSize(), depth, listText,
                                           m_loader.isCurrentPartial()),
                         viewStatus::info(formatExifSummary(fields), m_model.zoom()));
}

void ImageView::setProgress(int percent)
{
    m_progressLine->setPercent(percent);
}

void ImageView::zoomChangedBy(bool changed)
{
    if (!changed)
        return;
    updateCursor();
    update();
    refreshStatus();
    Q_EMIT zoomChanged();
}

void ImageView::zoomIn()
{
    WaitCursor wait;
    zoomChangedBy(m_model.zoomIn());
}

void ImageView::zoomOut()
{
    WaitCursor wait;
    zoomChangedBy(m_model.zoomOut());
}

void ImageView::fitWidth()
{
    WaitCursor wait;
    zoomChangedBy(m_model.fitWidth());
}

void ImageView::fullSize()
{
    WaitCursor wait;
    zoomChangedBy(m_model.fullSize());
}

void ImageView::toggleLockZoom()
{
    m_model.toggleLock();
    Q_EMIT zoomChanged();
}

void ImageView::copyToClipboard()
{
    if (!m_model.hasImage())
        return;
    WaitCursor wait;
    // The clipboard gets the whole picture, never the first look.
    if (m_model.engine().isReduced() && !m_loader.loadFullResolutionNow())
        return;
    QGuiApplication::clipboard()->setImage(m_model.engine().imageForCopy());
}

void ImageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const qreal dpr = devicePixelRatioF();
    if (m_model.viewSize() != deviceSize())
        m_model.resize(deviceSize());
    if (m_recomputeZoom && m_model.hasImage()) {
        m_recomputeZoom = false;
        m_model.chooseZoom();
    }
    // Everything below is in device pixels: the bitmap is drawn 1:1.
    painter.scale(1 / dpr, 1 / dpr);
    // Zoomed in beyond the first look, or a treatment that works on the
    // whole picture: it is decoded behind, and shown when it is there.
    if (m_model.engine().needsFullResolution())
        m_loader.requestFullResolution();
    const QRegion background = m_model.prepareForPaint(globalSettings().resizeFullScreen);
    if (m_model.hasImage()) {
        const QImage &bitmap = m_model.engine().displayBitmap();
        if (!bitmap.isNull()) {
            painter.setClipRect(m_model.clientRect());
            painter.drawImage(m_model.engine().displayPosition(), bitmap);
            painter.setClipping(false);
        }
    }
    for (const QRect &r : background)
        painter.fillRect(r, kBackground);
}

void ImageView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_progressLine->setGeometry(0, height() - 5, width(), 1);
    updateDisplayTarget();
    if (m_model.resize(deviceSize())) {
        WaitCursor wait;
        refreshStatus();
        Q_EMIT zoomChanged();
    }
    updateCursor();
}

void ImageView::updateCursor()
{
    if (m_model.isDragging())
        setCursor(Qt::ClosedHandCursor);
    else if (m_model.canDrag())
        setCursor(Qt::OpenHandCursor);
    else
        unsetCursor();
}

void ImageView::mousePressEvent(QMouseEvent *event)
{
    setFocus();
    if (event->button() == Qt::LeftButton && m_model.beginDrag(devicePoint(event->position())))
        updateCursor();
    QWidget::mousePressEvent(event);
}

void ImageView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_model.isDragging() && m_model.dragTo(devicePoint(event->position())))
        update();
}

void ImageView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_model.endDrag();
        updateCursor();
    }
}

void ImageView::leaveEvent(QEvent *)
{
    if (m_model.isDragging()) {
        m_model.endDrag();
        updateCursor();
    }
}

void ImageView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT fullScreenRequested();
}

void ImageView::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    if (event->modifiers() & Qt::ControlModifier) {
        if (!m_loader.isBusy()) {
            if (delta > 0)
                zoomIn();
            else
                zoomOut();
        }
    } else {
        Q_EMIT stepRequested(delta > 0);
        setFocus();
    }
    event->accept();
}

void ImageView::dragEnterEvent(QDragEnterEvent *event)
{
    if (drop::requestFor(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void ImageView::dragMoveEvent(QDragMoveEvent *event)
{
    if (drop::requestFor(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ImageView::dropEvent(QDropEvent *event)
{
    const std::optional<DropRequest> request = drop::requestFor(event->mimeData());
    if (!request)
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Opened once the drag is over: the file manager is waiting.
    QMetaObject::invokeMethod(this, [this, r = *request] { Q_EMIT openRequested(r); }, Qt::QueuedConnection);
}

void ImageView::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_loader.isBusy() || !m_model.hasImage())
        return;
    Q_EMIT contextMenuRequested(event->globalPos());
}

} // namespace quorvel
