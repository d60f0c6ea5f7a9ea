#include "core/files/FileListModel.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"
#include "support/TestSupport.h"
#include "ui/files/CRightPaneView.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace quorvel;

class TestRightPane : public QObject
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

private:
    QTemporaryDir m_dir;
    FolderEntries m_entries;
};

void TestRightPane::init()
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

void TestRightPane::fillSelectsFirstAndAnnounces()
{
    CRightPaneView pane;
    QSignalSpy chosen(&pane, &CRightPaneView::fileChosen);
    pane.FillList(m_entries, m_dir.path(), true);
    QCOMPARE(pane.rowCount(), 6);
    QCOMPARE(pane.GetSelectedIndex(), 0);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toString(), m_dir.path() + "/a.jpg");
    QCOMPARE(pane.SelectionStatusText(), QString(". 1/6, 1.0 Kb"));
    // A refill without selecting announces nothing.
    pane.FillList(m_entries, m_dir.path(), false);
    QCOMPARE(chosen.count(), 1);
}

void TestRightPane::emptyFolderClearsTheView()
{
    CRightPaneView pane;
    QSignalSpy emptied(&pane, &CRightPaneView::listEmptied);
    pane.FillList({}, m_dir.path(), true);
    QCOMPARE(emptied.count(), 1);
    QCOMPARE(pane.GetSelectedIndex(), -1);
    QVERIFY(!pane.Navigate(CRightPaneView::NavigateNext));
}

void TestRightPane::navigation_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("how");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<int>("row");
    QTest::newRow("next") << 2 << int(CRightPaneView::NavigateNext) << true << 3;
    QTest::newRow("previous") << 2 << int(CRightPaneView::NavigatePrevious) << true << 1;
    QTest::newRow("first") << 2 << int(CRightPaneView::NavigateFirst) << true << 0;
    QTest::newRow("last") << 2 << int(CRightPaneView::NavigateLast) << true << 5;
    QTest::newRow("previous at the top") << 0 << int(CRightPaneView::NavigatePrevious) << false << 0;
    QTest::newRow("next at the bottom") << 5 << int(CRightPaneView::NavigateNext) << false << 5;
}

void TestRightPane::navigation()
{
    QFETCH(int, start);
    QFETCH(int, how);
    QFETCH(bool, moved);
    QFETCH(int, row);
    CRightPaneView pane;
    pane.FillList(m_entries, m_dir.path(), true);
    pane.SelectOnly(start);
    QCOMPARE(pane.Navigate(how), moved);
    QCOMPARE(pane.GetSelectedIndex(), row);
    QCOMPARE(pane.HasNeighbour(true), row > 0);
    QCOMPARE(pane.HasNeighbour(false), row < 5);
}

void TestRightPane::selectionQueries()
{
    CRightPaneView pane;
    pane.FillList(m_entries, m_dir.path(), true);
    QVERIFY(pane.SelectByName("z.jpg.link"));
    QCOMPARE(pane.GetSelectedName(), QString("z.jpg.link"));
    QCOMPARE(pane.GetSelectedPath(true), QString("z.jpg.link"));
    QCOMPARE(pane.GetSelectedPath(false, true), m_dir.path() + "/t/target.jpg");
    QCOMPARE(pane.NeighbourPath(true), m_dir.path() + "/e.jpg");
    QVERIFY(!pane.SelectByName("Z.JPG.LINK")); // the caller lower-cases
    // Two rows selected: both paths in row order, links resolved on request.
    pane.SelectOnly(4);
    pane.listView()->selectionModel()->select(pane.model()->index(5, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(pane.GetSelectedFiles(true), QStringList({m_dir.path() + "/e.jpg", m_dir.path() + "/t/target.jpg"}));
    QCOMPARE(pane.GetSelectedFiles(false).last(), m_dir.path() + "/z.jpg.link");
    QVERIFY(pane.SelectionStatusText().startsWith(". sel: 2/6, "));
}

void TestRightPane::filterAppliesOnlyWhenChanged()
{
    CRightPaneView pane;
    QSignalSpy refresh(&pane, &CRightPaneView::refreshRequested);
    pane.filterEdit()->setText("   ");
    pane.applyFilter();
    QCOMPARE(refresh.count(), 0);
    pane.filterEdit()->setText(" b ");
    pane.applyFilter();
    QCOMPARE(refresh.count(), 1);
    pane.applyFilter();
    QCOMPARE(refresh.count(), 1);
    pane.FillList(m_entries, m_dir.path(), true); // the fill uses the text as typed
    QCOMPARE(pane.rowCount(), 0);
    pane.filterEdit()->setText("b");
    pane.FillList(m_entries, m_dir.path(), true);
    QCOMPARE(pane.rowCount(), 1);
}

void TestRightPane::enterInFilterAppliesIt()
{
    CRightPaneView pane;
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    QSignalSpy refresh(&pane, &CRightPaneView::refreshRequested);
    QSignalSpy fullScreen(&pane, &CRightPaneView::fullScreenRequested);
    pane.filterEdit()->setFocus();
    QTest::keyClicks(pane.filterEdit(), "canon");
    QTest::keyClick(pane.filterEdit(), Qt::Key_Return);
    QCOMPARE(refresh.count(), 1);
    QCOMPARE(fullScreen.count(), 0);
}

void TestRightPane::columnWidthsAndModePersist()
{
    {
        CRightPaneView pane;
        QCOMPARE(pane.showMode(), 0);
        pane.toggleShowMode();
        QCOMPARE(pane.model()->columnCount(), 8);
        pane.listView()->setColumnWidth(3, 77); // ISO
        pane.listView()->setColumnWidth(5, 0);  // Camera
    }
    QCOMPARE(settingsStore().readInt("RightPaneColumns", "IsoFld", -1), 77);
    QCOMPARE(settingsStore().readInt("RightPaneColumns", "CameraFld", -1), 2);
    QCOMPARE(settingsStore().readInt("RightPaneColumns", "ShowMode", -1), 1);
    CRightPaneView again;
    QCOMPARE(again.showMode(), 1);
    QCOMPARE(again.listView()->columnWidth(3), 77);
}

QTEST_MAIN(TestRightPane)
#include "tst_rightpane.moc"
