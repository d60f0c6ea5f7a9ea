#include "ui/app/SplashWindow.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>

namespace quorvel {

QPointer<SplashWindow> SplashWindow::s_current;

SplashWindow::SplashWindow(QWidget *owner, const QString &picturePath)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("SplashWindow"));
    setCursor(Qt::ArrowCursor);
    setFixedSize(kWidth, kHeight);
    // A missing or unreadable picture leaves the window blank.
    m_picture.load(picturePath);

    // Centred over the main window, or the screen when there is none.
    QRect area = owner ? owner->geometry() : QRect();
    if (area.isEmpty()) {
        if (QScreen *screen = QGuiApplication::primaryScreen())
            area = screen->availableGeometry();
    }
    move(area.center() - QPoint(kWidth / 2, kHeight / 2));

    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SplashWindow::finish);
    m_timer.start(kTimeoutMs);
    qApp->installEventFilter(this);
}

SplashWindow::~SplashWindow()
{
    qApp->removeEventFilter(this);
}

SplashWindow *SplashWindow::showOver(QWidget *owner, const QString &picturePath)
{
    if (s_current)
        return s_current;
    auto *splash = new SplashWindow(owner, picturePath);
    s_current = splash;
    splash->show();
    splash->raise();
    return splash;
}

SplashWindow *SplashWindow::current()
{
    return s_current;
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!m_picture.isNull())
        painter.drawImage(QPoint(0, 0), m_picture);
}

bool SplashWindow::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claim the key, so no command runs on it; it is then delivered as
        // a key press, which closes the splash and goes no further.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        finish();
        return true; // the key or click that closes the splash goes no further
    default:
        return false;
    }
}

void SplashWindow::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_timer.stop();
    qApp->removeEventFilter(this);
    Q_EMIT closed();
    close();
}

} // namespace quorvel
