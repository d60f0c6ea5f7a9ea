#include "core/imaging/ImageViewModel.h"
#include "core/imaging/ZoomMath.h"
#include "core/settings/AppSettings.h"

#include <QPainter>
#include <QTest>

using namespace quorvel;

namespace {
QImage solid(int w, int h, QColor c = Qt::darkCyan)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}
} // namespace

class TestDisplayEngine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void zoomSteps_data();
    void zoomSteps();
    void fitInView_data();
    void fitInView();
    void lockedZoomCarriesToNextImage();
    void zoomCommandsRememberTheirZoom();
    void heightOnlyResizeKeepsZoom();
    void panIsClampedAtTheEdges();
    void smallImageCannotBeDragged();
    void panAtHighZoomPreparesOnlyTheView();
    void imageInsideViewIsCentredAndFramed();
    void rebuildOnlyWhenSomethingChanged();
    void drawFittedLosesOddPixel();
};

void TestDisplayEngine::zoomSteps_data()
{
    QTest::addColumn<float>("from");
    QTest::addColumn<float>("in");
    QTest::addColumn<float>("out");
    QTest::newRow("100") << 100.f << 150.f << 70.f;
    QTest::newRow("120 after fit") << 120.f << 150.f << 100.f;
    QTest::newRow("7") << 7.f << 10.f << 3.f;
    QTest::newRow("3.2 initial") << 3.2f << 7.f << 3.f;
    QTest::newRow("at 500 nothing") << 500.f << 500.f << 300.f;
    QTest::newRow("at 3 nothing") << 3.f << 7.f << 3.f;
}

void TestDisplayEngine::zoomSteps()
{
    QFETCH(float, from);
    QFETCH(float, in);
    QFETCH(float, out);
    QCOMPARE(zoom::stepIn(from), in);
    QCOMPARE(zoom::stepOut(from), out);
    QCOMPARE(zoom::canZoomIn(from), from < 500);
    QCOMPARE(zoom::canZoomOut(from), from > 3);
}

void TestDisplayEngine::fitInView_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QSize>("zoomed");
    // A view window of 804 x 604, 800 x 600 inside the margin.
    QTest::newRow("4000x3000 at 20%") << QSize(4000, 3000) << 20.f << QSize(800, 600);
    QTest::newRow("400x300 not enlarged") << QSize(400, 300) << 100.f << QSize(400, 300);
    QTest::newRow("portrait") << QSize(3000, 4000) << 15.f << QSize(450, 600);
    QTest::newRow("wide panorama") << QSize(8000, 1000) << 10.f << QSize(800, 100);
}

void TestDisplayEngine::fitInView()
{
    QFETCH(QSize, image);
    QFETCH(float, zoom);
    QFETCH(QSize, zoomed);
    ImageViewModel model;
    model.resize(QSize(804, 604));
    model.showImage(solid(image.width(), image.height()));
    QCOMPARE(model.zoom(), zoom);
    QCOMPARE(model.engine().zoomedSize(), zoomed);
}

void TestDisplayEngine::lockedZoomCarriesToNextImage()
{
    ImageViewModel model;
    model.resize(QSize(804, 604));
    model.showImage(solid(4000, 3000));
    model.applyZoom(50);
    model.toggleLock();
    QVERIFY(model.isLocked());
    model.showImage(solid(640, 480));
    QCOMPARE(model.zoom(), 50.f);
    model.toggleLock();
    model.showImage(solid(4000, 3000));
    QCOMPARE(model.zoom(), 20.f);
}

void TestDisplayEngine::zoomCommandsRememberTheirZoom()
{
    ImageViewModel model;
    model.resize(QSize(804, 604));
    QVERIFY(!model.canZoomIn()); // no image yet
    model.showImage(solid(4000, 3000));
    QVERIFY(model.zoomIn());
    QCOMPARE(model.zoom(), 30.f);
    QVERIFY(model.fullSize());
    QCOMPARE(model.zoom(), 100.f);
    // Fit width uses the whole window, and never enlarges beyond 100 %.
    QVERIFY(model.fitWidth());
    QCOMPARE(model.zoom(), 20.1f);
    model.showImage(solid(100, 50));
    QVERIFY(model.fitWidth());
    QCOMPARE(model.zoom(), 100.f);
    QCOMPARE(model.rememberedZoom(), 804.f);
}

void TestDisplayEngine::heightOnlyResizeKeepsZoom()
{
    ImageViewModel model;
    model.resize(QSize(804, 604));
    model.showImage(solid(4000, 3000));
    QVERIFY(model.zoomIn());
    QCOMPARE(model.zoom(), 30.f);
    QVERIFY(!model.resize(QSize(804, 300)));
    QCOMPARE(model.zoom(), 30.f);
    QVERIFY(model.resize(QSize(604, 300)));
    QCOMPARE(model.zoom(), 9.85f); // 394 of 4000 pixels fit in 600x296
}

void TestDisplayEngine::panIsClampedAtTheEdges()
{
    ImageViewModel model;
    model.resize(QSize(804, 604));
    model.showImage(solid(4000, 3000));
    model.fullSize(); // 4000x3000 in 800x600
    QVERIFY(model.canDrag());
    QVERIFY(model.beginDrag(QPoint(400, 300)));
    QVERIFY(model.dragTo(QPoint(400 + 100000, 300 - 100000)));
    QCOMPARE(model.pan(), QPoint(2000 - 400, 300 - 1500));
    // The image's left edge meets the client area's left edge exactly.
    QCOMPARE(model.imageRect().left(), model.clientRect().left());
    QCOMPARE(model.imageRect().bottom(), model.clientRect().bottom());
    QVERIFY(!model.dragTo(QPoint(400 + 100001, 300 - 100001))); // already at the edge
    model.endDrag();
    QVERIFY(!model.dragTo(QPoint(0, 0)));
}

void TestDisplayEngine::smallImageCannotBeDragged()
{
    ImageViewModel model;
    model.resize(QSize(804, 604));
    model.showImage(solid(640, 480));
    QCOMPARE(model.zoom(), 100.f);
    QVERIFY(!model.canDrag());
    QVERIFY(!model.beginDrag(QPoint(10, 10)));
    QVERIFY(!model.dragTo(QPoint(50, 50)));
    QCOMPARE(model.pan(), QPoint());
    // Wider than the view but not taller: dragging sideways only.
    model.showImage(solid(4000, 200));
    model.fullSize();
    QVERIFY(model.beginDrag(QPoint(0, 0)));
    model.dragTo(QPoint(300, 300));
    QCOMPARE(model.pan(), QPoint(300, 0));
}

void TestDisplayEngine::panAtHighZoomPreparesOnlyTheView()
{
    ImageViewModel model;
    const QSize view(1600, 1000);
    model.resize(view);
    model.showImage(solid(6000, 4000)); // 24 megapixels
    model.applyZoom(500);
    model.prepareForPaint(InterpolationHighQualityBicubic);
    const qint64 viewPixels = qint64(view.width()) * view.height();
    QVERIFY(model.engine().preparedPixels() <= viewPixels);
    QVERIFY(model.beginDrag(QPoint(800, 500)));
    for (int step = 1; step <= 5; ++step) {
        QVERIFY(model.dragTo(QPoint(800 - step * 37, 500 - step * 23)));
        const int before = model.engine().preparationCount();
        model.prepareForPaint(InterpolationHighQualityBicubic);
        QCOMPARE(model.engine().preparationCount(), before + 1);
        QVERIFY(model.engine().preparedPixels() <= viewPixels);
    }
}

void TestDisplayEngine::imageInsideViewIsCentredAndFramed()
{
    ImageViewModel model;
    model.resize(QSize(804, 604));
    model.showImage(solid(400, 300, Qt::red));
    const QRegion background = model.prepareForPaint(InterpolationBilinear);
    const DisplayEngine &engine = model.engine();
    QCOMPARE(engine.displayBitmap().size(), QSize(400, 300));
    QCOMPARE(engine.displayPosition(), QPoint(202, 152));
    QVERIFY(!background.contains(QPoint(402, 302)));
    QVERIFY(background.contains(QPoint(201, 151)));
    QVERIFY(background.contains(QPoint(1, 1))); // the margin
    QCOMPARE(engine.displayBitmap().pixelColor(200, 150), QColor(Qt::red));
}

void TestDisplayEngine::rebuildOnlyWhenSomethingChanged()
{
    ImageViewModel model;
    model.resize(QSize(804, 604));
    model.showImage(solid(400, 300));
    model.prepareForPaint(InterpolationBicubic);
    const int prepared = model.engine().preparationCount();
    model.prepareForPaint(InterpolationBicubic);
    QCOMPARE(model.engine().preparationCount(), prepared); // a plain repaint only copies
    model.prepareForPaint(InterpolationNearest);
    QCOMPARE(model.engine().preparationCount(), prepared + 1);
    model.resize(QSize(804, 700)); // height only: same zoom, moved
    model.prepareForPaint(InterpolationNearest);
    QCOMPARE(model.engine().preparationCount(), prepared + 2);
    QCOMPARE(model.engine().displayPosition(), QPoint(202, 200));
}

void TestDisplayEngine::drawFittedLosesOddPixel()
{
    QImage canvas(200, 200, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    const QRect drawn = drawFitted(painter, solid(301, 101, Qt::blue), QRect(0, 0, 101, 101));
    painter.end();
    // 301x101 fitted into 101x101 is 101x34; halves 50 and 17 give 100x34.
    QCOMPARE(drawn, QRect(0, 33, 100, 34));
    QCOMPARE(canvas.pixelColor(50, 50), QColor(Qt::blue));
    QCOMPARE(canvas.pixelColor(100, 50), QColor(Qt::white));
    QCOMPARE(canvas.pixelColor(50, 32), QColor(Qt::white));
}

QTEST_GUILESS_MAIN(TestDisplayEngine)
#include "tst_displayengine.moc"
