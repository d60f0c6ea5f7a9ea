#include "core/fileops/RepositoryLocation.h"
#include "core/fileops/VersionStore.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

class TestRepositoryLocation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void folder_data();
    void folder();
    void repositoryBesideTheProgramKeepsItsVersions();
    void newRepositoryGoesToTheUsersDataFolder();
};

void TestRepositoryLocation::folder_data()
{
    QTest::addColumn<QByteArray>("besideProgram"); // what lies beside the executable
    QTest::addColumn<bool>("keptThere");
    QTest::newRow("nothing beside the program") << QByteArray() << false;
    QTest::newRow("an index beside the program") << QByteArray("fInfo.txt") << true;
    QTest::newRow("only version files, no index") << QByteArray("abcdefg.v1.jpg") << false;
    QTest::newRow("a folder named like the index") << QByteArray("fInfo.txt/") << false;
}

void TestRepositoryLocation::folder()
{
    QFETCH(QByteArray, besideProgram);
    QFETCH(bool, keptThere);
    QTemporaryDir dir;
    const QString program = dir.filePath("bin");
    const QString data = dir.filePath("home/.local/share/Quorvel/Quorvel");
    QVERIFY(QDir().mkpath(program));
    if (besideProgram.endsWith('/'))
        QVERIFY(QDir(program).mkpath(QString::fromLatin1(besideProgram)));
    else if (!besideProgram.isEmpty())
        QVERIFY(test::writeFile(program + '/' + QString::fromLatin1(besideProgram), "x"));

    // The program's folder is writable here, as in a build tree: that alone
    // never makes it the repository.
    QCOMPARE(RepositoryLocation::folder(program, data), keptThere ? program : data + "/versions");
}

void TestRepositoryLocation::repositoryBesideTheProgramKeepsItsVersions()
{
    QTemporaryDir dir;
    const QString program = dir.filePath("bin");
    const QString photo = dir.filePath("photos/a.jpg");
    QVERIFY(test::writeFile(photo, "first state"));
    {
        VersionStore old(program);
        QCOMPARE(old.rememberVersion(photo), 1);
    }
    const QString folder = RepositoryLocation::folder(program, dir.filePath("data"));
    QCOMPARE(folder, program);
    VersionStore store(folder);
    QCOMPARE(store.listVersions(photo), QVector<int>{1});
}

void TestRepositoryLocation::newRepositoryGoesToTheUsersDataFolder()
{
    QTemporaryDir dir;
    const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("share")));
    const QString data = dir.filePath("share/Quorvel/Quorvel");
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), data);
    QCOMPARE(VersionStore::defaultFolder(), data + "/versions");

    const QString photo = dir.filePath("a.jpg");
    QVERIFY(test::writeFile(photo, "state"));
    VersionStore store;
    const int number = store.rememberVersion(photo);
    qputenv("XDG_DATA_HOME", oldHome);
    QVERIFY2(number > 0, qPrintable(store.lastError()));
    QVERIFY(QFile::exists(data + "/versions/fInfo.txt"));
    QVERIFY(!QFile::exists(QCoreApplication::applicationDirPath() + "/fInfo.txt"));
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    TestRepositoryLocation test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_repositorylocation.moc"
