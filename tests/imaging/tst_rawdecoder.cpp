#include "core/imaging/ImageDecoder.h"
#include "core/imaging/RawDecoder.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

class TestRawDecoder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cameraFilesDecode_data();
    void cameraFilesDecode();
    void nonRawFilesFailCleanly_data();
    void nonRawFilesFailCleanly();
};

void TestRawDecoder::cameraFilesDecode_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("hq");
    QTest::addColumn<bool>("reduced");
    QTest::newRow("G2 quick") << "raw/CRW_0101.CRW" << false << false;
    QTest::newRow("S40 quick") << "raw/CRW_0304.CRW" << false << false;
    QTest::newRow("S40 high quality") << "raw/CRW_0304.CRW" << true << false;
    QTest::newRow("S40 reduced") << "raw/CRW_0304.CRW" << false << true;
}

void TestRawDecoder::cameraFilesDecode()
{
    QFETCH(QString, file);
    QFETCH(bool, hq);
    QFETCH(bool, reduced);
    QUORVEL_REQUIRE_SHARED("raw", root);
    const QString path = test::sharedFile(file);
    QVERIFY(!path.isEmpty());
    QList<int> reports;
    DecodeOptions options;
    options.hqRaw = hq;
    if (reduced)
        options.reduceTo = QSize(60, 45);
    options.progress = [&](int p) { reports.append(p); };
    const DecodeResult r = ImageDecoder::decodeFile(path, options);
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.decoder, DecoderKind::Raw);
    QCOMPARE(r.image.format(), QImage::Format_RGB32);
    // 2272 x 1704 pixels of picture plus the sensor's margins LibRaw keeps;
    // reduced, half of that, with the whole size told.
    const int scale = reduced ? 2 : 1;
    QVERIFY2(r.image.width() > 2200 / scale && r.image.height() > 1600 / scale
                 && r.image.width() < 2400 / scale && r.image.height() < 1800 / scale,
             qPrintable(QStringLiteral("%1x%2").arg(r.image.width()).arg(r.image.height())));
    QCOMPARE(r.fullSize.isEmpty(), !reduced);
    if (reduced)
        QVERIFY(qAbs(r.fullSize.width() - 2 * r.image.width()) <= 2 && qAbs(r.fullSize.height() - 2 * r.image.height()) <= 2);
    QVERIFY(r.image.width() > r.image.height()); // landscape, as shot
    // A real picture: neither black nor blown out on average.
    qint64 sum = 0;
    for (int y = 0; y < r.image.height(); y += 16) {
        for (int x = 0; x < r.image.width(); x += 16)
            sum += qGray(r.image.pixel(x, y));
    }
    const qint64 mean = sum / ((r.image.height() + 15) / 16) / ((r.image.width() + 15) / 16);
    QVERIFY2(mean > 20 && mean < 235, qPrintable(QString::number(mean)));
    // Progress climbs from 0 to 100.
    QVERIFY(reports.size() >= 3);
    QCOMPARE(reports.first(), 0);
    QCOMPARE(reports.last(), 100);
    QVERIFY(std::is_sorted(reports.begin(), reports.end()));
}

void TestRawDecoder::nonRawFilesFailCleanly_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("copyAs");
    QTest::newRow("JPEG named .nef") << "raw/jpeg-data-named.nef" << "";
    QTest::newRow("JPEG renamed .NEF") << "jpeg/testorig.jpg" << "DSC_0001.NEF";
    QTest::newRow("damaged CRW") << "broken/issue_1838_poc.crw" << "";
    QTest::newRow("thumbnail as CRW") << "raw/CRW_0304.THM" << "CRW_0304.crw";
}

void TestRawDecoder::nonRawFilesFailCleanly()
{
    QFETCH(QString, file);
    QFETCH(QString, copyAs);
    QUORVEL_REQUIRE_SHARED("raw", root);
    QString path = test::sharedFile(file);
    QVERIFY(!path.isEmpty());
    QTemporaryDir dir;
    if (!copyAs.isEmpty()) {
        const QString copy = dir.filePath(copyAs);
        QVERIFY(QFile::copy(path, copy));
        path = copy;
    }
    const DecodeResult r = ImageDecoder::decodeFile(path, DecodeOptions());
    QVERIFY(!r.ok());
    QCOMPARE(r.decoder, DecoderKind::Raw); // no other decoder is tried
    QVERIFY(!r.error.isEmpty());
    // The same from memory.
    const DecodeResult m = RawDecoder::decode(QByteArrayView(test::readFile(path)), DecodeOptions());
    QVERIFY(!m.ok());
}

QTEST_GUILESS_MAIN(TestRawDecoder)
#include "tst_rawdecoder.moc"
