// quorvel-tool describe, and the folder commands that read descriptions,
// as processes: what they print, what they store, what they refuse.

#include "support/HostileEntries.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the tool; a run that does not end within a minute is killed and
// fails the test (it hangs).
Run tool(const QStringList &args)
{
    QProcess process;
    process.start(QDir(QStringLiteral(QUORVEL_RUNTIME_DIR)).filePath(QStringLiteral("quorvel-tool")), args);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("hung");
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestDescribeTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storesAndPrints();
    void linkFileDescribesItsTarget();
    void refusals_data();
    void refusals();
    void folderCommandsDoNotWait();
};

void TestDescribeTool::storesAndPrints()
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a.jpg"), b = dir.filePath("with space.jpg");
    QVERIFY(test::writeFile(a, "x"));
    QVERIFY(test::writeFile(b, "x"));
    QVERIFY(test::writeFile(dir.filePath("descript.ion"), "other.jpg kept as it is\r\n"));

    Run run = tool({QStringLiteral("describe"), QStringLiteral("--set"), QStringLiteral("Harbour at dawn"), a, b});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(test::readFile(dir.filePath("descript.ion")),
             QByteArray("other.jpg kept as it is\r\na.jpg Harbour at dawn\r\n\"with space.jpg\" Harbour at dawn\r\n"));
    run = tool({QStringLiteral("describe"), b});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("Harbour at dawn\n"));

    // An empty text removes the line.
    run = tool({QStringLiteral("describe"), QStringLiteral("--set"), QString(), a});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(tool({QStringLiteral("describe"), a}).out, QStringLiteral("\n"));
    QCOMPARE(test::readFile(dir.filePath("descript.ion")),
             QByteArray("other.jpg kept as it is\r\n\"with space.jpg\" Harbour at dawn\r\n"));
}

void TestDescribeTool::linkFileDescribesItsTarget()
{
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("album")));
    QVERIFY(test::writeFile(dir.filePath("photo.jpg"), "x"));
    const QString linkFile = dir.filePath("album/photo.jpg.link");
    QVERIFY(test::writeFile(linkFile, "../photo.jpg"));
    Run run = tool({QStringLiteral("describe"), QStringLiteral("--set"), QStringLiteral("via the link"), linkFile});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(test::readFile(dir.filePath("descript.ion")), QByteArray("photo.jpg via the link\r\n"));
    QVERIFY(!QFileInfo::exists(dir.filePath("album/descript.ion")));
    QCOMPARE(tool({QStringLiteral("describe"), linkFile}).out, QStringLiteral("via the link\n"));
}

void TestDescribeTool::refusals_data()
{
    QTest::addColumn<QString>("entry");   // what is made where
    QTest::addColumn<bool>("setting");
    QTest::newRow("descript.ion a FIFO, read") << QStringLiteral("fifo descript.ion") << false;
    QTest::newRow("descript.ion a FIFO, set") << QStringLiteral("fifo descript.ion") << true;
    QTest::newRow("descript.ion a link outside, set") << QStringLiteral("link descript.ion") << true;
    QTest::newRow("the file a FIFO") << QStringLiteral("fifo a.jpg") << true;
    QTest::newRow("no such file") << QStringLiteral("none") << true;
}

// Each refusal exits 1 at once with a message naming the file, and changes
// nothing.
void TestDescribeTool::refusals()
{
    QFETCH(QString, entry);
    QFETCH(bool, setting);
    QTemporaryDir dir;
    const QString a = dir.filePath("a.jpg");
    const QString outside = dir.filePath(".bashrc");
    QVERIFY(test::writeFile(outside, "alias ll='ls -l'\n"));
    if (entry == QLatin1String("fifo descript.ion")) {
        if (!test::makeHostile(test::Hostile::Fifo, dir.filePath("descript.ion")))
            QSKIP("this platform has no FIFOs");
    } else if (entry == QLatin1String("link descript.ion")) {
        QVERIFY(QFile::link(QStringLiteral(".bashrc"), dir.filePath("descript.ion")));
    }
    if (entry == QLatin1String("fifo a.jpg")) {
        if (!test::makeHostile(test::Hostile::Fifo, a))
            QSKIP("this platform has no FIFOs");
    } else if (entry != QLatin1String("none")) {
        QVERIFY(test::writeFile(a, "x"));
    }
    const Run run = setting ? tool({QStringLiteral("describe"), QStringLiteral("--set"), QStringLiteral("text"), a})
                            : tool({QStringLiteral("describe"), a});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith(QStringLiteral("quorvel-tool: ") + QDir::toNativeSeparators(a)), qPrintable(run.err));
    QCOMPARE(run.err.count(u'\n'), 1);
    QCOMPARE(test::readFile(outside), QByteArray("alias ll='ls -l'\n"));
    if (entry == QLatin1String("fifo a.jpg") || entry == QLatin1String("none"))
        QVERIFY(!QFileInfo::exists(dir.filePath("descript.ion")));
}

// The statistics and the export read the folder's descriptions: a FIFO in
// the description file's place is passed over, not waited on.
void TestDescribeTool::folderCommandsDoNotWait()
{
    QTemporaryDir dir;
    QVERIFY(test::writeFile(dir.filePath("a.jpg"), "x"));
    if (!test::makeHostile(test::Hostile::Fifo, dir.filePath("descript.ion")))
        QSKIP("this platform has no FIFOs");
    if (!test::makeHostile(test::Hostile::Fifo, dir.filePath("b.jpg")))
        QSKIP("this platform has no FIFOs");
    const Run stats = tool({QStringLiteral("stats"), dir.path()});
    QCOMPARE(stats.exitCode, 0);
    const Run exported = tool({QStringLiteral("export"), dir.path(), dir.filePath("out.txt")});
    QCOMPARE(exported.exitCode, 0);
    QVERIFY(QFileInfo(dir.filePath("out.txt")).size() > 0);
}

QTEST_GUILESS_MAIN(TestDescribeTool)
#include "tst_describetool.moc"
