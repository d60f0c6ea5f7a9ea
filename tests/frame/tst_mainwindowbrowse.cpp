#include "core/imaging/DecodeTypes.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/ImageLoader.h"
#include "core/settings/AppSettings.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"
#include "ui/files/FileListPane.h"
#include "ui/frame/MainWindow.h"
#include "ui/frame/CommandIds.h"
#include "ui/frame/CommandRouter.h"
#include "ui/imaging/ImageView.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <mutex>

using namespace quorvel;

namespace {

// A decode that waits until the test lets it finish.
struct Gate
{
    std::mutex mutex;
    std::condition_variable cv;
    bool open = false;
    std::atomic<int> decodes{0};

    ImageLoader::DecodeFunction function()
    {
        return [this](const QString &path, const DecodeOptions &options) {
            ++decodes;
            std::unique_lock lock(mutex);
            cv.wait(lock, [this] { return open; });
            return ImageDecoder::decodeFile(path, options);
        };
    }
    void release()
    {
        std::lock_guard lock(mutex);
        open = true;
        cv.notify_all();
    }
};

} // namespace

class TestMainWindowBrowse : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void selectingShowsTheImageAndItsFacts();
    void nextFileComesFromThePreload();
    void refreshIsIgnoredWhileLoading();
    void emptyFolderClearsTheView();
    void unresolvedLinkDoesNotBorrowFacts();

private:
    bool waitForImage(MainWindow &frame);
    QTemporaryDir m_dir;
};

void TestMainWindowBrowse::init()
{
    auto store = std::make_unique<MemorySettingsStore>();
    store->writeInt("Main", "AskWhenExit", 0);
    installSettingsStore(std::move(store));
    globalSettings().load();
    QVERIFY(m_dir.isValid());
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    const char *names[] = {"a.jpg", "b.jpg", "c.jpg"};
    for (int i = 0; i < 3; ++i) {
        QImage img(200 + i * 10, 100, QImage::Format_RGB32);
        img.fill(colours[i]);
        QVERIFY(img.save(m_dir.filePath(names[i]), "JPEG", 90));
    }
}

bool TestMainWindowBrowse::waitForImage(MainWindow &frame)
{
    return QTest::qWaitFor([&] { return frame.view()->hasImage() && !frame.loader()->isBusy(); }, 5000);
}

void TestMainWindowBrowse::selectingShowsTheImageAndItsFacts()
{
    MainWindow frame;
    frame.resize(1000, 700);
    frame.show();
    frame.showFolder(m_dir.path());
    QVERIFY(waitForImage(frame));
    QCOMPARE(frame.view()->currentPath(), m_dir.filePath("a.jpg"));
    QVERIFY2(frame.statusFacts().startsWith("a.jpg: 200x100, 24bpp. 1/3, "), qPrintable(frame.statusFacts()));
    QCOMPARE(frame.statusInfo(), QString("EXIF not present. Zoom: 100%."));
    QTRY_VERIFY(frame.commands()->action(cmd::FullSize)->isEnabled());
    QVERIFY(!frame.commands()->action(cmd::PreviousImage)->isEnabled());
    frame.hide();
}

void TestMainWindowBrowse::nextFileComesFromThePreload()
{
    MainWindow frame;
    frame.show();
    frame.showFolder(m_dir.path());
    QVERIFY(waitForImage(frame));
    ImageLoader *loader = frame.loader();
    // The view is known: the two files after a.jpg are decoded ahead.
    QVERIFY(QTest::qWaitFor([&] { return loader->hasPreloadedImage() && !loader->isPreloading(); }, 5000));
    const int decodes = loader->decodeCount();
    QVERIFY(frame.commands()->trigger(cmd::NextImage));
    QTRY_VERIFY(frame.statusFacts().startsWith("b.jpg: 210x100"));
    // Served without a load, and c.jpg was decoded ahead already.
    QCOMPARE(loader->preloadedPath(), m_dir.filePath("c.jpg"));
    QTRY_VERIFY(!loader->isPreloading());
    QCOMPARE(loader->decodeCount(), decodes);
    // Back to the previous one: swapped, not decoded.
    QVERIFY(frame.commands()->trigger(cmd::PreviousImage));
    QVERIFY(QTest::qWaitFor([&] { return frame.statusFacts().startsWith("a.jpg"); }, 5000));
    QTRY_VERIFY(!loader->isPreloading());
    // a.jpg is not decoded; at most b.jpg is decoded ahead again.
    QVERIFY(loader->decodeCount() <= decodes + 1);
    frame.hide();
}

void TestMainWindowBrowse::refreshIsIgnoredWhileLoading()
{
    MainWindow frame;
    Gate gate;
    frame.loader()->setDecodeFunction(gate.function());
    frame.show();
    frame.showFolder(m_dir.path());
    QVERIFY(QTest::qWaitFor([&] { return frame.loader()->isBusy(); }, 2000));
    QSignalSpy ran(frame.commands(), &CommandRouter::commandRan);
    QVERIFY(!frame.commands()->trigger(cmd::RefreshList));
    QVERIFY(!frame.commands()->trigger(cmd::NextImage));
    QVERIFY(frame.commands()->trigger(cmd::LockZoom)); // not subject to the busy rule
    QCOMPARE(ran.count(), 1);
    gate.release();
    QVERIFY(waitForImage(frame));
    QVERIFY(frame.commands()->trigger(cmd::RefreshList));
    QVERIFY(QTest::qWaitFor([&] { return !frame.loader()->isBusy() && frame.view()->hasImage(); }, 5000));
    QCOMPARE(frame.view()->currentPath(), m_dir.filePath("a.jpg"));
    frame.hide();
}

void TestMainWindowBrowse::emptyFolderClearsTheView()
{
    MainWindow frame;
    frame.show();
    frame.showFolder(m_dir.path());
    QVERIFY(waitForImage(frame));
    QTemporaryDir empty;
    frame.showFolder(empty.path());
    QVERIFY(QTest::qWaitFor([&] { return !frame.view()->hasImage(); }, 2000));
    QCOMPARE(frame.statusFacts(), QString("File not loaded"));
    QTRY_VERIFY(!frame.commands()->action(cmd::ZoomIn)->isEnabled());
    frame.hide();
}

void TestMainWindowBrowse::unresolvedLinkDoesNotBorrowFacts()
{
    // A link to a file that is gone, listed after c.jpg.
    QFile link(m_dir.filePath("d.jpg.link"));
    QVERIFY(link.open(QIODevice::WriteOnly));
    link.write("gone/missing.jpg");
    link.close();
    MainWindow frame;
    frame.show();
    frame.showFolder(m_dir.path(), "c.jpg");
    QVERIFY(waitForImage(frame));
    QVERIFY(frame.statusFacts().startsWith("c.jpg: 220x100, 24bpp. 3/4, "));
    QVERIFY(frame.commands()->trigger(cmd::NextImage));
    QCOMPARE(frame.fileList()->selectedName(), QString("d.jpg.link"));
    // The view keeps c.jpg, but the status line speaks of the selected link
    // alone: no facts of c.jpg beside the link's position and size.
    QVERIFY(frame.view()->hasImage());
    QTRY_COMPARE(frame.statusFacts(), QString("File not loaded. 4/4, 16 b"));
    QCOMPARE(frame.statusInfo(), QDir::toNativeSeparators(m_dir.filePath("d.jpg.link")));
    // Back to a picture: its own facts again.
    QVERIFY(frame.commands()->trigger(cmd::PreviousImage));
    QTRY_VERIFY(frame.statusFacts().startsWith("c.jpg: 220x100, 24bpp. 3/4, "));
    frame.hide();
}

QTEST_MAIN(TestMainWindowBrowse)
#include "tst_mainwindowbrowse.moc"
