#include "core/files/ThumbnailMaker.h"
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
    void jpegUnderARawNameIsShownAsJpeg_data();
    void jpegUnderARawNameIsShownAsJpeg();
    void embeddedPreview_data();
    void embeddedPreview();
    void turnedByFlip_data();
    void turnedByFlip();
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
    QTest::newRow("damaged CRW") << "broken/issue_1838_poc.crw" << "";
    QTest::newRow("text as NEF") << "README.md" << "notes.nef";
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
    QVERIFY(!ImageDecoder::decodePreview(path, DecodeOptions()).ok());
}

void TestRawDecoder::jpegUnderARawNameIsShownAsJpeg_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("copyAs");
    QTest::addColumn<QSize>("size");
    QTest::newRow("JPEG named .nef") << "raw/jpeg-data-named.nef" << "" << QSize();
    QTest::newRow("JPEG renamed .NEF") << "jpeg/testorig.jpg" << "DSC_0001.NEF" << QSize(227, 149);
    QTest::newRow("thumbnail as CRW") << "raw/CRW_0304.THM" << "CRW_0304.crw" << QSize(160, 120);
    QTest::newRow("JPEG renamed .arw") << "jpeg/testorig.jpg" << "DSC_0001.arw" << QSize(227, 149);
}

void TestRawDecoder::jpegUnderARawNameIsShownAsJpeg()
{
    QFETCH(QString, file);
    QFETCH(QString, copyAs);
    QFETCH(QSize, size);
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
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.decoder, DecoderKind::Jpeg);
    if (size.isValid())
        QCOMPARE(r.image.size(), size);
    QVERIFY(ImageDecoder::decodeData(test::readFile(path), path, DecodeOptions()).ok());
    // The file is its own picture: there is no preview to show first.
    QVERIFY(!ImageDecoder::decodePreview(path, DecodeOptions()).ok());
    QVERIFY(!ThumbnailMaker::fromFile(path).picture.isNull());
}

void TestRawDecoder::embeddedPreview_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("G2") << "raw/CRW_0101.CRW";
    QTest::newRow("S40") << "raw/CRW_0304.CRW";
}

void TestRawDecoder::embeddedPreview()
{
    QFETCH(QString, file);
    QUORVEL_REQUIRE_SHARED("raw", root);
    const QString path = test::sharedFile(file);
    const DecodeResult preview = ImageDecoder::decodePreview(path, DecodeOptions());
    QVERIFY2(preview.ok(), qPrintable(preview.error));
    QCOMPARE(preview.decoder, DecoderKind::Raw);
    QVERIFY(preview.upright);
    QCOMPARE(preview.image.format(), QImage::Format_RGB32);
    // Landscape, with the photo's proportions (4:3), and far smaller than it.
    const QSize s = preview.image.size();
    QVERIFY2(s.width() >= 60 && s.width() < 2272 && qAbs(s.width() * 3 - s.height() * 4) <= 8,
             qPrintable(QStringLiteral("%1x%2").arg(s.width()).arg(s.height())));

    // Reduced, it is decoded in the DCT domain, the whole size told.
    DecodeOptions reduced;
    reduced.reduceTo = QSize(60, 45);
    const DecodeResult small = ImageDecoder::decodePreview(path, reduced);
    QVERIFY(small.ok());
    QVERIFY(small.image.width() <= s.width() && small.image.width() >= 60);

    // The thumbnail comes from it, not from the sensor data.
    const ThumbnailMaker::Result thumb = ThumbnailMaker::fromFile(path);
    QVERIFY(!thumb.picture.isNull());
    QCOMPARE(int(thumb.source), int(ThumbnailMaker::Source::Preview));

    // The full decode is upright too: the EXIF orientation is not applied again.
    QVERIFY(ImageDecoder::decodeFile(path, reduced).upright);
}

void TestRawDecoder::turnedByFlip_data()
{
    // A 3 x 2 picture with pixels 1 2 3 / 4 5 6, and the rows of the result.
    QTest::addColumn<int>("flip");
    QTest::addColumn<QList<QList<int>>>("rows");
    QTest::newRow("none") << 0 << QList<QList<int>>{{1, 2, 3}, {4, 5, 6}};
    QTest::newRow("half turn") << 3 << QList<QList<int>>{{6, 5, 4}, {3, 2, 1}};
    QTest::newRow("quarter anticlockwise") << 5 << QList<QList<int>>{{3, 6}, {2, 5}, {1, 4}};
    QTest::newRow("quarter clockwise") << 6 << QList<QList<int>>{{4, 1}, {5, 2}, {6, 3}};
    QTest::newRow("mirrored") << 1 << QList<QList<int>>{{3, 2, 1}, {6, 5, 4}};
    QTest::newRow("upside down") << 2 << QList<QList<int>>{{4, 5, 6}, {1, 2, 3}};
    QTest::newRow("transposed") << 4 << QList<QList<int>>{{1, 4}, {2, 5}, {3, 6}};
    QTest::newRow("transversed") << 7 << QList<QList<int>>{{6, 3}, {5, 2}, {4, 1}};
}

void TestRawDecoder::turnedByFlip()
{
    QFETCH(int, flip);
    QFETCH(QList<QList<int>>, rows);
    QImage image(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, qRgb(1 + y * 3 + x, 0, 0));
    const QImage turned = RawDecoder::turnedByFlip(image, flip);
    QCOMPARE(turned.height(), int(rows.size()));
    QCOMPARE(turned.width(), int(rows.first().size()));
    for (int y = 0; y < turned.height(); ++y)
        for (int x = 0; x < turned.width(); ++x)
            QCOMPARE(qRed(turned.pixel(x, y)), rows[y][x]);
}

QTEST_GUILESS_MAIN(TestRawDecoder)
#include "tst_rawdecoder.moc"
