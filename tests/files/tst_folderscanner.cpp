#include "core/files/FolderScanner.h"
#include "core/files/PathUtil.h"
#include "support/HostileEntries.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace quorvel;
using test::Hostile;

namespace {

void touch(const QString &path)
{
    QVERIFY(test::writeFile(path, "x"));
}

// Scan results come in file-system order; compare as sets.
QStringList names(const FolderEntries &entries)
{
    QStringList out;
    for (const FolderEntry &e : entries)
        out.append(QStringLiteral("%1:%2").arg(e.name).arg(e.kind));
    out.sort();
    return out;
}

} // namespace

class TestFolderScanner : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void extensionRule_data();
    void extensionRule();
    void listsFilesAndFoldersByMode_data();
    void listsFilesAndFoldersByMode();
    void nestedScanNeverDescends();
    void missingOrUnusableFolderGivesNothing_data();
    void missingOrUnusableFolderGivesNothing();
    void unreadableFolderGivesNothing();
    void longPathsAreScannedWhole();
    void entriesOfEveryKindAsQtListsThem();
};

void TestFolderScanner::extensionRule_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::newRow("jpg") << "IMG_0001.JPG" << true;
    QTest::newRow("jpeg") << "a.jpeg" << true;
    QTest::newRow("tiff") << "scan.TIFF" << true;
    QTest::newRow("link") << "IMG.JPG.link" << true;
    QTest::newRow("raw cr2") << "IMG_1.CR2" << true;
    QTest::newRow("raw mrw") << "x.mrw" << true;
    QTest::newRow("pcx") << "old.pcx" << true;
    QTest::newRow("inside the name") << "notes.jpg.txt" << true;
    QTest::newRow("gif inside a word") << "my.gifts.doc" << true;
    QTest::newRow("text") << "readme.txt" << false;
    QTest::newRow("png") << "shot.png" << true;
    QTest::newRow("webp") << "shot.WEBP" << true;
    QTest::newRow("heic") << "IMG_0001.HEIC" << true;
    QTest::newRow("heif") << "a.heif" << true;
    QTest::newRow("avif") << "a.avif" << true;
    QTest::newRow("jxl") << "a.jxl" << true;
    QTest::newRow("raw dng") << "a.DNG" << true;
    QTest::newRow("raw arw") << "DSC0001.ARW" << true;
    QTest::newRow("raw cr3") << "IMG_1.CR3" << true;
    QTest::newRow("raw rw2") << "P1.RW2" << true;
    QTest::newRow("raw 3fr") << "B.3fr" << true;
    QTest::newRow("svg is not listed") << "logo.svg" << false;
    QTest::newRow("no dot") << "jpg" << false;
    QTest::newRow("many dots") << "a.b.c..JpEg" << true;
    QTest::newRow("ends in a dot") << "photo.jpg." << true;
    QTest::newRow("only dots") << "..." << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("non-ASCII, listed") << QString::fromUtf8("Straße am Meer.JPG") << true;
    QTest::newRow("non-ASCII, not listed") << QString::fromUtf8("Ärger.txt") << false;
    QTest::newRow("non-ASCII extension letter") << QString::fromUtf8("x.jpé") << false;
    QTest::newRow("long name") << QString(300, u'a') + ".Nef" << true;
    QTest::newRow("long name, not listed") << QString(300, u'a') + ".txt" << false;
}

void TestFolderScanner::extensionRule()
{
    QFETCH(QString, name);
    QFETCH(bool, listed);
    QCOMPARE(FolderScanner::hasSupportedExtension(name), listed);
}

void TestFolderScanner::listsFilesAndFoldersByMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");
    const QStringList files{"IMG_0001.JPG:0", "notes.jpg.txt:0", "a.link:0"};
    const QStringList folders{"deep:1", "flat:2", "onlyHiddenInside:2"};
    QTest::newRow("folders") << int(FolderScanner::Folders) << folders;
    QTest::newRow("images") << int(FolderScanner::Images) << files;
    QStringList both = files + folders;
    QTest::newRow("both") << int(FolderScanner::FoldersAndImages) << both;
    QTest::newRow("nothing") << 0 << QStringList();
}

void TestFolderScanner::listsFilesAndFoldersByMode()
{
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString root = dir.path();
    touch(root + "/IMG_0001.JPG");
    touch(root + "/notes.jpg.txt");
    touch(root + "/a.link");
    touch(root + "/readme.txt");
    touch(root + "/.hidden.jpg");
    QVERIFY(QDir(root).mkpath("deep/inner"));
    QVERIFY(QDir(root).mkpath("flat"));
    touch(root + "/flat/photo.jpg"); // files do not make a folder expandable
    QVERIFY(QDir(root).mkpath("onlyHiddenInside/.cache"));
    QVERIFY(QDir(root).mkpath(".hiddenFolder/sub"));

    expected.sort();
    QCOMPARE(names(FolderScanner(root).scan(mode)), expected);
    // A trailing separator on the folder changes nothing.
    QCOMPARE(names(FolderScanner(root + "/").scan(mode)), expected);
}

void TestFolderScanner::nestedScanNeverDescends()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("a/b"));
    QVERIFY(QDir(dir.path()).mkpath("c"));
    QCOMPARE(names(FolderScanner(dir.path()).scan(FolderScanner::Folders, true)), QStringList({"a:2", "c:2"}));
}

void TestFolderScanner::missingOrUnusableFolderGivesNothing_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("missing") << "no/such/folder";
    QTest::newRow("a file, not a folder") << "file.jpg";
    QTest::newRow("empty path") << "";
}

void TestFolderScanner::missingOrUnusableFolderGivesNothing()
{
    QFETCH(QString, relative);
    QTemporaryDir dir;
    touch(dir.path() + "/file.jpg");
    const QString path = relative.isEmpty() ? QString() : dir.path() + "/" + relative;
    QVERIFY(FolderScanner(path).scan(FolderScanner::FoldersAndImages).isEmpty());
}

void TestFolderScanner::unreadableFolderGivesNothing()
{
#ifdef Q_OS_UNIX
    if (geteuid() == 0)
        QSKIP("running as root: permissions do not stop reading a folder");
    QTemporaryDir dir;
    const QString locked = dir.path() + "/locked";
    QVERIFY(QDir().mkpath(locked));
    touch(locked + "/a.jpg");
    QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));
    const FolderEntries entries = FolderScanner(locked).scan(FolderScanner::FoldersAndImages);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(entries.isEmpty());
    // The folder itself is still listed by its parent, as a folder without subfolders.
    QCOMPARE(names(FolderScanner(dir.path()).scan(FolderScanner::Folders)), QStringList{"locked:2"});
#else
    QSKIP("permissions test is for POSIX systems");
#endif
}

void TestFolderScanner::longPathsAreScannedWhole()
{
    // Paths well past 260 bytes, with a name of 250 bytes at the end.
    QTemporaryDir dir;
    QString folder = dir.path();
    for (int i = 0; i < 5; ++i)
        folder += "/" + QString(60, QChar(u'a' + i));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(folder.toUtf8().size() > 300);
    const QString longName = QString(246, u'n') + ".jpg";
    touch(folder + "/" + longName);
    QVERIFY(QDir().mkpath(folder + "/" + QString(200, u's') + "/inner"));

    const FolderEntries entries = FolderScanner(folder).scan(FolderScanner::FoldersAndImages);
    QCOMPARE(names(entries), QStringList({longName + ":0", QString(200, u's') + ":1"}));
    QVERIFY(QFile::exists(joinPath(folder, longName)));
}

// Files, folders, links to either, dangling links, hidden entries and
// entries that are neither files nor folders: the scan lists what Qt's
// directory iterator lists with the same filters, except links to entries
// that are neither.
void TestFolderScanner::entriesOfEveryKindAsQtListsThem()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    touch(root + "/a.jpg");
    touch(root + "/.hidden.jpg");
    touch(root + "/b.txt");
    QVERIFY(QDir(root).mkpath("folder.jpg/inner"));
    QVERIFY(QDir(root).mkpath(".hidden"));
    QVERIFY(QDir(root).mkpath("empty"));
    QVERIFY(QFile::link(root + "/a.jpg", root + "/link to file.jpg"));
    QVERIFY(QFile::link(root + "/empty", root + "/link to folder"));
    QVERIFY(QFile::link(root + "/missing.jpg", root + "/dangling.jpg"));
    QVERIFY(QFile::link(root + "/empty", root + "/.hidden link"));
    QStringList odd;
    for (Hostile kind : {Hostile::Fifo, Hostile::Socket, Hostile::Device}) {
        const QString path = root + "/" + test::hostileName(kind) + ".jpg";
        if (test::makeHostile(kind, path))
            odd << path;
    }
    test::FifoGuard guard(odd);

    for (int mode : {int(FolderScanner::Folders), int(FolderScanner::Images), int(FolderScanner::FoldersAndImages)}) {
        QDir::Filters filters = QDir::NoDotAndDotDot;
        if (mode & FolderScanner::Folders)
            filters |= QDir::Dirs;
        if (mode & FolderScanner::Images)
            filters |= QDir::Files;
        QStringList expected;
        QDirIterator it(root, filters);
        while (it.hasNext()) {
            it.next();
            const QFileInfo info = it.fileInfo();
            if (info.isDir())
                expected << info.fileName() + (info.fileName() == "folder.jpg" ? ":1" : ":2");
            else if (info.isFile() && (mode & FolderScanner::Images) && FolderScanner::hasSupportedExtension(info.fileName()))
                expected << info.fileName() + ":0";
            // Qt lists a link to a device as well; like the device itself,
            // it is not a file the list could show.
        }
        expected.sort();
        const QStringList scanned = names(FolderScanner(root).scan(mode));
        QVERIFY2(scanned == expected, qPrintable(scanned.join(", ") + " / " + expected.join(", ")));
    }
    QCOMPARE(names(FolderScanner(root).scan(FolderScanner::Images)), QStringList({"a.jpg:0", "link to file.jpg:0"}));
    QVERIFY(!guard.blocked());
}

QTEST_GUILESS_MAIN(TestFolderScanner)
#include "tst_folderscanner.moc"
