#include "core/imaging/Resampler.h"
#include "core/settings/AppSettings.h"

#include <QTest>
#include <QThreadPool>

#include <cmath>
#include <random>

using namespace quorvel;

namespace {

QImage stripes(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = (x % 2) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    }
    return img;
}

QImage gradient(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = qRgb(x % 256, y % 256, (x * 3 + y) % 256);
    }
    return img;
}

// Standard deviation of the green channel of one row.
double rowSpread(const QImage &img, int y)
{
    double sum = 0, sq = 0;
    for (int x = 0; x < img.width(); ++x) {
        const int g = qGreen(img.pixel(x, y));
        sum += g;
        sq += double(g) * g;
    }
    const double mean = sum / img.width();
    return std::sqrt(std::max(0.0, sq / img.width() - mean * mean));
}

int maxDifference(const QImage &a, const QImage &b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return worst;
}

} // namespace

class TestResampler : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nearestKeepsHardEdges();
    void reductionAliasing_data();
    void reductionAliasing();
    void uniformStaysUniform_data();
    void uniformStaysUniform();
    void partialDrawMatchesWholeScaling_data();
    void partialDrawMatchesWholeScaling();
    void partialDrawAtHighZoomMapsPixelsExactly();
    void halvesGiveTheOnePassResult_data();
    void halvesGiveTheOnePassResult();
};

void TestResampler::nearestKeepsHardEdges()
{
    QImage checker(2, 2, QImage::Format_RGB32);
    checker.setPixel(0, 0, qRgb(255, 0, 0));
    checker.setPixel(1, 0, qRgb(0, 255, 0));
    checker.setPixel(0, 1, qRgb(0, 0, 255));
    checker.setPixel(1, 1, qRgb(255, 255, 255));
    const QImage big = Resampler::scaled(checker, QSize(8, 8), InterpolationNearest);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            QCOMPARE(big.pixel(x, y), checker.pixel(x / 4, y / 4));
    // Bilinear blends across the edge.
    const QImage smooth = Resampler::scaled(checker, QSize(8, 8), InterpolationBilinear);
    QVERIFY(smooth.pixel(3, 0) != checker.pixel(0, 0) || smooth.pixel(4, 0) != checker.pixel(1, 0));
}

void TestResampler::reductionAliasing_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("aliases");
    QTest::newRow("bilinear") << int(InterpolationBilinear) << true;
    QTest::newRow("bicubic") << int(InterpolationBicubic) << true;
    QTest::newRow("nearest") << int(InterpolationNearest) << true;
    QTest::newRow("high-quality bilinear") << int(InterpolationHighQualityBilinear) << false;
    QTest::newRow("high-quality bicubic") << int(InterpolationHighQualityBicubic) << false;
}

void TestResampler::reductionAliasing()
{
    QFETCH(int, mode);
    QFETCH(bool, aliases);
    // One-pixel stripes reduced by 3.5: all a small picture can show is grey.
    const QImage small = Resampler::scaled(stripes(700, 40), QSize(200, 12), mode);
    QCOMPARE(small.size(), QSize(200, 12));
    const double spread = rowSpread(small, 6);
    if (aliases)
        QVERIFY2(spread > 30, qPrintable(QString::number(spread)));
    else
        QVERIFY2(spread < 8, qPrintable(QString::number(spread)));
}

void TestResampler::uniformStaysUniform_data()
{
    QTest::addColumn<int>("mode");
    for (int m = 3; m <= 7; ++m)
        QTest::newRow(qPrintable(QString("mode %1").arg(m))) << m;
}

void TestResampler::uniformStaysUniform()
{
    QFETCH(int, mode);
    QImage flat(333, 211, QImage::Format_RGB32);
    flat.fill(qRgb(10, 120, 230));
    for (const QSize size : {QSize(100, 64), QSize(999, 633), QSize(1, 1)}) {
        const QImage out = Resampler::scaled(flat, size, mode);
        QCOMPARE(out.size(), size);
        for (int y = 0; y < out.height(); y += 7)
            for (int x = 0; x < out.width(); x += 5)
                QCOMPARE(out.pixel(x, y), flat.pixel(0, 0));
    }
}

void TestResampler::partialDrawMatchesWholeScaling_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("size");
    for (int m = 3; m <= 7; ++m) {
        QTest::newRow(qPrintable(QString("mode %1 up").arg(m))) << m << QSize(640, 480);
        QTest::newRow(qPrintable(QString("mode %1 down").arg(m))) << m << QSize(80, 60);
    }
}

void TestResampler::partialDrawMatchesWholeScaling()
{
    QFETCH(int, mode);
    QFETCH(QSize, size);
    const QImage source = gradient(320, 240);
    const QImage whole = Resampler::scaled(source, size, mode);
    QImage drawn(size, QImage::Format_RGB32);
    drawn.fill(Qt::black);
    Resampler::drawScaled(source, QRectF(0, 0, 320, 240), drawn, drawn.rect(), mode);
    // Away from the borders, where edge handling may differ, both agree.
    const QRect inner = drawn.rect().adjusted(size.width() / 8, size.height() / 8, -size.width() / 8,
                                              -size.height() / 8);
    const int worst = maxDifference(whole.copy(inner), drawn.copy(inner));
    QVERIFY2(worst <= (Resampler::isHighQuality(mode) && size.width() < 320 ? 24 : 3), qPrintable(QString::number(worst)));
}

void TestResampler::partialDrawAtHighZoomMapsPixelsExactly()
{
    // 500 %: each source pixel covers 5x5 target pixels, whatever part is drawn.
    const QImage source = gradient(100, 100);
    QImage target(50, 50, QImage::Format_RGB32);
    Resampler::drawScaled(source, QRectF(20, 30, 10, 10), target, target.rect(), InterpolationNearest);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            QCOMPARE(target.pixel(x, y), source.pixel(20 + x / 5, 30 + y / 5));
    // A fractional start moves the picture by whole target pixels.
    Resampler::drawScaled(source, QRectF(20.4, 30, 10, 10), target, target.rect(), InterpolationNearest);
    QCOMPARE(target.pixel(2, 0), source.pixel(20, 30));
    QCOMPARE(target.pixel(3, 0), source.pixel(21, 30));
}

void TestResampler::halvesGiveTheOnePassResult_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("part");
    for (int m : {6, 7}) {
        // A box reduction and the filter, and the filter alone.
        QTest::newRow(qPrintable(QString("mode %1 by 3.75").arg(m))) << m << QSize(320, 240) << false;
        QTest::newRow(qPrintable(QString("mode %1 by 1.4").arg(m))) << m << QSize(857, 643) << false;
        QTest::newRow(qPrintable(QString("mode %1 part").arg(m))) << m << QSize(320, 240) << true;
    }
}

void TestResampler::halvesGiveTheOnePassResult()
{
    QFETCH(int, mode);
    QFETCH(QSize, size);
    QFETCH(bool, part);
    // Noise, so that every tap of the filter counts.
    QImage source(1200, 900, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < source.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(source.scanLine(y));
        for (int x = 0; x < source.width(); ++x)
            row[x] = random() | 0xff000000u;
    }
    auto scale = [&] {
        if (!part)
            return Resampler::scaled(source, size, mode);
        QImage drawn(size, QImage::Format_RGB32);
        drawn.fill(Qt::black);
        Resampler::drawScaled(source, QRectF(150, 100, 900, 700), drawn, QRect(10, 5, 300, 233), mode);
        return drawn;
    };
    // One thread in the pool: one pass; two: the halves on two cores.
    QThreadPool *pool = QThreadPool::globalInstance();
    const int threads = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    const QImage onePass = scale();
    pool->setMaxThreadCount(2);
    const QImage inHalves = scale();
    pool->setMaxThreadCount(threads);
    QCOMPARE(inHalves, onePass);
}

QTEST_GUILESS_MAIN(TestResampler)
#include "tst_resampler.moc"
