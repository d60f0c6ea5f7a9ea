#include "core/files/FileListModel.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"
#include "support/TestSupport.h"
#include "ui/files/FileListPane.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace quorvel;

class TestFileListPane : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void fillSelectsFirstAndAnnounces();
    void emptyFolderClearsTheView();
    void navigation_data();
    void navigation();
    void selectionQueries();
    void filterAppliesOnlyWhenChanged();
    void enterInFilterAppliesIt();
    void columnWidthsAndModePersist();
    void sortOrderPersists_data();
    void sortOrderPersists();
    void unsizedColumnsFitTheirTexts();

private:
    QTemporaryDir m_dir;
    FolderEntries m_entries;
};

void TestFileListPane::init()
{
    installSettingsStore(std::make_unique<MemorySettingsStore>());
    QVERIFY(m_dir.isValid());
    m_entries.clear();
    for (const char *name : {"e.jpg", "a.jpg", "c.jpg", "b.jpg", "d.jpg"}) {
        QVERIFY(test::writeFile(m_dir.filePath(name), QByteArray(QString(name) == "a.jpg" ? 1024 : 10, 'x')));
        m_entries.append({name, FolderEntry::ListedFile});
    }
    QVERIFY(test::writeFile(m_dir.filePath("t/target.jpg"), "x"));
    QVERIFY(test::writeFile(m_dir.filePath("z.jpg.link"), "t/target.jpg"));
    m_entries.append({"z.jpg.link", FolderEntry::ListedFile});
}

void TestFileListPane::fillSelectsFirstAndAnnounces()
{
    FileListPane pane;
    QSignalSpy chosen(&pane, &FileListPane::fileChosen);
    pane.fillList(m_entries, m_dir.path(), true);
    QCOMPARE(pane.rowCount(), 6);
    QCOMPARE(pane.selectedIndex(), 0);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toString(), m_dir.path() + "/a.jpg");
    QCOMPARE(pane.selectionStatusText(), QString(". 1/6, 1.0 Kb"));
    // A refill without selecting announces nothing.
    pane.fillList(m_entries, m_dir.path(), false);
    QCOMPARE(chosen.count(), 1);
}

void TestFileListPane::emptyFolderClearsTheView()
{
    FileListPane pane;
    QSignalSpy emptied(&pane, &FileListPane::listEmptied);
    pane.fillList({}, m_dir.path(), true);
    QCOMPARE(emptied.count(), 1);
    QCOMPARE(pane.selectedIndex(), -1);
    QVERIFY(!pane.navigate(FileListPane::NavigateNext));
}

void TestFileListPane::navigation_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("how");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<int>("row");
    QTest::newRow("next") << 2 << int(FileListPane::NavigateNext) << true << 3;
    QTest::newRow("previous") << 2 << int(FileListPane::NavigatePrevious) << true << 1;
    QTest::newRow("first") << 2 << int(FileListPane::NavigateFirst) << true << 0;
    QTest::newRow("last") << 2 << int(FileListPane::NavigateLast) << true << 5;
    QTest::newRow("previous at the top") << 0 << int(FileListPane::NavigatePrevious) << false << 0;
    QTest::newRow("next at the bottom") << 5 << int(FileListPane::NavigateNext) << false << 5;
}

void TestFileListPane::navigation()
{
    QFETCH(int, start);
    QFETCH(int, how);
    QFETCH(bool, moved);
    QFETCH(int, row);
    FileListPane pane;
    pane.fillList(m_entries, m_dir.path(), true);
    pane.selectOnly(start);
    QCOMPARE(pane.navigate(how), moved);
    QCOMPARE(pane.selectedIndex(), row);
    QCOMPARE(pane.hasNeighbour(true), row > 0);
    QCOMPARE(pane.hasNeighbour(false), row < 5);
}

void TestFileListPane::selectionQueries()
{
    FileListPane pane;
    pane.fillList(m_entries, m_dir.path(), true);
    QVERIFY(pane.selectByName("z.jpg.link"));
    QCOMPARE(pane.selectedName(), QString("z.jpg.link"));
    QCOMPARE(pane.selectedPath(true), QString("z.jpg.link"));
    QCOMPARE(pane.selectedPath(false, true), m_dir.path() + "/t/target.jpg");
    QCOMPARE(pane.neighbourPath(true), m_dir.path() + "/e.jpg");
    QVERIFY(!pane.selectByName("Z.JPG.LINK")); // the caller lower-cases
    // Two rows selected: both paths in row order, links resolved on request.
    pane.selectOnly(4);
    pane.listView()->selectionModel()->select(pane.model()->index(5, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(pane.selectedFiles(true), QStringList({m_dir.path() + "/e.jpg", m_dir.path() + "/t/target.jpg"}));
    QCOMPARE(pane.selectedFiles(false).last(), m_dir.path() + "/z.jpg.link");
    QVERIFY(pane.selectionStatusText().startsWith(". sel: 2/6, "));
}

void TestFileListPane::filterAppliesOnlyWhenChanged()
{
    FileListPane pane;
    QSignalSpy refresh(&pane, &FileListPane::refreshRequested);
    pane.filterEdit()->setText("   ");
    pane.applyFilter();
    QCOMPARE(refresh.count(), 0);
    pane.filterEdit()->setText(" b ");
    pane.applyFilter();
    QCOMPARE(refresh.count(), 1);
    pane.applyFilter();
    QCOMPARE(refresh.count(), 1);
    pane.fillList(m_entries, m_dir.path(), true); // the fill uses the text as typed
    QCOMPARE(pane.rowCount(), 0);
    pane.filterEdit()->setText("b");
    pane.fillList(m_entries, m_dir.path(), true);
    QCOMPARE(pane.rowCount(), 1);
}

void TestFileListPane::enterInFilterAppliesIt()
{
    FileListPane pane;
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QSignalSpy refresh(&pane, &FileListPane::refreshRequested);
    QSignalSpy fullScreen(&pane, &FileListPane::fullScreenRequested);
    pane.filterEdit()->setFocus();
    QTest::keyClicks(pane.filterEdit(), "canon");
    QTest::keyClick(pane.filterEdit(), Qt::Key_Return);
    QCOMPARE(refresh.count(), 1);
    QCOMPARE(fullScreen.count(), 0);
}

void TestFileListPane::columnWidthsAndModePersist()
{
    {
        FileListPane pane;
        QCOMPARE(pane.showMode(), 0);
        pane.toggleShowMode();
        QCOMPARE(pane.model()->columnCount(), 8);
        pane.listView()->setColumnWidth(3, 77); // ISO
        pane.listView()->setColumnWidth(5, 0);  // Camera
    }
    QCOMPARE(settingsStore().readInt("RightPaneColumns", "IsoFld", -1), 77);
    QCOMPARE(settingsStore().readInt("RightPaneColumns", "CameraFld", -1), 2);
    QCOMPARE(settingsStore().readInt("RightPaneColumns", "ShowMode", -1), 1);
    FileListPane again;
    QCOMPARE(again.showMode(), 1);
    QCOMPARE(again.listView()->columnWidth(3), 77);
}

void TestFileListPane::sortOrderPersists_data()
{
    QTest::addColumn<int>("showMode");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QString>("first");
    QTest::newRow("name reversed") << 0 << QList<int>{0} << "FNameFld" << true << "z.jpg.link";
    QTest::newRow("name, back to ascending") << 0 << QList<int>{0, 0} << "FNameFld" << false << "a.jpg";
    QTest::newRow("description ascending") << 0 << QList<int>{1} << "DescrFld" << false << "a.jpg";
    QTest::newRow("date reversed in the EXIF view") << 1 << QList<int>{6, 6} << "DateFld" << true << "a.jpg";
}

void TestFileListPane::sortOrderPersists()
{
    QFETCH(int, showMode);
    QFETCH(QList<int>, clicks);
    QFETCH(QString, key);
    QFETCH(bool, descending);
    QFETCH(QString, first);
    settingsStore().writeInt("RightPaneColumns", "ShowMode", showMode);
    const Qt::SortOrder order = descending ? Qt::DescendingOrder : Qt::AscendingOrder;
    {
        FileListPane pane;
        pane.fillList(m_entries, m_dir.path(), true);
        for (int section : clicks)
            Q_EMIT pane.listView()->header()->sectionClicked(section);
        QCOMPARE(pane.model()->nameAt(0), first);
        QCOMPARE(pane.listView()->header()->sortIndicatorSection(), clicks.last());
        QCOMPARE(pane.listView()->header()->sortIndicatorOrder(), order);
    }
    QCOMPARE(settingsStore().readString("RightPaneColumns", "SortColumn", QString()), key);
    QCOMPARE(settingsStore().readInt("RightPaneColumns", "SortDescending", -1), descending ? 1 : 0);
    // The next start, and every folder after it, sorts the same way.
    FileListPane again;
    QCOMPARE(again.listView()->header()->sortIndicatorSection(), clicks.last());
    QCOMPARE(again.listView()->header()->sortIndicatorOrder(), order);
    again.fillList(m_entries, m_dir.path(), true);
    QCOMPARE(again.model()->nameAt(0), first);
    QCOMPARE(again.model()->sortDescending(), descending);
}

void TestFileListPane::unsizedColumnsFitTheirTexts()
{
    m_entries.append({"A_very_long_file_name_from_a_camera_0001.jpg", FolderEntry::ListedFile});
    QVERIFY(test::writeFile(m_dir.filePath("A_very_long_file_name_from_a_camera_0001.jpg"), "x"));
    settingsStore().writeInt("RightPaneColumns", "DescrFld", 140);
    FileListPane pane;
    pane.toggleShowMode(); // the EXIF view: long headings
    const QHeaderView *header = pane.listView()->header();
    // Headings are readable from the start; a stored width stays as it is.
    for (int i = 0; i < header->count() - 1; ++i)
        QVERIFY2(header->sectionSize(i) >= header->sectionSizeHint(i), qPrintable(QString::number(i)));
    QCOMPARE(header->sectionSize(7), 140);
    pane.fillList(m_entries, m_dir.path(), true);
    const QFontMetrics metrics(pane.listView()->font());
    QVERIFY(header->sectionSize(0) > metrics.horizontalAdvance("A_very_long_file_name_from_a_camera_0001.jpg"));
    QCOMPARE(header->sectionSize(7), 140);
    // Once the user sized a column, a fill leaves it alone.
    pane.listView()->setColumnWidth(0, 90);
    pane.fillList(m_entries, m_dir.path(), true);
    QCOMPARE(header->sectionSize(0), 90);
}

QTEST_MAIN(TestFileListPane)
#include "tst_filelistpane.moc"
