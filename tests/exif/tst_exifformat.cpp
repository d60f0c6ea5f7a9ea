#include "core/exif/ExifInfo.h"
#include "core/exif/ExifDateTime.h"
#include "core/exif/ExifFieldTexts.h"
#include "core/exif/ExifFormat.h"

#include <QTest>

using namespace quorvel;

Q_DECLARE_METATYPE(quorvel::ExifFields)
Q_DECLARE_METATYPE(quorvel::DateTimeRecord)

namespace {

ExifFields fields(const QString &model, int num, int den, float fNumber, int iso, const QString &date,
                  float focal = 0.0f)
{
    ExifFields f;
    f.present = 1;
    f.model = model;
    f.exposureNumerator = num;
    f.exposureDenominator = den;
    f.fNumber = fNumber;
    f.iso = iso;
    f.dateTimeOriginal = date;
    f.focalLength = focal;
    return f;
}

} // namespace

class TestExifFormat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reduceFraction_data();
    void reduceFraction();
    void exposureText_data();
    void exposureText();
    void fieldStyles();
    void summary_data();
    void summary();
    void fieldTexts_data();
    void fieldTexts();
    void guardedAccessors();
    void parseDateTime_data();
    void parseDateTime();
    void parseRational_data();
    void parseRational();
};

void TestExifFormat::reduceFraction_data()
{
    QTest::addColumn<int>("num");
    QTest::addColumn<int>("den");
    QTest::addColumn<int>("expectedNum");
    QTest::addColumn<int>("expectedDen");
    QTest::newRow("10/2500 to lowest terms") << 10 << 2500 << 1 << 250;
    QTest::newRow("13/1000 has no common factor") << 13 << 1000 << 13 << 1000;
    QTest::newRow("10/10 is 1/1") << 10 << 10 << 1 << 1;
    QTest::newRow("25/10 above one stays") << 25 << 10 << 25 << 10;
    QTest::newRow("12/36 by several factors") << 12 << 36 << 1 << 3;
    QTest::newRow("40/600 repeated factor") << 40 << 600 << 1 << 15;
    QTest::newRow("10000/1140250") << 10000 << 1140250 << 40 << 4561;
    QTest::newRow("1/250 stays") << 1 << 250 << 1 << 250;
    QTest::newRow("0/5 stays") << 0 << 5 << 0 << 5;
    QTest::newRow("negative stays") << -2 << 4 << -2 << 4;
    // Large co-prime parts must not take a trial division per integer.
    QTest::newRow("large primes") << 2147483629 << 2147483647 << 2147483629 << 2147483647;
    QTest::newRow("large common factor") << 2147483646 << 2147483646 << 1 << 1;
}

void TestExifFormat::reduceFraction()
{
    QFETCH(int, num);
    QFETCH(int, den);
    quorvel::reduceFraction(num, den);
    QTEST(num, "expectedNum");
    QTEST(den, "expectedDen");
}

void TestExifFormat::exposureText_data()
{
    QTest::addColumn<int>("num");
    QTest::addColumn<int>("den");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1/250") << 1 << 250 << "1/250";
    QTest::newRow("13/1000 truncates to 1/76") << 13 << 1000 << "1/76";
    QTest::newRow("10/2500 unreduced") << 10 << 2500 << "1/250";
    QTest::newRow("3/10") << 3 << 10 << "3/10";
    QTest::newRow("9/1000 below ten") << 9 << 1000 << "9/1000";
    QTest::newRow("10/10") << 10 << 10 << "1.0";
    QTest::newRow("1/1") << 1 << 1 << "1.0";
    QTest::newRow("25/10") << 25 << 10 << "2.5";
    QTest::newRow("2/1") << 2 << 1 << "2.0";
    QTest::newRow("4/1") << 4 << 1 << "4.0";
    QTest::newRow("zero denominator") << 5 << 0 << "";
    QTest::newRow("zero over zero") << 0 << 0 << "";
}

void TestExifFormat::exposureText()
{
    QFETCH(int, num);
    QFETCH(int, den);
    QTEST(formatExposure(num, den), "expected");
}

void TestExifFormat::fieldStyles()
{
    QCOMPARE(formatAperture(2.8f), QStringLiteral("F2.8"));
    QCOMPARE(formatAperture(14.0f), QStringLiteral("F14.0"));
    QCOMPARE(formatFocalLength(18.7f), QStringLiteral("18.7 mm"));
    QCOMPARE(formatFocalLength(50.0f), QStringLiteral("50.0 mm"));
    QCOMPARE(formatIso(100, true), QStringLiteral("100"));
    QCOMPARE(formatIso(100, false), QStringLiteral("ISO100"));
    QCOMPARE(formatIso(15, true), QStringLiteral("Auto"));
    QCOMPARE(formatIso(15, false), QStringLiteral("Auto"));
    QCOMPARE(formatIso(40000, false), QStringLiteral("ISO40000"));
}

void TestExifFormat::summary_data()
{
    QTest::addColumn<ExifFields>("fields");
    QTest::addColumn<QString>("expected");
    const QString date = QStringLiteral("2003:12:04 06:46:52");
    QTest::newRow("all")
        << fields("Canon EOS 10D", 1, 125, 5.6f, 100, date, 34.0f)
        << "Camera: Canon EOS 10D, Exposure: 1/125 sec, F5.6, ISO: 100. Date: 2003:12:04 06:46:52";
    QTest::newRow("auto ISO") << fields("", 0, 1, 0.0f, 15, "") << "ISO: Auto";
    QTest::newRow("date alone has no leading stop") << fields("", 0, 1, 0.0f, 0, date) << "Date: " + date;
    QTest::newRow("unknown model left out") << fields("unknown", 1, 60, 0.0f, 0, "") << "Exposure: 1/60 sec";
    QTest::newRow("Unknown is a model") << fields("Unknown", 0, 1, 0.0f, 0, "") << "Camera: Unknown";
    QTest::newRow("long exposure") << fields("", 25, 10, 2.8f, 0, "") << "Exposure: 2.5 sec, F2.8";
    QTest::newRow("zero denominator shows no exposure") << fields("X", 5, 0, 0.0f, 0, "") << "Camera: X";
    QTest::newRow("focal length alone") << fields("", 0, 1, 0.0f, 0, "", 50.0f) << "";
    QTest::newRow("nothing") << ExifFields() << "";
}

void TestExifFormat::summary()
{
    QFETCH(ExifFields, fields);
    QTEST(formatExifSummary(fields), "expected");
}

void TestExifFormat::fieldTexts_data()
{
    QTest::addColumn<ExifFields>("fields");
    QTest::addColumn<QStringList>("list");  // camera, date, exposure, aperture, iso, focal
    QTest::addColumn<QString>("printIso");
    QTest::newRow("all") << fields("E-1", 1, 100, 4.5f, 400, "2005:01:05 10:53:41", 20.0f)
                         << QStringList{"E-1", "2005:01:05 10:53:41", "1/100", "F4.5", "400", "20.0 mm"} << "ISO400";
    QTest::newRow("absent fields are empty") << ExifFields() << QStringList{"", "", "", "", "", ""} << "";
    QTest::newRow("auto ISO, zero denominator")
        << fields("", 3, 0, 0.0f, 15, "") << QStringList{"", "", "", "", "Auto", ""} << "Auto";
}

void TestExifFormat::fieldTexts()
{
    QFETCH(ExifFields, fields);
    QFETCH(QStringList, list);
    const ExifFieldTexts l = ExifFieldTexts::of(fields, ExifFieldTexts::Style::List);
    QCOMPARE((QStringList{l.camera, l.dateTime, l.exposure, l.aperture, l.iso, l.focalLength}), list);
    const ExifFieldTexts p = ExifFieldTexts::of(fields, ExifFieldTexts::Style::Print);
    QTEST(p.iso, "printIso");
    QCOMPARE(p.exposure, l.exposure);
}

void TestExifFormat::guardedAccessors()
{
    const ExifFields held = fields("E-1", 1, 100, 4.5f, 400, "2005:01:05 10:53:41", 20.0f);
    ExifInfo info;
    QString text;
    float value = -1.0f;
    QVERIFY(!info.getModel(text));
    QVERIFY(!info.getExposure(value));
    QCOMPARE(value, 0.0f);
    QCOMPARE(info.exposurePair(), std::make_pair(0, 1));
    QCOMPARE(info.exposureText(), QString());

    info.assign(held);
    QVERIFY(info.getModel(text));
    QCOMPARE(text, QStringLiteral("E-1"));
    QVERIFY(info.getExposure(value));
    QCOMPARE(value, 0.01f);
    QCOMPARE(info.exposureText(), QStringLiteral("1/100"));
    QCOMPARE(info.iso(), 400);

    // A failed read leaves nothing behind from the earlier file.
    QVERIFY(!info.read(QString()));
    QVERIFY(!info.getDateTime(text));
    QVERIFY(!info.getFNumber(value));
    QVERIFY(!info.getFocalLength(value));
    QCOMPARE(info.iso(), 0);

    info.assign(fields("", 7, 0, 0.0f, 0, ""));
    QVERIFY(!info.getExposure(value));
    QCOMPARE(info.exposureText(), QString());
    QCOMPARE(info.exposurePair(), std::make_pair(7, 0));
}

void TestExifFormat::parseDateTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<DateTimeRecord>("expected");
    QTest::newRow("exif form") << "2003:12:04 06:46:52" << true << DateTimeRecord{2003, 12, 0, 4, 6, 46, 52, 0};
    QTest::newRow("no range check") << "2003:13:32 25:61:61" << true << DateTimeRecord{2003, 13, 0, 32, 25, 61, 61, 0};
    QTest::newRow("blank date") << "    :  :     :  :  " << true << DateTimeRecord{};
    QTest::newRow("digits up to a letter") << "20x3:1a:04 06:46:52" << true << DateTimeRecord{20, 1, 0, 4, 6, 46, 52, 0};
    QTest::newRow("date only") << "2003:12:04" << false << DateTimeRecord{};
    QTest::newRow("hyphens") << "2003-12-04 06:46:52" << false << DateTimeRecord{};
    QTest::newRow("T separator") << "2003:12:04T06:46:52" << false << DateTimeRecord{};
    QTest::newRow("one character more") << "2003:12:04 06:46:52 " << false << DateTimeRecord{};
    QTest::newRow("empty") << "" << false << DateTimeRecord{};
}

void TestExifFormat::parseDateTime()
{
    QFETCH(QString, text);
    DateTimeRecord out{1, 1, 1, 1, 1, 1, 1, 1};
    QTEST(parseExifDateTime(text, out), "ok");
    QTEST(out, "expected");
}

void TestExifFormat::parseRational_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("1/250") << "1/250" << 0.004;
    QTest::newRow("3/10") << "3/10" << 0.3;
    QTest::newRow("2.5") << "2.5" << 2.5;
    QTest::newRow("1.0") << "1.0" << 1.0;
    QTest::newRow("first slash counts") << "1/2/4" << 0.5;
    QTest::newRow("zero denominator") << "1/0" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("words") << "n/a" << 0.0;
    QTest::newRow("trailing text") << "2.5 sec" << 2.5;
}

void TestExifFormat::parseRational()
{
    QFETCH(QString, text);
    QTEST(parseRationalText(text), "expected");
}

QTEST_GUILESS_MAIN(TestExifFormat)
#include "tst_exifformat.moc"
