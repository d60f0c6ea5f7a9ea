#pragma once

#include <QRect>

class QWidget;

namespace quorvel {

// Keeps the main window out of sight while a large tool window runs in its
// place: hidden for the object's life, then shown again with its geometry
// and state (normal, maximised or full screen) as they were.
class MainWindowAside
{
public:
    explicit MainWindowAside(QWidget &window);
    ~MainWindowAside();
    MainWindowAside(const MainWindowAside &) = delete;
    MainWindowAside &operator=(const MainWindowAside &) = delete;

    // The window's rectangle when it was put aside: the tool window takes it.
    QRect geometry() const { return m_geometry; }

private:
    QWidget &m_window;
    QRect m_geometry;
    Qt::WindowStates m_state;
    bool m_wasVisible = false;
    bool m_quitOnLastClosed = true;
};

} // namespace quorvel
