#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;
using link::PathStyle;

Q_DECLARE_METATYPE(link::PathStyle)

class TestLinkFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void linkNames_data();
    void linkNames();
    void relativePath_data();
    void relativePath();
    void resolveText_data();
    void resolveText();
    void createThenResolveOnDisk_data();
    void createThenResolveOnDisk();
    void unusableLinkFilesFailCleanly_data();
    void unusableLinkFilesFailCleanly();
    void lineEndingsAndForeignSeparators_data();
    void lineEndingsAndForeignSeparators();
    void effectivePathFallsBackToTheLinkItself();
    void longTargetPaths();
};

void TestLinkFile::linkNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isLink");
    QTest::newRow("upper case") << "IMG.JPG.LINK" << true;
    QTest::newRow("double") << "a.link.link" << true;
    QTest::newRow("plain") << "IMG_0012.JPG.link" << true;
    QTest::newRow("short image name") << ".gif" << false;
    QTest::newRow("link inside") << "a.link.jpg" << false;
    QTest::newRow("no dot") << "alink" << false;
}

void TestLinkFile::linkNames()
{
    QFETCH(QString, name);
    QFETCH(bool, isLink);
    QCOMPARE(link::isLinkName(name), isLink);
}

void TestLinkFile::relativePath_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("expected");

    const auto W = PathStyle::Windows;
    const auto P = PathStyle::Posix;
    QTest::newRow("win sibling") << W << "C:\\Photos\\2004\\a.jpg" << "C:\\Photos\\Best\\" << "..\\2004\\a.jpg";
    QTest::newRow("win two up") << W << "D:\\a\\b\\c.jpg" << "D:\\a\\x\\y\\" << "..\\..\\b\\c.jpg";
    QTest::newRow("win no trailing backslash") << W << "D:\\a\\b\\c.jpg" << "D:\\a\\x\\y" << "..\\..\\b\\c.jpg";
    QTest::newRow("win other drive") << W << "E:\\Pics\\a.jpg" << "C:\\Photos\\" << "E:\\Pics\\a.jpg";
    QTest::newRow("win drive letter case") << W << "C:\\Photos\\a.jpg" << "c:\\Photos\\" << "C:\\Photos\\a.jpg";
    QTest::newRow("win name prefix") << W << "C:\\Photos\\a.jpg" << "C:\\Photos2\\" << "..\\Photos\\a.jpg";
    QTest::newRow("win same folder") << W << "C:\\Photos\\a.jpg" << "C:\\Photos\\" << "a.jpg";
    QTest::newRow("win deeper target") << W << "C:\\P\\x\\y\\a.jpg" << "C:\\P\\" << "x\\y\\a.jpg";
    QTest::newRow("win folder case counts") << W << "C:\\photos\\a.jpg" << "C:\\Photos\\" << "..\\photos\\a.jpg";
    QTest::newRow("posix two up") << P << "/a/b/c.jpg" << "/a/x/y/" << "../../b/c.jpg";
    QTest::newRow("posix name prefix") << P << "/home/u/Photos/a.jpg" << "/home/u/Photos2" << "../Photos/a.jpg";
    QTest::newRow("posix other top") << P << "/media/card/DCIM/a.jpg" << "/home/u/" << "../../media/card/DCIM/a.jpg";
    QTest::newRow("posix same folder") << P << "/p/a.jpg" << "/p/" << "a.jpg";
}

void TestLinkFile::relativePath()
{
    QFETCH(PathStyle, style);
    QFETCH(QString, target);
    QFETCH(QString, destination);
    QFETCH(QString, expected);
    QCOMPARE(link::relativeLinkPath(target, destination, style), expected);
}

void TestLinkFile::resolveText_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<QString>("linkFolder");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    const auto W = PathStyle::Windows;
    const auto P = PathStyle::Posix;
    QTest::newRow("win relative") << W << "D:\\a\\x\\y\\" << "..\\..\\b\\c.jpg" << "D:/a/b/c.jpg";
    QTest::newRow("win absolute") << W << "C:\\Photos\\" << "E:\\Pics\\a.jpg" << "E:/Pics/a.jpg";
    QTest::newRow("win lower-case drive") << W << "c:\\Photos\\" << "C:\\Photos\\a.jpg" << "C:/Photos/a.jpg";
    QTest::newRow("win rooted") << W << "D:\\a\\" << "\\Trips\\a.jpg" << "D:/Trips/a.jpg";
    QTest::newRow("posix relative") << P << "/a/x/y/" << "../../b/c.jpg" << "/a/b/c.jpg";
    QTest::newRow("posix absolute") << P << "/a/" << "/media/c.jpg" << "/media/c.jpg";
    QTest::newRow("posix reads windows text") << P << "/p/Best/" << "..\\2004\\a.jpg" << "/p/2004/a.jpg";
}

void TestLinkFile::resolveText()
{
    QFETCH(PathStyle, style);
    QFETCH(QString, linkFolder);
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(link::resolveLinkText(linkFolder, line, style), expected);
}

void TestLinkFile::createThenResolveOnDisk_data()
{
    QTest::addColumn<QString>("targetRel");
    QTest::addColumn<QString>("destRel");
    QTest::addColumn<QString>("expectedText");
    QTest::newRow("two levels apart") << "a/b/c.jpg" << "a/x/y" << "../../b/c.jpg";
    QTest::newRow("name prefix siblings") << "Photos/a.jpg" << "Photos2" << "../Photos/a.jpg";
    QTest::newRow("blanks and non-ASCII") << "Urlaub 2024/Strand äöü.jpg" << "Beste Bilder" << "../Urlaub 2024/Strand äöü.jpg";
}

void TestLinkFile::createThenResolveOnDisk()
{
    QFETCH(QString, targetRel);
    QFETCH(QString, destRel);
    QFETCH(QString, expectedText);
    QTemporaryDir dir;
    const QString target = dir.path() + "/" + targetRel;
    const QString dest = dir.path() + "/" + destRel;
    QVERIFY(test::writeFile(target, "jpeg"));
    QVERIFY(QDir().mkpath(dest));

    QVERIFY(link::createLink(target, dest));
    const QString linkPath = link::linkFileName(target, dest);
    QCOMPARE(fileNameOf(linkPath), fileNameOf(target) + ".link");
    // One line, no line break after it.
    QCOMPARE(QString::fromUtf8(test::readFile(linkPath)), expectedText);
    const auto resolved = link::resolveLink(linkPath);
    QVERIFY(resolved.has_value());
    QCOMPARE(*resolved, QDir::cleanPath(target));
    QCOMPARE(link::effectivePath(linkPath), QDir::cleanPath(target));

    // Creating it again replaces the old one.
    QVERIFY(link::createLink(target, dest));
    QCOMPARE(QString::fromUtf8(test::readFile(linkPath)), expectedText);
}

void TestLinkFile::unusableLinkFilesFailCleanly_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("createFile");
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("empty first line") << QByteArray("\ntarget.jpg") << true;
    QTest::newRow("binary") << QByteArray("tar\0get.jpg", 11) << true;
    QTest::newRow("enormous first line") << QByteArray(200 * 1024, 'a') << true;
    QTest::newRow("target does not exist") << QByteArray("nothing-here.jpg") << true;
    QTest::newRow("only blanks") << QByteArray("   ") << true;
}

void TestLinkFile::unusableLinkFilesFailCleanly()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, createFile);
    QTemporaryDir dir;
    QVERIFY(test::writeFile(dir.path() + "/target.jpg", "jpeg"));
    const QString linkPath = dir.path() + "/x.jpg.link";
    if (createFile)
        QVERIFY(test::writeFile(linkPath, content));
    QVERIFY(!link::resolveLink(linkPath).has_value());
    QCOMPARE(link::effectivePath(linkPath), linkPath);
}

void TestLinkFile::lineEndingsAndForeignSeparators_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("targetName");
    QTest::newRow("plain") << QByteArray("../t/target.jpg") << "target.jpg";
    QTest::newRow("crlf after the line") << QByteArray("../t/target.jpg\r\nrest") << "target.jpg";
    QTest::newRow("backslashes") << QByteArray("..\\t\\target.jpg") << "target.jpg";
    QTest::newRow("utf-8 name") << QByteArray("../t/caf\xc3\xa9.jpg") << QString::fromUtf8("caf\xc3\xa9.jpg");
    QTest::newRow("8-bit name from an older system") << QByteArray("../t/caf\xe9.jpg")
                                                     << QString::fromUtf8("caf\xc3\xa9.jpg");
}

void TestLinkFile::lineEndingsAndForeignSeparators()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, targetName);
    QTemporaryDir dir;
    QVERIFY(test::writeFile(dir.path() + "/t/" + targetName, "jpeg"));
    const QString linkPath = dir.path() + "/l/x.jpg.link";
    QVERIFY(test::writeFile(linkPath, content));
    const auto resolved = link::resolveLink(linkPath);
    QVERIFY(resolved.has_value());
    QCOMPARE(*resolved, QDir::cleanPath(dir.path() + "/t/" + targetName));
}

void TestLinkFile::effectivePathFallsBackToTheLinkItself()
{
    QTemporaryDir dir;
    const QString plain = dir.path() + "/a.jpg";
    QVERIFY(test::writeFile(plain, "jpeg"));
    QCOMPARE(link::effectivePath(plain), plain);
    // A dangling link stays itself: opening it fails later in the caller.
    const QString dangling = dir.path() + "/gone.jpg.link";
    QVERIFY(test::writeFile(dangling, "gone.jpg"));
    QCOMPARE(link::effectivePath(dangling), dangling);
}

void TestLinkFile::longTargetPaths()
{
    QTemporaryDir dir;
    QString deep = dir.path();
    for (int i = 0; i < 6; ++i)
        deep += "/" + QString(70, QChar(u'a' + i));
    const QString target = deep + "/" + QString(240, u't') + ".jpg";
    QVERIFY(test::writeFile(target, "jpeg"));
    QVERIFY(target.toUtf8().size() > 600);
    const QString dest = dir.path() + "/links";
    QVERIFY(QDir().mkpath(dest));
    QVERIFY(link::createLink(target, dest));
    const auto resolved = link::resolveLink(link::linkFileName(target, dest));
    QVERIFY(resolved.has_value());
    QCOMPARE(*resolved, QDir::cleanPath(target));
}

QTEST_GUILESS_MAIN(TestLinkFile)
#include "tst_linkfile.moc"
