#include "ExifTestFiles.h"
#include "support/TestSupport.h"

#include "core/exif/ExifReader.h"
#include "core/exif/ExifValueCheck.h"
#include "core/exif/ExifWriter.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using namespace quorvel;

// Numbers and dates for the EXIF writer are checked before anything is
// written: what passes, what is refused, and that a refusal leaves the file
// as it was, through the writer and through quorvel-tool set-exif.
class TestExifValues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void check_data();
    void check();
    void writerRefusesBeforeWriting_data();
    void writerRefusesBeforeWriting();
    void setExifTool_data();
    void setExifTool();

private:
    QString photo(const QString &name);
    QTemporaryDir m_dir;
};

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

ExifFields withIso(int iso)
{
    ExifFields f;
    f.iso = iso;
    return f;
}

ExifFields withFNumber(float v)
{
    ExifFields f;
    f.fNumber = v;
    return f;
}

ExifFields withFocal(float v)
{
    ExifFields f;
    f.focalLength = v;
    return f;
}

ExifFields withDate(const QString &text)
{
    ExifFields f;
    f.dateTimeOriginal = text;
    return f;
}

} // namespace

Q_DECLARE_METATYPE(quorvel::ExifFields)

QString TestExifValues::photo(const QString &name)
{
    const QString path = m_dir.filePath(name);
    test::writeFile(path, test::jpegWithExif({
                              QStringLiteral("Exif.Image.Model Ascii Camera"),
                              QStringLiteral("Exif.Photo.DateTimeOriginal Ascii 2004:05:06 07:08:09"),
                              QStringLiteral("Exif.Photo.ISOSpeedRatings Short 100"),
                              QStringLiteral("Exif.Photo.FNumber Rational 40/10"),
                              QStringLiteral("Exif.Photo.FocalLength Rational 500/10"),
                          }));
    return path;
}

void TestExifValues::check_data()
{
    QTest::addColumn<ExifFields>("fields");
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("refused"); // the field refused, 0 for none

    QTest::newRow("ISO 0 removes") << withIso(0) << int(WriteIso) << 0;
    QTest::newRow("ISO 1") << withIso(1) << int(WriteIso) << 0;
    QTest::newRow("ISO 65535") << withIso(65535) << int(WriteIso) << 0;
    QTest::newRow("ISO 65536") << withIso(65536) << int(WriteIso) << int(WriteIso);
    QTest::newRow("ISO -1") << withIso(-1) << int(WriteIso) << int(WriteIso);

    QTest::newRow("f 0 removes") << withFNumber(0) << int(WriteFNumber) << 0;
    QTest::newRow("f 2.8") << withFNumber(2.8f) << int(WriteFNumber) << 0;
    QTest::newRow("f 0.06 stores a tenth") << withFNumber(0.06f) << int(WriteFNumber) << 0;
    QTest::newRow("f 0.04 would be 0/10") << withFNumber(0.04f) << int(WriteFNumber) << int(WriteFNumber);
    QTest::newRow("f -2.8") << withFNumber(-2.8f) << int(WriteFNumber) << int(WriteFNumber);
    QTest::newRow("f 4e8 is the largest") << withFNumber(4e8f) << int(WriteFNumber) << 0;
    QTest::newRow("f 4.1e8") << withFNumber(4.1e8f) << int(WriteFNumber) << int(WriteFNumber);
    QTest::newRow("f 1e30") << withFNumber(1e30f) << int(WriteFNumber) << int(WriteFNumber);
    QTest::newRow("f infinite") << withFNumber(kInf) << int(WriteFNumber) << int(WriteFNumber);
    QTest::newRow("f NaN") << withFNumber(kNaN) << int(WriteFNumber) << int(WriteFNumber);
    QTest::newRow("focal 35.5") << withFocal(35.5f) << int(WriteFocalLength) << 0;
    QTest::newRow("focal -50") << withFocal(-50.0f) << int(WriteFocalLength) << int(WriteFocalLength);
    QTest::newRow("focal 1e12") << withFocal(1e12f) << int(WriteFocalLength) << int(WriteFocalLength);

    QTest::newRow("date removed") << withDate(QString()) << int(WriteDate) << 0;
    QTest::newRow("date leap day") << withDate(QStringLiteral("2024:02:29 23:59:59")) << int(WriteDate) << 0;
    QTest::newRow("date no leap day") << withDate(QStringLiteral("2023:02:29 12:00:00")) << int(WriteDate)
                                      << int(WriteDate);
    QTest::newRow("date 13th month") << withDate(QStringLiteral("2024:13:01 12:00:00")) << int(WriteDate)
                                     << int(WriteDate);
    QTest::newRow("date month 0") << withDate(QStringLiteral("2024:00:10 12:00:00")) << int(WriteDate)
                                  << int(WriteDate);
    QTest::newRow("date 31 April") << withDate(QStringLiteral("2024:04:31 12:00:00")) << int(WriteDate)
                                   << int(WriteDate);
    QTest::newRow("date hour 24") << withDate(QStringLiteral("2024:01:01 24:00:00")) << int(WriteDate)
                                  << int(WriteDate);
    QTest::newRow("date second 60") << withDate(QStringLiteral("2024:01:01 23:59:60")) << int(WriteDate)
                                    << int(WriteDate);
    QTest::newRow("date year 0") << withDate(QStringLiteral("0000:01:01 00:00:00")) << int(WriteDate)
                                 << int(WriteDate);
    QTest::newRow("date letters") << withDate(QStringLiteral("2024:1a:01 12:00:00")) << int(WriteDate)
                                  << int(WriteDate);
    QTest::newRow("date blanks") << withDate(QStringLiteral("    :  :     :  :  ")) << int(WriteDate)
                                 << int(WriteDate);
    QTest::newRow("date other layout") << withDate(QStringLiteral("2024-01-01 12:00:00")) << int(WriteDate)
                                       << int(WriteDate);

    // Only the fields written are checked.
    QTest::newRow("ISO not written") << withIso(70000) << int(WriteModel) << 0;
    // The date is named first when several are wrong.
    ExifFields both = withDate(QStringLiteral("2024:13:01 12:00:00"));
    both.fNumber = -1;
    QTest::newRow("first refusal") << both << int(WriteAllFields) << int(WriteDate);
}

void TestExifValues::check()
{
    QFETCH(ExifFields, fields);
    QFETCH(int, which);
    QFETCH(int, refused);
    const ExifValueCheck::Result r = ExifValueCheck::check(fields, which);
    QCOMPARE(r.field, refused);
    QCOMPARE(r.message.isEmpty(), refused == 0);
}

void TestExifValues::writerRefusesBeforeWriting_data()
{
    QTest::addColumn<ExifFields>("fields");
    QTest::addColumn<int>("which");
    QTest::newRow("f-number 1e30") << withFNumber(1e30f) << int(WriteFNumber);
    QTest::newRow("negative focal length") << withFocal(-35.0f) << int(WriteFocalLength);
    QTest::newRow("13th month") << withDate(QStringLiteral("2024:13:01 12:00:00")) << int(WriteDate);
    QTest::newRow("ISO 70000") << withIso(70000) << int(WriteIso);
}

void TestExifValues::writerRefusesBeforeWriting()
{
    QFETCH(ExifFields, fields);
    QFETCH(int, which);
    const QString path = photo(QStringLiteral("refused.jpg"));
    const QByteArray before = test::readFile(path);
    const ExifWriteResult r = writeExifFields(path, fields, which);
    QCOMPARE(int(r.status), int(ExifWriteResult::InvalidValue));
    QVERIFY(!r.message().isEmpty());
    QCOMPARE(test::readFile(path), before);
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("refused*")}, QDir::Files | QDir::Hidden).size(), 1);
}

void TestExifValues::setExifTool_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // part of the error output
    QTest::addColumn<float>("fNumber");   // what the file then holds
    QTest::addColumn<int>("iso");
    QTest::addColumn<QString>("date");

    const QString kept = QStringLiteral("2004:05:06 07:08:09");
    QTest::newRow("--fnumber 1e30") << QStringList{"--fnumber", "1e30"} << 2 << "aperture" << 4.0f << 100 << kept;
    QTest::newRow("--fnumber -2") << QStringList{"--fnumber", "-2"} << 2 << "aperture" << 4.0f << 100 << kept;
    QTest::newRow("--fnumber words") << QStringList{"--fnumber", "wide"} << 2 << "--fnumber" << 4.0f << 100 << kept;
    QTest::newRow("--focal 1e30") << QStringList{"--focal", "1e30"} << 2 << "focal length" << 4.0f << 100 << kept;
    QTest::newRow("--date 13th month") << QStringList{"--date", "2024:13:01 12:00:00"} << 2 << "2024:13:01" << 4.0f
                                       << 100 << kept;
    QTest::newRow("--date 30 February") << QStringList{"--date", "2024:02:30 12:00:00"} << 2 << "calendar" << 4.0f
                                        << 100 << kept;
    QTest::newRow("--iso 70000") << QStringList{"--iso", "70000"} << 2 << "65535" << 4.0f << 100 << kept;
    QTest::newRow("one bad value stops all") << QStringList{"--iso", "200", "--fnumber", "1e30"} << 2 << "aperture"
                                             << 4.0f << 100 << kept;
    QTest::newRow("--fnumber F2.8") << QStringList{"--fnumber", "F2.8"} << 0 << "" << 2.8f << 100 << kept;
    QTest::newRow("--fnumber 5,6") << QStringList{"--fnumber", "5,6"} << 0 << "" << 5.6f << 100 << kept;
    QTest::newRow("--iso 0 removes") << QStringList{"--iso", "0"} << 0 << "" << 4.0f << 0 << kept;
    QTest::newRow("--date leap day") << QStringList{"--date", "2024:02:29 10:00:00"} << 0 << "" << 4.0f << 100
                                     << "2024:02:29 10:00:00";
}

void TestExifValues::setExifTool()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(float, fNumber);
    QFETCH(int, iso);
    QFETCH(QString, date);

    const QString path = photo(QStringLiteral("tool.jpg"));
    const QByteArray before = test::readFile(path);
    QProcess tool;
    tool.start(QDir(QStringLiteral(QUORVEL_RUNTIME_DIR)).filePath(QStringLiteral("quorvel-tool")),
               QStringList{QStringLiteral("set-exif"), path} + arguments);
    QVERIFY(tool.waitForFinished(30000));
    const QString errors = QString::fromUtf8(tool.readAllStandardError());
    QCOMPARE(tool.exitCode(), exitCode);
    if (exitCode != 0) {
        QVERIFY2(errors.contains(message), qPrintable(errors));
        QCOMPARE(test::readFile(path), before);
        return;
    }
    ExifFields read;
    QVERIFY(readExifFields(path, read));
    QCOMPARE(read.fNumber, fNumber);
    QCOMPARE(read.iso, iso);
    QCOMPARE(read.dateTimeOriginal, date);
}

QTEST_GUILESS_MAIN(TestExifValues)
#include "tst_exifvalues.moc"
