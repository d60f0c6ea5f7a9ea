#include "core/settings/AppSettings.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"
#include "ui/frame/CommandIds.h"
#include "ui/frame/CommandRouter.h"
#include "ui/frame/MainWindow.h"
#include "ui/frame/PaneLayout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDockWidget>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace quorvel;

namespace {

MemorySettingsStore *freshStore(int askWhenExit)
{
    auto store = std::make_unique<MemorySettingsStore>();
    MemorySettingsStore *raw = store.get();
    store->writeInt("Main", "AskWhenExit", askWhenExit);
    installSettingsStore(std::move(store));
    globalSettings().load();
    return raw;
}

// Answers the next message box with the given button, remembering its texts.
struct Answerer
{
    QString title;
    QString text;
    void answerNext(QMessageBox::StandardButton button)
    {
        QTimer::singleShot(0, [this, button] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            text = box->text();
            box->button(button)->click();
        });
    }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void usableRect_data();
    void usableRect();
    void exitWithoutQuestionSavesRectangle();
    void exitQuestion_data();
    void exitQuestion();
    void closingMinimisedKeepsStoredRectangle();
    void escapeLeavesFullScreenBeforeExiting();
    void paneLayoutPersistsUnlessSkipped();
    void quitNeedsNoAnswer_data();
    void quitNeedsNoAnswer();
    void firstStartRect_data();
    void firstStartRect();
    void firstStartFillsMostOfTheScreen();
};

void TestMainWindow::usableRect_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<QRect>("expected");
    const QRect screen(0, 0, 1600, 1000);
    Q_UNUSED(screen);
    QTest::newRow("on screen") << QRect(100, 50, 900, 700) << QRect(100, 50, 900, 700);
    QTest::newRow("default") << QRect(0, 0, 800, 700) << QRect(0, 0, 800, 700);
    QTest::newRow("partly off screen") << QRect(1500, 900, 800, 600) << QRect(1500, 900, 800, 600);
    QTest::newRow("on an unplugged monitor") << QRect(3000, 100, 800, 600) << QRect(0, 0, 800, 600);
    QTest::newRow("inverted") << QRect(QPoint(500, 500), QPoint(100, 100)) << QRect(0, 0, 800, 700);
    QTest::newRow("tiny") << QRect(10, 10, 20, 20) << QRect(0, 0, 800, 700);
    QTest::newRow("bigger than the screen, off it") << QRect(-5000, 0, 2000, 1500) << QRect(0, 0, 1600, 1000);
}

void TestMainWindow::usableRect()
{
    QFETCH(QRect, stored);
    QFETCH(QRect, expected);
    AppSettings s;
    s.wndRectLeft = stored.left();
    s.wndRectTop = stored.top();
    s.wndRectRight = stored.left() + stored.width();
    s.wndRectBottom = stored.top() + stored.height();
    QCOMPARE(paneLayout::usableWindowRect(s, {QRect(0, 0, 1600, 1000)}), expected);
}

void TestMainWindow::exitWithoutQuestionSavesRectangle()
{
    MemorySettingsStore *store = freshStore(0);
    store->writeString("Print", "PrintText", "kept");
    MainWindow frame;
    frame.setGeometry(40, 60, 700, 500);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const QRect before = frame.geometry();
    QVERIFY(frame.close());
    AppSettings s;
    s.load(*store);
    QCOMPARE(QRect(QPoint(s.wndRectLeft, s.wndRectTop), QSize(s.wndRectRight - s.wndRectLeft,
                                                              s.wndRectBottom - s.wndRectTop)),
             before);
    QCOMPARE(s.printText, QString("kept")); // the rest of the record is saved as it was
    QVERIFY(!store->readBytes("BarStates", "DockState").isEmpty());
    QVERIFY(store->contains(paneLayout::paneSection(123), "sizeVertCX"));
    QVERIFY(store->contains(paneLayout::paneSection(124), "sizeVertCY"));
}

void TestMainWindow::exitQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("yes closes and saves") << int(QMessageBox::Yes) << true;
    QTest::newRow("no keeps running, saves nothing") << int(QMessageBox::No) << false;
}

void TestMainWindow::exitQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    MemorySettingsStore *store = freshStore(1);
    MainWindow frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    Answerer answerer;
    answerer.answerNext(QMessageBox::StandardButton(answer));
    QCOMPARE(frame.close(), closed);
    QCOMPARE(answerer.title, QString("Warning"));
    QCOMPARE(answerer.text, QString("Do you really want to exit?"));
    QCOMPARE(store->contains("Main", "WndRectRight"), closed);
    QCOMPARE(store->contains("BarStates", "DockState"), closed);
}

void TestMainWindow::closingMinimisedKeepsStoredRectangle()
{
    MemorySettingsStore *store = freshStore(0);
    AppSettings s;
    s.askWhenExit = 0;
    s.wndRectLeft = 11;
    s.wndRectRight = 811;
    s.save(*store);
    MainWindow frame;
    frame.setGeometry(300, 300, 500, 400);
    frame.show();
    frame.setWindowState(Qt::WindowMinimized);
    QVERIFY(frame.isMinimized());
    QVERIFY(frame.close());
    AppSettings back;
    back.load(*store);
    QCOMPARE(back.wndRectLeft, 11);
    QCOMPARE(back.wndRectRight, 811);
}

void TestMainWindow::escapeLeavesFullScreenBeforeExiting()
{
    freshStore(0);
    MainWindow frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.setFullScreenMode(true);
    QVERIFY(frame.isFullScreenMode());
    QVERIFY(frame.treePane()->isHidden());
    QVERIFY(frame.filesPane()->isHidden());

    frame.exitCommand();
    QVERIFY(!frame.isFullScreenMode());
    QVERIFY(frame.isVisible());
    QVERIFY(frame.filesPane()->isVisible());

    frame.setFullScreenMode(true);
    QVERIFY(!frame.close()); // closing leaves full screen first, too
    QVERIFY(!frame.isFullScreenMode());
    frame.exitCommand();
    QVERIFY(!frame.isVisible());
}

void TestMainWindow::paneLayoutPersistsUnlessSkipped()
{
    MemorySettingsStore *store = freshStore(0);
    {
        MainWindow frame;
        frame.restorePlacement(false);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.filesPane()->hide();
        QVERIFY(frame.close());
    }
    QVERIFY(!store->readBytes("BarStates", "DockState").isEmpty());
    {
        MainWindow frame;
        frame.restorePlacement(false);
        frame.show();
        QVERIFY(frame.filesPane()->isHidden());
        QVERIFY(frame.treePane()->isVisible());
        frame.hide();
    }
    {
        // Shift held at start: the built-in layout.
        MainWindow frame;
        frame.restorePlacement(true);
        frame.show();
        QVERIFY(frame.filesPane()->isVisible());
        frame.hide();
    }
}

void TestMainWindow::quitNeedsNoAnswer_data()
{
    QTest::addColumn<bool>("fullScreen");
    QTest::newRow("normal") << false;
    QTest::newRow("from full screen") << true;
}

void TestMainWindow::quitNeedsNoAnswer()
{
    QFETCH(bool, fullScreen);
    MemorySettingsStore *store = freshStore(1); // would ask on exit
    MainWindow frame;
    frame.setGeometry(40, 60, 700, 500);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const QRect normal = frame.geometry();
    if (fullScreen) {
        frame.setFullScreenMode(true);
        QVERIFY(frame.treePane()->isHidden());
    }
    Answerer answerer;
    answerer.answerNext(QMessageBox::No); // there must be no question to answer
    QVERIFY(frame.commands()->trigger(cmd::Quit));
    QVERIFY(!frame.isVisible());
    QCoreApplication::processEvents();
    QVERIFY(answerer.text.isEmpty());
    AppSettings s;
    s.load(*store);
    QCOMPARE(QRect(QPoint(s.wndRectLeft, s.wndRectTop), QSize(s.wndRectRight - s.wndRectLeft, s.wndRectBottom - s.wndRectTop)),
             normal);
    // The layout stored is the normal one: the panes come back visible.
    MainWindow next;
    next.restorePlacement(false);
    next.show();
    QVERIFY(next.treePane()->isVisible());
    QVERIFY(next.filesPane()->isVisible());
    QVERIFY(!next.isFullScreenMode());
    next.hide();
}

void TestMainWindow::firstStartRect_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080) << QRect(192, 108, 1536, 864);
    QTest::newRow("below a panel") << QRect(0, 32, 1600, 868) << QRect(160, 119, 1280, 694);
    QTest::newRow("second screen") << QRect(1920, 0, 1280, 1024) << QRect(2048, 102, 1024, 819);
}

void TestMainWindow::firstStartRect()
{
    QFETCH(QRect, screen);
    QFETCH(QRect, expected);
    QCOMPARE(paneLayout::firstStartRect(screen), expected);
}

void TestMainWindow::firstStartFillsMostOfTheScreen()
{
    MemorySettingsStore *store = freshStore(0);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    {
        MainWindow frame;
        frame.restorePlacement(false);
        QCOMPARE(frame.geometry(), paneLayout::firstStartRect(available));
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.setGeometry(50, 40, 640, 480);
        QVERIFY(frame.close());
    }
    // A stored rectangle is kept as it is.
    QVERIFY(paneLayout::hasStoredWindowRect(*store));
    MainWindow frame;
    globalSettings().load();
    frame.restorePlacement(false);
    QCOMPARE(frame.geometry(), QRect(50, 40, 640, 480));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
