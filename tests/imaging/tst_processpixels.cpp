#include "core/imaging/ImageBufferPool.h"
#include "core/imaging/ImageNormalizer.h"
#include "core/imaging/ProcessPixels.h"
#include "core/imaging/ProgressLine.h"

#include <QPainter>
#include <QTest>

using namespace quorvel;

class TestProcessPixels : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void percentagesClimbToHundred_data();
    void percentagesClimbToHundred();
    void transformKeepsOpaqueImagesOpaque();
    void visitorSeesEveryPixelInOrder();
    void otherLayoutsAreWalkedAs32Bit();
    void normalizeFlattensAndExpands_data();
    void normalizeFlattensAndExpands();
    void progressLine_data();
    void progressLine();
    void bufferPoolReusesFreedPictureMemory();
};

void TestProcessPixels::percentagesClimbToHundred_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("reports");
    QTest::newRow("one row") << 1 << 1;
    QTest::newRow("fewer rows than percent") << 7 << 7;
    QTest::newRow("a hundred rows") << 100 << 100;
    QTest::newRow("more rows than percent") << 450 << 101; // 0 after the first rows too
}

void TestProcessPixels::percentagesClimbToHundred()
{
    QFETCH(int, height);
    QFETCH(int, reports);
    QImage img(3, height, QImage::Format_RGB32);
    img.fill(Qt::black);
    QList<int> seen;
    pixels::transform(img, [](QRgb p) { return p; }, [&](int percent) { seen.append(percent); });
    QCOMPARE(seen.size(), reports);
    QCOMPARE(seen.last(), 100);
    QVERIFY(std::adjacent_find(seen.begin(), seen.end(), std::greater_equal<int>()) == seen.end());
}

void TestProcessPixels::transformKeepsOpaqueImagesOpaque()
{
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(qRgb(10, 20, 30));
    pixels::transform(img, [](QRgb p) { return qRgba(255 - qRed(p), qGreen(p), qBlue(p), 0); });
    QCOMPARE(img.pixel(2, 2), qRgb(245, 20, 30));
    QCOMPARE(qAlpha(img.pixel(3, 3)), 255);
}

void TestProcessPixels::visitorSeesEveryPixelInOrder()
{
    QImage img(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            img.setPixel(x, y, qRgb(x, y, 0));
    QList<QRgb> seen;
    pixels::visit(img, [&](QRgb p) { seen.append(p); });
    QCOMPARE(seen, (QList<QRgb>{qRgb(0, 0, 0), qRgb(1, 0, 0), qRgb(2, 0, 0), qRgb(0, 1, 0), qRgb(1, 1, 0),
                                qRgb(2, 1, 0)}));
}

void TestProcessPixels::otherLayoutsAreWalkedAs32Bit()
{
    QImage grey(2, 2, QImage::Format_Grayscale8);
    grey.fill(77);
    int count = 0;
    pixels::visit(grey, [&](QRgb p) { count += p == qRgb(77, 77, 77); });
    QCOMPARE(count, 4);
    QImage empty;
    pixels::visit(empty, [&](QRgb) { ++count; });
    QCOMPARE(count, 4);
}

void TestProcessPixels::normalizeFlattensAndExpands_data()
{
    QTest::addColumn<QImage>("source");
    QTest::addColumn<QRgb>("expected");
    QImage argb(2, 2, QImage::Format_ARGB32);
    argb.fill(qRgba(200, 100, 0, 128));
    QTest::newRow("half transparent over black") << argb << qRgb(100, 50, 0);
    QImage clear(2, 2, QImage::Format_ARGB32);
    clear.fill(qRgba(255, 255, 255, 0));
    QTest::newRow("fully transparent") << clear << qRgb(0, 0, 0);
    QImage indexed(2, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3)});
    indexed.fill(0);
    QTest::newRow("palette") << indexed << qRgb(1, 2, 3);
    QImage wide(2, 2, QImage::Format_RGBX64);
    wide.fill(QColor::fromRgba64(0xFFFF, 0x8080, 0));
    QTest::newRow("16 bits per channel") << wide << qRgb(255, 128, 0);
}

void TestProcessPixels::normalizeFlattensAndExpands()
{
    QFETCH(QImage, source);
    QFETCH(QRgb, expected);
    const QImage out = normalizeToRgb32(source);
    QCOMPARE(out.format(), QImage::Format_RGB32);
    QCOMPARE(out.size(), source.size());
    const QRgb p = out.pixel(1, 1);
    QVERIFY2(qAbs(qRed(p) - qRed(expected)) <= 1 && qAbs(qGreen(p) - qGreen(expected)) <= 1
                 && qAbs(qBlue(p) - qBlue(expected)) <= 1 && qAlpha(p) == 255,
             qPrintable(QString::number(p, 16)));
}

void TestProcessPixels::progressLine_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("redPixels");
    QTest::newRow("start") << 0 << 0;
    QTest::newRow("a quarter") << 25 << 50;
    QTest::newRow("done") << 100 << 200;
    QTest::newRow("beyond") << 150 << 200;
}

void TestProcessPixels::progressLine()
{
    QFETCH(int, percent);
    QFETCH(int, redPixels);
    QImage view(200, 50, QImage::Format_RGB32);
    view.fill(Qt::white);
    {
        QPainter p(&view);
        progressline::draw(p, view.rect(), percent);
    }
    const int y = 46; // 4 pixels above the bottom
    int red = 0, grey = 0;
    for (int x = 0; x < view.width(); ++x) {
        const QRgb c = view.pixel(x, y);
        red += c == qRgb(200, 0, 0);
        grey += c == qRgb(127, 127, 127);
    }
    QCOMPARE(red, redPixels);
    QCOMPARE(grey, 200 - redPixels);
    QCOMPARE(view.pixel(0, y - 1), qRgb(255, 255, 255));
    QCOMPARE(view.pixel(199, y + 1), qRgb(255, 255, 255));
}

void TestProcessPixels::bufferPoolReusesFreedPictureMemory()
{
    ImageBufferPool::trim();
    QImage small = ImageBufferPool::allocateRgb32(16, 16); // ordinary memory
    QVERIFY(!small.isNull());
    QCOMPARE(small.format(), QImage::Format_RGB32);

    QImage big = ImageBufferPool::allocateRgb32(4096, 4096);
    QVERIFY(!big.isNull());
    QCOMPARE(big.bytesPerLine(), 4096 * 4);
    big.fill(qRgb(1, 2, 3));
    const uchar *bits = big.constBits();
    QImage copy = big; // shares
    big = QImage();
    QCOMPARE(ImageBufferPool::keptBytes(), 0); // still in use by the copy
    QCOMPARE(copy.pixel(4095, 4095), qRgb(1, 2, 3));
    QImage edited = copy;
    edited.setPixel(0, 0, qRgb(9, 9, 9)); // detaches into its own memory
    QCOMPARE(copy.pixel(0, 0), qRgb(1, 2, 3));
    edited = QImage();
    copy = QImage();
    QVERIFY(ImageBufferPool::keptBytes() >= qsizetype(4096) * 4096 * 4);

    // A much smaller picture does not take the kept buffer; one of the same
    // size does.
    QImage quarter = ImageBufferPool::allocateRgb32(2048, 2048);
    QVERIFY(!quarter.isNull());
    QVERIFY(ImageBufferPool::keptBytes() > 0);
    QImage again = ImageBufferPool::allocateRgb32(4096, 4096);
    QCOMPARE(again.constBits(), bits);
    QCOMPARE(ImageBufferPool::keptBytes(), 0);
    ImageBufferPool::trim();
}

QTEST_GUILESS_MAIN(TestProcessPixels)
#include "tst_processpixels.moc"
