#include "core/print/FramePreview.h"
#include "core/print/FrameTracker.h"
#include "core/print/PrintFrame.h"

#include <QTest>

using namespace quorvel;

Q_DECLARE_METATYPE(quorvel::FrameRect)
Q_DECLARE_METATYPE(quorvel::PrintFrame::Handle)
Q_DECLARE_METATYPE(quorvel::PrintFrame::Alignment)

namespace QTest {
template<>
char *toString(const quorvel::FrameRect &r)
{
    return qstrdup(qPrintable(r.toString()));
}
} // namespace QTest

namespace {

using Handle = PrintFrame::Handle;
using Align = PrintFrame::Alignment;

// A 400 x 300 image framed for a 4:3 output of 200 x 150 pixels: one output
// pixel is two image pixels across a full-width frame.
PrintFrame smallFrame(int border = 0, bool allowOutside = false)
{
    PrintFrame f;
    f.setImageSize(QSize(400, 300));
    f.setOutputSize(QSize(200, 150));
    f.setBorder(border);
    f.setAllowOutside(allowOutside);
    return f;
}

} // namespace

class TestPrintFrame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reset_data();
    void reset();
    void tracking_data();
    void tracking();
    void alignment_data();
    void alignment();
    void previewZoom();
    void previewMapping_data();
    void previewMapping();
    void trackerHits_data();
    void trackerHits();
    void trackerDrags();
};

void TestPrintFrame::reset_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("output");
    QTest::addColumn<FrameRect>("expected");
    // 10x15 cm at 300 dpi with photolab scaling, each way round.
    QTest::newRow("landscape photo, landscape output") << QSize(4000, 3000) << QSize(1795, 1205)
                                                       << FrameRect{0, 0, 4000, 2685};
    QTest::newRow("panorama: height limits") << QSize(4000, 2000) << QSize(1795, 1205) << FrameRect{0, 0, 2979, 2000};
    QTest::newRow("portrait photo, portrait output") << QSize(3000, 4000) << QSize(1205, 1795)
                                                     << FrameRect{0, 0, 2685, 4000};
    QTest::newRow("portrait photo turned with R: width limits") << QSize(3000, 4000) << QSize(1795, 1205)
                                                                << FrameRect{0, 0, 3000, 2013};
    QTest::newRow("square photo counts as high") << QSize(500, 500) << QSize(208, 176) << FrameRect{0, 0, 500, 423};
    QTest::newRow("same proportions: whole image") << QSize(400, 300) << QSize(200, 150) << FrameRect{0, 0, 400, 300};
    QTest::newRow("no image") << QSize() << QSize(1795, 1205) << FrameRect{};
    // A thread-thin output must still give a frame that has an inside.
    QTest::newRow("extreme proportions keep a pixel") << QSize(4000, 3000) << QSize(1, 16384)
                                                      << FrameRect{0, 0, 1, 3000};
}

void TestPrintFrame::reset()
{
    QFETCH(QSize, image);
    QFETCH(QSize, output);
    QFETCH(FrameRect, expected);
    PrintFrame f;
    f.setImageSize(image);
    f.setOutputSize(output);
    f.setRect({5, 5, 10, 10});
    f.reset();
    QCOMPARE(f.rect(), expected);
    if (!expected.isEmpty()) {
        // The frame has the output's proportions, to the truncated pixel.
        QCOMPARE(f.heightFor(f.rect().width()) == f.rect().height() || f.widthFor(f.rect().height()) == f.rect().width(),
                 true);
    }
}

void TestPrintFrame::tracking_data()
{
    QTest::addColumn<Handle>("handle");
    QTest::addColumn<FrameRect>("proposed");
    QTest::addColumn<int>("border");
    QTest::addColumn<bool>("allowOutside");
    QTest::addColumn<FrameRect>("expected");
    QTest::newRow("bottom-right corner: height follows")
        << Handle::BottomRight << FrameRect{0, 0, 200, 100} << 0 << false << FrameRect{0, 0, 200, 150};
    QTest::newRow("top-left corner: top follows")
        << Handle::TopLeft << FrameRect{50, 20, 250, 200} << 0 << false << FrameRect{50, 50, 250, 200};
    QTest::newRow("left edge: bottom follows")
        << Handle::Left << FrameRect{40, 10, 240, 50} << 0 << false << FrameRect{40, 10, 240, 160};
    QTest::newRow("bottom edge: right follows")
        << Handle::Bottom << FrameRect{0, 0, 300, 120} << 0 << false << FrameRect{0, 0, 160, 120};
    QTest::newRow("right edge beyond the image stops at it")
        << Handle::Right << FrameRect{0, 0, 500, 10} << 0 << false << FrameRect{0, 0, 400, 300};
    QTest::newRow("corner beyond both edges")
        << Handle::BottomRight << FrameRect{100, 100, 450, 400} << 0 << false << FrameRect{100, 100, 366, 300};
    QTest::newRow("top edge: the width it brings stops at the image")
        << Handle::Top << FrameRect{200, -40, 300, 200} << 0 << false << FrameRect{200, 50, 400, 200};
    QTest::newRow("outside allowed")
        << Handle::BottomRight << FrameRect{100, 100, 450, 400} << 0 << true << FrameRect{100, 100, 450, 362};
    QTest::newRow("border widens the permitted area")
        << Handle::Right << FrameRect{0, 0, 500, 10} << 20 << false << FrameRect{0, 0, 440, 330};
    QTest::newRow("left edge dragged past the right one")
        << Handle::Left << FrameRect{350, 50, 300, 50} << 0 << false << FrameRect{300, 50, 350, 87};
    QTest::newRow("move is shifted back, size kept")
        << Handle::Middle << FrameRect{-50, -20, 150, 130} << 0 << false << FrameRect{0, 0, 200, 150};
    QTest::newRow("move past the far corner")
        << Handle::Middle << FrameRect{300, 250, 500, 400} << 0 << false << FrameRect{200, 150, 400, 300};
    QTest::newRow("move within the border")
        << Handle::Middle << FrameRect{-50, -50, 150, 100} << 20 << false << FrameRect{-20, -20, 180, 130};
    QTest::newRow("move outside allowed")
        << Handle::Middle << FrameRect{-50, -20, 150, 130} << 0 << true << FrameRect{-50, -20, 150, 130};
}

void TestPrintFrame::tracking()
{
    QFETCH(Handle, handle);
    QFETCH(FrameRect, proposed);
    QFETCH(int, border);
    QFETCH(bool, allowOutside);
    QFETCH(FrameRect, expected);
    PrintFrame f = smallFrame(border, allowOutside);
    f.reset();
    f.track(handle, proposed);
    QCOMPARE(f.rect(), expected);
    if (!allowOutside) {
        const FrameRect area = f.permittedArea(f.rect().width());
        QVERIFY(f.rect().left >= area.left && f.rect().top >= area.top);
        QVERIFY(f.rect().right <= area.right && f.rect().bottom <= area.bottom);
    }
}

void TestPrintFrame::alignment_data()
{
    QTest::addColumn<Align>("alignment");
    QTest::addColumn<int>("border");
    QTest::addColumn<FrameRect>("expected");
    // The frame starts at (50, 50, 250, 200) over the 400 x 300 image; a
    // border of 20 output pixels is 20 image pixels for this frame.
    QTest::newRow("HL") << Align::Left << 0 << FrameRect{0, 50, 200, 200};
    QTest::newRow("HL with border") << Align::Left << 20 << FrameRect{-20, 50, 180, 200};
    QTest::newRow("HR") << Align::Right << 0 << FrameRect{200, 50, 400, 200};
    QTest::newRow("HR with border") << Align::Right << 20 << FrameRect{220, 50, 420, 200};
    QTest::newRow("HC") << Align::HorizontalCentre << 20 << FrameRect{100, 50, 300, 200};
    QTest::newRow("VT with border") << Align::Top << 20 << FrameRect{50, -20, 250, 130};
    QTest::newRow("VB with border") << Align::Bottom << 20 << FrameRect{50, 170, 250, 320};
    QTest::newRow("VC") << Align::VerticalCentre << 0 << FrameRect{50, 75, 250, 225};
    QTest::newRow("SW") << Align::ImageWidth << 0 << FrameRect{0, 50, 400, 350};
    // 400 / (200 / 20 - 2) = 50 extra on each side: the image fills the
    // inside of the border exactly.
    QTest::newRow("SW with border") << Align::ImageWidth << 20 << FrameRect{-50, 50, 450, 425};
    QTest::newRow("SH with border") << Align::ImageHeight << 20 << FrameRect{50, -54, 594, 354};
    // A border of half the output leaves no inside to fill.
    QTest::newRow("SW, border half the output") << Align::ImageWidth << 100 << FrameRect{0, 50, 400, 350};
    QTest::newRow("SH, border beyond half the output") << Align::ImageHeight << 120 << FrameRect{50, 0, 450, 300};
}

void TestPrintFrame::alignment()
{
    QFETCH(Align, alignment);
    QFETCH(int, border);
    QFETCH(FrameRect, expected);
    PrintFrame f = smallFrame(border);
    f.setRect({50, 50, 250, 200});
    f.align(alignment);
    QCOMPARE(f.rect(), expected);
}

void TestPrintFrame::previewZoom()
{
    FramePreview p;
    p.setViewSize(QSize(800, 600));
    p.setPan(QPoint(30, 40));
    p.setImageSize(QSize(4000, 3000)); // fits at 20 %
    QCOMPARE(p.zoom(), 18.0f);
    QCOMPARE(p.pan(), QPoint());

    QVERIFY(p.zoomIn());
    QCOMPARE(p.zoom(), 20.0f);
    QVERIFY(p.zoomIn());
    QCOMPARE(p.zoom(), 30.0f);
    p.setPan(QPoint(10, 10));
    QVERIFY(p.zoomIn());
    QCOMPARE(p.pan(), QPoint(10, 10)); // zooming in keeps the pan
    QVERIFY(p.zoomOut());
    QCOMPARE(p.zoom(), 30.0f);
    QCOMPARE(p.pan(), QPoint()); // zooming out resets it

    while (p.zoomIn()) {
    }
    QCOMPARE(p.zoom(), 500.0f);
    while (p.zoomOut()) {
    }
    QCOMPARE(p.zoom(), 3.0f);
    QVERIFY(!p.zoomOut());
    p.fit();
    QCOMPARE(p.zoom(), 18.0f);
}

void TestPrintFrame::previewMapping_data()
{
    QTest::addColumn<QPoint>("pan");
    QTest::addColumn<QPoint>("imagePoint");
    QTest::addColumn<QPointF>("viewPoint");
    // At 18 % the 4000 x 3000 image is 720 x 540, centred in 800 x 600.
    QTest::newRow("origin") << QPoint() << QPoint(0, 0) << QPointF(40, 30);
    QTest::newRow("far corner") << QPoint() << QPoint(4000, 3000) << QPointF(760, 570);
    QTest::newRow("inside") << QPoint() << QPoint(1000, 500) << QPointF(220, 120);
    QTest::newRow("panned") << QPoint(-100, 20) << QPoint(1000, 500) << QPointF(120, 140);
    QTest::newRow("outside the image") << QPoint() << QPoint(-500, 0) << QPointF(-50, 30);
}

void TestPrintFrame::previewMapping()
{
    QFETCH(QPoint, pan);
    QFETCH(QPoint, imagePoint);
    QFETCH(QPointF, viewPoint);
    FramePreview p;
    p.setViewSize(QSize(800, 600));
    p.setImageSize(QSize(4000, 3000));
    p.setPan(pan);
    QCOMPARE(p.toView(QPointF(imagePoint)), viewPoint);
    QCOMPARE(p.toImage(viewPoint), imagePoint);
    // One screen pixel is 5.6 image pixels; positions are rounded.
    QCOMPARE(p.toImage(viewPoint + QPointF(0.08, 0.08)), imagePoint); // 0.44 image pixels
    QCOMPARE(p.toImage(viewPoint + QPointF(0.1, 0.1)), imagePoint + QPoint(1, 1));
    QCOMPARE(p.imageRect(), QRect(40 + pan.x(), 30 + pan.y(), 720, 540));
}

void TestPrintFrame::trackerHits_data()
{
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<int>("handle"); // -1: nothing
    // The frame (0, 0, 2000, 1500) lies at (40, 30)-(400, 300) on screen.
    QTest::newRow("top-left corner") << QPointF(41, 29) << int(Handle::TopLeft);
    QTest::newRow("bottom-right corner") << QPointF(403, 303) << int(Handle::BottomRight);
    QTest::newRow("right edge middle") << QPointF(400, 165) << int(Handle::Right);
    QTest::newRow("top edge middle") << QPointF(220, 30) << int(Handle::Top);
    QTest::newRow("inside") << QPointF(200, 200) << int(Handle::Middle);
    QTest::newRow("outside") << QPointF(500, 200) << -1;
    QTest::newRow("on the edge away from a handle") << QPointF(100, 30) << int(Handle::Middle);
}

void TestPrintFrame::trackerHits()
{
    QFETCH(QPointF, at);
    QFETCH(int, handle);
    PrintFrame f = smallFrame();
    f.setImageSize(QSize(4000, 3000));
    f.setOutputSize(QSize(400, 300));
    f.setRect({0, 0, 2000, 1500});
    FramePreview p;
    p.setViewSize(QSize(800, 600));
    p.setImageSize(QSize(4000, 3000));
    const FrameTracker t(f, p);
    const auto hit = t.hitTest(at);
    QCOMPARE(hit ? int(*hit) : -1, handle);
}

void TestPrintFrame::trackerDrags()
{
    PrintFrame f;
    f.setImageSize(QSize(4000, 3000));
    f.setOutputSize(QSize(400, 300));
    f.setRect({0, 0, 2000, 1500});
    FramePreview p;
    p.setViewSize(QSize(800, 600));
    p.setImageSize(QSize(4000, 3000)); // 18 %: 1 screen pixel = 5.56 image pixels
    FrameTracker t(f, p);

    // A move follows the mouse in image pixels.
    QVERIFY(t.press(QPointF(200, 200)));
    t.moveTo(QPointF(218, 209));
    QCOMPARE(f.rect(), (FrameRect{100, 50, 2100, 1550}));
    QVERIFY(t.release(QPointF(218, 209)));
    QVERIFY(!t.isTracking());

    // A move beyond the image stops at its edge.
    QVERIFY(t.press(QPointF(200, 200)));
    QVERIFY(t.release(QPointF(900, 200)));
    QCOMPARE(f.rect(), (FrameRect{2000, 50, 4000, 1550}));

    // Resizing by the bottom-left corner keeps the proportions and the top.
    f.setRect({0, 0, 2000, 1500});
    QVERIFY(t.press(QPointF(40, 300)));
    QVERIFY(t.release(QPointF(130, 250)));
    QCOMPARE(f.rect(), (FrameRect{500, 0, 2000, 1125}));

    // Ending smaller than 10 screen pixels puts the frame back.
    QVERIFY(t.press(QPointF(130, 30)));
    t.moveTo(QPointF(396, 230));
    QCOMPARE(f.rect().width(), 22);
    QVERIFY(!t.release(QPointF(396, 230)));
    QCOMPARE(f.rect(), (FrameRect{500, 0, 2000, 1125}));

    // A press off the frame starts nothing.
    QVERIFY(!t.press(QPointF(700, 500)));
    t.moveTo(QPointF(10, 10));
    QVERIFY(!t.release(QPointF(10, 10)));
    QCOMPARE(f.rect(), (FrameRect{500, 0, 2000, 1125}));
}

QTEST_GUILESS_MAIN(TestPrintFrame)
#include "tst_printframe.moc"
