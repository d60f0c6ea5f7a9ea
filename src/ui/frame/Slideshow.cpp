#include "ui/frame/Slideshow.h"

#include "core/files/FileListModel.h"
#include "core/files/LinkFile.h"
#include "core/imaging/ImageLoader.h"
#include "core/settings/BrowsingSettings.h"
#include "core/settings/SettingsStore.h"
#include "ui/files/FileListPane.h"
#include "ui/frame/MainWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStatusBar>

namespace quorvel {

Slideshow::Slideshow(MainWindow &frame)
    : QObject(&frame)
    , m_frame(frame)
{
    m_clock.setSingleShot(true);
    connect(&m_clock, &QTimer::timeout, this, &Slideshow::advance);
}

Slideshow::~Slideshow()
{
    if (m_running)
        qApp->removeEventFilter(this);
}

void Slideshow::start()
{
    FileListPane *list = m_frame.fileList();
    if (m_running || list->rowCount() == 0)
        return;
    m_running = true;
    m_paused = false;
    m_clock.setInterval(settings::slideshowSeconds(settingsStore()) * 1000);
    m_enteredFullScreen = !m_frame.isFullScreenMode();
    if (m_enteredFullScreen)
        m_frame.setFullScreenMode(true);
    qApp->installEventFilter(this);
    m_frame.statusBar()->showMessage(tr("Slideshow: Space pauses, any other key or a click ends it"), 3000);
    if (list->selectedIndex() < 0)
        list->navigate(FileListPane::NavigateFirst);
    else
        pictureShown(); // the picture on show is the first of the show
    Q_EMIT runningChanged(true);
}

void Slideshow::stop()
{
    if (!m_running)
        return;
    m_running = false;
    m_paused = false;
    m_clock.stop();
    qApp->removeEventFilter(this);
    m_frame.statusBar()->clearMessage();
    if (m_enteredFullScreen && m_frame.isFullScreenMode())
        m_frame.setFullScreenMode(false);
    m_enteredFullScreen = false;
    Q_EMIT runningChanged(false);
}

void Slideshow::togglePause()
{
    if (!m_running)
        return;
    m_paused = !m_paused;
    if (m_paused)
        m_clock.stop();
    else
        m_clock.start();
    showPausedState();
}

void Slideshow::showPausedState()
{
    if (m_paused)
        m_frame.statusBar()->showMessage(tr("Slideshow paused: Space goes on, any other key ends it"));
    else
        m_frame.statusBar()->clearMessage();
}

void Slideshow::pictureShown()
{
    if (m_running && !m_paused)
        m_clock.start();
}

void Slideshow::advance()
{
    if (!m_running || m_paused)
        return;
    FileListPane *list = m_frame.fileList();
    if (list->rowCount() == 0) {
        stop();
        return;
    }
    if (m_frame.loader()->isBusy()) {
        // The picture asked for is still on its way: the clock starts again
        // when it is on screen.
        return;
    }
    const int before = list->selectedIndex();
    if (!list->navigate(FileListPane::NavigateNext))
        list->navigate(FileListPane::NavigateFirst);
    if (list->selectedIndex() == before)
        pictureShown(); // a single picture: nothing new to wait for
}

QString Slideshow::nextPath() const
{
    const FileListPane *list = m_frame.fileList();
    const QString next = list->neighbourPath(false);
    if (!next.isEmpty() || list->rowCount() < 2)
        return next;
    return link::effectivePath(list->model()->pathAt(0));
}

bool Slideshow::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_running)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Keys belong to the show: no command runs while it does.
        event->accept();
        return true;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->isAutoRepeat())
            return true; // held down since before the show began
        switch (key->key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
            return true;
        case Qt::Key_Space:
            togglePause();
            return true;
        default:
            stop();
            return true;
        }
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        stop();
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace quorvel
