#pragma once

#include "core/files/DropRequest.h"
#include "core/imaging/ImageViewModel.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace quorvel {

class ImageLoader;
class ProgressLineWidget;

// The image view in the middle of the main window: the current image at a
// zoom, panned by dragging, the wheel to step through the list, and the
// image's facts in the status bar. Works in device pixels, so a HiDPI screen
// shows the picture without a second scaling.
class ImageView : public QWidget
{
    Q_OBJECT
public:
    explicit ImageView(ImageLoader &loader, QWidget *parent = nullptr);
    ~ImageView() override;

    // Shows a listed file: links are resolved (a link that does not resolve
    // leaves the view as it is); the loader serves it from its cache at once
    // or loads it in the background.
    void showFile(const QString &path);
    // Forgets the shown file and shows it again (after it changed on disk).
    void reload();
    // Shows nothing.
    void clear();
    // After the loader finished (or served from its cache): the new image
    // at its chosen zoom.
    void afterLoad();
    // The loader's preview of the camera raw file being loaded: shown until
    // afterLoad() brings the whole picture; the progress line runs on.
    void showPreview();
    // A picture the keys have passed, shown until the newest one is loaded.
    void showPassing();
    QString currentPath() const { return m_currentPath; }

    bool hasImage() const;
    float zoom() const { return m_model.zoom(); }
    bool isLocked() const { return m_model.isLocked(); }
    ImageViewModel &model() { return m_model; }

    // The zoom commands; each repaints and refreshes the status.
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void fullSize();
    void toggleLockZoom();
    void copyToClipboard();
    // The wizards ask for the zoom to be chosen again at the next paint.
    void markZoomRecompute() { m_recomputeZoom = true; update(); }

    // The status bar's two panes for the current state.
    void refreshStatus();
    // The raw decoder's progress (-1 hides the line).
    void setProgress(int percent);
    // Where the file list's position and size text comes from.
    void setListTextProvider(std::function<QString()> provider) { m_listText = std::move(provider); }

Q_SIGNALS:
    // The loader served the file from its cache: the load is done.
    void servedFromCache();
    void statusChanged(const QString &facts, const QString &info);
    // The wheel asks for the previous (true) or next file.
    void stepRequested(bool previous);
    void fullScreenRequested();
    void contextMenuRequested(const QPoint &globalPos);
    void zoomChanged();
    // A file manager dropped a folder or a picture on the view.
    void openRequested(const quorvel::DropRequest &request);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Tells the loader what pictures are shown in, for reduced decodes and
    // display bitmaps prepared ahead.
    void updateDisplayTarget();
    // The loader decoded the whole current picture behind the first look.
    void showFullResolution();
    // The loader refined the draft on screen (ImageLoader::refined).
    void showRefined();
    QSize deviceSize() const;
    QPoint devicePoint(const QPointF &logical) const;
    void zoomChangedBy(bool changed);
    void updateCursor();

    ImageLoader &m_loader;
    ImageViewModel m_model;
    QString m_currentPath;
    ProgressLineWidget *m_progressLine = nullptr;
    bool m_recomputeZoom = false;
    // The chosen file is a link that does not resolve: the picture on show
    // belongs to the file chosen before, and its facts are not to be
    // reported as the chosen one's.
    bool m_unresolvedLink = false;
    std::function<QString()> m_listText;
};

} // namespace quorvel
