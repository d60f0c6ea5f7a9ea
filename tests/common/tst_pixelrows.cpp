#include "core/common/PixelRows.h"

#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

using namespace quorvel;

class TestPixelRows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyRowOnceWithProgress_data();
    void everyRowOnceWithProgress();
    void transformedWritesANewImage_data();
    void transformedWritesANewImage();
    void transformReusesOnlyUnsharedMemory_data();
    void transformReusesOnlyUnsharedMemory();
};

void TestPixelRows::everyRowOnceWithProgress_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("withProgress");
    QTest::newRow("small, whole") << QSize(50, 40) << 0 << 40 << true;
    QTest::newRow("small, window") << QSize(50, 40) << 5 << 10 << true;
    QTest::newRow("one row") << QSize(50, 1) << 0 << 1 << true;
    QTest::newRow("parallel, whole") << QSize(1200, 900) << 0 << 900 << true;
    QTest::newRow("parallel, no progress") << QSize(1200, 900) << 0 << 900 << false;
    QTest::newRow("parallel, window") << QSize(4000, 900) << 100 << 700 << true;
    QTest::newRow("window beyond the end") << QSize(4000, 300) << 250 << 1000 << true;
    QTest::newRow("window before the start") << QSize(50, 40) << -10 << 15 << true;
    QTest::newRow("empty window") << QSize(50, 40) << 40 << 5 << true;
}

void TestPixelRows::everyRowOnceWithProgress()
{
    QFETCH(QSize, size);
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(bool, withProgress);
    QImage image(size, QImage::Format_RGB32);
    image.fill(0xFF000000u);
    auto visits = std::make_unique<std::atomic<int>[]>(size.height());
    QList<int> reported;
    bool progressOffThread = false;
    QThread *const caller = QThread::currentThread();
    const PixelRows::Progress progress = [&](int percent) {
        progressOffThread |= QThread::currentThread() != caller;
        reported << percent;
    };

    QVERIFY(PixelRows::process(image, first, count, [&](int y, QRgb *row) {
        ++visits[y];
        for (int x = 0; x < size.width(); ++x)
            row[x] = qRgb(y & 0xFF, x & 0xFF, 1);
    }, withProgress ? progress : PixelRows::Progress()));

    const int begin = std::max(first, 0), end = std::min(first + count, size.height());
    for (int y = 0; y < size.height(); ++y) {
        const bool inside = y >= begin && y < end;
        QCOMPARE(visits[y].load(), inside ? 1 : 0);
        QCOMPARE(image.pixel(size.width() - 1, y), inside ? qRgb(y & 0xFF, (size.width() - 1) & 0xFF, 1) : 0xFF000000u);
    }
    QVERIFY(!progressOffThread);
    if (!withProgress || begin >= end) {
        QVERIFY(reported.isEmpty());
        return;
    }
    QCOMPARE(reported.last(), 100);
    for (int i = 1; i < reported.size(); ++i)
        QVERIFY(reported[i] > reported[i - 1]);
}

void TestPixelRows::transformedWritesANewImage_data()
{
    QTest::addColumn<QImage>("source");
    QImage rgb32(700, 800, QImage::Format_RGB32);
    for (int y = 0; y < rgb32.height(); ++y)
        for (int x = 0; x < rgb32.width(); ++x)
            rgb32.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x + y) & 0xFF));
    QTest::newRow("32-bit, parallel") << rgb32;
    QTest::newRow("24-bit, converted") << rgb32.copy(0, 0, 33, 21).convertToFormat(QImage::Format_RGB888);
    QTest::newRow("null") << QImage();
}

void TestPixelRows::transformedWritesANewImage()
{
    QFETCH(QImage, source);
    const QImage before = source.copy();
    QList<int> reported;
    const QImage out = PixelRows::transformed(source, [&](int, const QRgb *in, QRgb *o) {
        for (int x = 0; x < source.width(); ++x)
            o[x] = 0xFF000000u | (~in[x] & 0xFFFFFFu);
    }, [&](int p) { reported << p; });

    QCOMPARE(source, before);
    if (source.isNull()) {
        QVERIFY(out.isNull());
        return;
    }
    QCOMPARE(out.format(), QImage::Format_RGB32);
    QCOMPARE(out.size(), source.size());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (out.pixel(x, y) != (0xFF000000u | (~source.pixel(x, y) & 0xFFFFFFu)))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    QCOMPARE(reported.last(), 100);
}

void TestPixelRows::transformReusesOnlyUnsharedMemory_data()
{
    QTest::addColumn<QSize>("targetSize");
    QTest::addColumn<bool>("shared");
    QTest::addColumn<int>("reused"); // 1 the same memory, 0 other memory, -1 either
    QTest::newRow("same size") << QSize(300, 200) << false << 1;
    QTest::newRow("same size, large") << QSize(2000, 1500) << false << 1;
    QTest::newRow("same size, shared") << QSize(300, 200) << true << 0;
    // Released first: the allocator may well hand the same block out again.
    QTest::newRow("other size") << QSize(200, 300) << false << -1;
}

void TestPixelRows::transformReusesOnlyUnsharedMemory()
{
    QFETCH(QSize, targetSize);
    QFETCH(bool, shared);
    QFETCH(int, reused);
    QImage source(targetSize == QSize(200, 300) ? QSize(300, 200) : targetSize, QImage::Format_RGB32);
    source.fill(qRgb(1, 2, 3));
    QImage target = PixelRows::newImage(targetSize);
    target.fill(qRgb(9, 9, 9));
    const QImage other = shared ? target : QImage();
    const uchar *const before = target.constBits();

    QVERIFY(PixelRows::transform(source, target, [&](int, const QRgb *in, QRgb *out) {
        std::copy(in, in + source.width(), out);
    }));
    if (reused >= 0)
        QCOMPARE(target.constBits() == before, reused == 1);
    QCOMPARE(target.size(), source.size());
    QCOMPARE(target.pixel(source.width() - 1, source.height() - 1), qRgb(1, 2, 3));
    if (shared)
        QCOMPARE(other.pixel(0, 0), qRgb(9, 9, 9)); // never written through
    // A null source leaves a null target.
    QVERIFY(!PixelRows::transform(QImage(), target, [](int, const QRgb *, QRgb *) {}));
    QVERIFY(target.isNull());
}

QTEST_GUILESS_MAIN(TestPixelRows)
#include "tst_pixelrows.moc"
