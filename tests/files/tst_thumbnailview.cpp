#include "core/files/FileListModel.h"
#include "core/files/ThumbnailMaker.h"
#include "core/files/ThumbnailScheduler.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/ImageLoader.h"
#include "core/settings/AppSettings.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"
#include "support/TestSupport.h"
#include "ui/files/FileListPane.h"
#include "ui/files/ThumbnailDisplay.h"
#include "ui/frame/MainWindow.h"
#include "ui/frame/CommandIds.h"
#include "ui/frame/CommandRouter.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace quorvel;

namespace {

const QRgb kRed = qRgb(220, 30, 30), kGreen = qRgb(30, 190, 40), kBlue = qRgb(30, 40, 210),
           kMagenta = qRgb(200, 40, 200), kYellow = qRgb(230, 220, 30);

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 24 && std::abs(qGreen(a) - qGreen(b)) <= 24
        && std::abs(qBlue(a) - qBlue(b)) <= 24;
}

bool writePhoto(const QString &path, int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path, "JPEG", 92);
}

// Lets the pictures near the visible page be made and installed.
void settle(FileListPane &pane)
{
    ThumbnailScheduler &scheduler = pane.thumbnails()->scheduler();
    int quiet = 0;
    for (int i = 0; i < 1000 && quiet < 3; ++i) {
        scheduler.waitForDone();
        QCoreApplication::processEvents();
        quiet = scheduler.running() == 0 ? quiet + 1 : 0;
    }
}

QVariant decorationAt(const FileListPane &pane, int row)
{
    return pane.model()->data(pane.model()->index(row, 0), Qt::DecorationRole);
}

QImage pictureAt(const FileListPane &pane, int row)
{
    return decorationAt(pane, row).value<QPixmap>().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestThumbnailView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void rowsShowTheirFilesPictures();
    void picturesFollowSortingAndFiltering();
    void switchingRefillsAndKeepsTheSelection();
    void newFolderReplacesThePictures();
    void commandIsCheckedAndWaitsForTheLoader();

private:
    void expectPictures(const FileListPane &pane);
    void showPane(FileListPane &pane);

    QTemporaryDir m_dir;
    FolderEntries m_entries;
};

void TestThumbnailView::init()
{
    auto store = std::make_unique<MemorySettingsStore>();
    store->writeInt("Main", "AskWhenExit", 0);
    installSettingsStore(std::move(store));
    globalSettings().load();
    QVERIFY(m_dir.isValid());
    QVERIFY(writePhoto(m_dir.filePath("a.jpg"), 160, 120, kRed));
    QVERIFY(writePhoto(m_dir.filePath("b.jpg"), 90, 120, kGreen));
    QVERIFY(writePhoto(m_dir.filePath("c.jpg"), 160, 120, kBlue));
    QVERIFY(test::writeFile(m_dir.filePath("d.jpg"), "not a picture"));
    QVERIFY(QDir(m_dir.path()).mkpath("t"));
    QVERIFY(writePhoto(m_dir.filePath("t/target.jpg"), 160, 120, kMagenta));
    QVERIFY(test::writeFile(m_dir.filePath("e.jpg.link"), "t/target.jpg"));
    QVERIFY(test::writeFile(m_dir.filePath("f.jpg.link"), "t/missing.jpg"));
    QVERIFY(test::writeFile(m_dir.filePath("descript.ion"), "a.jpg 3\r\nb.jpg 2\r\nc.jpg 1\r\n"));
    // Scan order differs from label order.
    m_entries.clear();
    for (const char *name : {"f.jpg.link", "c.jpg", "a.jpg", "e.jpg.link", "d.jpg", "b.jpg"})
        m_entries.append({name, FolderEntry::ListedFile});
}

void TestThumbnailView::showPane(FileListPane &pane)
{
    pane.resize(420, 900);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
}

// Each row shows the picture of its own file: the unreadable file and the
// link whose target is missing show the error picture.
void TestThumbnailView::expectPictures(const FileListPane &pane)
{
    const QImage error = ThumbnailMaker::errorPicture();
    for (int row = 0; row < pane.rowCount(); ++row) {
        const QString name = pane.model()->nameAt(row);
        const QImage picture = pictureAt(pane, row);
        QCOMPARE(picture.size(), QSize(60, 60));
        if (name == "d.jpg" || name == "f.jpg.link") {
            QVERIFY2(picture == error, qPrintable(name));
            continue;
        }
        const QRgb expected = name == "a.jpg" ? kRed : name == "b.jpg" ? kGreen : name == "c.jpg" ? kBlue : kMagenta;
        QVERIFY2(near(picture.pixel(30, 30), expected), qPrintable(name));
    }
}

void TestThumbnailView::rowsShowTheirFilesPictures()
{
    FileListPane pane;
    showPane(pane);
    pane.fillList(m_entries, m_dir.path(), true);
    QVERIFY(!pane.thumbnailMode());
    QCOMPARE(decorationAt(pane, 0).userType(), int(QMetaType::QIcon));

    pane.toggleThumbnails(true);
    QVERIFY(pane.thumbnailMode());
    QCOMPARE(pane.listView()->iconSize(), QSize(60, 60));
    // Until a picture is made, the row shows the placeholder.
    QVERIFY(pictureAt(pane, 0) == ThumbnailMaker::placeholder());
    settle(pane);
    QCOMPARE(pane.rowCount(), 6);
    expectPictures(pane);
    // The portrait b.jpg stands on grey bands at both sides.
    const int b = pane.model()->rowOfLowerName("b.jpg");
    QCOMPARE(pictureAt(pane, b).pixel(7, 30), ThumbnailMaker::kBackground);
    QVERIFY(near(pictureAt(pane, b).pixel(9, 30), kGreen));
    // A failed file is not tried again within the fill.
    const int d = pane.model()->scanIndexAt(pane.model()->rowOfLowerName("d.jpg"));
    QCOMPARE(pane.thumbnails()->scheduler().state(d), ThumbnailScheduler::Failed);
}

void TestThumbnailView::picturesFollowSortingAndFiltering()
{
    FileListPane pane;
    showPane(pane);
    pane.fillList(m_entries, m_dir.path(), true);
    pane.toggleThumbnails(true);
    settle(pane);

    // Sorted by description: c (1), b (2), a (3), then the empty cells.
    pane.model()->sortByPosition(1);
    settle(pane);
    QCOMPARE(pane.model()->nameAt(0), QString("c.jpg"));
    expectPictures(pane);

    // Filtered: the one row left keeps its file's picture, and the hidden
    // files' pictures are never made.
    pane.filterEdit()->setText("c.j");
    pane.fillList(m_entries, m_dir.path(), false);
    settle(pane);
    QCOMPARE(pane.rowCount(), 1);
    expectPictures(pane);
    const ThumbnailScheduler &scheduler = pane.thumbnails()->scheduler();
    QCOMPARE(scheduler.state(1), ThumbnailScheduler::Made);     // c.jpg
    QCOMPARE(scheduler.state(2), ThumbnailScheduler::NotMade);  // a.jpg, hidden
}

void TestThumbnailView::switchingRefillsAndKeepsTheSelection()
{
    FileListPane pane;
    showPane(pane);
    pane.fillList(m_entries, m_dir.path(), true);
    pane.selectOnly(2);
    pane.toggleThumbnails(true);
    QCOMPARE(pane.selectedIndex(), 2);
    settle(pane);
    expectPictures(pane);

    pane.toggleThumbnails(false);
    QCOMPARE(pane.selectedIndex(), 2);
    QCOMPARE(pane.listView()->iconSize(), QSize(16, 16));
    QCOMPARE(decorationAt(pane, 0).userType(), int(QMetaType::QIcon));

    // Back on, every picture is made again.
    pane.toggleThumbnails(true);
    QCOMPARE(pane.thumbnails()->scheduler().state(2), ThumbnailScheduler::NotMade);
    settle(pane);
    expectPictures(pane);
}

void TestThumbnailView::newFolderReplacesThePictures()
{
    QTemporaryDir other;
    QVERIFY(writePhoto(other.filePath("a.jpg"), 160, 120, kYellow));
    FileListPane pane;
    showPane(pane);
    pane.fillList(m_entries, m_dir.path(), true);
    pane.toggleThumbnails(true);
    // The first folder's work is under way when the other folder is shown.
    QCoreApplication::processEvents();
    pane.fillList({{"a.jpg", FolderEntry::ListedFile}}, other.path(), true);
    settle(pane);
    QCOMPARE(pane.rowCount(), 1);
    QVERIFY(near(pictureAt(pane, 0).pixel(30, 30), kYellow));
}

void TestThumbnailView::commandIsCheckedAndWaitsForTheLoader()
{
    MainWindow frame;
    QSemaphore gate;
    frame.loader()->setDecodeFunction([&gate](const QString &path, const DecodeOptions &options) {
        gate.acquire();
        gate.release();
        return ImageDecoder::decodeFile(path, options);
    });
    frame.show();
    frame.showFolder(m_dir.path());
    QAction *toggle = frame.commands()->action(cmd::ThumbnailsToggle);
    QVERIFY(toggle->isCheckable());
    // While the first image loads, the command is ignored.
    QVERIFY(QTest::qWaitFor([&] { return frame.loader()->isBusy(); }, 2000));
    QVERIFY(!frame.commands()->trigger(cmd::ThumbnailsToggle));
    QVERIFY(!frame.fileList()->thumbnailMode());
    gate.release();
    QVERIFY(QTest::qWaitFor([&] { return !frame.loader()->isBusy(); }, 5000));

    QVERIFY(frame.commands()->trigger(cmd::ThumbnailsToggle));
    QVERIFY(frame.fileList()->thumbnailMode());
    frame.commands()->update();
    QVERIFY(toggle->isChecked());
    QVERIFY(frame.commands()->trigger(cmd::ThumbnailsToggle));
    QVERIFY(!frame.fileList()->thumbnailMode());
    frame.commands()->update();
    QVERIFY(!toggle->isChecked());
    frame.hide();
}

QTEST_MAIN(TestThumbnailView)
#include "tst_thumbnailview.moc"
