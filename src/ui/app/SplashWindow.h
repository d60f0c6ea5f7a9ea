#pragma once

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace quorvel {

// The borderless start-up picture: 520 by 317, centred, showing "Splash.jpg"
// from the program's data folder at its natural size. It closes after three
// seconds or at the first key press or mouse click anywhere in the program,
// and that key or click is consumed.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 520;
    static constexpr int kHeight = 317;
    static constexpr int kTimeoutMs = 3000;

    // Shows the splash over owner unless one is open already.
    static SplashWindow *showOver(QWidget *owner, const QString &picturePath);
    static SplashWindow *current();

    ~SplashWindow() override;

Q_SIGNALS:
    void closed();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SplashWindow(QWidget *owner, const QString &picturePath);
    void finish();

    QImage m_picture;
    QTimer m_timer;
    bool m_finished = false;
    static QPointer<SplashWindow> s_current;
};

} // namespace quorvel
