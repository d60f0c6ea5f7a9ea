#include "support/TestSupport.h"
#include "ui/files/FolderTreePane.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace quorvel;

namespace {
QString slash(const QString &p)
{
    return p.endsWith('/') ? p : p + '/';
}
} // namespace

class TestFolderTreePane : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void folderAsRootSelectsAndAnnounces();
    void selectPath_data();
    void selectPath();
    void foldersWithOnlyHiddenSubfoldersHaveNoExpandButton();
    void expansionReadsOneLevel();
    void refreshKeepsSelectionOrFallsBackToParent();

private:
    QTemporaryDir m_dir;
};

void TestFolderTreePane::init()
{
    QVERIFY(m_dir.isValid());
    QDir root(m_dir.path());
    QVERIFY(root.mkpath("Photos/2004/Summer"));
    QVERIFY(root.mkpath("Photos/2005"));
    QVERIFY(root.mkpath("Photos2"));
    QVERIFY(root.mkpath("OnlyHidden/.thumbnails"));
    QVERIFY(root.mkpath(".hidden/inside"));
}

void TestFolderTreePane::folderAsRootSelectsAndAnnounces()
{
    FolderTreePane pane;
    QSignalSpy spy(&pane, &FolderTreePane::folderSelected);
    pane.showFolderAsRoot(m_dir.path());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), slash(m_dir.path()));
    QCOMPARE(pane.tree()->topLevelItemCount(), 1);
    QStringList names;
    for (int i = 0; i < pane.tree()->topLevelItem(0)->childCount(); ++i)
        names << pane.tree()->topLevelItem(0)->child(i)->text(0);
    QCOMPARE(names, QStringList({"OnlyHidden", "Photos", "Photos2"}));
    QVERIFY(pane.hasSelection());
}

void TestFolderTreePane::selectPath_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("selected");
    QTest::newRow("deep") << "Photos/2004/Summer/" << "Photos/2004/Summer/";
    QTest::newRow("without trailing separator") << "Photos/2005" << "Photos/2005/";
    QTest::newRow("missing leaf: deepest existing") << "Photos/2004/Winter/" << "Photos/2004/";
    QTest::newRow("missing branch") << "Nowhere/a/b/" << "";
    QTest::newRow("prefix sibling") << "Photos2/" << "Photos2/";
}

void TestFolderTreePane::selectPath()
{
    QFETCH(QString, relative);
    QFETCH(QString, selected);
    FolderTreePane pane;
    pane.showFolderAsRoot(m_dir.path());
    QSignalSpy spy(&pane, &FolderTreePane::folderSelected);
    pane.selectPath(slash(m_dir.path()) + relative);
    const QString expected = slash(m_dir.path()) + selected;
    QCOMPARE(pane.currentFolderPath(), expected);
    if (selected.isEmpty())
        QCOMPARE(spy.count(), 0); // the root stays selected
    else
        QCOMPARE(spy.last().at(0).toString(), expected);
}

void TestFolderTreePane::foldersWithOnlyHiddenSubfoldersHaveNoExpandButton()
{
    FolderTreePane pane;
    pane.showFolderAsRoot(m_dir.path());
    QTreeWidgetItem *root = pane.tree()->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i) {
        QTreeWidgetItem *child = root->child(i);
        if (child->text(0) == "OnlyHidden" || child->text(0) == "Photos2")
            QCOMPARE(child->childCount(), 0);
        if (child->text(0) == "Photos")
            QCOMPARE(child->childCount(), 1); // the dummy until expanded
    }
}

void TestFolderTreePane::expansionReadsOneLevel()
{
    FolderTreePane pane;
    pane.showFolderAsRoot(m_dir.path());
    QTreeWidgetItem *photos = nullptr;
    QTreeWidgetItem *root = pane.tree()->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->text(0) == "Photos")
            photos = root->child(i);
    QVERIFY(photos);
    QCOMPARE(photos->child(0)->text(0), QString("Sub dir"));
    QSignalSpy spy(&pane, &FolderTreePane::folderSelected);
    photos->setExpanded(true);
    QCOMPARE(spy.count(), 0); // expanding is no selection
    QCOMPARE(photos->childCount(), 2);
    QCOMPARE(photos->child(0)->text(0), QString("2004"));
    QCOMPARE(photos->child(0)->childCount(), 1); // Summer, not read yet
    QCOMPARE(photos->child(1)->childCount(), 0);
}

void TestFolderTreePane::refreshKeepsSelectionOrFallsBackToParent()
{
    FolderTreePane pane;
    pane.showFolderAsRoot(m_dir.path());
    pane.selectPath(m_dir.path() + "/Photos/2005");
    QVERIFY(QDir(m_dir.path()).mkpath("Photos/2006"));
    QSignalSpy spy(&pane, &FolderTreePane::folderSelected);
    pane.refreshAroundSelection();
    QCOMPARE(pane.currentFolderPath(), m_dir.path() + "/Photos/2005/");
    QCOMPARE(spy.count(), 0); // the caller fills the list itself
    QCOMPARE(pane.tree()->currentItem()->parent()->childCount(), 3);

    QVERIFY(QDir(m_dir.path() + "/Photos/2005").removeRecursively());
    pane.refreshAroundSelection();
    QCOMPARE(pane.currentFolderPath(), m_dir.path() + "/Photos/");
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(TestFolderTreePane)
#include "tst_foldertreepane.moc"
