#include "core/files/FolderTreeRules.h"

#include <QTest>

using namespace quorvel;

class TestFolderTreeRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void itemPaths_data();
    void itemPaths();
    void rootMatching_data();
    void rootMatching();
};

void TestFolderTreeRules::itemPaths_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("path");
    QTest::newRow("file system root") << QStringList{"/"} << "/";
    QTest::newRow("below the root") << QStringList{"/", "home", "me"} << "/home/me/";
    QTest::newRow("home as a root") << QStringList{"/home/me", "Photos", "2004"} << "/home/me/Photos/2004/";
    QTest::newRow("favourite with trailing separator") << QStringList{"/data/Photos/", "a"} << "/data/Photos/a/";
#ifdef Q_OS_WIN
    QTest::newRow("drive") << QStringList{"C:", "Photos"} << "C:/Photos/";
    QTest::newRow("drive root favourite") << QStringList{"C:\\", "Photos"} << "C:/Photos/";
#endif
}

void TestFolderTreeRules::itemPaths()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, path);
    QCOMPARE(folderTree::itemPath(texts), path);
}

void TestFolderTreeRules::rootMatching_data()
{
    QTest::addColumn<QStringList>("roots");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<int>("root");
    QTest::addColumn<QStringList>("components");
    const QStringList linuxRoots{"/home/me", "/", "/media/me/CARD"};
    QTest::newRow("under home") << linuxRoots << "/home/me/Photos/2004/" << false << 0 << QStringList{"Photos", "2004"};
    QTest::newRow("elsewhere") << linuxRoots << "/srv/photos" << false << 1 << QStringList{"srv", "photos"};
    QTest::newRow("home itself") << linuxRoots << "/home/me/" << false << 0 << QStringList{};
    QTest::newRow("a name prefix is not a folder") << linuxRoots << "/home/meier/x" << false << 1
                                                   << QStringList{"home", "meier", "x"};
    QTest::newRow("card") << QStringList{"/", "/media/me/CARD"} << "/media/me/CARD/DCIM" << false << 0
                          << QStringList{"media", "me", "CARD", "DCIM"};
    QTest::newRow("case counts on linux") << linuxRoots << "/HOME/me/x" << false << 1 << QStringList{"HOME", "me", "x"};
#ifdef Q_OS_WIN
    QTest::newRow("drive, upper-cased compare") << QStringList{"B:", "C:", "D:"} << "c:\\photos\\" << true << 1
                                                << QStringList{"photos"};
    QTest::newRow("no such drive") << QStringList{"C:"} << "E:\\x" << true << -1 << QStringList{};
#endif
    QTest::newRow("relative path") << linuxRoots << "photos" << false << -1 << QStringList{};
}

void TestFolderTreeRules::rootMatching()
{
    QFETCH(QStringList, roots);
    QFETCH(QString, path);
    QFETCH(bool, caseInsensitive);
    QFETCH(int, root);
    QFETCH(QStringList, components);
    const folderTree::RootMatch match = folderTree::matchRoot(roots, path, caseInsensitive);
    QCOMPARE(match.rootIndex, root);
    if (root >= 0)
        QCOMPARE(match.components, components);
}

QTEST_GUILESS_MAIN(TestFolderTreeRules)
#include "tst_foldertreerules.moc"
