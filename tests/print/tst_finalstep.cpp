#include "core/print/FinalStepModel.h"

#include <QTest>

Q_DECLARE_METATYPE(quorvel::FrameRect)

using namespace quorvel;

namespace {

QImage photo(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(qRgb(90, 140, 200));
    return img;
}

} // namespace

class TestFinalStep : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void files();
    void imageSetsOrientationAndFrame_data();
    void imageSetsOrientationAndFrame();
    void recomputation();
    void withoutImage();
};

void TestFinalStep::files()
{
    FinalStepModel m(2, {"/p/a.jpg", "/p/b.tif", ""});
    QCOMPARE(m.files().size(), 2);
    QCOMPARE(m.positionText(), QStringLiteral("File(s): 1/2"));
    QVERIFY(!m.hasPrevious() && m.hasNext());
    QVERIFY(!m.previous());
    QCOMPARE(m.proposedFileName(), QStringLiteral("/p/a_10x15.jpg"));
    QVERIFY(m.next());
    QVERIFY(!m.next());
    QCOMPARE(m.positionText(), QStringLiteral("File(s): 2/2"));
    QVERIFY(m.setFormat(35));
    QCOMPARE(m.proposedFileName(), QStringLiteral("/p/b_mobile_176x208.jpg"));

    const FinalStepModel none(2, {});
    QCOMPARE(none.positionText(), QStringLiteral("File(s): 0/0"));
}

void TestFinalStep::imageSetsOrientationAndFrame_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("output");
    QTest::addColumn<FrameRect>("frame");
    QTest::addColumn<float>("zoom"); // 0.9 of the fit into 500 x 400
    QTest::newRow("10x15, landscape photo") << 2 << QSize(600, 400) << QSize(1795, 1205) << FrameRect{0, 0, 595, 400}
                                            << 75.0f;
    QTest::newRow("10x15, portrait photo") << 2 << QSize(400, 600) << QSize(1205, 1795) << FrameRect{0, 0, 400, 595}
                                           << 59.85f;
    QTest::newRow("640x480 keeps its orientation") << 44 << QSize(400, 600) << QSize(640, 480)
                                                   << FrameRect{0, 0, 400, 300} << 59.85f;
    QTest::newRow("Mobile starts 208 wide") << 35 << QSize(400, 600) << QSize(208, 176)
                                            << FrameRect{0, 0, 400, 338} << 59.85f;
}

void TestFinalStep::imageSetsOrientationAndFrame()
{
    QFETCH(int, format);
    QFETCH(QSize, image);
    QFETCH(QSize, output);
    QFETCH(FrameRect, frame);
    QFETCH(float, zoom);
    FinalStepModel m(format, {"/p/a.jpg"});
    m.preview().setViewSize(QSize(500, 400));
    m.setImage(photo(image));
    QCOMPARE(m.parameters().outputSize(), output);
    QCOMPARE(m.frame().rect(), frame);
    QCOMPARE(m.preview().zoom(), zoom);
    QCOMPARE(m.compose().size(), output);
}

void TestFinalStep::recomputation()
{
    FinalStepModel m(2, {"/p/a.jpg"});
    m.setImage(photo(QSize(600, 400)));
    FinalStepModel::Fields fields = m.fields();
    fields.frameWidth = QStringLiteral("0.5"); // 59 pixels at 300 dpi
    m.setFields(fields);
    QCOMPARE(m.frame().border(), 59);

    // Drawing values and the resolution keep the frame where the user put it.
    const FrameRect moved{5, 0, 300, 201};
    m.frame().setRect(moved);
    fields.text = QStringLiteral("Kolka");
    m.setFields(fields);
    QCOMPARE(m.frame().rect(), moved);
    m.setDpiText(QStringLiteral("150"));
    QCOMPARE(m.parameters().outputSize(), QSize(898, 602));
    QCOMPARE(m.frame().outputSize(), QSize(898, 602));
    QCOMPARE(m.frame().border(), 30);
    QCOMPARE(m.frame().rect(), moved);
    QCOMPARE(m.composition().dpi, 150);
    QCOMPARE(m.composition().border, 30);

    // "R", the format and photolab scaling reset it.
    m.toggleOrientation();
    QCOMPARE(m.parameters().outputSize(), QSize(602, 898));
    QCOMPARE(m.frame().rect(), (FrameRect{0, 0, 268, 400}));
    m.frame().setRect(moved);
    m.setPhotolab(false);
    QCOMPARE(m.frame().rect(), (FrameRect{0, 0, 266, 400}));
    m.frame().setRect(moved);
    QVERIFY(!m.setFormat(51));
    QCOMPARE(m.frame().rect(), moved);
    QVERIFY(m.setFormat(48));
    QVERIFY(m.applyCustomSize(CustomSizeCheck::validate(48, QStringLiteral("300"), QStringLiteral("100"))));
    QCOMPARE(m.parameters().outputSize(), QSize(300, 100));
    QCOMPARE(m.frame().rect(), (FrameRect{0, 0, 600, 200}));
    QCOMPARE(m.compose().size(), QSize(300, 100));
}

void TestFinalStep::withoutImage()
{
    FinalStepModel m(2, {"/p/broken.jpg"});
    m.setImage(photo(QSize(600, 400)));
    m.setImage(QImage()); // the next file failed to load
    QVERIFY(!m.hasImage());
    QVERIFY(m.frame().rect().isEmpty());
    QVERIFY(m.compose().isNull());
    // Orientation stays as the last image left it.
    QCOMPARE(m.parameters().outputSize(), QSize(1795, 1205));
}

QTEST_MAIN(TestFinalStep)
#include "tst_finalstep.moc"
