#include "core/imaging/ImageLoader.h"
#include "core/settings/AppSettings.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"
#include "fileops/RecordingPrompts.h"
#include "ui/files/FileListPane.h"
#include "ui/frame/CommandIds.h"
#include "ui/frame/CommandRouter.h"
#include "ui/frame/MainWindow.h"
#include "ui/imaging/ImageView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace quorvel;

// The keys other viewers taught their users, as they reach the commands:
// through the window's shortcuts, with the focus where the user has it.
class TestMainWindowKeys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void stepKeys_data();
    void stepKeys();
    void fullScreenKeys();
    void copyKeyPutsThePictureOnTheClipboard();
    void renameKey();
    void undoKeyBringsTheDeletedFileBack();

private:
    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    bool waitForImage(const QString &name);

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_frame;
    test::RecordingPrompts *m_prompts = nullptr;
};

void TestMainWindowKeys::initTestCase()
{
    QVERIFY(m_home.isValid());
    // A trash of the test's own.
    qputenv("XDG_DATA_HOME", m_home.filePath("data").toUtf8());
}

void TestMainWindowKeys::init()
{
    auto store = std::make_unique<MemorySettingsStore>();
    store->writeInt("Main", "AskWhenExit", 0);
    installSettingsStore(std::move(store));
    globalSettings().load();
    m_prompts = test::RecordingPrompts::install();
    m_dir = std::make_unique<QTemporaryDir>(m_home.filePath("pics-XXXXXX"));
    QVERIFY(m_dir->isValid());
    const char *names[] = {"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
    for (int i = 0; i < 4; ++i) {
        QImage img(160 + i * 10, 100, QImage::Format_RGB32);
        img.fill(QColor::fromHsv(i * 80, 200, 200));
        QVERIFY(img.save(path(names[i]), "JPEG", 90));
    }
    m_frame = std::make_unique<MainWindow>();
    m_frame->resize(1000, 700);
    m_frame->show();
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    m_frame->showFolder(m_dir->path(), "b.jpg");
    QVERIFY(waitForImage("b.jpg"));
}

void TestMainWindowKeys::cleanup()
{
    m_frame.reset();
    Prompts::install(nullptr);
}

bool TestMainWindowKeys::waitForImage(const QString &name)
{
    return QTest::qWaitFor(
        [&] {
            return !m_frame->loader()->isBusy() && m_frame->view()->hasImage()
                && m_frame->view()->currentPath() == m_dir->filePath(name);
        },
        5000);
}

void TestMainWindowKeys::stepKeys_data()
{
    QTest::addColumn<bool>("inView");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("shown");
    // b.jpg, the second of four, is on show.
    QTest::newRow("Right in the view: next") << true << int(Qt::Key_Right) << "c.jpg";
    QTest::newRow("Page Down in the view: next") << true << int(Qt::Key_PageDown) << "c.jpg";
    QTest::newRow("Left in the view: previous") << true << int(Qt::Key_Left) << "a.jpg";
    QTest::newRow("Page Up in the view: previous") << true << int(Qt::Key_PageUp) << "a.jpg";
    QTest::newRow("Home in the view: first") << true << int(Qt::Key_Home) << "a.jpg";
    QTest::newRow("End in the view: last") << true << int(Qt::Key_End) << "d.jpg";
    QTest::newRow("Space is next anywhere") << false << int(Qt::Key_Space) << "c.jpg";
    // In the list the keys are the list's: Right and Left move nothing.
    QTest::newRow("Right in the list: the list's") << false << int(Qt::Key_Right) << "b.jpg";
    QTest::newRow("Left in the list: the list's") << false << int(Qt::Key_Left) << "b.jpg";
    QTest::newRow("End in the list: the list's") << false << int(Qt::Key_End) << "d.jpg";
}

void TestMainWindowKeys::stepKeys()
{
    QFETCH(bool, inView);
    QFETCH(int, key);
    QFETCH(QString, shown);
    QWidget *target = inView ? static_cast<QWidget *>(m_frame->view()) : m_frame->fileList()->listView();
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());
    QTest::keyClick(target, Qt::Key(key));
    QVERIFY2(waitForImage(shown), qPrintable(m_frame->view()->currentPath()));
    QCOMPARE(m_frame->fileList()->selectedName(), shown);
    // Stepping from the view leaves the focus in the view.
    QCOMPARE(m_frame->view()->hasFocus(), inView);
}

void TestMainWindowKeys::fullScreenKeys()
{
    m_frame->fileList()->listView()->setFocus();
    QTest::keyClick(m_frame->fileList()->listView(), Qt::Key_F11);
    QVERIFY(m_frame->isFullScreenMode());
    QVERIFY(m_frame->commands()->action(cmd::FullScreen)->isChecked());
    // In full screen the view has the keys: Right steps, F11 comes back.
    QTRY_VERIFY(m_frame->view()->hasFocus());
    QTest::keyClick(m_frame->view(), Qt::Key_Right);
    QVERIFY(waitForImage("c.jpg"));
    QTest::keyClick(m_frame->view(), Qt::Key_F11);
    QVERIFY(!m_frame->isFullScreenMode());
    QVERIFY(m_frame->filesPane()->isVisible());
}

void TestMainWindowKeys::copyKeyPutsThePictureOnTheClipboard()
{
    QApplication::clipboard()->clear();
    QTRY_VERIFY(m_frame->commands()->action(cmd::CopyToClipboard)->isEnabled());
    QTest::keyClick(m_frame->fileList()->listView(), Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(170, 100));
}

void TestMainWindowKeys::renameKey()
{
    m_prompts->newName = QStringLiteral("beach.jpg");
    QTest::keyClick(m_frame->fileList()->listView(), Qt::Key_F2);
    QVERIFY(QFileInfo::exists(path("beach.jpg")));
    QVERIFY(!QFileInfo::exists(path("b.jpg")));
    QCOMPARE(m_frame->fileList()->selectedName(), QString("beach.jpg"));
}

void TestMainWindowKeys::undoKeyBringsTheDeletedFileBack()
{
    QAction *undo = m_frame->commands()->action(cmd::UndoDelete);
    m_frame->commands()->update();
    QVERIFY(!undo->isEnabled());
    QVERIFY(m_frame->commands()->trigger(cmd::DeleteFile));
    QVERIFY(!QFileInfo::exists(path("b.jpg")));
    QVERIFY(waitForImage("c.jpg"));
    m_frame->commands()->update();
    QVERIFY(undo->isEnabled());
    QVERIFY2(undo->text().contains("b.jpg"), qPrintable(undo->text()));

    QTest::keyClick(m_frame->fileList()->listView(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(QFileInfo::exists(path("b.jpg")));
    // Back in its row, selected and shown.
    QCOMPARE(m_frame->fileList()->rowCount(), 4);
    QCOMPARE(m_frame->fileList()->selectedName(), QString("b.jpg"));
    QVERIFY(waitForImage("b.jpg"));
    m_frame->commands()->update();
    QVERIFY(!undo->isEnabled());
    QVERIFY(!undo->text().contains("b.jpg"));
    QVERIFY(m_prompts->messages.isEmpty());
}

QTEST_MAIN(TestMainWindowKeys)
#include "tst_mainwindowkeys.moc"
