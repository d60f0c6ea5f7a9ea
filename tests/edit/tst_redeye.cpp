#include "core/edit/EditSelection.h"
#include "core/edit/RedEyeFilter.h"

#include <QTest>

using namespace quorvel;

class TestRedEye : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pixelRule_data();
    void pixelRule();
    void onlyInsideTheEllipse_data();
    void onlyInsideTheEllipse();
    void ellipseShape_data();
    void ellipseShape();
    void largeSelectionSplitsRows();
};

void TestRedEye::pixelRule_data()
{
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QRgb>("expected");
    QTest::newRow("red at the limit") << qRgb(100, 10, 20) << 100 << qRgb(100, 10, 20);
    QTest::newRow("red above the limit") << qRgb(101, 40, 60) << 100 << qRgb(40, 40, 60);
    QTest::newRow("blue is the smaller") << qRgb(200, 90, 30) << 100 << qRgb(30, 90, 30);
    QTest::newRow("limit 255 keeps everything") << qRgb(255, 0, 0) << 255 << qRgb(255, 0, 0);
    QTest::newRow("changed pixel becomes opaque") << qRgba(200, 1, 2, 3) << 1 << qRgba(1, 1, 2, 255);
}

void TestRedEye::pixelRule()
{
    QFETCH(QRgb, pixel);
    QFETCH(int, limit);
    QFETCH(QRgb, expected);
    QCOMPARE(RedEyeFilter::fix(pixel, limit), expected);

    // The same through the whole pass, on a one-pixel selection.
    QImage image(3, 3, QImage::Format_ARGB32);
    image.fill(pixel);
    RedEyeFilter::apply(image, QRect(1, 1, 1, 1), limit);
    QCOMPARE(image.pixel(1, 1), expected);
    QCOMPARE(image.pixel(0, 0), pixel);
}

void TestRedEye::onlyInsideTheEllipse_data()
{
    QTest::addColumn<QRect>("selection");
    QTest::newRow("inside the image") << QRect(5, 4, 21, 13);
    QTest::newRow("drawn right to left") << EditSelection::fromEdges(26, 17, 5, 4);
    QTest::newRow("over the top-left corner") << QRect(-8, -6, 20, 16);
    QTest::newRow("over the bottom-right corner") << QRect(30, 20, 40, 40);
    QTest::newRow("whole image") << QRect(0, 0, 40, 30);
}

void TestRedEye::onlyInsideTheEllipse()
{
    QFETCH(QRect, selection);
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(qRgb(250, 40, 60));
    const QRect area = RedEyeFilter::treatedRect(selection, image.size());
    QVERIFY(!area.isEmpty());

    const qsizetype changed = RedEyeFilter::apply(image, selection, 100);
    qsizetype inside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool treated = RedEyeFilter::insideEllipse(area, x, y);
            inside += treated;
            QCOMPARE(image.pixel(x, y), treated ? qRgb(40, 40, 60) : qRgb(250, 40, 60));
        }
    }
    QCOMPARE(changed, inside);
    // The ellipse spans the area: centre in, corners out.
    QVERIFY(RedEyeFilter::insideEllipse(area, area.center().x(), area.center().y()));
    QVERIFY(!RedEyeFilter::insideEllipse(area, area.left(), area.top()));
    QVERIFY(!RedEyeFilter::insideEllipse(area, area.right(), area.bottom()));
}

void TestRedEye::ellipseShape_data()
{
    // Rows of the ellipse inscribed in a 9 x 5 rectangle, and in 1 x 1.
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("9x5") << QRect(0, 0, 9, 5)
                         << QStringList{"..xxxxx..", "xxxxxxxxx", "xxxxxxxxx", "xxxxxxxxx", "..xxxxx.."};
    QTest::newRow("1x1") << QRect(3, 3, 1, 1) << QStringList{"x"};
    QTest::newRow("empty") << QRect(0, 0, 0, 4) << QStringList{};
}

void TestRedEye::ellipseShape()
{
    QFETCH(QRect, rect);
    QFETCH(QStringList, rows);
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            QCOMPARE(RedEyeFilter::insideEllipse(rect, rect.left() + x, rect.top() + y),
                     rows[y][x] == QLatin1Char('x'));
    // Right and bottom edges are not part of the rectangle.
    QVERIFY(!RedEyeFilter::insideEllipse(rect, rect.left() + rect.width(), rect.center().y()));
    QVERIFY(!RedEyeFilter::insideEllipse(rect, rect.center().x(), rect.top() + rect.height()));
}

void TestRedEye::largeSelectionSplitsRows()
{
    // A selection big enough to be processed in bands gives the same result
    // as the pixel rule applied one pixel at a time.
    QImage image(1200, 900, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 3 + y) & 0xFF, (x + y * 5) & 0xFF, (x ^ y) & 0xFF));
    const QRect selection(50, 40, 1100, 820);
    QImage expected = image;
    for (int y = selection.top(); y <= selection.bottom(); ++y)
        for (int x = selection.left(); x <= selection.right(); ++x)
            if (RedEyeFilter::insideEllipse(selection, x, y))
                expected.setPixel(x, y, RedEyeFilter::fix(expected.pixel(x, y), 128));
    RedEyeFilter::apply(image, selection, 128);
    QVERIFY(image == expected);
}

QTEST_GUILESS_MAIN(TestRedEye)
#include "tst_redeye.moc"
