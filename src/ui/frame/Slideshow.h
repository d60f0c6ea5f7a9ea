#pragma once

#include <QObject>
#include <QTimer>

namespace quorvel {

class MainWindow;

// The slideshow: the pictures of the file list one after another, full
// screen, each for the interval set in the Settings dialog. The clock runs
// from the moment a picture is on screen, so a slow file is not cut short,
// and after the last picture the first comes again. Space pauses and goes on;
// any other key or a mouse click ends the show (and full screen, when the
// show began it).
class Slideshow : public QObject
{
    Q_OBJECT
public:
    explicit Slideshow(MainWindow &frame);
    ~Slideshow() override;

    void start();
    void stop();
    bool isRunning() const { return m_running; }
    bool isPaused() const { return m_paused; }
    void togglePause();

    // The main window tells when the picture asked for is on screen: the
    // next one is due an interval later.
    void pictureShown();
    // Shows the next picture now (the clock's work; tests call it directly).
    void advance();
    // The file after the shown one, first again after the last: what the
    // preload gets ready.
    QString nextPath() const;

    QTimer &clock() { return m_clock; }

Q_SIGNALS:
    void runningChanged(bool running);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPausedState();

    MainWindow &m_frame;
    QTimer m_clock;
    bool m_running = false;
    bool m_paused = false;
    bool m_enteredFullScreen = false;
};

} // namespace quorvel
