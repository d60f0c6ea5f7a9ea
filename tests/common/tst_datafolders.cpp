#include "core/common/DataFolders.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

class TestDataFolders : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void installedPathsLeadUnderShare();
    void locate_data();
    void locate();
    void relocatedPrefix();
};

void TestDataFolders::installedPathsLeadUnderShare()
{
    // As laid out by the install rules: executables in bin/, data in
    // share/quorvel and the manual in share/doc/quorvel.
    QCOMPARE(QDir::cleanPath("/p/bin/" + DataFolders::installedRelativePath(DataFolders::ProgramData)),
             QString("/p/share/quorvel"));
    QCOMPARE(QDir::cleanPath("/p/bin/" + DataFolders::installedRelativePath(DataFolders::Documentation)),
             QString("/p/share/doc/quorvel"));
}

void TestDataFolders::locate_data()
{
    QTest::addColumn<QStringList>("folders"); // made under the temporary folder
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("doc");
    QTest::newRow("installed layout") << QStringList{"usr/bin", "usr/share/quorvel", "usr/share/doc/quorvel"}
                                      << "usr/bin" << "usr/share/quorvel" << "usr/share/doc/quorvel";
    QTest::newRow("program folder with a trailing slash")
        << QStringList{"usr/bin", "usr/share/quorvel", "usr/share/doc/quorvel"} << "usr/bin/" << "usr/share/quorvel"
        << "usr/share/doc/quorvel";
    QTest::newRow("build tree: beside the executable") << QStringList{"build/bin"} << "build/bin" << "build/bin"
                                                       << "build/bin";
    QTest::newRow("installed without the manual") << QStringList{"opt/q/bin", "opt/q/share/quorvel"} << "opt/q/bin"
                                                  << "opt/q/share/quorvel" << "opt/q/bin";
    QTest::newRow("another program's share folder is not ours")
        << QStringList{"usr/bin", "usr/share/other"} << "usr/bin" << "usr/bin" << "usr/bin";
}

void TestDataFolders::locate()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, program);
    QFETCH(QString, data);
    QFETCH(QString, doc);
    QTemporaryDir dir;
    for (const QString &f : folders)
        QVERIFY(QDir(dir.path()).mkpath(f));
    const QString root = dir.path() + '/';
    QCOMPARE(DataFolders::locate(DataFolders::ProgramData, root + program), QDir::cleanPath(root + data));
    QCOMPARE(DataFolders::locate(DataFolders::Documentation, root + program), QDir::cleanPath(root + doc));
}

void TestDataFolders::relocatedPrefix()
{
    // A prefix unpacked somewhere else (a staging folder) finds its own data,
    // not that of the place it was built for.
    QTemporaryDir dir;
    QVERIFY(test::writeFile(dir.path() + "/stage/usr/share/quorvel/LangGerman.qm", "x"));
    QVERIFY(QDir(dir.path()).mkpath("stage/usr/bin"));
    QVERIFY(QDir(dir.path()).rename("stage", "moved"));
    const QString data = DataFolders::locate(DataFolders::ProgramData, dir.path() + "/moved/usr/bin");
    QVERIFY(QFileInfo::exists(data + "/LangGerman.qm"));
}

QTEST_GUILESS_MAIN(TestDataFolders)
#include "tst_datafolders.moc"
