#include "core/settings/AppSettings.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"
#include "support/TestSupport.h"
#include "ui/app/CommandLine.h"
#include "ui/app/QuorvelApplication.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

class TestCommandLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tokens_data();
    void tokens();
    void programOptions_data();
    void programOptions();
    void endingAtOnce_data();
    void endingAtOnce();
    void initialFolder_data();
    void initialFolder();
};

void TestCommandLine::tokens_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("program only") << "quorvel.exe" << QStringList{"quorvel.exe"};
    QTest::newRow("one argument") << "quorvel.exe C:\\a.jpg" << QStringList{"quorvel.exe", "C:\\a.jpg"};
    QTest::newRow("quoted with spaces") << "\"C:\\Program Files\\q.exe\" \"D:\\My Photos\\a b.jpg\""
                                        << QStringList{"C:\\Program Files\\q.exe", "D:\\My Photos\\a b.jpg"};
    QTest::newRow("runs of blanks and tabs") << "  q \t\t a.jpg \r\n b.jpg  " << QStringList{"q", "a.jpg", "b.jpg"};
    QTest::newRow("vertical tab and form feed") << "q\x0b" "a\x0c" "b" << QStringList{"q", "a", "b"};
    QTest::newRow("unclosed quote runs to the end") << "q \"D:\\My Photos\\a.jpg"
                                                    << QStringList{"q", "D:\\My Photos\\a.jpg"};
    QTest::newRow("quote inside a quoted token") << "q \"a\"b c\" d" << QStringList{"q", "a\"b c", "d"};
    QTest::newRow("empty quoted token") << "q \"\" x" << QStringList{"q", "", "x"};
    QTest::newRow("quote inside a bare token") << "q a\"b" << QStringList{"q", "a\"b"};
    QTest::newRow("empty line") << "" << QStringList{};
    QTest::newRow("blanks only") << " \t " << QStringList{};
}

void TestCommandLine::tokens()
{
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    QCOMPARE(splitCommandLine(line), expected);
}

void TestCommandLine::programOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("env");
    QTest::addColumn<QString>("settingsFile");
    QTest::addColumn<bool>("splash");
    QTest::addColumn<QStringList>("positional");
    QTest::newRow("nothing") << QStringList{"quorvel"} << "" << "" << true << QStringList{};
    QTest::newRow("one file") << QStringList{"quorvel", "/p/a.jpg"} << "" << "" << true << QStringList{"/p/a.jpg"};
    QTest::newRow("one folder") << QStringList{"quorvel", "/p/trip"} << "" << "" << true << QStringList{"/p/trip"};
    QTest::newRow("settings option") << QStringList{"quorvel", "--settings", "/t/s.ini", "/p/a.jpg"} << "" << "/t/s.ini"
                                     << true << QStringList{"/p/a.jpg"};
    QTest::newRow("settings with equals") << QStringList{"quorvel", "--settings=/t/s.ini"} << "/env.ini" << "/t/s.ini"
                                          << true << QStringList{};
    QTest::newRow("environment") << QStringList{"quorvel"} << "/env.ini" << "/env.ini" << true << QStringList{};
    QTest::newRow("no splash") << QStringList{"quorvel", "--no-splash", "a", "b"} << "" << "" << false
                               << QStringList{"a", "b"};
    QTest::newRow("options after the file") << QStringList{"quorvel", "/p/a.jpg", "--no-splash"} << "" << "" << false
                                            << QStringList{"/p/a.jpg"};
    QTest::newRow("a file named like an option, after --")
        << QStringList{"quorvel", "--", "--help"} << "" << "" << true << QStringList{"--help"};
    QTest::newRow("Qt's own options are left to Qt")
        << QStringList{"quorvel", "-platform", "offscreen", "-style", "fusion", "-reverse", "/p/a.jpg"} << "" << ""
        << true << QStringList{"/p/a.jpg"};
    QTest::newRow("Windows-style program path") << QStringList{"C:\\Program Files\\q.exe", "D:\\a b.jpg"} << "" << ""
                                                << true << QStringList{"D:\\a b.jpg"};
}

void TestCommandLine::programOptions()
{
    QFETCH(QStringList, args);
    QFETCH(QString, env);
    QFETCH(QString, settingsFile);
    QFETCH(bool, splash);
    QFETCH(QStringList, positional);
    const StartupOptions o = parseStartupOptions(args, env);
    QCOMPARE(o.action, StartupOptions::Action::Run);
    QCOMPARE(o.settingsFile, settingsFile);
    QCOMPARE(o.showSplash, splash);
    QCOMPARE(o.positional, positional);
}

void TestCommandLine::endingAtOnce_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("messageHolds");
    const int help = int(StartupOptions::Action::ShowHelp);
    const int version = int(StartupOptions::Action::ShowVersion);
    const int mistake = int(StartupOptions::Action::Mistake);
    QTest::newRow("--help") << QStringList{"quorvel", "--help"} << help << 0 << "--no-splash";
    QTest::newRow("-h with a file") << QStringList{"quorvel", "/p/a.jpg", "-h"} << help << 0 << "Usage: quorvel";
    QTest::newRow("--version") << QStringList{"quorvel", "--version"} << version << 0 << "quorvel " QUORVEL_TEST_VERSION;
    QTest::newRow("-v") << QStringList{"quorvel", "-v"} << version << 0 << QUORVEL_TEST_VERSION;
    QTest::newRow("mistyped option") << QStringList{"quorvel", "--no-spalsh", "/p/a.jpg"} << mistake << 2
                                     << "Unknown option 'no-spalsh'";
    QTest::newRow("mistyped short option") << QStringList{"quorvel", "-x"} << mistake << 2 << "Usage: quorvel";
    QTest::newRow("settings without its file") << QStringList{"quorvel", "--settings"} << mistake << 2
                                               << "Missing value after '--settings'";
    QTest::newRow("an option that takes no value") << QStringList{"quorvel", "--no-splash=1"} << mistake << 2
                                                   << "no-splash";
}

void TestCommandLine::endingAtOnce()
{
    QFETCH(QStringList, args);
    QFETCH(int, action);
    QFETCH(int, status);
    QFETCH(QString, messageHolds);
    const StartupOptions o = parseStartupOptions(args, QString());
    QCOMPARE(int(o.action), action);
    QCOMPARE(o.exitStatus(), status);
    QVERIFY2(o.message.contains(messageHolds), qPrintable(o.message));
    QVERIFY(o.positional.isEmpty());
}

void TestCommandLine::initialFolder_data()
{
    QTest::addColumn<QStringList>("positional");
    QTest::addColumn<int>("startFolderUse");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("select");
    QTest::addColumn<bool>("fullScreen");
    // "@" stands for the temporary folder of the test.
    QTest::newRow("one file: its folder, full screen") << QStringList{"@/trip/IMG_1.JPG"} << 0 << "@/trip/"
                                                       << "IMG_1.JPG" << true;
    QTest::newRow("relative file") << QStringList{"trip/IMG_1.JPG"} << 0 << "@/trip/" << "IMG_1.JPG" << true;
    QTest::newRow("one folder: opened as it is") << QStringList{"@/trip"} << 0 << "@/trip/" << "" << false;
    QTest::newRow("two arguments: last used folder") << QStringList{"@/trip/IMG_1.JPG", "x"} << 0 << "/last/" << ""
                                                     << false;
    QTest::newRow("nothing: start folder when chosen") << QStringList{} << 1 << "/start/" << "" << false;
    QTest::newRow("nothing: last used folder") << QStringList{} << 0 << "/last/" << "" << false;
}

void TestCommandLine::initialFolder()
{
    QFETCH(QStringList, positional);
    QFETCH(int, startFolderUse);
    QFETCH(QString, folder);
    QFETCH(QString, select);
    QFETCH(bool, fullScreen);

    QTemporaryDir dir;
    QVERIFY(test::writeFile(dir.path() + "/trip/IMG_1.JPG", "jpeg"));
    auto store = std::make_unique<MemorySettingsStore>();
    AppSettings s;
    s.lastUsedDir = "/last/";
    s.startFolder = "/start/";
    s.startFolderUse = startFolderUse;
    s.save(*store);
    installSettingsStore(std::move(store));

    StartupOptions options;
    for (QString p : positional)
        options.positional.append(p.replace("@", dir.path()));
    const InitialView view = initialView(options, dir.path());
    QCOMPARE(view.folder, QString(folder).replace("@", dir.path()));
    QCOMPARE(view.selectName, select);
    QCOMPARE(view.fullScreen, fullScreen);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
