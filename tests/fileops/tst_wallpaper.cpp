#include "support/ExifOrientationFiles.h"
#include "support/TestSupport.h"

#include "core/edit/TiffEncoder.h"
#include "core/fileops/CommandRunner.h"
#include "core/fileops/DesktopWallpaper.h"
#include "core/fileops/GsettingsWallpaper.h"
#include "core/fileops/PlasmaWallpaper.h"
#include "core/fileops/UprightWallpaper.h"
#include "core/fileops/WallpaperBackend.h"
#include "core/imaging/ImageDecoder.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QtEndian>

using namespace quorvel;

namespace {

// Stands in for the system: knows which programs exist, answers with the
// output given per program and first argument, and records every command.
class RecordingRunner : public CommandRunner
{
public:
    QStringList programs;
    QHash<QString, QByteArray> outputs; // "program first-argument" -> standard output
    QString failing;                    // a program that exits with 1
    QList<QStringList> calls;

    bool hasProgram(const QString &program) const override { return programs.contains(program); }
    CommandResult run(const QString &program, const QStringList &arguments) override
    {
        calls.append(QStringList{program} + arguments);
        CommandResult r;
        r.started = programs.contains(program);
        if (!r.started)
            return r;
        r.exitCode = program == failing ? 1 : 0;
        if (r.exitCode != 0)
            r.errorText = QStringLiteral("No such schema");
        r.output = outputs.value(program + u' ' + arguments.value(0));
        return r;
    }
};

DesktopEnvironment environment(const QString &desktop, const QString &session = QString(), bool display = false,
                               bool kde = false)
{
    DesktopEnvironment e;
    e.currentDesktop = desktop;
    e.session = session;
    e.x11Display = display;
    e.kdeFullSession = kde;
    return e;
}

const QStringList kAllPrograms{"gsettings", "dbus-send", "xfconf-query", "xwallpaper", "feh", "xsetroot"};

} // namespace

Q_DECLARE_METATYPE(quorvel::DesktopEnvironment)

class TestWallpaper : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void backendChoice_data();
    void backendChoice();
    void commands_data();
    void commands();
    void failuresAreReported();
    void otherFormatsGoAsPng_data();
    void otherFormatsGoAsPng();
    void undecodableSourceIsRefused();
    void plasmaScriptEscaping_data();
    void plasmaScriptEscaping();
    void x11RootWindowShowsThePicture();
    void orientedPicturesGetAnUprightCopy();
    void orientedPngGetsAnUprightPng();

private:
    QTemporaryDir m_dir;
    QString m_picture;
};

void TestWallpaper::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // A path with a space and a quote, which no tool may take apart.
    QVERIFY(QDir().mkpath(m_dir.filePath("my pics")));
    m_picture = m_dir.filePath("my pics/it's.jpg");
    // A real JPEG: anything else is converted before a desktop sees it.
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(m_picture, "JPEG"));
}

void TestWallpaper::backendChoice_data()
{
    QTest::addColumn<DesktopEnvironment>("env");
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<QString>("expected"); // the back end's name, "" for none

    QTest::newRow("GNOME") << environment("GNOME", "", true) << kAllPrograms << "gnome";
    QTest::newRow("Ubuntu's GNOME") << environment("ubuntu:GNOME") << kAllPrograms << "gnome";
    QTest::newRow("Budgie") << environment("Budgie:GNOME") << kAllPrograms << "gnome";
    QTest::newRow("Cinnamon") << environment("X-Cinnamon") << kAllPrograms << "cinnamon";
    QTest::newRow("MATE") << environment("MATE") << kAllPrograms << "mate";
    QTest::newRow("KDE Plasma") << environment("KDE") << kAllPrograms << "plasma";
    QTest::newRow("Xfce") << environment("XFCE") << kAllPrograms << "xfce";
    QTest::newRow("older session variables: Plasma")
        << environment("", "/usr/share/xsessions/plasma", false, true) << kAllPrograms << "plasma";
    QTest::newRow("older session variables: Xfce") << environment("", "xfce") << kAllPrograms << "xfce";
    QTest::newRow("Xfce without its tool falls back to X11")
        << environment("XFCE", "", true) << QStringList{"xwallpaper"} << "xwallpaper";
    QTest::newRow("window manager only: xwallpaper first") << environment("i3", "", true) << kAllPrograms << "xwallpaper";
    QTest::newRow("window manager only: feh") << environment("", "", true) << QStringList{"feh"} << "feh";
    QTest::newRow("no display, unknown desktop") << environment("sway") << kAllPrograms << "";
    QTest::newRow("GNOME without gsettings or display") << environment("GNOME") << QStringList{"feh"} << "";
    QTest::newRow("X11 without any tool") << environment("", "", true) << QStringList{"gsettings"} << "";
}

void TestWallpaper::backendChoice()
{
    QFETCH(DesktopEnvironment, env);
    QFETCH(QStringList, programs);
    QFETCH(QString, expected);
    RecordingRunner runner;
    runner.programs = programs;
    const auto backend = WallpaperBackend::choose(env, runner);
    QCOMPARE(backend ? backend->name() : QString(), expected);
    QVERIFY(runner.calls.isEmpty()); // choosing runs nothing
}

void TestWallpaper::commands_data()
{
    QTest::addColumn<DesktopEnvironment>("env");
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<QByteArray>("listing"); // what the back end's listing command answers
    QTest::addColumn<bool>("reset");
    QTest::addColumn<QList<QStringList>>("expected"); // "%uri" and "%path" stand for the picture

    const QString gnome = "org.gnome.desktop.background";
    const QStringList gnomeList{"gsettings", "list-keys", gnome};
    QTest::newRow("GNOME with a dark-style key")
        << environment("GNOME") << kAllPrograms << QByteArray("color-shading-type\npicture-uri\npicture-uri-dark\n")
        << false
        << QList<QStringList>{gnomeList, {"gsettings", "set", gnome, "picture-options", "'stretched'"},
                              {"gsettings", "set", gnome, "picture-uri", "'%uri'"},
                              {"gsettings", "set", gnome, "picture-uri-dark", "'%uri'"}};
    QTest::newRow("GNOME without it") << environment("GNOME") << kAllPrograms << QByteArray("picture-uri\n") << false
                                      << QList<QStringList>{gnomeList,
                                                            {"gsettings", "set", gnome, "picture-options", "'stretched'"},
                                                            {"gsettings", "set", gnome, "picture-uri", "'%uri'"}};
    QTest::newRow("GNOME reset") << environment("GNOME") << kAllPrograms << QByteArray("picture-uri\npicture-uri-dark\n")
                                 << true
                                 << QList<QStringList>{gnomeList,
                                                       {"gsettings", "set", gnome, "picture-options", "'none'"},
                                                       {"gsettings", "set", gnome, "picture-uri", "''"},
                                                       {"gsettings", "set", gnome, "picture-uri-dark", "''"}};
    const QString cinnamon = "org.cinnamon.desktop.background";
    QTest::newRow("Cinnamon") << environment("X-Cinnamon") << kAllPrograms << QByteArray() << false
                              << QList<QStringList>{{"gsettings", "set", cinnamon, "picture-options", "'stretched'"},
                                                    {"gsettings", "set", cinnamon, "picture-uri", "'%uri'"}};
    QTest::newRow("MATE takes a path") << environment("MATE") << kAllPrograms << QByteArray() << false
                                       << QList<QStringList>{
                                              {"gsettings", "set", "org.mate.background", "picture-options", "'stretched'"},
                                              {"gsettings", "set", "org.mate.background", "picture-filename", "'%path'"}};

    const QStringList dbus{"dbus-send", "--session", "--print-reply", "--dest=org.kde.plasmashell", "/PlasmaShell",
                           "org.kde.PlasmaShell.evaluateScript"};
    QTest::newRow("Plasma") << environment("KDE") << kAllPrograms << QByteArray() << false
                            << QList<QStringList>{dbus + QStringList{"string:var all = desktops();\n"
                                                                     "for (var i = 0; i < all.length; i++) {\n"
                                                                     "    var d = all[i];\n"
                                                                     "    d.wallpaperPlugin = \"org.kde.image\";\n"
                                                                     "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
                                                                     "    d.writeConfig(\"Image\", \"%uri\");\n"
                                                                     "    d.writeConfig(\"FillMode\", 0);\n"
                                                                     "}\n"}};
    QTest::newRow("Plasma reset") << environment("KDE") << kAllPrograms << QByteArray() << true
                                  << QList<QStringList>{dbus + QStringList{"string:var all = desktops();\n"
                                                                           "for (var i = 0; i < all.length; i++)\n"
                                                                           "    all[i].wallpaperPlugin = \"org.kde.color\";\n"}};

    const QStringList xfList{"xfconf-query", "-c", "xfce4-desktop", "-l"};
    const auto xfSet = [](const QString &property, const QString &type, const QString &value) {
        return QStringList{"xfconf-query", "-c", "xfce4-desktop", "-p", property, "-n", "-t", type, "-s", value};
    };
    const QString m1 = "/backdrop/screen0/monitorDP-1/workspace0", m2 = "/backdrop/screen0/monitorHDMI-1/workspace0";
    const QByteArray twoMonitors = (m1 + "/color-style\n" + m1 + "/last-image\n" + m2 + "/last-image\n"
                                    + "/desktop-icons/style\n").toUtf8();
    QTest::newRow("Xfce, every monitor")
        << environment("XFCE") << kAllPrograms << twoMonitors << false
        << QList<QStringList>{xfList, xfSet(m1 + "/image-style", "int", "3"), xfSet(m1 + "/last-image", "string", "%path"),
                              xfSet(m2 + "/image-style", "int", "3"), xfSet(m2 + "/last-image", "string", "%path")};
    const QString m0 = "/backdrop/screen0/monitor0/workspace0";
    QTest::newRow("Xfce without backdrops yet")
        << environment("XFCE") << kAllPrograms << QByteArray() << false
        << QList<QStringList>{xfList, xfSet(m0 + "/image-style", "int", "3"), xfSet(m0 + "/last-image", "string", "%path")};
    QTest::newRow("Xfce reset") << environment("XFCE") << kAllPrograms << twoMonitors << true
                                << QList<QStringList>{xfList, xfSet(m1 + "/image-style", "int", "0"),
                                                      xfSet(m2 + "/image-style", "int", "0")};

    QTest::newRow("xwallpaper") << environment("", "", true) << kAllPrograms << QByteArray() << false
                                << QList<QStringList>{{"xwallpaper", "--stretch", "%path"}};
    QTest::newRow("xwallpaper reset") << environment("", "", true) << kAllPrograms << QByteArray() << true
                                      << QList<QStringList>{{"xwallpaper", "--clear"}};
    QTest::newRow("feh") << environment("", "", true) << QStringList{"feh"} << QByteArray() << false
                         << QList<QStringList>{{"feh", "--bg-scale", "%path"}};
    QTest::newRow("feh reset through xsetroot") << environment("", "", true) << QStringList{"feh", "xsetroot"}
                                                << QByteArray() << true << QList<QStringList>{{"xsetroot", "-def"}};
}

void TestWallpaper::commands()
{
    QFETCH(DesktopEnvironment, env);
    QFETCH(QStringList, programs);
    QFETCH(QByteArray, listing);
    QFETCH(bool, reset);
    QFETCH(QList<QStringList>, expected);
    RecordingRunner runner;
    runner.programs = programs;
    runner.outputs.insert("gsettings list-keys", listing);
    runner.outputs.insert("xfconf-query -c", listing);

    const QString path = QFileInfo(m_picture).absoluteFilePath();
    const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    QVERIFY(uri.contains("%20") && uri.contains("'"));
    for (QStringList &command : expected) {
        for (QString &argument : command) {
            // GVariant text escapes the quote; elsewhere the text goes as it is.
            const bool gvariant = argument.startsWith("'");
            argument.replace("%uri", gvariant ? QString(uri).replace("'", "\\'") : uri);
            argument.replace("%path", gvariant ? QString(path).replace("'", "\\'") : path);
        }
    }
    QString error;
    QVERIFY2(setDesktopWallpaper(reset ? QString() : m_picture, env, runner, &error), qPrintable(error));
    QCOMPARE(runner.calls, expected);
}

void TestWallpaper::failuresAreReported()
{
    RecordingRunner runner;
    runner.programs = kAllPrograms;
    runner.failing = "gsettings";
    QString error;
    QVERIFY(!setDesktopWallpaper(m_picture, environment("GNOME"), runner, &error));
    QVERIFY2(error.contains("gsettings") && error.contains("No such schema"), qPrintable(error));
    QCOMPARE(runner.calls.size(), 1); // nothing after the first failure

    runner.calls.clear();
    QVERIFY(!setDesktopWallpaper(m_dir.filePath("missing.jpg"), environment("GNOME"), runner, &error));
    QVERIFY(error.contains("missing.jpg"));
    QVERIFY(runner.calls.isEmpty());

    QVERIFY(!setDesktopWallpaper(m_picture, environment("sway"), runner, &error));
    QVERIFY(!error.isEmpty());

    RecordingRunner fehOnly;
    fehOnly.programs = {"feh"};
    QVERIFY(!setDesktopWallpaper(QString(), environment("", "", true), fehOnly, &error));
    QVERIFY(!error.isEmpty());
}

void TestWallpaper::otherFormatsGoAsPng_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format"); // "tiff" through the program's own writer
    QTest::addColumn<bool>("converted");
    QTest::newRow("TIFF") << "photo.tif" << "tiff" << true;
    QTest::newRow("BMP") << "photo.bmp" << "bmp" << true;
    QTest::newRow("PNG named .tif") << "png inside.tif" << "png" << false;
    QTest::newRow("JPEG") << "photo.jpg" << "jpeg" << false;
}

// A desktop reads JPEG and PNG: other pictures reach it as a PNG written
// into the program's folder, one at a time.
void TestWallpaper::otherFormatsGoAsPng()
{
    QFETCH(QString, name);
    QFETCH(QString, format);
    QFETCH(bool, converted);
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(qRgb(40, 160, 90));
    const QString path = m_dir.filePath(name);
    if (format == u"tiff")
        QVERIFY(test::writeFile(path, TiffEncoder::encode(picture)));
    else
        QVERIFY(picture.save(path, qPrintable(format)));
    const QByteArray original = test::readFile(path);

    const QString folder = m_dir.filePath("converted");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(test::writeFile(folder + "/wallpaper-0123456789abcdef.png", "an earlier conversion"));
    QVERIFY(test::writeFile(folder + "/notes.txt", "not ours"));
    RecordingRunner runner;
    runner.programs = {"xwallpaper"};
    QString error;
    QVERIFY2(setDesktopWallpaper(path, environment("", "", true), runner, &error, folder), qPrintable(error));
    QCOMPARE(runner.calls.size(), 1);
    const QString given = runner.calls.first().last();
    QCOMPARE(test::readFile(path), original);
    if (!converted) {
        QCOMPARE(given, QFileInfo(path).absoluteFilePath());
        return;
    }
    QCOMPARE(QFileInfo(given).absolutePath(), QFileInfo(folder).absoluteFilePath());
    QVERIFY(given.endsWith(".png"));
    QImage shown(given);
    QCOMPARE(shown.size(), picture.size());
    QCOMPARE(shown.pixel(10, 10), picture.pixel(10, 10));
    // The earlier conversion is gone; what is not ours stays.
    QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{"notes.txt", QFileInfo(given).fileName()}));
}

void TestWallpaper::undecodableSourceIsRefused()
{
    const QString path = m_dir.filePath("damaged.tif");
    QVERIFY(test::writeFile(path, QByteArray("II*\0") + QByteArray(100, 'x')));
    const QString folder = m_dir.filePath("refused");
    RecordingRunner runner;
    runner.programs = {"xwallpaper"};
    QString error;
    QVERIFY(!setDesktopWallpaper(path, environment("", "", true), runner, &error, folder));
    QVERIFY2(error.contains("damaged.tif"), qPrintable(error));
    QVERIFY(runner.calls.isEmpty());
    QVERIFY(QDir(folder).entryList(QDir::Files).isEmpty());
}

void TestWallpaper::plasmaScriptEscaping_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("line feed") << "two\nlines.jpg";
    QTest::newRow("place markers") << "100%1 %2 done.jpg";
    QTest::newRow("quotes and backslash") << "say \"hi\" \\ 'there'.jpg";
    QTest::newRow("line separator") << QString("a") + QChar(0x2028) + "b.jpg";
    QTest::newRow("script end") << "x\"); all[0].wallpaperPlugin = (\"y.jpg";
}

// The picture's name reaches Plasma as one string, whatever it holds.
void TestWallpaper::plasmaScriptEscaping()
{
    QFETCH(QString, name);
    const QString path = QStringLiteral("/home/user/") + name;
    const QString script = PlasmaWallpaper::setScript(path);
    const QString before = QStringLiteral("d.writeConfig(\"Image\", ");
    const QString after = QStringLiteral(");\n    d.writeConfig(\"FillMode\", 0);\n}\n");
    const qsizetype start = script.indexOf(before);
    QVERIFY(start > 0);
    QVERIFY2(script.endsWith(after), qPrintable(script));
    const QString literal = script.mid(start + before.size(), script.size() - after.size() - start - before.size());
    // A JavaScript string literal in double quotes with \uXXXX escapes is
    // JSON too.
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson("[" + literal.toUtf8() + "]", &parseError);
    QVERIFY2(parseError.error == QJsonParseError::NoError, qPrintable(literal));
    QCOMPARE(QUrl(doc.array().first().toString()).toLocalFile(), path);
    QVERIFY(!literal.contains(QLatin1Char('\n')));
}

// The plain X11 back end on a real X server of its own: the picture,
// stretched, is what the root window shows; after the reset it is gone.
void TestWallpaper::x11RootWindowShowsThePicture()
{
    for (const char *tool : {"Xvfb", "import"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
    }
    ProcessCommandRunner runner;
    if (!runner.hasProgram("xwallpaper") && !runner.hasProgram("feh"))
        QSKIP("neither xwallpaper nor feh is installed");

    QProcess server;
    server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "320x200x24", "-nolisten", "tcp"});
    QVERIFY(server.waitForStarted());
    QByteArray number;
    while (!number.contains('\n') && server.waitForReadyRead(30000))
        number += server.readAllStandardOutput();
    if (number.trimmed().isEmpty())
        QSKIP("Xvfb did not start");
    const QByteArray display = ":" + number.trimmed();
    const QByteArray oldDisplay = qgetenv("DISPLAY"), oldHome = qgetenv("HOME");
    qputenv("DISPLAY", display);
    qputenv("HOME", m_dir.path().toLocal8Bit()); // feh keeps its ~/.fehbg there

    // Left half red, right half blue; stretched over the screen each half
    // covers half of it (the tools' filtering darkens the outermost pixels).
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    const QString file = m_dir.filePath("halves.png");
    QVERIFY(picture.save(file));

    const auto rootWindow = [&display] {
        QProcess grab;
        grab.start("import", {"-display", QString::fromLatin1(display), "-window", "root", "png:-"});
        grab.waitForFinished(60000);
        return QImage::fromData(grab.readAllStandardOutput(), "PNG");
    };
    const auto near = [](QRgb a, QColor b) {
        return qAbs(qRed(a) - b.red()) < 24 && qAbs(qGreen(a) - b.green()) < 24 && qAbs(qBlue(a) - b.blue()) < 24;
    };
    QString error;
    const DesktopEnvironment x11 = environment("", "", true);
    const bool set = setDesktopWallpaper(file, x11, runner, &error);
    const QString setError = error;
    const QImage shown = rootWindow();
    const bool canReset = runner.hasProgram("xwallpaper") || runner.hasProgram("xsetroot");
    const bool reset = canReset && setDesktopWallpaper(QString(), x11, runner, &error);
    const QImage cleared = canReset ? rootWindow() : QImage();

    server.terminate();
    server.waitForFinished();
    qputenv("DISPLAY", oldDisplay);
    qputenv("HOME", oldHome);

    QVERIFY2(set, qPrintable(setError));
    QCOMPARE(shown.size(), QSize(320, 200));
    for (const QPoint p : {QPoint(12, 12), QPoint(150, 100), QPoint(100, 187)})
        QVERIFY2(near(shown.pixel(p), Qt::red), qPrintable(QColor(shown.pixel(p)).name()));
    for (const QPoint p : {QPoint(307, 12), QPoint(170, 100), QPoint(220, 187)})
        QVERIFY2(near(shown.pixel(p), Qt::blue), qPrintable(QColor(shown.pixel(p)).name()));
    if (canReset) {
        QVERIFY2(reset, qPrintable(error));
        QCOMPARE(cleared.size(), QSize(320, 200));
        QVERIFY(!near(cleared.pixel(150, 100), Qt::red));
    }
}

// Desktops differ in honouring the EXIF orientation: they are given the
// picture upright, as the program shows it.
void TestWallpaper::orientedPicturesGetAnUprightCopy()
{
    QTemporaryDir dir;
    QImage picture(64, 32, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPEG", 95);
    }
    const QString upright = dir.filePath(QStringLiteral("upright.jpg"));
    const QString turned = dir.filePath(QStringLiteral("turned.jpg"));
    const QString other = dir.filePath(QStringLiteral("other.jpg"));
    QVERIFY(test::writeFile(upright, test::withOrientation(jpeg, 1)));
    QVERIFY(test::writeFile(turned, test::withOrientation(jpeg, 6)));
    QVERIFY(test::writeFile(other, test::withOrientation(jpeg, 8)));
    const QString folder = dir.filePath(QStringLiteral("copies"));

    QCOMPARE(uprightWallpaperFile(upright, folder), upright);
    const QString copy = uprightWallpaperFile(turned, folder);
    QVERIFY(copy.startsWith(folder));
    QCOMPARE(uprightWallpaperFile(turned, folder), copy); // the same picture, the same copy
    QCOMPARE(ImageDecoder::decodeFile(copy, DecodeOptions()).image.size(), QSize(32, 64));
    QCOMPARE(test::exifOrientationFacts(test::readFile(copy)).orientation, 1);
    QCOMPARE(test::readFile(turned), test::withOrientation(jpeg, 6)); // the picture itself stays

    const QString second = uprightWallpaperFile(other, folder);
    QVERIFY(second != copy);
    QVERIFY(!QFile::exists(copy)); // the copy of the former wallpaper goes
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 1);
    // Nothing to copy into: the picture itself.
    QCOMPARE(uprightWallpaperFile(turned, QString()), turned);
}

// A PNG carrying an Exif block with an orientation cannot be turned
// losslessly: the desktop gets it upright as a PNG of its own.
void TestWallpaper::orientedPngGetsAnUprightPng()
{
    QTemporaryDir dir;
    QImage picture(64, 32, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPEG", 95);
    }
    // The EXIF block of a JPEG with Orientation 6, as the PNG's eXIf chunk.
    const QByteArray exifJpeg = test::withOrientation(jpeg, 6);
    const qsizetype app1 = exifJpeg.indexOf("\xFF\xE1");
    QVERIFY(app1 > 0);
    const int length = (uchar(exifJpeg[app1 + 2]) << 8) | uchar(exifJpeg[app1 + 3]);
    const QByteArray block = exifJpeg.mid(app1 + 4 + 6, length - 2 - 6);
    const auto crc32 = [](const QByteArray &bytes) {
        quint32 crc = 0xFFFFFFFFu;
        for (const char c : bytes) {
            crc ^= uchar(c);
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        return ~crc;
    };
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(quint32(block.size()), chunk.data());
    chunk += "eXIf" + block;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(crc32("eXIf" + block), crc.data());
    chunk += crc;
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
    }
    png.insert(8 + 25, chunk); // after the header chunk
    const QString path = dir.filePath(QStringLiteral("turned.png"));
    QVERIFY(test::writeFile(path, png));
    const QString folder = dir.filePath(QStringLiteral("copies"));

    const QString copy = uprightWallpaperFile(path, folder);
    QVERIFY(copy.startsWith(folder));
    QVERIFY(copy.endsWith(QStringLiteral(".png")));
    const QImage shown(copy);
    QCOMPARE(shown.size(), QSize(32, 64));
    // Turned clockwise: the stored top left corner is now the top right.
    QCOMPARE(shown.pixel(31, 0), qRgb(0, 0, 0));
    QCOMPARE(test::readFile(path), png); // the picture itself stays
}

QTEST_GUILESS_MAIN(TestWallpaper)
#include "tst_wallpaper.moc"
