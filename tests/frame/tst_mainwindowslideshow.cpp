#include "core/imaging/ImageLoader.h"
#include "core/settings/AppSettings.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"
#include "ui/files/FileListPane.h"
#include "ui/frame/CommandIds.h"
#include "ui/frame/CommandRouter.h"
#include "ui/frame/MainWindow.h"
#include "ui/frame/Slideshow.h"
#include "ui/imaging/ImageView.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace quorvel;

// The slideshow, driven by its clock on a tiny interval or stepped directly.
class TestMainWindowSlideshow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void showsEveryPictureInTurnAndComesRound();
    void spacePausesAndGoesOn();
    void endings_data();
    void endings();
    void keepsFullScreenItFound();

private:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    bool waitForImage(const QString &file);

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_frame;
};

void TestMainWindowSlideshow::init()
{
    auto store = std::make_unique<MemorySettingsStore>();
    store->writeInt("Main", "AskWhenExit", 0);
    store->writeInt("Main", "SlideshowInterval", 7);
    installSettingsStore(std::move(store));
    globalSettings().load();
    QVERIFY(m_dir.isValid());
    const char *names[] = {"a.jpg", "b.jpg", "c.jpg"};
    for (int i = 0; i < 3; ++i) {
        QImage img(100 + i * 10, 80, QImage::Format_RGB32);
        img.fill(QColor::fromHsv(i * 100, 180, 200));
        QVERIFY(img.save(path(names[i]), "JPEG"));
    }
    m_frame = std::make_unique<MainWindow>();
    m_frame->resize(900, 600);
    m_frame->show();
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    m_frame->showFolder(m_dir.path(), "b.jpg");
    QVERIFY(waitForImage(path("b.jpg")));
}

void TestMainWindowSlideshow::cleanup()
{
    m_frame.reset();
}

bool TestMainWindowSlideshow::waitForImage(const QString &file)
{
    return QTest::qWaitFor(
        [&] { return !m_frame->loader()->isBusy() && m_frame->view()->hasImage() && m_frame->view()->currentPath() == file; },
        5000);
}

void TestMainWindowSlideshow::showsEveryPictureInTurnAndComesRound()
{
    Slideshow *show = m_frame->slideshow();
    QTRY_VERIFY(m_frame->commands()->action(cmd::Slideshow)->isEnabled());
    QVERIFY(m_frame->commands()->trigger(cmd::Slideshow));
    QVERIFY(show->isRunning());
    QVERIFY(m_frame->isFullScreenMode());
    QVERIFY(m_frame->commands()->action(cmd::Slideshow)->isChecked());
    // The interval of the Settings dialog, running from the picture on show.
    QCOMPARE(show->clock().interval(), 7000);
    QVERIFY(show->clock().isActive());

    show->clock().setInterval(20);
    show->clock().start();
    QVERIFY(waitForImage(path("c.jpg")));
    // After the last the first comes again, and is made ready meanwhile.
    QCOMPARE(show->nextPath(), path("a.jpg"));
    QTRY_COMPARE(m_frame->loader()->preloadedPath(), path("a.jpg"));
    QVERIFY(waitForImage(path("a.jpg")));
    QVERIFY(waitForImage(path("b.jpg")));
    QVERIFY(show->isRunning());
}

void TestMainWindowSlideshow::spacePausesAndGoesOn()
{
    Slideshow *show = m_frame->slideshow();
    show->start();
    QTest::keyClick(m_frame->view(), Qt::Key_Space);
    QVERIFY(show->isPaused());
    QVERIFY(!show->clock().isActive());
    show->advance(); // a tick that was already due does nothing
    QCOMPARE(m_frame->fileList()->selectedName(), QString("b.jpg"));
    // Space was the show's: it did not step to the next picture either.
    QTest::qWait(50);
    QCOMPARE(m_frame->fileList()->selectedName(), QString("b.jpg"));

    QTest::keyClick(m_frame->view(), Qt::Key_Space);
    QVERIFY(!show->isPaused());
    QVERIFY(show->clock().isActive());
    show->advance();
    QVERIFY(waitForImage(path("c.jpg")));
    QVERIFY(show->isRunning());
}

void TestMainWindowSlideshow::endings_data()
{
    QTest::addColumn<int>("key"); // 0: a click
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("a letter") << int(Qt::Key_R);
    QTest::newRow("Right") << int(Qt::Key_Right);
    QTest::newRow("a click") << 0;
}

void TestMainWindowSlideshow::endings()
{
    QFETCH(int, key);
    Slideshow *show = m_frame->slideshow();
    show->start();
    QVERIFY(m_frame->isFullScreenMode());
    if (key)
        QTest::keyClick(m_frame->view(), Qt::Key(key));
    else
        QTest::mouseClick(m_frame->view(), Qt::LeftButton);
    QVERIFY(!show->isRunning());
    QVERIFY(!show->clock().isActive());
    // Full screen ends with the show that began it; the key did nothing else.
    QVERIFY(!m_frame->isFullScreenMode());
    QVERIFY(m_frame->isVisible());
    QCOMPARE(m_frame->fileList()->selectedName(), QString("b.jpg"));
    QVERIFY(!m_frame->commands()->action(cmd::ChannelRed)->isChecked());
    QTRY_VERIFY(!m_frame->commands()->action(cmd::Slideshow)->isChecked());
}

void TestMainWindowSlideshow::keepsFullScreenItFound()
{
    m_frame->setFullScreenMode(true);
    Slideshow *show = m_frame->slideshow();
    show->start();
    QTest::keyClick(m_frame->view(), Qt::Key_Escape);
    QVERIFY(!show->isRunning());
    QVERIFY(m_frame->isFullScreenMode());
}

QTEST_MAIN(TestMainWindowSlideshow)
#include "tst_mainwindowslideshow.moc"
