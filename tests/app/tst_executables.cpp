// The programs started as processes, as a user or a script starts them.

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

// jpeg with an APP1 Exif segment holding tiff put before its other segments.
QByteArray withExif(const QByteArray &jpeg, const QByteArray &tiff)
{
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(body.size()) + 2;
    QByteArray app1("\xFF\xE1", 2);
    app1 += char(length >> 8);
    app1 += char(length & 0xFF);
    return jpeg.left(2) + app1 + body + jpeg.mid(2);
}

// A TIFF structure whose first directory holds one Orientation entry:
// little-endian SHORT, or big-endian LONG, with count values.
QByteArray orientationTiff(int value, bool bigEndian = false, int count = 1)
{
    if (!bigEndian) {
        QByteArray tiff("II*\0\x08\0\0\0", 8);
        tiff += QByteArray("\x01\0", 2);                   // one entry
        tiff += QByteArray("\x12\x01\x03\0", 4);           // Orientation, SHORT
        tiff += char(count) + QByteArray(3, '\0');
        tiff += char(value) + QByteArray(3, '\0');
        return tiff + QByteArray(4, '\0');                 // no next directory
    }
    QByteArray tiff("MM\0*\0\0\0\x08", 8);
    tiff += QByteArray("\0\x01", 2);
    tiff += QByteArray("\x01\x12\0\x04", 4);               // Orientation, LONG
    tiff += QByteArray(3, '\0') + char(count);
    tiff += QByteArray(3, '\0') + char(value);
    return tiff + QByteArray(4, '\0');
}

// testorig.jpg's picture with an EXIF block saying "turned 90 degrees
// clockwise" (orientation 6) put before it.
QByteArray turnedJpeg(const QByteArray &jpeg)
{
    return withExif(jpeg, orientationTiff(6));
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
    void metadataProgramListsFoldersAlone();
    void folderCommandsAnswerAsTheCompleteTool();
    void decodeAnswersAsTheCompleteTool_data();
    void decodeAnswersAsTheCompleteTool();
    void decodingToolAlone();
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
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains("quorvel-tool-decode"));
    process.start(alone, {"rotate", dir.filePath("a.jpg"), "cw"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 127);
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains("quorvel-tool-all"));
#ifndef Q_OS_WIN
    // The EXIF commands are another program's; a plain JPEG it decodes
    // itself, as the complete tool would.
    process.start(alone, {"info", dir.filePath("a.jpg")});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 127);
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains("quorvel-tool-meta"));
    const QString jpeg = test::sharedFile("jpeg/testorig.jpg");
    if (QFile::exists(jpeg)) {
        process.start(alone, {"decode", jpeg});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), run("quorvel-tool-all", {"decode", jpeg}).out);
    }
#endif
}

// The metadata program lists folders itself: scan, stats and export need
// neither the complete tool nor any imaging library.
void TestExecutables::metadataProgramListsFoldersAlone()
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("quorvel-tool.exe");
#else
    const QString name = QStringLiteral("quorvel-tool-meta");
#endif
    QTemporaryDir dir;
    const QString alone = dir.filePath(name);
    QVERIFY(QFile::copy(QDir(QStringLiteral(QUORVEL_RUNTIME_DIR)).filePath(name), alone));
    QVERIFY(test::writeFile(dir.filePath("trip/b.jpg"), "not really a picture"));
    QProcess process;
    for (const QStringList &args : {QStringList{"scan", dir.filePath("trip")}, QStringList{"stats", dir.filePath("trip")},
                                    QStringList{"export", dir.filePath("trip"), dir.filePath("out.txt")}}) {
        process.start(alone, args);
        QVERIFY(process.waitForFinished(60000));
        QVERIFY2(process.exitCode() == 0, qPrintable(args.first() + ": " + process.readAllStandardError()));
    }
}

// quorvel-tool's folder commands (scan, stats, export) answer as the
// complete tool does, and write the same export byte for byte.
void TestExecutables::folderCommandsAnswerAsTheCompleteTool()
{
    const QString samples = test::sharedTestData();
    if (samples.isEmpty())
        QSKIP("shared test data not found; set QUORVEL_TESTDATA");
    QTemporaryDir dir;
    for (const QString &folder : {QStringLiteral("exif"), QStringLiteral("jpeg"), QStringLiteral("raw")}) {
        const QString path = QDir(samples).filePath(folder);
        for (const QString &command : {QStringLiteral("scan"), QStringLiteral("stats"), QStringLiteral("export")}) {
            QStringList args{command, path};
            if (command == QLatin1String("export"))
                args << dir.filePath("small.txt");
            const Run small = run("quorvel-tool", args);
            if (command == QLatin1String("export"))
                args.last() = dir.filePath("all.txt");
            const Run all = run("quorvel-tool-all", args);
            const QString what = folder + u' ' + command;
            QVERIFY2(small.status == 0, qPrintable(what));
            QCOMPARE(small.status, all.status);
            QCOMPARE(small.out, all.out);
            QCOMPARE(small.err, all.err);
            if (command == QLatin1String("export"))
                QCOMPARE(test::readFile(dir.filePath("small.txt")), test::readFile(dir.filePath("all.txt")));
        }
    }
}

// quorvel-tool decode goes to the decoding program, which does JPEG files
// itself and hands the rest to the complete tool: whichever does the work,
// the answer (line, state, message, exit status, the written picture) is
// the complete tool's. The line is the same with --out, when the whole
// picture is kept, as without, when the rows only pass through.
void TestExecutables::decodeAnswersAsTheCompleteTool_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("state");
    QTest::newRow("baseline") << "jpeg/testorig.jpg" << QStringList{} << "ok";
    QTest::newRow("arithmetic") << "jpeg/testimgari.jpg" << QStringList{} << "ok";
    QTest::newRow("grey") << "jpeg/hopper_gray.jpg" << QStringList{} << "ok";
    QTest::newRow("cmyk") << "jpeg/pil_sample_cmyk.jpg" << QStringList{} << "ok";
    QTest::newRow("cmyk, colour managed") << "jpeg/pil_sample_cmyk.jpg" << QStringList{"--cms"} << "ok";
    QTest::newRow("profile, colour managed") << "jpeg/icc_profile_big.jpg" << QStringList{"--cms"} << "ok";
    QTest::newRow("turned") << "turned.jpg" << QStringList{} << "ok";
    QTest::newRow("turned, big-endian LONG") << "turned-mm.jpg" << QStringList{} << "ok";
    QTest::newRow("orientation out of range") << "turned-12.jpg" << QStringList{} << "ok";
    QTest::newRow("orientation with two values") << "turned-twice.jpg" << QStringList{} << "ok";
    QTest::newRow("first of two EXIF blocks") << "turned-two-blocks.jpg" << QStringList{} << "ok";
    QTest::newRow("two EXIF segments") << "jpeg/multiple_exif.jpg" << QStringList{} << "ok";
    QTest::newRow("frame header past 64 KB") << "jpeg/icc_profile_big.jpg" << QStringList{} << "ok";
    QTest::newRow("interleaved") << "jpeg/testimgint.jpg" << QStringList{} << "ok";
    QTest::newRow("name beyond ASCII") << "Bäume 東京.jpg" << QStringList{} << "ok";
    QTest::newRow("not a JPEG by its name") << "notes.txt" << QStringList{} << "";
    QTest::newRow("empty") << "empty.jpg" << QStringList{} << "";
    QTest::newRow("cut short") << "short.jpg" << QStringList{} << "partial";
    QTest::newRow("12 bits: refused") << "jpeg/testorig12.jpg" << QStringList{} << "";
    QTest::newRow("broken") << "broken/1-string-format.jpg" << QStringList{} << "";
    QTest::newRow("tiff: handed on") << "tiff/rgb-3c-8b.tiff" << QStringList{} << "ok";
    QTest::newRow("missing") << "none.jpg" << QStringList{} << "";
}

void TestExecutables::decodeAnswersAsTheCompleteTool()
{
    QFETCH(QString, file);
    QFETCH(QStringList, options);
    QFETCH(QString, state);
    QTemporaryDir dir;
    const QByteArray orig = test::readFile(test::sharedFile("jpeg/testorig.jpg"));
    if (orig.isEmpty())
        QSKIP("shared test data not found; set QUORVEL_TESTDATA");
    QVERIFY(test::writeFile(dir.filePath("turned.jpg"), turnedJpeg(orig)));
    QVERIFY(test::writeFile(dir.filePath("short.jpg"), orig.left(orig.size() * 2 / 3)));
    QVERIFY(test::writeFile(dir.filePath("turned-mm.jpg"), withExif(orig, orientationTiff(8, true))));
    QVERIFY(test::writeFile(dir.filePath("turned-12.jpg"), withExif(orig, orientationTiff(12))));
    QVERIFY(test::writeFile(dir.filePath("turned-twice.jpg"), withExif(orig, orientationTiff(6, false, 2))));
    QVERIFY(test::writeFile(dir.filePath("turned-two-blocks.jpg"),
                            withExif(withExif(orig, orientationTiff(5)), orientationTiff(3, true))));
    QVERIFY(test::writeFile(dir.filePath("Bäume 東京.jpg"), orig));
    QVERIFY(test::writeFile(dir.filePath("notes.txt"), "a few words"));
    QVERIFY(test::writeFile(dir.filePath("empty.jpg"), QByteArray()));
    const QString path = QFile::exists(dir.filePath(file)) || file == "none.jpg" ? dir.filePath(file)
                                                                                 : test::sharedFile(file);

    const Run complete = run("quorvel-tool-all", QStringList{"decode", path} + options);
    const Run ours = run("quorvel-tool", QStringList{"decode", path} + options);
    QCOMPARE(ours.status, complete.status);
    QCOMPARE(ours.out, complete.out);
    QCOMPARE(ours.err, complete.err);
    if (state.isEmpty()) {
        QCOMPARE(ours.status, 1);
        return;
    }
    QCOMPARE(ours.status, 0);
    QVERIFY2(ours.out.endsWith('\t' + state + '\n'), qPrintable(ours.out));

    const QStringList outOption{"--out", dir.filePath("ours.png")};
    const Run kept = run("quorvel-tool", QStringList{"decode", path} + options + outOption);
    QCOMPARE(kept.status, 0);
    QCOMPARE(kept.out, ours.out);
    QCOMPARE(run("quorvel-tool-all", QStringList{"decode", path, "--out", dir.filePath("all.png")} + options).status, 0);
    const QByteArray written = test::readFile(dir.filePath("ours.png"));
    QVERIFY(!written.isEmpty());
    QCOMPARE(written, test::readFile(dir.filePath("all.png")));
}

// The decoding program with quorvel-tool but without the complete tool, as
// a partial install leaves them: JPEG files still decode, the rest names
// what is missing.
void TestExecutables::decodingToolAlone()
{
#ifdef Q_OS_WIN
    const QString suffix = QStringLiteral(".exe");
#else
    const QString suffix;
#endif
    const QString jpeg = test::sharedFile("jpeg/testorig.jpg");
    if (!QFile::exists(jpeg))
        QSKIP("shared test data not found; set QUORVEL_TESTDATA");
    QTemporaryDir dir;
    for (const QString name : {"quorvel-tool", "quorvel-tool-decode"})
        QVERIFY(QFile::copy(QDir(QStringLiteral(QUORVEL_RUNTIME_DIR)).filePath(name + suffix), dir.filePath(name + suffix)));
    QProcess process;
    process.start(dir.filePath("quorvel-tool" + suffix), {"decode", jpeg});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), run("quorvel-tool-all", {"decode", jpeg}).out);
    process.start(dir.filePath("quorvel-tool" + suffix), {"decode", test::sharedFile("tiff/rgb-3c-8b.tiff")});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 127);
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains("quorvel-tool-all"));
}

QTEST_GUILESS_MAIN(TestExecutables)
#include "tst_executables.moc"
