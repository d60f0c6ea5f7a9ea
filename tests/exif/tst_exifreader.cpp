#include "ExifTestFiles.h"
#include "support/TestSupport.h"

#include "core/exif/ExifInfo.h"
#include "core/exif/ExifCompanion.h"
#include "core/exif/ExifFieldTexts.h"
#include "core/exif/ExifFormat.h"
#include "core/exif/ExifReader.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <QTest>

using namespace quorvel;
using namespace quorvel::test;

Q_DECLARE_METATYPE(quorvel::ExifFields)

namespace QTest {
template<>
char *toString(const quorvel::ExifFields &f)
{
    return qstrdup(qPrintable(QStringLiteral("{present %1, model \"%2\", date \"%3\", f %4, focal %5, iso %6, exposure %7/%8}")
                                  .arg(f.present)
                                  .arg(f.model, f.dateTimeOriginal)
                                  .arg(double(f.fNumber))
                                  .arg(double(f.focalLength))
                                  .arg(f.iso)
                                  .arg(f.exposureNumerator)
                                  .arg(f.exposureDenominator)));
}
} // namespace QTest

namespace {

struct Expect
{
    ExifFields f;
    Expect() { f.present = 1; }
    Expect &none() { f.present = 0; return *this; }
    Expect &model(const QString &m) { f.model = m; return *this; }
    Expect &date(const QString &d) { f.dateTimeOriginal = d; return *this; }
    Expect &exposure(int n, int d) { f.exposureNumerator = n; f.exposureDenominator = d; return *this; }
    Expect &fNumber(float v) { f.fNumber = v; return *this; }
    Expect &focal(float v) { f.focalLength = v; return *this; }
    Expect &iso(int v) { f.iso = v; return *this; }
    operator ExifFields() const { return f; }
};

} // namespace

class TestExifReader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void fields_data();
    void fields();
    void canonMakerNoteIso_data();
    void canonMakerNoteIso();
    void thmCompanion_data();
    void thmCompanion();
    void noExif_data();
    void noExif();
    void failedReadResetsRecord();
    void realCameraFiles_data();
    void realCameraFiles();
    void damagedFiles_data();
    void damagedFiles();
    void concurrentReads();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
};

void TestExifReader::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestExifReader::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    if (!writeFile(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestExifReader::fields_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<ExifFields>("expected");

    QTest::newRow("all six")
        << QStringList{"Exif.Image.Model Ascii Canon EOS 10D", "Exif.Photo.DateTimeOriginal Ascii 2003:12:04 06:46:52",
                       "Exif.Photo.ExposureTime Rational 1/125", "Exif.Photo.FNumber Rational 56/10",
                       "Exif.Photo.FocalLength Rational 34/1", "Exif.Photo.ISOSpeedRatings Short 100"}
        << ExifFields(Expect().model("Canon EOS 10D").date("2003:12:04 06:46:52").exposure(1, 125).fNumber(5.6f).focal(34.0f).iso(100));

    QTest::newRow("exposure 10/2500 reduced") << QStringList{"Exif.Photo.ExposureTime Rational 10/2500"}
                                              << ExifFields(Expect().exposure(1, 250));
    QTest::newRow("exposure 13/1000 kept") << QStringList{"Exif.Photo.ExposureTime Rational 13/1000"}
                                           << ExifFields(Expect().exposure(13, 1000));
    QTest::newRow("exposure 10/10 is 1/1") << QStringList{"Exif.Photo.ExposureTime Rational 10/10"}
                                           << ExifFields(Expect().exposure(1, 1));
    QTest::newRow("exposure 25/10 kept") << QStringList{"Exif.Photo.ExposureTime Rational 25/10"}
                                         << ExifFields(Expect().exposure(25, 10));
    QTest::newRow("exposure beyond int is absent") << QStringList{"Exif.Photo.ExposureTime Rational 1/4294967295"}
                                                   << ExifFields(Expect().none());
    QTest::newRow("focal 1875/100 truncated to 18.7") << QStringList{"Exif.Photo.FocalLength Rational 1875/100"}
                                                       << ExifFields(Expect().focal(18.7f));
    QTest::newRow("focal 399/100 truncated to 3.9") << QStringList{"Exif.Photo.FocalLength Rational 399/100"}
                                                     << ExifFields(Expect().focal(3.9f));
    QTest::newRow("f-number 28/10") << QStringList{"Exif.Photo.FNumber Rational 28/10"}
                                    << ExifFields(Expect().fNumber(2.8f));
    QTest::newRow("ISO above 32767") << QStringList{"Exif.Photo.ISOSpeedRatings Short 40000"}
                                     << ExifFields(Expect().iso(40000));
    QTest::newRow("ISO 15 is automatic") << QStringList{"Exif.Photo.ISOSpeedRatings Short 15"}
                                         << ExifFields(Expect().iso(15));
    QTest::newRow("first of several ISO values") << QStringList{"Exif.Photo.ISOSpeedRatings Short 200 400"}
                                                 << ExifFields(Expect().iso(200));

    // Zero denominators: nothing is divided and nothing is held.
    QTest::newRow("zero denominators are absent")
        << QStringList{"Exif.Photo.ExposureTime Rational 1/0", "Exif.Photo.FNumber Rational 28/0",
                       "Exif.Photo.FocalLength Rational 50/0", "Exif.Image.Artist Ascii me"}
        << ExifFields(Expect().none());
    QTest::newRow("zero exposure is decoded but absent") << QStringList{"Exif.Photo.ExposureTime Rational 0/1"}
                                                         << ExifFields(Expect().exposure(0, 1));

    // Only the expected type code is decoded.
    QTest::newRow("model as SHORT") << QStringList{"Exif.Image.Model Short 5", "Exif.Photo.FNumber Rational 4/1"}
                                    << ExifFields(Expect().fNumber(4.0f));
    QTest::newRow("exposure as SRATIONAL") << QStringList{"Exif.Photo.ExposureTime SRational 1/60"}
                                           << ExifFields(Expect().none());
    QTest::newRow("ISO as LONG") << QStringList{"Exif.Photo.ISOSpeedRatings Long 100"}
                                 << ExifFields(Expect().none());
    QTest::newRow("date as UNDEFINED") << QStringList{"Exif.Photo.DateTimeOriginal Undefined 50 48 48 51"}
                                       << ExifFields(Expect().none());

    QTest::newRow("items but none of the six") << QStringList{"Exif.Image.Artist Ascii Somebody",
                                                              "Exif.Photo.ExposureBiasValue SRational 0/3"}
                                               << ExifFields(Expect().none());
    QTest::newRow("exposure in IFD0") << QStringList{"Exif.Image.ExposureTime Rational 1/60"}
                                      << ExifFields(Expect().exposure(1, 60));

    // Cleaning: one trailing full stop, then blanks at both ends.
    QTest::newRow("trailing full stop") << QStringList{"Exif.Image.Model Ascii NIKON D70."}
                                        << ExifFields(Expect().model("NIKON D70"));
    QTest::newRow("two full stops keep one") << QStringList{"Exif.Image.Model Ascii NIKON D70.."}
                                             << ExifFields(Expect().model("NIKON D70."));
    QTest::newRow("blanks") << QStringList{"Exif.Image.Model Ascii    E-1      "}
                            << ExifFields(Expect().model("E-1"));
    QTest::newRow("stop before a blank stays") << QStringList{"Exif.Image.Model Ascii E-1. "}
                                               << ExifFields(Expect().model("E-1."));
    QTest::newRow("date with blanks") << QStringList{"Exif.Photo.DateTimeOriginal Ascii 2003:12:04 06:46:52  "}
                                      << ExifFields(Expect().date("2003:12:04 06:46:52"));
    QTest::newRow("UTF-8 model") << QStringList{QStringLiteral("Exif.Image.Model Ascii Kamera \u00e4")}
                                 << ExifFields(Expect().model(QStringLiteral("Kamera \u00e4")));
}

void TestExifReader::fields()
{
    QFETCH(QStringList, entries);
    QFETCH(ExifFields, expected);
    const QByteArray bytes = jpegWithExif(entries);
    const QString path = write(QStringLiteral("fields.jpg"), bytes);

    ExifFields out;
    out.model = QStringLiteral("stale");
    QVERIFY(readExifFields(path, out));
    QCOMPARE(out, expected);

    ExifFields fromMemory;
    QVERIFY(readExifFieldsFromMemory(bytes.constData(), bytes.size(), fromMemory));
    QCOMPARE(fromMemory, expected);
}

void TestExifReader::canonMakerNoteIso_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("isoEntry");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("expectedIso");
    QTest::addColumn<QString>("listIso");
    QTest::newRow("code 17 is ISO 100") << "Canon EOS 10D" << "" << 17 << 100 << "100";
    QTest::newRow("code 16 is ISO 50") << "Canon PowerShot G2" << "" << 16 << 50 << "50";
    QTest::newRow("code 18 is ISO 200") << "Canon EOS 10D" << "" << 18 << 200 << "200";
    QTest::newRow("code 19 is ISO 400") << "Canon EOS 10D" << "" << 19 << 400 << "400";
    QTest::newRow("code 15 is automatic") << "Canon EOS 10D" << "" << 15 << 15 << "Auto";
    QTest::newRow("code 20 is absent") << "Canon EOS 10D" << "" << 20 << 0 << "";
    QTest::newRow("model in capitals") << "CANON EOS 10D" << "" << 17 << 0 << "";
    QTest::newRow("other maker") << "NIKON D70" << "" << 17 << 0 << "";
    QTest::newRow("ISOSpeedRatings wins") << "Canon EOS 10D" << "Exif.Photo.ISOSpeedRatings Short 400" << 17 << 400 << "400";
    QTest::newRow("model with a full stop") << "Canon EOS 10D." << "" << 17 << 100 << "100";
}

void TestExifReader::canonMakerNoteIso()
{
    QFETCH(QString, model);
    QFETCH(QString, isoEntry);
    QFETCH(int, code);
    QStringList entries{"Exif.Image.Model Ascii " + model, "Exif.Photo.ExposureTime Rational 1/60"};
    if (!isoEntry.isEmpty())
        entries << isoEntry;
    const QByteArray bytes = canonJpeg(entries, code);
    const QString path = write(QStringLiteral("canon.jpg"), bytes);

    ExifInfo info;
    QVERIFY(info.read(path));
    QTEST(info.iso(), "expectedIso");
    QTEST(ExifFieldTexts::of(info.fields(), ExifFieldTexts::Style::List).iso, "listIso");
    if (info.iso() == 15)
        QVERIFY(formatExifSummary(info.fields()).endsWith(QLatin1String("ISO: Auto")));

    ExifFields fromMemory;
    QVERIFY(readExifFieldsFromMemory(bytes.constData(), bytes.size(), fromMemory));
    QCOMPARE(fromMemory, info.fields());
}

void TestExifReader::thmCompanion_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("companion"); // empty: none on disk
    QTest::addColumn<bool>("ok");
    QTest::newRow("CR2 with THM") << "IMG_0001.CR2" << "IMG_0001.THM" << true;
    QTest::newRow("CR2 with lower-case thm") << "IMG_0002.CR2" << "img_0002.thm" << true;
    QTest::newRow("crw with mixed case") << "img_0003.crw" << "IMG_0003.Thm" << true;
    QTest::newRow("CRW with THM") << "CRW_0004.CRW" << "CRW_0004.THM" << true;
    QTest::newRow("no companion") << "IMG_0005.CR2" << "" << false;
    QTest::newRow("other base name") << "IMG_0006.CR2" << "IMG_0007.THM" << false;
}

void TestExifReader::thmCompanion()
{
    QFETCH(QString, raw);
    QFETCH(QString, companion);
    QFETCH(bool, ok);
    // The raw file itself is a JPEG with EXIF of its own, which must not be read.
    const QString rawPath = write(raw, jpegWithExif({"Exif.Image.Model Ascii the raw file"}));
    if (!companion.isEmpty())
        write(companion, jpegWithExif({"Exif.Image.Model Ascii the companion"}));

    ExifFields out;
    QCOMPARE(readExifFields(rawPath, out), ok);
    QCOMPARE(out.model, ok ? QStringLiteral("the companion") : QString());
    if (ok)
        QCOMPARE(QFileInfo(exifSourcePath(rawPath)).fileName(), companion);
}

void TestExifReader::noExif_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("JPEG without EXIF") << "plain.jpg" << plainJpeg();
    QTest::newRow("empty file") << "empty.jpg" << QByteArray();
    QTest::newRow("text") << "notes.jpg" << QByteArray("not an image at all\n");
    QTest::newRow("JPEG cut inside the EXIF segment") << "cut.jpg" << jpegWithExif({"Exif.Image.Model Ascii X"}).left(40);
    QByteArray png;
    {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    QTest::newRow("PNG") << "picture.png" << png;
}

void TestExifReader::noExif()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString path = write(name, bytes);
    ExifFields out;
    QVERIFY(!readExifFields(path, out));
    QCOMPARE(out, ExifFields());
    QVERIFY(!readExifFieldsFromMemory(bytes.constData(), bytes.size(), out));
    QCOMPARE(out, ExifFields());
}

void TestExifReader::failedReadResetsRecord()
{
    ExifFields out;
    out.model = QStringLiteral("stale");
    out.iso = 100;
    QVERIFY(!readExifFields(QString(), out));
    QCOMPARE(out, ExifFields());
    out.iso = 100;
    QVERIFY(!readExifFields(m_dir.filePath(QStringLiteral("missing.jpg")), out));
    QCOMPARE(out, ExifFields());
    out.iso = 100;
    QVERIFY(!readExifFields(m_dir.path(), out));
    QCOMPARE(out, ExifFields());
}

void TestExifReader::realCameraFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<ExifFields>("expected");
    QTest::newRow("Canon, 4 s exposure")
        << "exif/Canon.jpg"
        << ExifFields(Expect().model("Canon EOS DIGITAL REBEL").date("2003:12:04 06:46:52").exposure(4, 1).fNumber(14.0f).focal(34.0f).iso(100));
    QTest::newRow("Casio, reduced exposure, no ISO")
        << "exif/Casio.jpg"
        << ExifFields(Expect().model("QV-3000EX").date("2000:03:31 10:44:15").exposure(40, 4561).fNumber(2.0f).focal(13.3f));
    QTest::newRow("Apple, focal 3.99 truncated")
        << "exif/Apple.jpg"
        << ExifFields(Expect().model("iPhone 7").date("2016:09:28 18:18:05").exposure(1, 20).fNumber(1.8f).focal(3.9f).iso(40));
    QTest::newRow("Olympus E-1, model padded with blanks")
        << "exif/OlympusE1.jpg"
        << ExifFields(Expect().model("E-1").date("2005:01:05 10:53:41").exposure(1, 100).fNumber(4.5f).focal(20.0f).iso(400));
    QTest::newRow("Ricoh, no exposure or aperture")
        << "exif/Ricoh.jpg"
        << ExifFields(Expect().model("Caplio RR1").date("2001:11:07 13:08:41").focal(7.5f).iso(150));
    QTest::newRow("CRW through THM, maker-note ISO")
        << "raw/CRW_0304.CRW"
        << ExifFields(Expect().model("Canon PowerShot G2").date("2022:01:20 08:13:25").exposure(1, 50).fNumber(4.0f).focal(7.0f).iso(50));
    QTest::newRow("CRW through lower-case thm")
        << "raw/CRW_0101.CRW"
        << ExifFields(Expect().model("Canon PowerShot S40").date("2021:04:08 14:51:13").exposure(1, 100).fNumber(2.8f).focal(7.0f).iso(50));
}

void TestExifReader::realCameraFiles()
{
    QFETCH(QString, file);
    QFETCH(ExifFields, expected);
    const QString path = sharedFile(file);
    if (path.isEmpty())
        QSKIP(qPrintable(QStringLiteral("shared test data not found (%1); set QUORVEL_TESTDATA").arg(file)));
    ExifFields out;
    QVERIFY(readExifFields(path, out));
    QCOMPARE(out, expected);
}

void TestExifReader::damagedFiles_data()
{
    QTest::addColumn<QString>("file");
    for (const char *name : {"broken/1-string-format.jpg", "broken/issue_2427_poc.jpg", "broken/POC3.tif",
                             "broken/heap-oob-write.tiff", "broken/issue_1838_poc.crw", "jpeg/exif-dpi-zerodivision.jpg"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestExifReader::damagedFiles()
{
    QFETCH(QString, file);
    const QString path = sharedFile(file);
    if (path.isEmpty())
        QSKIP(qPrintable(QStringLiteral("shared test data not found (%1); set QUORVEL_TESTDATA").arg(file)));
    ExifFields out;
    if (!readExifFields(path, out))
        QCOMPARE(out, ExifFields());
    const QByteArray bytes = readFile(path);
    ExifFields fromMemory;
    readExifFieldsFromMemory(bytes.constData(), bytes.size(), fromMemory);
    QCOMPARE(fromMemory, out);
}

// The file list and the loader may read EXIF off the user-interface thread.
void TestExifReader::concurrentReads()
{
    QStringList paths;
    QVector<ExifFields> expected;
    for (int i = 0; i < 8; ++i) {
        const QByteArray bytes =
            i % 2 ? canonJpeg({"Exif.Image.Model Ascii Canon EOS " + QString::number(i)}, 17)
                  : jpegWithExif({"Exif.Photo.ExposureTime Rational 10/" + QString::number(1000 + i)});
        paths << write(QStringLiteral("thread%1.jpg").arg(i), bytes);
        ExifFields f;
        QVERIFY(readExifFields(paths.last(), f));
        expected << f;
    }
    QStringList many;
    for (int round = 0; round < 25; ++round)
        many += paths;
    const QList<ExifFields> results = QtConcurrent::blockingMapped(many, [](const QString &path) {
        ExifFields f;
        readExifFields(path, f);
        return f;
    });
    for (qsizetype i = 0; i < results.size(); ++i)
        QCOMPARE(results[i], expected[i % paths.size()]);
}

QTEST_GUILESS_MAIN(TestExifReader)
#include "tst_exifreader.moc"
