// Both programs started as processes, as a user or a script starts them.

#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

// Runs a program of the build with no display at all: a program that tried
// to open a window would fail instead of answering.
Run run(const QString &program, const QStringList &args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(QDir(QStringLiteral(QUORVEL_RUNTIME_DIR)).filePath(program), args);
    Run result;
    if (!process.waitForFinished(60000))
        return result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

const QStringList kToolCommands{"scan", "info", "decode", "bench-decode", "stats",
                                "export", "set-exif", "set-dpi", "rotate"};

} // namespace

class TestExecutables : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void viewerEndsAtOnce_data();
    void viewerEndsAtOnce();
    void tool_data();
    void tool();
    void everyToolCommandHasHelp_data();
    void everyToolCommandHasHelp();
    void toolCommandsStillWork();
    void toolWithoutItsCompleteHalf();
};

void TestExecutables::viewerEndsAtOnce_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: quorvel [OPTIONS] [FILE|FOLDER]" << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "quorvel " QUORVEL_TEST_VERSION << "";
    QTest::newRow("mistyped option: no window")
        << QStringList{"--hlep", "/tmp"} << 2 << "" << "quorvel: Unknown option 'hlep'.";
}

void TestExecutables::viewerEndsAtOnce()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Run r = run("quorvel", args);
    QCOMPARE(r.status, status);
    QVERIFY2(out.isEmpty() ? r.out.isEmpty() : r.out.contains(out), qPrintable(r.out));
    QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.contains(err), qPrintable(r.err));
    if (status == 2)
        QVERIFY(r.err.contains("Usage: quorvel"));
}

void TestExecutables::tool_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("help lists the commands") << QStringList{"--help"} << 0 << "  set-dpi FILE H V" << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "quorvel-tool " QUORVEL_TEST_VERSION "\n" << "";
    QTest::newRow("nothing") << QStringList{} << 2 << "" << "usage: quorvel-tool COMMAND";
    QTest::newRow("unknown command") << QStringList{"scna", "/tmp"} << 2 << "" << "unknown command 'scna'";
    QTest::newRow("unknown option") << QStringList{"--tsv"} << 2 << "" << "Unknown option 'tsv'";
    QTest::newRow("unknown option of a command") << QStringList{"scan", "--all", "/tmp"} << 2 << ""
                                                 << "usage: quorvel-tool scan FOLDER";
    QTest::newRow("missing option value") << QStringList{"stats", "/tmp", "--filter"} << 2 << ""
                                          << "Missing value after '--filter'";
    QTest::newRow("missing argument") << QStringList{"export", "/tmp"} << 2 << ""
                                      << "usage: quorvel-tool export FOLDER OUT [--filter TEXT]";
    QTest::newRow("no turn named") << QStringList{"rotate", "a.jpg"} << 2 << "" << "usage: quorvel-tool rotate";
    QTest::newRow("no field named") << QStringList{"set-exif", "a.jpg"} << 2 << "" << "name at least one field";
    QTest::newRow("a number that is no number") << QStringList{"set-dpi", "a.jpg", "300", "x"} << 2 << ""
                                                << "usage: quorvel-tool set-dpi FILE H V";
}

void TestExecutables::tool()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Run r = run("quorvel-tool", args);
    QCOMPARE(r.status, status);
    QVERIFY2(out.isEmpty() ? r.out.isEmpty() : r.out.contains(out), qPrintable(r.out));
    QVERIFY2(r.err.contains(err), qPrintable(r.err));
}

void TestExecutables::everyToolCommandHasHelp_data()
{
    QTest::addColumn<QString>("command");
    for (const QString &command : kToolCommands)
        QTest::newRow(qPrintable(command)) << command;
}

void TestExecutables::everyToolCommandHasHelp()
{
    QFETCH(QString, command);
    const Run r = run("quorvel-tool", {command, "--help"});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.startsWith("usage: quorvel-tool " + command), qPrintable(r.out));
    QVERIFY(r.out.contains("-h, --help"));
    QVERIFY(r.err.isEmpty());
    // The general help lists it too.
    QVERIFY(run("quorvel-tool", {"--help"}).out.contains("\n  " + command + ' '));
}

void TestExecutables::toolCommandsStillWork()
{
    // Options and arguments in the places the README shows them.
    QTemporaryDir dir;
    QVERIFY(test::writeFile(dir.filePath("trip/a.jpg"), "not really a picture"));
    QVERIFY(QDir(dir.path()).mkpath("trip/sub"));
    Run r = run("quorvel-tool", {"scan", dir.filePath("trip")});
    QCOMPARE(r.status, 0);
    QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    lines.sort();
    QCOMPARE(lines, QStringList({"0\ta.jpg", "2\tsub"}));

    r = run("quorvel-tool", {"export", dir.filePath("trip"), dir.filePath("out.txt"), "--filter", "zzz"});
    QCOMPARE(r.status, 0);
    QVERIFY(QFile::exists(dir.filePath("out.txt")));

    r = run("quorvel-tool", {"info", dir.filePath("trip/a.jpg"), "--tsv"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.startsWith("path\tresult\t"));
}

// quorvel-tool copied alone elsewhere still does what it carries itself and
// says what is missing for the rest, instead of failing silently.
void TestExecutables::toolWithoutItsCompleteHalf()
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("quorvel-tool.exe");
#else
    const QString name = QStringLiteral("quorvel-tool");
#endif
    QTemporaryDir dir;
    const QString alone = dir.filePath(name);
    QVERIFY(QFile::copy(QDir(QStringLiteral(QUORVEL_RUNTIME_DIR)).filePath(name), alone));
    QProcess process;
    process.start(alone, {"--version"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), QStringLiteral("quorvel-tool " QUORVEL_TEST_VERSION "\n"));
    process.start(alone, {"decode", dir.filePath("a.jpg")});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 127);
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains("quorvel-tool-all"));
}

QTEST_GUILESS_MAIN(TestExecutables)
#include "tst_executables.moc"
