#include "core/files/FileListModel.h"
#include "core/files/FolderWatcher.h"
#include "core/imaging/ImageLoader.h"
#include "core/settings/AppSettings.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"
#include "support/TestSupport.h"
#include "ui/files/FileListPane.h"
#include "ui/frame/MainWindow.h"
#include "ui/imaging/ImageView.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace quorvel;

// The file list follows its folder on disk, and files dropped from a file
// manager open their folder.
class TestMainWindowWatch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void filesOfOtherProgramsComeAndGo();
    void theShownFileGoingSelectsItsNeighbour();
    void descriptionsFollowTheFile();
    void scrollPositionStays();
    void drops_data();
    void drops();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void writeImage(const QString &file, int width = 120);
    QStringList rowNames() const;
    bool waitForImage(const QString &file);
    void drop(QWidget *target, const QList<QUrl> &urls, bool ownDrag, bool *accepted);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_frame;
};

void TestMainWindowWatch::init()
{
    auto store = std::make_unique<MemorySettingsStore>();
    store->writeInt("Main", "AskWhenExit", 0);
    installSettingsStore(std::move(store));
    globalSettings().load();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    for (const char *name : {"b.jpg", "d.jpg", "f.jpg"})
        writeImage(path(name));
    m_frame = std::make_unique<MainWindow>();
    m_frame->folderWatcher()->setSettleMs(30);
    m_frame->resize(1000, 700);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    m_frame->showFolder(m_dir->path(), "d.jpg");
    QVERIFY(waitForImage(path("d.jpg")));
}

void TestMainWindowWatch::cleanup()
{
    m_frame.reset();
    m_dir.reset();
}

void TestMainWindowWatch::writeImage(const QString &file, int width)
{
    QImage img(width, 80, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    QVERIFY(img.save(file, "JPEG"));
}

QStringList TestMainWindowWatch::rowNames() const
{
    QStringList names;
    for (int r = 0; r < m_frame->fileList()->rowCount(); ++r)
        names.append(m_frame->fileList()->model()->nameAt(r));
    return names;
}

bool TestMainWindowWatch::waitForImage(const QString &file)
{
    return QTest::qWaitFor(
        [&] { return !m_frame->loader()->isBusy() && m_frame->view()->hasImage() && m_frame->view()->currentPath() == file; },
        5000);
}

void TestMainWindowWatch::filesOfOtherProgramsComeAndGo()
{
    const int decodes = m_frame->loader()->decodeCount();
    writeImage(path("a.jpg"));
    writeImage(path("e.jpg"));
    QVERIFY(test::writeFile(path("notes.txt"), "not a picture"));
    QTRY_COMPARE(rowNames(), QStringList({"a.jpg", "b.jpg", "d.jpg", "e.jpg", "f.jpg"}));
    // The selection stays on the shown file, which is not loaded again.
    QCOMPARE(m_frame->fileList()->selectedName(), QString("d.jpg"));
    QCOMPARE(m_frame->fileList()->selectedRows().size(), 1);
    QCOMPARE(m_frame->view()->currentPath(), path("d.jpg"));

    QVERIFY(QFile::remove(path("b.jpg")));
    QVERIFY(QFile::rename(path("f.jpg"), path("c.jpg")));
    QTRY_COMPARE(rowNames(), QStringList({"a.jpg", "c.jpg", "d.jpg", "e.jpg"}));
    QCOMPARE(m_frame->fileList()->selectedName(), QString("d.jpg"));
    QTest::qWait(100);
    QTRY_VERIFY(!m_frame->loader()->isPreloading());
    // Nothing but the preloads of the next file was decoded meanwhile.
    QVERIFY2(m_frame->loader()->decodeCount() <= decodes + 2, qPrintable(QString::number(m_frame->loader()->decodeCount() - decodes)));
    QVERIFY(m_frame->statusFacts().contains(". 3/4, "));
}

void TestMainWindowWatch::theShownFileGoingSelectsItsNeighbour()
{
    QVERIFY(QFile::remove(path("d.jpg")));
    QTRY_COMPARE(rowNames(), QStringList({"b.jpg", "f.jpg"}));
    QCOMPARE(m_frame->fileList()->selectedName(), QString("f.jpg"));
    QVERIFY(waitForImage(path("f.jpg")));
    QVERIFY(QFile::remove(path("b.jpg")));
    QVERIFY(QFile::remove(path("f.jpg")));
    QTRY_COMPARE(m_frame->fileList()->rowCount(), 0);
    QTRY_VERIFY(!m_frame->view()->hasImage());
}

void TestMainWindowWatch::descriptionsFollowTheFile()
{
    const QAbstractItemModel *model = m_frame->fileList()->model();
    QVERIFY(test::writeFile(path("descript.ion"), "d.jpg Dunes at noon\r\n"));
    QTRY_COMPARE(model->index(1, 1).data().toString(), QString("Dunes at noon"));
    // Rewritten in place by another program.
    QFile file(path("descript.ion"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("d.jpg Dunes at dusk\r\nf.jpg Fields\r\n");
    file.close();
    QTRY_COMPARE(model->index(1, 1).data().toString(), QString("Dunes at dusk"));
    QTRY_COMPARE(model->index(2, 1).data().toString(), QString("Fields"));
}

void TestMainWindowWatch::scrollPositionStays()
{
    for (int i = 0; i < 60; ++i)
        writeImage(path(QString("m%1.jpg").arg(i, 2, 10, QChar('0'))), 40);
    QTRY_COMPARE(m_frame->fileList()->rowCount(), 63);
    QTreeView *list = m_frame->fileList()->listView();
    const int top = m_frame->fileList()->model()->rowOfName("m30.jpg");
    list->scrollTo(m_frame->fileList()->model()->index(top, 0), QAbstractItemView::PositionAtTop);
    QCOMPARE(list->indexAt(QPoint(1, 1)).row(), top);
    // Files come in above the rows on screen, and one goes.
    writeImage(path("a0.jpg"), 40);
    writeImage(path("a1.jpg"), 40);
    QVERIFY(QFile::remove(path("m02.jpg")));
    QTRY_COMPARE(m_frame->fileList()->rowCount(), 64);
    QCOMPARE(m_frame->fileList()->model()->nameAt(list->indexAt(QPoint(1, 1)).row()), QString("m30.jpg"));
}

void TestMainWindowWatch::drop(QWidget *target, const QList<QUrl> &urls, bool ownDrag, bool *accepted)
{
    QMimeData data;
    data.setUrls(urls);
    if (ownDrag)
        data.setData(QString::fromLatin1(kOwnDragFormat), QByteArray(1, '\0'));
    const QPoint at(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    *accepted = enter.isAccepted();
    if (!*accepted)
        return;
    QDropEvent dropped(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
    QVERIFY(dropped.isAccepted());
}

void TestMainWindowWatch::drops_data()
{
    QTest::addColumn<bool>("onView");
    QTest::addColumn<QString>("dropped"); // below the temporary folder
    QTest::addColumn<bool>("ownDrag");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("folder");  // shown afterwards
    QTest::addColumn<QString>("selected");
    QTest::newRow("picture of another folder on the view") << true << "other/y.jpg" << false << true << "other"
                                                           << "y.jpg";
    QTest::newRow("picture of another folder on the list") << false << "other/y.jpg" << false << true << "other"
                                                           << "y.jpg";
    QTest::newRow("a folder") << true << "other" << false << true << "other" << "x.jpg";
    QTest::newRow("picture of the folder on show") << false << "f.jpg" << false << true << "" << "f.jpg";
    QTest::newRow("not a picture") << true << "other/notes.txt" << false << false << "" << "d.jpg";
    QTest::newRow("rows of the list itself") << false << "other/y.jpg" << true << false << "" << "d.jpg";
}

void TestMainWindowWatch::drops()
{
    QFETCH(bool, onView);
    QFETCH(QString, dropped);
    QFETCH(bool, ownDrag);
    QFETCH(bool, accepted);
    QFETCH(QString, folder);
    QFETCH(QString, selected);
    writeImage(path("other/x.jpg"));
    writeImage(path("other/y.jpg"));
    QVERIFY(test::writeFile(path("other/notes.txt"), "text"));
    QWidget *target = onView ? static_cast<QWidget *>(m_frame->view()) : m_frame->fileList()->listView()->viewport();
    bool wasAccepted = false;
    drop(target, {QUrl::fromLocalFile(path(dropped))}, ownDrag, &wasAccepted);
    QCOMPARE(wasAccepted, accepted);
    const QString shownFolder = folder.isEmpty() ? m_dir->path() : path(folder);
    QTRY_COMPARE(QDir::cleanPath(m_frame->fileList()->currentFolder()), QDir::cleanPath(shownFolder));
    QTRY_COMPARE(m_frame->fileList()->selectedName(), selected);
    QVERIFY(waitForImage(QDir(shownFolder).filePath(selected)));
}

QTEST_MAIN(TestMainWindowWatch)
#include "tst_mainwindowwatch.moc"
