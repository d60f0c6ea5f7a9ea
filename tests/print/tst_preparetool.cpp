#include "support/ExifOrientationFiles.h"
#include "support/TestSupport.h"

#include "core/exif/Exiv2Include.h"
#include "core/print/PrepareBatch.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

// quorvel-tool prepare: the wizard's output files for many photographs at
// once, with the sizes of the catalogue's worked cases, the names the final
// step proposes, the frame placed as the final step places it, and failures
// that stop only their own file.
class TestPrepareTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void formatKeys_data();
    void formatKeys();
    void lengths_data();
    void lengths();
    void frameIsCentred();
    void outputSizes_data();
    void outputSizes();
    void metadataCarriedOver();
    void border();
    void failedFilesDoNotStopTheOthers();
    void orientedAndDamagedPhotos_data();
    void orientedAndDamagedPhotos();
    void sameNameTwice();
    void refusedArguments_data();
    void refusedArguments();
    void listFormats();

private:
    QString photo(const QString &name, QSize size, bool withExif = false);
    struct Run
    {
        int exitCode = -1;
        QString errors;
        QString output;
    };
    Run prepare(const QStringList &arguments);

    QTemporaryDir m_dir;
};

void TestPrepareTool::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

// Columns in three bands: black up to an eighth of the width, grey in the
// middle, white from seven eighths on; a 3:2 frame centred on a 2:1
// picture shows only grey at its left and right edges.
QString TestPrepareTool::photo(const QString &name, QSize size, bool withExif)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int x = 0; x < size.width(); ++x) {
        const QRgb c = x < size.width() / 8 ? qRgb(0, 0, 0) : x >= size.width() * 7 / 8 ? qRgb(255, 255, 255)
                                                                                          : qRgb(128, 128, 128);
        for (int y = 0; y < size.height(); ++y)
            picture.setPixel(x, y, c);
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 95);
    if (withExif) {
        auto image = exiv2::openMemory(jpeg.constData(), jpeg.size());
        Exiv2::ExifData data;
        data["Exif.Image.Model"] = "Batch Camera";
        data["Exif.Image.XResolution"] = Exiv2::URational(72, 1);
        data["Exif.Image.YResolution"] = Exiv2::URational(72, 1);
        image->setExifData(data);
        image->writeMetadata();
        Exiv2::BasicIo &io = image->io();
        io.seek(0, Exiv2::BasicIo::beg);
        jpeg.resize(qsizetype(io.size()));
        io.read(reinterpret_cast<Exiv2::byte *>(jpeg.data()), long(jpeg.size()));
    }
    const QString path = m_dir.filePath(name);
    test::writeFile(path, jpeg);
    return path;
}

TestPrepareTool::Run TestPrepareTool::prepare(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QDir(QStringLiteral(QUORVEL_RUNTIME_DIR)).filePath(QStringLiteral("quorvel-tool")),
               QStringList{QStringLiteral("prepare")} + arguments);
    Run run;
    if (!tool.waitForFinished(120000))
        return run;
    run.exitCode = tool.exitCode();
    run.errors = QString::fromUtf8(tool.readAllStandardError());
    run.output = QString::fromUtf8(tool.readAllStandardOutput());
    return run;
}

void TestPrepareTool::formatKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("index");
    QTest::newRow("10x15") << "10x15" << 2;
    QTest::newRow("any case") << "panoramic" << 28;
    QTest::newRow("blanks around") << " A4 " << 14;
    QTest::newRow("mobile") << "mobile_176x208" << 35;
    QTest::newRow("screen") << "640x480" << 44;
    QTest::newRow("custom pixels are not offered") << "other" << -1;
    QTest::newRow("custom cm") << "other_cm" << -1;
    QTest::newRow("unknown") << "10x16" << -1;
}

void TestPrepareTool::formatKeys()
{
    QFETCH(QString, key);
    QFETCH(int, index);
    QCOMPARE(PrepareBatch::formatByKey(key).value_or(-1), index);
}

void TestPrepareTool::lengths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("unit"); // -1: refused
    QTest::newRow("cm by default") << "0.3" << "0.3" << int(LengthUnit::Centimetres);
    QTest::newRow("decimal comma") << "0,3cm" << "0.3" << int(LengthUnit::Centimetres);
    QTest::newRow("mm") << "3 mm" << "3" << int(LengthUnit::Millimetres);
    QTest::newRow("inches") << "0.1in" << "0.1" << int(LengthUnit::Inches);
    QTest::newRow("pixels") << "20PX" << "20" << int(LengthUnit::Pixels);
    QTest::newRow("part of a pixel") << "2.5px" << "" << -1;
    QTest::newRow("negative") << "-1" << "" << -1;
    QTest::newRow("no number") << "wide" << "" << -1;
    QTest::newRow("unknown unit") << "3pt" << "" << -1;
}

void TestPrepareTool::lengths()
{
    QFETCH(QString, text);
    QFETCH(QString, number);
    QFETCH(int, unit);
    const auto length = PrepareBatch::parseLength(text);
    QCOMPARE(length.has_value(), unit >= 0);
    if (length) {
        QCOMPARE(length->first, number);
        QCOMPARE(int(length->second), unit);
    }
}

// The whole area of the format's proportions, centred: a 2:1 picture onto
// 3:2 paper keeps its full height and loses equal parts left and right.
void TestPrepareTool::frameIsCentred()
{
    PrepareBatch::Options options;
    options.formatIndex = 2;
    const PrepareBatch batch(options);
    const PrintComposition wide = batch.composition(QSize(1200, 600));
    QCOMPARE(wide.output, QSize(1772, 1181));
    QCOMPARE(wide.frame.left, 150);
    QCOMPARE(wide.frame.right, 1050);
    QCOMPARE(wide.frame.top, 0);
    QCOMPARE(wide.frame.bottom, 600);
    const PrintComposition high = batch.composition(QSize(600, 1200));
    QCOMPARE(high.output, QSize(1181, 1772));
    QCOMPARE(high.frame.top, 150);
    QCOMPARE(high.frame.bottom, 1050);
}

void TestPrepareTool::outputSizes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QSize>("expected");
    QTest::addColumn<int>("dpi"); // the JFIF density written

    const QStringList at300{"--format", "10x15", "--dpi", "300"};
    QTest::newRow("10x15 cm at 300 dpi, landscape") << at300 << QSize(900, 600) << "10x15" << QSize(1772, 1181) << 300;
    QTest::newRow("10x15 cm at 300 dpi, portrait") << at300 << QSize(600, 900) << "10x15" << QSize(1181, 1772) << 300;
    QTest::newRow("10x15 cm at 300 dpi, photolab") << at300 + QStringList{"--photolab"} << QSize(900, 600) << "10x15"
                                                   << QSize(1795, 1205) << 300;
    QTest::newRow("10x15 cm at 300 dpi, photolab, portrait")
        << at300 + QStringList{"--photolab"} << QSize(600, 900) << "10x15" << QSize(1205, 1795) << 300;
    QTest::newRow("2:1 picture on 10x15") << at300 << QSize(1200, 600) << "10x15" << QSize(1772, 1181) << 300;
    QTest::newRow("300 dpi by default") << QStringList{"--format", "10x15"} << QSize(900, 600) << "10x15"
                                        << QSize(1772, 1181) << 300;
    QTest::newRow("A4 at 150 dpi") << QStringList{"--format", "a4", "--dpi", "150"} << QSize(600, 900) << "A4"
                                   << QSize(1240, 1754) << 150;
    // Screen sizes are pixels, written at 75 dpi; they keep their
    // orientation whatever the picture's.
    QTest::newRow("640x480") << QStringList{"--format", "640x480", "--dpi", "600"} << QSize(900, 600) << "640x480"
                             << QSize(640, 480) << 75;
    QTest::newRow("640x480, portrait picture") << QStringList{"--format", "640x480"} << QSize(600, 900) << "640x480"
                                               << QSize(640, 480) << 75;
    QTest::newRow("Mobile") << QStringList{"--format", "mobile_176x208"} << QSize(600, 900) << "mobile_176x208"
                            << QSize(208, 176) << 75;
}

void TestPrepareTool::outputSizes()
{
    QFETCH(QStringList, arguments);
    QFETCH(QSize, photo);
    QFETCH(QString, suffix);
    QFETCH(QSize, expected);
    QFETCH(int, dpi);
    const QString out = m_dir.filePath(QStringLiteral("sizes_%1").arg(QTest::currentDataTag()).replace(' ', '_'));
    const QString source = this->photo(QStringLiteral("img_%1x%2.jpg").arg(photo.width()).arg(photo.height()), photo);
    const Run run = prepare(arguments + QStringList{"--out", out, source});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QString target = QDir(out).filePath(QStringLiteral("img_%1x%2_%3.jpg").arg(photo.width()).arg(photo.height()).arg(suffix));
    QImageReader reader(target);
    QCOMPARE(reader.size(), expected);
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden).size(), 1);
    const QImage image = reader.read();
    QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), dpi);
    // Centred: a 2:1 picture loses its black and white side bands.
    if (photo == QSize(1200, 600)) {
        for (const int x : {2, expected.width() - 3}) {
            const int grey = qGray(image.pixel(x, expected.height() / 2));
            QVERIFY2(grey > 60 && grey < 200, qPrintable(QString::number(grey)));
        }
    }
    QVERIFY2(run.errors.contains(QStringLiteral("[1/1]")), qPrintable(run.errors));
}

void TestPrepareTool::metadataCarriedOver()
{
    const QString out = m_dir.filePath(QStringLiteral("meta"));
    const QString source = photo(QStringLiteral("meta.jpg"), QSize(900, 600), true);
    const Run run = prepare({"--format", "9x13", "--dpi", "200", "--out", out, source});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    auto image = exiv2::openFile(QFile::encodeName(QDir(out).filePath("meta_9x13.jpg")).toStdString());
    image->readMetadata();
    const Exiv2::ExifData &exif = image->exifData();
    QCOMPARE(QString::fromStdString(exif.findKey(Exiv2::ExifKey("Exif.Image.Model"))->toString()),
             QStringLiteral("Batch Camera"));
    QCOMPARE(QString::fromStdString(exif.findKey(Exiv2::ExifKey("Exif.Image.XResolution"))->toString()),
             QStringLiteral("200/1"));
}

void TestPrepareTool::border()
{
    const QString out = m_dir.filePath(QStringLiteral("border"));
    const QString source = photo(QStringLiteral("border.jpg"), QSize(900, 600));
    const Run run = prepare({"--format", "640x480", "--frame", "20px", "--frame-colour", "#ff0000", "--quality",
                             "95", "--out", out, source});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QImage image(QDir(out).filePath("border_640x480.jpg"));
    QCOMPARE(image.size(), QSize(640, 480));
    for (const QPoint p : {QPoint(5, 240), QPoint(320, 5), QPoint(634, 240), QPoint(320, 474)}) {
        const QRgb c = image.pixel(p);
        QVERIFY2(qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60, qPrintable(QString::number(c, 16)));
    }
    QVERIFY(qRed(image.pixel(320, 240)) < 200); // the picture inside
}

void TestPrepareTool::failedFilesDoNotStopTheOthers()
{
    const QString out = m_dir.filePath(QStringLiteral("failures"));
    const QString first = photo(QStringLiteral("first.jpg"), QSize(300, 200));
    const QString last = photo(QStringLiteral("last.jpg"), QSize(200, 300));
    const QString broken = m_dir.filePath(QStringLiteral("broken.jpg"));
    QVERIFY(test::writeFile(broken, QByteArray("\xFF\xD8\xFF\xE0 not really a JPEG")));
    const QString text = m_dir.filePath(QStringLiteral("notes.txt"));
    QVERIFY(test::writeFile(text, "a note"));
    const QString missing = m_dir.filePath(QStringLiteral("missing.jpg"));
    const Run run = prepare({"--format", "mobile_96x96", "--out", out, first, broken, text, missing, last});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), (QStringList{"first_mobile_96x96.jpg",
                                                                             "last_mobile_96x96.jpg"}));
    for (const QString &name : {broken, text, missing})
        QVERIFY2(run.errors.contains(QDir::toNativeSeparators(name) + QStringLiteral(": ")), qPrintable(run.errors));
    QVERIFY2(run.errors.contains(QStringLiteral("2 of 5 files prepared")), qPrintable(run.errors));
}

void TestPrepareTool::orientedAndDamagedPhotos_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<QSize>("expected"); // empty: no file is made
    QTest::addColumn<bool>("darkAtTop"); // the black band of the stored left edge shows at the top
    // 10x15 at 300 dpi follows the picture as shown.
    QTest::newRow("upright") << 1 << false << QSize(1772, 1181) << false;
    QTest::newRow("turned clockwise") << 6 << false << QSize(1181, 1772) << true;
    QTest::newRow("mirrored along the diagonal") << 5 << false << QSize(1181, 1772) << true;
    QTest::newRow("ends early") << 1 << true << QSize() << false;
}

// Each picture is prepared as the viewer shows it, and the output stored
// upright; a picture that only partly decodes is not prepared.
void TestPrepareTool::orientedAndDamagedPhotos()
{
    QFETCH(int, orientation);
    QFETCH(bool, damaged);
    QFETCH(QSize, expected);
    QFETCH(bool, darkAtTop);
    const QString name = QStringLiteral("shown_%1_%2.jpg").arg(orientation).arg(damaged);
    const QString source = photo(name, QSize(900, 600));
    QByteArray bytes = test::withOrientation(test::readFile(source), orientation);
    if (damaged)
        bytes.truncate(bytes.size() * 2 / 3);
    QVERIFY(test::writeFile(source, bytes));
    const QString out = m_dir.filePath(QStringLiteral("shown_%1_%2").arg(orientation).arg(damaged));
    const Run run = prepare({"--format", "10x15", "--dpi", "300", "--out", out, source});
    const QString target = QDir(out).filePath(name.chopped(4) + QStringLiteral("_10x15.jpg"));
    if (expected.isEmpty()) {
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(QDir::toNativeSeparators(source) + QStringLiteral(": ")), qPrintable(run.errors));
        QVERIFY(!QFile::exists(target));
        return;
    }
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QByteArray written = test::readFile(target);
    const QImage image = QImage::fromData(written);
    QCOMPARE(image.size(), expected);
    const int orientationAfter = test::exifOrientationFacts(written).orientation;
    QVERIFY2(orientationAfter == 1, qPrintable(QString::number(orientationAfter)));
    const int top = qGray(image.pixel(image.width() / 2, 4));
    QVERIFY2(darkAtTop ? top < 60 : top > 60, qPrintable(QString::number(top)));
}

// Two sources of one name would write one output: the second is refused
// instead of replacing the first's.
void TestPrepareTool::sameNameTwice()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("a"));
    QDir(m_dir.path()).mkpath(QStringLiteral("b"));
    const QString a = photo(QStringLiteral("a/same.jpg"), QSize(300, 200));
    const QString b = photo(QStringLiteral("b/same.jpg"), QSize(200, 300));
    const QString out = m_dir.filePath(QStringLiteral("same"));
    const Run run = prepare({"--format", "640x480", "--out", out, a, b});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains(QDir::toNativeSeparators(b) + QStringLiteral(": ")), qPrintable(run.errors));
    QCOMPARE(QDir(out).entryList(QDir::Files), QStringList{"same_640x480.jpg"});
    // The file is a's: the output of a landscape picture.
    QVERIFY(qGray(QImage(QDir(out).filePath("same_640x480.jpg")).pixel(320, 240)) > 100);

    // Writing into the sources' folder never replaces a source.
    const QString own = photo(QStringLiteral("x_640x480.jpg"), QSize(300, 200));
    const QString x = photo(QStringLiteral("x.jpg"), QSize(300, 200));
    const QByteArray before = test::readFile(own);
    const Run into = prepare({"--format", "640x480", "--out", m_dir.path(), x, own});
    QCOMPARE(into.exitCode, 1);
    QCOMPARE(test::readFile(own), before);
}

void TestPrepareTool::refusedArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no format") << QStringList{"--out", "x"} << "--format";
    QTest::newRow("unknown format") << QStringList{"--format", "10x16", "--out", "x"} << "10x16";
    QTest::newRow("no folder") << QStringList{"--format", "10x15"} << "--out";
    QTest::newRow("quality 10") << QStringList{"--format", "10x15", "--quality", "10", "--out", "x"} << "30 to 100";
    QTest::newRow("dpi 0") << QStringList{"--format", "10x15", "--dpi", "0", "--out", "x"} << "--dpi";
    QTest::newRow("bad frame") << QStringList{"--format", "10x15", "--frame", "thick", "--out", "x"} << "--frame";
    QTest::newRow("bad colour") << QStringList{"--format", "10x15", "--frame-colour", "sunset", "--out", "x"}
                                << "colour";
    QTest::newRow("unknown option") << QStringList{"--format", "10x15", "--fast", "--out", "x"} << "fast";
    // Beyond the largest picture: say so and what fits, write nothing.
    QTest::newRow("panoramic at 1200 dpi") << QStringList{"--format", "Panoramic", "--dpi", "1200", "--out", "x"}
                                           << "At 700 dpi it is 16370 x 5787 pixels";
}

void TestPrepareTool::refusedArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const QString source = photo(QStringLiteral("args.jpg"), QSize(300, 200));
    const QString out = m_dir.filePath(QStringLiteral("refused"));
    for (QString &a : arguments) {
        if (a == u"x")
            a = out;
    }
    const Run run = prepare(arguments + QStringList{source});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    QVERIFY(!QDir(out).exists());
}

void TestPrepareTool::listFormats()
{
    const Run run = prepare({"--list-formats"});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 48); // every entry but the three custom sizes
    QVERIFY(lines.contains(QStringLiteral("10x15\t10x15 cm\t10x15 cm")));
    QVERIFY(lines.contains(QStringLiteral("640x480\t640x480\t640x480 px")));
    QVERIFY(lines.contains(QStringLiteral("mobile_176x208\tMobile phone (176x208)\t208x176 px")));
    QVERIFY(lines.contains(QStringLiteral("Letter\tLetter (8 1/2 x 11 in)\t8.50x11.00 in")));
    // Every key listed is one the command takes.
    for (const QString &line : lines)
        QVERIFY2(PrepareBatch::formatByKey(line.section(QLatin1Char('\t'), 0, 0)), qPrintable(line));
}

QTEST_MAIN(TestPrepareTool)
#include "tst_preparetool.moc"
