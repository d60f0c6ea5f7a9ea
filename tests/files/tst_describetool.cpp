// quorvel-tool describe, and the folder commands that read descriptions,
// as processes: what they print, what they store, what they refuse; and
// decode's refusals of what is not a photo.

#include "WriterCases.h"
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
    void linkToNonFileRefused_data();
    void linkToNonFileRefused();
    void folderCommandsDoNotWait();
    void decodeDoesNotWait_data();
    void decodeDoesNotWait();
    void decodeOutputNamesTheReason();
    void missingFilesNamedByTheirReason_data();
    void missingFilesNamedByTheirReason();
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
    QTest::newRow("a loop of links, read") << QStringLiteral("loop") << false;
    QTest::newRow("a loop of links, set") << QStringLiteral("loop") << true;
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
    } else if (entry == QLatin1String("loop")) {
        QVERIFY(QFile::link(a, a));
    } else if (entry != QLatin1String("none")) {
        QVERIFY(test::writeFile(a, "x"));
    }
    const Run run = setting ? tool({QStringLiteral("describe"), QStringLiteral("--set"), QStringLiteral("text"), a})
                            : tool({QStringLiteral("describe"), a});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith(QStringLiteral("quorvel-tool: ") + QDir::toNativeSeparators(a)), qPrintable(run.err));
    QCOMPARE(run.err.count(u'\n'), 1);
    QCOMPARE(test::readFile(outside), QByteArray("alias ll='ls -l'\n"));
    if (entry == QLatin1String("fifo a.jpg") || entry == QLatin1String("none") || entry == QLatin1String("loop"))
        QVERIFY(!QFileInfo::exists(dir.filePath("descript.ion")));
    if (entry == QLatin1String("loop")) // the system's reason, not "No such file"
        QVERIFY2(run.err.contains(QStringLiteral("Too many levels of symbolic links")), qPrintable(run.err));
}

void TestDescribeTool::linkToNonFileRefused_data()
{
    QTest::addColumn<int>("kind");
    for (test::Hostile kind : {test::Hostile::Fifo, test::Hostile::Socket, test::Hostile::Folder})
        QTest::newRow(test::hostileName(kind)) << int(kind);
    QTest::newRow("nothing") << -1;
}

// A .link file is described through its target, beside the target: one
// that leads to something other than a photo (whose folder could be
// anywhere, /dev included) is refused and no description file is made.
void TestDescribeTool::linkToNonFileRefused()
{
    QFETCH(int, kind);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("album")) && QDir().mkpath(dir.filePath("elsewhere")));
    const QString target = dir.filePath("elsewhere/x.jpg");
    if (kind >= 0 && !test::makeHostile(test::Hostile(kind), target))
        QSKIP("this platform cannot make such an entry");
    test::FifoGuard guard({target});
    const QString linkFile = dir.filePath("album/x.jpg.link");
    QVERIFY(test::writeFile(linkFile, "../elsewhere/x.jpg"));
    const Run run = tool({QStringLiteral("describe"), QStringLiteral("--set"), QStringLiteral("text"), linkFile});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.err.isEmpty());
    QVERIFY(!QFileInfo::exists(dir.filePath("elsewhere/descript.ion")));
    QVERIFY(!QFileInfo::exists(dir.filePath("album/descript.ion")));
    QVERIFY(!guard.blocked());
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

void TestDescribeTool::decodeDoesNotWait_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("decode") << QStringList();
    QTest::newRow("decode --out") << QStringList{QStringLiteral("--out"), QStringLiteral("OUT")};
    QTest::newRow("decode --cms") << QStringList{QStringLiteral("--cms")};
}

// A FIFO named like a photo is refused at once, whatever the options ask of
// the picture.
void TestDescribeTool::decodeDoesNotWait()
{
    QFETCH(QStringList, options);
    QTemporaryDir dir;
    const QString fifo = dir.filePath("x.jpg");
    if (!test::makeHostile(test::Hostile::Fifo, fifo))
        QSKIP("this platform has no FIFOs");
    test::FifoGuard guard({fifo});
    options.replaceInStrings(QStringLiteral("OUT"), dir.filePath("out.png"));
    const Run run = tool(QStringList{QStringLiteral("decode"), fifo} + options);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("not a regular file")), qPrintable(run.err));
    QVERIFY(!guard.blocked());
    QVERIFY(!QFileInfo::exists(dir.filePath("out.png")));
}

// A picture that cannot be written says why, and leaves nothing behind.
void TestDescribeTool::decodeOutputNamesTheReason()
{
    QTemporaryDir dir;
    const QString photo = dir.filePath("a.jpg");
    QVERIFY(test::writeFile(photo, test::photoBytes()));
    const Run run =
        tool({QStringLiteral("decode"), photo, QStringLiteral("--out"), dir.filePath("missing/out.png")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("No such file or directory")), qPrintable(run.err));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("a.jpg")});
}

void TestDescribeTool::missingFilesNamedByTheirReason_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("undecodable"); // else a loop of links
    QTest::addColumn<QString>("reason");
    for (const char *command : {"info", "describe"}) {
        QTest::addRow("%s, a loop of links", command)
            << QString::fromLatin1(command) << false << QStringLiteral("Too many levels of symbolic links");
        QTest::addRow("%s, a name not in the system's encoding", command)
            << QString::fromLatin1(command) << true << QStringLiteral("not valid in the system's character encoding");
    }
}

// A file that is there but cannot be named, or a loop of links, is not
// reported as a missing file.
void TestDescribeTool::missingFilesNamedByTheirReason()
{
    QFETCH(QString, command);
    QFETCH(bool, undecodable);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    Run run;
    if (undecodable) {
        // Made and named from a shell: the bytes never pass through a QString.
        QProcess shell;
        shell.setWorkingDirectory(dir.path());
        shell.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), QStringLiteral("name=$(printf 'bad\\377.jpg'); : > \"$name\"; "
                                                          "\"$0\" \"$1\" \"$name\"; s=$?; rm \"$name\"; exit $s"),
                     QDir(QStringLiteral(QUORVEL_RUNTIME_DIR)).filePath(QStringLiteral("quorvel-tool")), command});
        QVERIFY(shell.waitForFinished(60000));
        run.exitCode = shell.exitCode();
        run.err = QString::fromUtf8(shell.readAllStandardError());
    } else {
        const QString a = dir.filePath("a.jpg");
        QVERIFY(QFile::link(dir.filePath("b.jpg"), a) && QFile::link(a, dir.filePath("b.jpg")));
        run = tool({command, a});
    }
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(reason), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestDescribeTool)
#include "tst_describetool.moc"
