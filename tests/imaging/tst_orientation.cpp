#include "ImagingFixtures.h"

#include "core/exif/ExifOrientation.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/Orientation.h"
#include "support/ExifOrientationFiles.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;
using namespace quorvel::fixtures;

namespace {

// A picture whose every pixel differs from every other.
QImage numbered(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 16, y * 16, 200));
    return image;
}

// Where the pixel shown at (x, y) lies in the stored picture of size w x h,
// as the EXIF standard words each orientation ("row 0 is the visual ...").
QPoint storedPoint(int orientation, int x, int y, int w, int h)
{
    switch (orientation) {
    case 2: return {w - 1 - x, y};
    case 3: return {w - 1 - x, h - 1 - y};
    case 4: return {x, h - 1 - y};
    case 5: return {y, x};
    case 6: return {y, h - 1 - x};
    case 7: return {w - 1 - y, h - 1 - x};
    case 8: return {w - 1 - y, x};
    default: return {x, y};
    }
}

QByteArray jpeg(const QImage &image)
{
    JpegLayout layout;
    layout.quality = 90;
    return writeJpeg(image, layout);
}

} // namespace

class TestOrientation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void turnedShowsWhatTheTagMeans_data();
    void turnedShowsWhatTheTagMeans();
    void combinedAndInverse();
    void valuesOutsideTheRangeReadAsUpright_data();
    void valuesOutsideTheRangeReadAsUpright();
    void decodeTurnsByTheTag_data();
    void decodeTurnsByTheTag();
    void reducedDecodeIsInShownTerms();
    void tiffOrientationIsHonoured_data();
    void tiffOrientationIsHonoured();
    void uprightResultsAreNotTurnedAgain();

private:
    QTemporaryDir m_dir;
};

void TestOrientation::turnedShowsWhatTheTagMeans_data()
{
    QTest::addColumn<int>("orientation");
    for (int o = 1; o <= 8; ++o)
        QTest::addRow("orientation %d", o) << o;
}

void TestOrientation::turnedShowsWhatTheTagMeans()
{
    QFETCH(int, orientation);
    const QImage stored = numbered(5, 3);
    const QImage shown = orientation::turned(stored, orientation);
    QCOMPARE(shown.size(), orientation::turnedSize(stored.size(), orientation));
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x)
            QCOMPARE(shown.pixel(x, y), stored.pixel(storedPoint(orientation, x, y, 5, 3)));
    }
}

void TestOrientation::combinedAndInverse()
{
    const QImage p = numbered(4, 3);
    for (int a = 1; a <= 8; ++a) {
        const QImage once = orientation::turned(p, a);
        QCOMPARE(orientation::turned(once, orientation::inverse(a)), p);
        for (int b = 1; b <= 8; ++b)
            QCOMPARE(orientation::turned(p, orientation::combined(a, b)), orientation::turned(once, b));
    }
}

void TestOrientation::valuesOutsideTheRangeReadAsUpright_data()
{
    QTest::addColumn<int>("tag"); // 0: no tag at all
    QTest::addColumn<int>("read");
    QTest::newRow("none") << 0 << 1;
    QTest::newRow("65535") << 65535 << 1;
    QTest::newRow("nine") << 9 << 1;
    QTest::newRow("six") << 6 << 6;
    QTest::newRow("eight") << 8 << 8;
}

void TestOrientation::valuesOutsideTheRangeReadAsUpright()
{
    QFETCH(int, tag);
    QFETCH(int, read);
    const QByteArray file = test::withOrientation(jpeg(numbered(16, 16)), tag);
    const QString path = m_dir.filePath(QStringLiteral("range.jpg"));
    QVERIFY(test::writeFile(path, file));
    QCOMPARE(exiforientation::fromFile(path), read);
}

void TestOrientation::decodeTurnsByTheTag_data()
{
    QTest::addColumn<int>("orientation");
    for (int o = 1; o <= 8; ++o)
        QTest::addRow("orientation %d", o) << o;
}

void TestOrientation::decodeTurnsByTheTag()
{
    QFETCH(int, orientation);
    const QByteArray plain = jpeg(numbered(48, 32));
    const QString path = m_dir.filePath(QStringLiteral("o%1.jpg").arg(orientation));
    QVERIFY(test::writeFile(path, test::withOrientation(plain, orientation)));

    DecodeOptions stored;
    const DecodeResult asStored = ImageDecoder::decodeFile(path, stored);
    QVERIFY2(asStored.ok(), qPrintable(asStored.error));
    // The setting off: the picture as the file stores it.
    QCOMPARE(asStored.image.size(), QSize(48, 32));
    QCOMPARE(asStored.orientation, 1);

    DecodeOptions shown;
    shown.applyOrientation = true;
    const DecodeResult turned = ImageDecoder::decodeFile(path, shown);
    QVERIFY2(turned.ok(), qPrintable(turned.error));
    QCOMPARE(turned.orientation, orientation);
    QCOMPARE(turned.image.size(), orientation >= 5 ? QSize(32, 48) : QSize(48, 32));
    QCOMPARE(turned.image, orientation::turned(asStored.image, orientation));
    QCOMPARE(turned.image.format(), QImage::Format_RGB32);

    // Bytes in memory take the same way.
    const DecodeResult fromMemory = ImageDecoder::decodeData(test::readFile(path), path, shown);
    QCOMPARE(fromMemory.image, turned.image);
}

void TestOrientation::reducedDecodeIsInShownTerms()
{
    // Stored 256 x 128, shown 128 x 256: the smallest reduction that covers
    // 32 x 64 as shown is a quarter of the stored picture, 64 x 32.
    const QString path = m_dir.filePath(QStringLiteral("reduced.jpg"));
    QVERIFY(test::writeFile(path, test::withOrientation(jpeg(numbered(256, 128)), 6)));
    DecodeOptions options;
    options.applyOrientation = true;
    options.reduceTo = QSize(32, 64);
    const DecodeResult r = ImageDecoder::decodeFile(path, options);
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.image.size(), QSize(32, 64));
    QCOMPARE(r.fullSize, QSize(128, 256));
}

void TestOrientation::tiffOrientationIsHonoured_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<bool>("floating");
    QTest::addColumn<int>("tag");
    QTest::addColumn<bool>("applyOrientation");
    QTest::addColumn<int>("shownAs"); // the turn of the stored picture that is shown
    // 8 and 16 bits go through libtiff's RGBA reader, the others through the
    // sample reader: both are turned once, by the orientation step.
    const struct {
        const char *name;
        int bits;
        bool floating;
    } layouts[] = {{"8-bit", 8, false}, {"16-bit", 16, false}, {"12-bit", 12, false},
                   {"32-bit float", 32, true}, {"16-bit float", 16, true}, {"64-bit float", 64, true}};
    for (const auto &l : layouts) {
        for (int tag : {2, 3, 5, 6, 8})
            QTest::addRow("%s, orientation %d", l.name, tag) << l.bits << l.floating << tag << true << tag;
        // The setting off: mirrored as libtiff's reader always showed the
        // file, whatever the sample layout (6 reads as a mirror, 8 as a
        // flip, 5 as stored).
        QTest::addRow("%s, setting off, orientation 3", l.name) << l.bits << l.floating << 3 << false << 3;
        QTest::addRow("%s, setting off, orientation 6", l.name) << l.bits << l.floating << 6 << false << 2;
        QTest::addRow("%s, setting off, orientation 8", l.name) << l.bits << l.floating << 8 << false << 4;
        QTest::addRow("%s, setting off, orientation 5", l.name) << l.bits << l.floating << 5 << false << 1;
    }
}

void TestOrientation::tiffOrientationIsHonoured()
{
    QFETCH(int, bits);
    QFETCH(bool, floating);
    QFETCH(int, tag);
    QFETCH(bool, applyOrientation);
    QFETCH(int, shownAs);
    const QString path = m_dir.filePath(QStringLiteral("turned.tif"));
    QFile::remove(path);
    TiffLayout layout;
    layout.bitsPerSample = bits;
    layout.floating = floating;
    layout.orientation = tag;
    const QImage picture = numbered(6, 4);
    QVERIFY(writeTiff(path, picture, layout));
    DecodeOptions options;
    options.applyOrientation = applyOrientation;
    const DecodeResult r = ImageDecoder::decodeFile(path, options);
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.orientation, applyOrientation ? tag : 1);
    const QImage expected = orientation::turned(picture, shownAs);
    QCOMPARE(r.image.size(), expected.size());
    // Samples of other depths come back to 8 bits within rounding.
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb got = r.image.pixel(x, y), want = expected.pixel(x, y);
            QVERIFY2(qAbs(qRed(got) - qRed(want)) <= 2 && qAbs(qGreen(got) - qGreen(want)) <= 2
                         && qAbs(qBlue(got) - qBlue(want)) <= 2,
                     qPrintable(QStringLiteral("at %1,%2: %3 for %4").arg(x).arg(y).arg(got, 0, 16).arg(want, 0, 16)));
        }
    }
}

void TestOrientation::uprightResultsAreNotTurnedAgain()
{
    DecodeResult raw;
    raw.image = numbered(6, 4);
    raw.upright = true;
    const DecodeResult kept = ImageDecoder::turnUpright(raw, 6);
    QCOMPARE(kept.image, raw.image);
    QCOMPARE(kept.orientation, 1);

    DecodeResult reduced;
    reduced.image = numbered(6, 4);
    reduced.fullSize = QSize(60, 40);
    const DecodeResult turned = ImageDecoder::turnUpright(reduced, 5);
    QCOMPARE(turned.image.size(), QSize(4, 6));
    QCOMPARE(turned.fullSize, QSize(40, 60));
}

QTEST_GUILESS_MAIN(TestOrientation)
#include "tst_orientation.moc"
