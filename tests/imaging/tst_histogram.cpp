#include "core/imaging/ColourHistogram.h"
#include "core/imaging/HistogramPicture.h"
#include "core/imaging/LabColour.h"

#include <QTest>

using namespace quorvel;

namespace {

QImage solid(int w, int h, QRgb c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// Columns of grey levels from..to, left to right.
QImage greyRamp(int from, int to)
{
    QImage img(to - from + 1, 10, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(from + x, from + x, from + x));
    return img;
}

bool isBlack(QRgb p)
{
    return (p & 0xFFFFFFu) == 0;
}

// The rows of a bar column below the titles.
constexpr int kBarRowsChecked = HistogramPicture::kBarsBottom - 25 + 1;

// The pixels above the base line drawn in the bar column of a level.
int barPixels(const QImage &picture, int level)
{
    int n = 0;
    for (int y = 25; y <= HistogramPicture::kBarsBottom; ++y)
        n += !isBlack(picture.pixel(HistogramPicture::kBarsLeft + level, y));
    return n;
}

} // namespace

class TestHistogram : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void labOfKnownColours_data();
    void labOfKnownColours();
    void analysisSize_data();
    void analysisSize();
    void greyFillsOnlyTheCentreWithEqualBars_data();
    void greyFillsOnlyTheCentreWithEqualBars();
    void blackNeverMarksACell_data();
    void blackNeverMarksACell();
    void cellKeepsTheBrightestColour();
    void level255IsNeverDrawn_data();
    void level255IsNeverDrawn();
    void pictureLayout();
};

void TestHistogram::labOfKnownColours_data()
{
    QTest::addColumn<QRgb>("rgb");
    QTest::addColumn<int>("l");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    // Published values (D65), truncated toward zero: -86.18 gives -86.
    QTest::newRow("black") << qRgb(0, 0, 0) << 0 << 0 << 0;
    QTest::newRow("white") << qRgb(255, 255, 255) << 100 << 0 << 0;
    QTest::newRow("grey 128") << qRgb(128, 128, 128) << 53 << 0 << 0;
    QTest::newRow("red") << qRgb(255, 0, 0) << 53 << 80 << 67;
    QTest::newRow("green") << qRgb(0, 255, 0) << 87 << -86 << 83;
    QTest::newRow("blue") << qRgb(0, 0, 255) << 32 << 79 << -107;
    QTest::newRow("yellow") << qRgb(255, 255, 0) << 97 << -21 << 94;
    QTest::newRow("cyan") << qRgb(0, 255, 255) << 91 << -48 << -14;
    QTest::newRow("magenta") << qRgb(255, 0, 255) << 60 << 98 << -60;
    QTest::newRow("near black, linear part") << qRgb(1, 1, 1) << 0 << 0 << 0;
}

void TestHistogram::labOfKnownColours()
{
    QFETCH(QRgb, rgb);
    QFETCH(int, l);
    QFETCH(int, a);
    QFETCH(int, b);
    QCOMPARE(LabColour::fromRgb(rgb), (LabColour{l, a, b}));
}

void TestHistogram::analysisSize_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("analysed");
    QTest::newRow("4000x3000") << QSize(4000, 3000) << QSize(400, 300);
    QTest::newRow("portrait") << QSize(3000, 4000) << QSize(400, 533);
    QTest::newRow("small is enlarged") << QSize(100, 50) << QSize(400, 200);
    QTest::newRow("one row stays one row") << QSize(1000, 1) << QSize(400, 1);
    QTest::newRow("very tall is bounded") << QSize(10, 20000) << QSize(400, 4000);
}

void TestHistogram::analysisSize()
{
    QFETCH(QSize, image);
    QFETCH(QSize, analysed);
    QCOMPARE(ColourHistogram::analysisSize(image), analysed);
    if (image == QSize(4000, 3000)) {
        ColourHistogram histogram;
        QVERIFY(histogram.compute(solid(4000, 3000, qRgb(10, 20, 30))));
        QCOMPARE(histogram.count(ColourHistogram::Red, 10), 400 * 300);
        QCOMPARE(histogram.count(ColourHistogram::Blue, 30), 400 * 300);
    }
}

void TestHistogram::greyFillsOnlyTheCentreWithEqualBars_data()
{
    QTest::addColumn<QImage>("image");
    QTest::newRow("grey 128") << solid(640, 480, qRgb(128, 128, 128));
    QTest::newRow("all grey levels") << greyRamp(0, 255);
}

void TestHistogram::greyFillsOnlyTheCentreWithEqualBars()
{
    QFETCH(QImage, image);
    ColourHistogram histogram;
    QVERIFY(histogram.compute(image));
    QVERIFY(histogram.isComputed());
    QVERIFY(histogram.markedCells() > 0);
    for (int a = -ColourHistogram::kRange; a <= ColourHistogram::kRange; ++a)
        for (int b = -ColourHistogram::kRange; b <= ColourHistogram::kRange; ++b)
            if (histogram.cell(a, b).lightness > 0)
                QVERIFY2(std::abs(a) <= 1 && std::abs(b) <= 1, qPrintable(QStringLiteral("cell %1,%2").arg(a).arg(b)));

    const QImage picture = HistogramPicture::render(histogram);
    int highest = 0;
    for (int level = 0; level < ColourHistogram::kDrawnLevels; ++level) {
        const int h = histogram.height(ColourHistogram::Red, level);
        QCOMPARE(histogram.height(ColourHistogram::Green, level), h);
        QCOMPARE(histogram.height(ColourHistogram::Blue, level), h);
        QCOMPARE(barPixels(picture, level), std::min(HistogramPicture::barLength(h), kBarRowsChecked));
        highest = std::max(highest, h);
    }
    QCOMPARE(highest, 255);
}

void TestHistogram::blackNeverMarksACell_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<int>("cells");
    QTest::newRow("black") << solid(50, 50, qRgb(0, 0, 0)) << 0;
    QTest::newRow("near black") << solid(50, 50, qRgb(1, 1, 1)) << 0;
    QImage half = solid(400, 100, qRgb(0, 0, 0));
    for (int y = 0; y < 100; ++y)
        for (int x = 200; x < 400; ++x)
            half.setPixel(x, y, qRgb(255, 0, 0));
    // The two columns where the halves meet give a few dark reds.
    QTest::newRow("black beside red") << half << -1;
}

void TestHistogram::blackNeverMarksACell()
{
    QFETCH(QImage, image);
    QFETCH(int, cells);
    ColourHistogram histogram;
    QVERIFY(histogram.compute(image));
    if (cells >= 0)
        QCOMPARE(histogram.markedCells(), cells);
    QCOMPARE(histogram.cell(0, 0).lightness, 0);
    QCOMPARE(histogram.cell(0, 0).colour, QRgb(0));
    if (cells < 0) {
        QCOMPARE(histogram.cell(80, 67).lightness, 53);
        QCOMPARE(histogram.cell(80, 67).colour, qRgb(255, 0, 0));
    }
}

void TestHistogram::cellKeepsTheBrightestColour()
{
    // Three greys, all in the centre cell: the brightest stays, whatever the
    // order they come in.
    for (const auto &order : {std::array{50, 200, 120}, std::array{200, 50, 120}, std::array{120, 50, 200}}) {
        QImage img(400, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 400; ++x)
                img.setPixel(x, y, qRgb(order[y], order[y], order[y]));
        ColourHistogram histogram;
        QVERIFY(histogram.compute(img));
        QCOMPARE(histogram.cell(0, 0).lightness, LabColour::fromRgb(200, 200, 200).l);
        QCOMPARE(histogram.cell(0, 0).colour, qRgb(200, 200, 200));
    }
}

void TestHistogram::level255IsNeverDrawn_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<int>("tallest"); // the level with the full bar; -1 none
    QTest::newRow("white: nothing below 255") << solid(300, 200, qRgb(255, 255, 255)) << -1;
    QImage mixed = solid(400, 100, qRgb(255, 255, 255));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 400; ++x)
            mixed.setPixel(x, y, qRgb(100, 100, 100));
    QTest::newRow("mostly white") << mixed << 100;
    QTest::newRow("yellow: red and green clipped") << solid(64, 64, qRgb(255, 255, 0)) << 0;
}

void TestHistogram::level255IsNeverDrawn()
{
    QFETCH(QImage, image);
    QFETCH(int, tallest);
    ColourHistogram histogram;
    QVERIFY(histogram.compute(image));
    for (auto c : {ColourHistogram::Red, ColourHistogram::Green, ColourHistogram::Blue})
        QCOMPARE(histogram.height(c, 255), 0);
    const QImage picture = HistogramPicture::render(histogram);
    QCOMPARE(barPixels(picture, 255), 0);
    for (int level = 0; level < ColourHistogram::kDrawnLevels; ++level)
        QCOMPARE(barPixels(picture, level) > 0, level == tallest);
    // The base line is drawn all the same, up to the column of level 255.
    QCOMPARE(picture.pixel(250, 241), HistogramPicture::kBaseLine);
    QCOMPARE(picture.pixel(505, 241), HistogramPicture::kBaseLine);
    QVERIFY(isBlack(picture.pixel(506, 241)));
}

void TestHistogram::pictureLayout()
{
    ColourHistogram histogram;
    QVERIFY(histogram.compute(solid(40, 30, qRgb(255, 0, 0))));
    const QImage picture = HistogramPicture::render(histogram);
    QCOMPARE(picture.size(), QSize(520, 255));
    // The red pen of alpha 200 over black.
    const QRgb pen = qRgb(200, 0, 0);
    QCOMPARE(picture.pixel(120, 60), pen); // b* axis
    QCOMPARE(picture.pixel(60, 120), pen); // a* axis
    QVERIFY(isBlack(picture.pixel(60, 60)));
    // The red of the image at (120 + a*, 120 - b*), opaque, in its own colour.
    QCOMPARE(picture.pixel(HistogramPicture::chromaPoint(80, 67)), qRgb(255, 0, 0));
    // Red at level 255 is not drawn; green and blue fill level 0.
    QCOMPARE(barPixels(picture, 0), kBarRowsChecked);
    for (int level = 1; level < 256; ++level)
        QCOMPARE(barPixels(picture, level), 0);
    // The texts are drawn in white.
    bool white = false;
    for (int y = 5; y < 20 && !white; ++y)
        for (int x = 5; x < 60 && !white; ++x)
            white = qGray(picture.pixel(x, y)) > 128;
    QVERIFY2(white, "the title \"CIE Lab\" is drawn");
    // The gamut outline passes through its corners: blue lies far down right.
    const auto corners = HistogramPicture::gamutOutline();
    QCOMPARE(corners[4], HistogramPicture::chromaPoint(LabColour::fromRgb(0x11, 0, 0xFE).a,
                                                       LabColour::fromRgb(0x11, 0, 0xFE).b));
    QVERIFY(corners[4].y() > 220);
    QVERIFY(!isBlack(picture.pixel(corners[4])));
}

QTEST_MAIN(TestHistogram)
#include "tst_histogram.moc"
