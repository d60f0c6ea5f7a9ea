#include "ui/frame/MainWindowAside.h"

#include <QGuiApplication>
#include <QWidget>

namespace quorvel {

MainWindowAside::MainWindowAside(QWidget &window)
    : m_window(window)
    , m_geometry(window.geometry())
    , m_state(window.windowState())
    , m_wasVisible(window.isVisible())
{
    // With the main window hidden, the tool window is the only one left:
    // its closing must not end the program.
    m_quitOnLastClosed = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    if (m_wasVisible)
        m_window.hide();
}

MainWindowAside::~MainWindowAside()
{
    if (m_wasVisible) {
        m_window.setWindowState(m_state);
        m_window.show();
        // A maximised window is placed by the window manager; a normal or
        // full-screen one gets its rectangle back (without a window manager
        // full screen is the frame covering the screen itself).
        if (!(m_state & Qt::WindowMaximized))
            m_window.setGeometry(m_geometry);
        m_window.activateWindow();
    }
    QGuiApplication::setQuitOnLastWindowClosed(m_quitOnLastClosed);
}

} // namespace quorvel
