#include "core/exif/ExifFields.h"
#include "core/exif/ExifFormat.h"
#include "core/imaging/ViewStatusText.h"

#include <QTest>

using namespace quorvel;

class TestViewStatus : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void facts_data();
    void facts();
    void info_data();
    void info();
};

void TestViewStatus::facts_data()
{
    QTest::addColumn<int>("bpp");
    QTest::addColumn<QString>("list");
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<QString>("expected");
    QTest::newRow("with depth") << 24 << ". 1/5, 1.0 Kb" << false << "IMG_1.JPG: 4000x3000, 24bpp. 1/5, 1.0 Kb";
    QTest::newRow("48-bit file") << 48 << "" << false << "IMG_1.JPG: 4000x3000, 48bpp";
    QTest::newRow("depth unknown") << 0 << ". 2/2, 3.0 Mb" << false << "IMG_1.JPG: 4000x3000. 2/2, 3.0 Mb";
    QTest::newRow("damaged") << 24 << ". 1/5, 1.0 Kb" << true << "IMG_1.JPG: 4000x3000, 24bpp, damaged. 1/5, 1.0 Kb";
    QTest::newRow("damaged, depth unknown") << 0 << "" << true << "IMG_1.JPG: 4000x3000, damaged";
}

void TestViewStatus::facts()
{
    QFETCH(int, bpp);
    QFETCH(QString, list);
    QFETCH(bool, damaged);
    QFETCH(QString, expected);
    QCOMPARE(viewStatus::facts("IMG_1.JPG", QSize(4000, 3000), bpp, list, damaged), expected);
}

void TestViewStatus::info_data()
{
    QTest::addColumn<bool>("withExif");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QString>("expected");
    QTest::newRow("EXIF, zoom truncated") << true << 20.9f
                                          << "Camera: Canon EOS 10D, Exposure: 1/125 sec, F5.6, ISO: 100. "
                                             "Date: 2004:07:14 18:32:05. Zoom: 20%.";
    QTest::newRow("no EXIF") << false << 100.f << "EXIF not present. Zoom: 100%.";
    QTest::newRow("initial zoom") << false << 3.2f << "EXIF not present. Zoom: 3%.";
}

void TestViewStatus::info()
{
    QFETCH(bool, withExif);
    QFETCH(float, zoom);
    QFETCH(QString, expected);
    ExifFields f;
    if (withExif) {
        f.model = "Canon EOS 10D";
        f.dateTimeOriginal = "2004:07:14 18:32:05";
        f.exposureNumerator = 1;
        f.exposureDenominator = 125;
        f.fNumber = 5.6f;
        f.iso = 100;
    }
    QCOMPARE(viewStatus::info(formatExifSummary(f), zoom), expected);
    QCOMPARE(viewStatus::notLoaded(), QString("File not loaded"));
}

QTEST_GUILESS_MAIN(TestViewStatus)
#include "tst_viewstatus.moc"
