#include "core/print/CustomSizeCheck.h"
#include "core/print/PrintComposer.h"
#include "core/print/PrintFrame.h"
#include "core/print/PrintParameters.h"

#include <QPainter>
#include <QTest>

using namespace quorvel;

Q_DECLARE_METATYPE(quorvel::FrameRect)

namespace {

const QRgb kRed = qRgb(220, 20, 20), kBlue = qRgb(20, 20, 220), kGreen = qRgb(20, 200, 20);
const QRgb kFrameColour = qRgb(250, 240, 10);

// Left half red, right half blue: where the image lands is easy to read.
QImage halves(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(kRed);
    QPainter(&img).fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), QColor(kBlue));
    return img;
}

bool near(QRgb a, QRgb b, int tolerance = 12)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

bool isDark(QRgb c)
{
    return qGray(c) < 128;
}

// The box holding every dark pixel of the image (empty when none).
QRect darkBox(const QImage &img)
{
    int left = img.width(), right = -1, top = img.height(), bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (isDark(row[x])) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

PrintComposition composition(QSize image, FrameRect frame, QSize output)
{
    PrintComposition c;
    c.imageSize = image;
    c.frame = frame;
    c.output = output;
    c.frameColour = QColor(kFrameColour);
    return c;
}

} // namespace

class TestPrintComposer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placement_data();
    void placement();
    void flushPlacementInPixels_data();
    void flushPlacementInPixels();
    void border_data();
    void border();
    void captionCorner_data();
    void captionCorner();
    void outputOfTheSteps_data();
    void outputOfTheSteps();
    void typedLengthsThatCannotBeMeant_data();
    void typedLengthsThatCannotBeMeant();
    void previewDrawsTheSameDecorations();
};

void TestPrintComposer::placement_data()
{
    QTest::addColumn<FrameRect>("frame");
    QTest::addColumn<QRect>("imagePart");
    QTest::addColumn<QRect>("target");
    // A 400 x 300 image into 200 x 150 pixels: s(x) = x * 200 / frame width.
    QTest::newRow("inside: the image fills the output")
        << FrameRect{10, 10, 210, 160} << QRect(10, 10, 200, 150) << QRect(0, 0, 200, 150);
    QTest::newRow("inside, truncated height still fills")
        << FrameRect{0, 0, 301, 225} << QRect(0, 0, 301, 225) << QRect(0, 0, 200, 150);
    QTest::newRow("leaves on the left: flush right")
        << FrameRect{-101, 0, 299, 300} << QRect(0, 0, 299, 300) << QRect(51, 0, 149, 150);
    QTest::newRow("leaves on the right: flush left")
        << FrameRect{101, 0, 501, 300} << QRect(101, 0, 299, 300) << QRect(0, 0, 149, 150);
    QTest::newRow("leaves at the top: flush bottom")
        << FrameRect{0, -60, 400, 240} << QRect(0, 0, 400, 240) << QRect(0, 30, 200, 120);
    QTest::newRow("leaves at the bottom: flush top")
        << FrameRect{0, 100, 400, 400} << QRect(0, 100, 400, 200) << QRect(0, 0, 200, 100);
    QTest::newRow("wider than the image on both sides")
        << FrameRect{-100, 0, 500, 450} << QRect(0, 0, 400, 300) << QRect(33, 0, 133, 100);
    QTest::newRow("beyond a corner")
        << FrameRect{-200, -150, 200, 150} << QRect(0, 0, 200, 150) << QRect(100, 75, 100, 75);
    QTest::newRow("misses the image") << FrameRect{500, 0, 900, 300} << QRect() << QRect();
}

void TestPrintComposer::placement()
{
    QFETCH(FrameRect, frame);
    QFETCH(QRect, imagePart);
    QFETCH(QRect, target);
    const PrintLayout l = PrintLayout::compute(composition(QSize(400, 300), frame, QSize(200, 150)));
    QVERIFY(l.valid);
    QCOMPARE(l.imagePart, imagePart);
    QCOMPARE(l.target, target);
}

void TestPrintComposer::flushPlacementInPixels_data()
{
    QTest::addColumn<FrameRect>("frame");
    QTest::addColumn<QRect>("covered");
    QTest::newRow("inside") << FrameRect{0, 0, 400, 300} << QRect(0, 0, 200, 150);
    QTest::newRow("leaves on the left") << FrameRect{-101, 0, 299, 300} << QRect(51, 0, 149, 150);
    QTest::newRow("leaves at the bottom") << FrameRect{0, 100, 400, 400} << QRect(0, 0, 200, 100);
    QTest::newRow("misses the image") << FrameRect{500, 0, 900, 300} << QRect();
}

void TestPrintComposer::flushPlacementInPixels()
{
    QFETCH(FrameRect, frame);
    QFETCH(QRect, covered);
    const QImage source = halves(QSize(400, 300));
    for (int mode : {int(InterpolationNearest), int(InterpolationHighQualityBicubic)}) {
        PrintComposition c = composition(source.size(), frame, QSize(200, 150));
        c.interpolation = mode;
        const QImage out = PrintComposer::compose(source, c);
        QCOMPARE(out.size(), QSize(200, 150));
        QCOMPARE(out.format(), QImage::Format_RGB32);
        for (int y = 0; y < 150; y += 7) {
            for (int x = 0; x < 200; ++x) {
                const QRgb p = out.pixel(x, y);
                if (!covered.contains(x, y)) {
                    QVERIFY2(p == kFrameColour, qPrintable(QStringLiteral("frame colour expected at %1,%2").arg(x).arg(y)));
                } else if (x == covered.left() || x == covered.right()) {
                    // The image reaches the edge of its part: no frame colour
                    // seeps in.
                    QVERIFY2(near(p, kRed, 40) || near(p, kBlue, 40),
                             qPrintable(QStringLiteral("image expected at %1,%2").arg(x).arg(y)));
                }
            }
        }
        if (covered.isValid()) {
            // The red and blue halves meet where the image's middle lands.
            const int middle = int((200 - frame.left) * qint64(200) / frame.width());
            QVERIFY(near(out.pixel(middle - 4, covered.center().y()), kRed));
            QVERIFY(near(out.pixel(middle + 4, covered.center().y()), kBlue));
        }
    }
}

void TestPrintComposer::border_data()
{
    QTest::addColumn<int>("border");
    QTest::newRow("none") << 0;
    QTest::newRow("one pixel") << 1;
    QTest::newRow("ten pixels") << 10;
    QTest::newRow("half the height covers everything") << 75;
    QTest::newRow("wider than the output leaves no hole") << 140;
}

void TestPrintComposer::border()
{
    QFETCH(int, border);
    const QImage source(QSize(400, 300), QImage::Format_RGB32);
    QImage green = source;
    green.fill(kGreen);
    PrintComposition c = composition(green.size(), FrameRect{0, 0, 400, 300}, QSize(200, 150));
    c.border = border;
    const QImage out = PrintComposer::compose(green, c);
    const QRect inside = 2 * border < 150 ? QRect(border, border, 200 - 2 * border, 150 - 2 * border) : QRect();
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            QCOMPARE(out.pixel(x, y) == kFrameColour, !inside.contains(x, y));
}

void TestPrintComposer::captionCorner_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QPoint>("corner"); // the text's outer corner
    // 10x15 cm landscape at 300 dpi (1795 x 1205), margin 0.2 cm = 24 pixels.
    QTest::newRow("top left") << 0 << QPoint(24, 24);
    QTest::newRow("top right") << 1 << QPoint(1795 - 24, 24);
    QTest::newRow("bottom left") << 2 << QPoint(24, 1205 - 24);
    QTest::newRow("bottom right") << 3 << QPoint(1795 - 24, 1205 - 24);
}

void TestPrintComposer::captionCorner()
{
    QFETCH(int, position);
    QFETCH(QPoint, corner);
    PrintParameters params(2, false);
    params.orientForImage(QSize(600, 400));
    QImage white(600, 400, QImage::Format_RGB32);
    white.fill(Qt::white);
    PrintFrame frame;
    frame.setImageSize(white.size());
    frame.setOutputSize(params.outputSize());
    frame.reset();

    PrintComposition c = composition(white.size(), frame.rect(), params.outputSize());
    c.frameColour = Qt::white;
    c.margin = params.toPixels(QStringLiteral("0.2"), LengthUnit::Centimetres);
    c.caption.text = QStringLiteral("Gulf of Riga, 2004");
    c.caption.height = params.toPixels(QStringLiteral("0.8"), LengthUnit::Centimetres);
    c.position = CaptionPosition(position);
    c.interpolation = InterpolationNearest;
    const QImage out = PrintComposer::compose(white, c);
    QCOMPARE(out.size(), QSize(1795, 1205));

    const PrintLayout l = PrintLayout::compute(c);
    const QRectF text = PrintCaption(c.caption).boundingRect(l.captionBox, l.captionAlignment);
    const bool right = position == 1 || position == 3, bottom = position >= 2;
    QCOMPARE(qRound(right ? text.right() : text.left()), corner.x());
    QCOMPARE(qRound(bottom ? text.bottom() : text.top()), corner.y());
    // One line of the asked height.
    QVERIFY(std::abs(text.height() - c.caption.height) <= 1.5);

    // What is drawn stays in that box and reaches towards its corner.
    const QRect ink = darkBox(out);
    QVERIFY(!ink.isEmpty());
    QVERIFY(text.toAlignedRect().adjusted(-1, -1, 1, 1).contains(ink));
    QVERIFY(ink.width() > text.width() / 2);
}

void TestPrintComposer::outputOfTheSteps_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("photolab");
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QString>("customWidth"); // typed into the size dialog, empty for none
    QTest::addColumn<QString>("customHeight");
    QTest::addColumn<bool>("rotate"); // "R" pressed once
    QTest::addColumn<QSize>("output");
    QTest::addColumn<int>("outputDpi");
    const QSize landscape(600, 400), portrait(400, 600);
    QTest::newRow("9x13 at 300 dpi") << 0 << false << "300" << landscape << "" << "" << false << QSize(1535, 1063) << 300;
    QTest::newRow("9x13 with photolab") << 0 << true << "300" << landscape << "" << "" << false << QSize(1500, 1051)
                                        << 300;
    QTest::newRow("0 dpi is 300") << 0 << false << "0" << landscape << "" << "" << false << QSize(1535, 1063) << 300;
    QTest::newRow("10x15 landscape photo") << 2 << true << "300" << landscape << "" << "" << false << QSize(1795, 1205)
                                           << 300;
    QTest::newRow("10x15 portrait photo") << 2 << true << "300" << portrait << "" << "" << false << QSize(1205, 1795)
                                          << 300;
    QTest::newRow("10x15 portrait photo turned") << 2 << true << "300" << portrait << "" << "" << true
                                                 << QSize(1795, 1205) << 300;
    QTest::newRow("640x480 whatever the resolution") << 44 << true << "600" << portrait << "" << "" << false
                                                     << QSize(640, 480) << 75;
    QTest::newRow("Mobile starts 208 wide") << 35 << true << "300" << portrait << "" << "" << false << QSize(208, 176)
                                            << 75;
    QTest::newRow("Mobile turned") << 35 << true << "300" << landscape << "" << "" << true << QSize(176, 208) << 75;
    QTest::newRow("custom 10 x 10 pixels") << 48 << true << "300" << landscape << "10" << "10" << false
                                           << QSize(10, 10) << 75;
    QTest::newRow("custom 9.9 pixels refused") << 48 << true << "300" << landscape << "9.9" << "10" << false
                                               << QSize(200, 200) << 75;
    QTest::newRow("custom 12,5 cm") << 49 << true << "300" << landscape << "12,5" << "10" << false
                                    << QSize(1476, 1181) << 300;
}

void TestPrintComposer::outputOfTheSteps()
{
    QFETCH(int, format);
    QFETCH(bool, photolab);
    QFETCH(QString, dpi);
    QFETCH(QSize, image);
    QFETCH(QString, customWidth);
    QFETCH(QString, customHeight);
    QFETCH(bool, rotate);
    QFETCH(QSize, output);
    QFETCH(int, outputDpi);

    // As the final step goes: format, size dialog, image loaded, "R".
    PrintParameters params(format, false);
    params.setPhotolab(photolab);
    params.setDpiText(dpi);
    if (!customWidth.isEmpty())
        params.applyCustomSize(CustomSizeCheck::validate(format, customWidth, customHeight));
    const QImage source = halves(image);
    params.orientForImage(source.size());
    if (rotate)
        params.toggleOrientation();

    PrintFrame frame;
    frame.setImageSize(source.size());
    frame.setOutputSize(params.outputSize());
    frame.reset();
    PrintComposition c = composition(source.size(), frame.rect(), params.outputSize());
    c.dpi = params.effectiveDpi();
    c.interpolation = InterpolationNearest;
    const QImage out = PrintComposer::compose(source, c);
    QCOMPARE(out.size(), output);
    QCOMPARE(qRound(out.dotsPerMeterX() * 0.0254), outputDpi);
    QCOMPARE(qRound(out.dotsPerMeterY() * 0.0254), outputDpi);
    // The reset frame lies in the image: no frame colour anywhere.
    QVERIFY(out.pixel(0, 0) != kFrameColour);
    QVERIFY(out.pixel(out.width() - 1, out.height() - 1) != kFrameColour);
}

void TestPrintComposer::typedLengthsThatCannotBeMeant_data()
{
    QTest::addColumn<QString>("border");
    QTest::addColumn<QString>("margin");
    QTest::addColumn<QString>("textHeight");
    QTest::addColumn<bool>("allFrameColour");
    QTest::addColumn<bool>("caption"); // caption ink expected
    QTest::newRow("empty") << "" << "" << "" << false << false;
    QTest::newRow("not numbers") << "wide" << "x" << "tall" << false << false;
    QTest::newRow("negative") << "-2" << "-1" << "-0.8" << false << false;
    QTest::newRow("absurdly large border") << "99999999999999999999" << "0.2" << "0.8" << true << true;
    QTest::newRow("absurdly large margin") << "0" << "99999999999" << "0.8" << false << false;
    // A line thousands of times taller than the output: none of it shows.
    QTest::newRow("absurdly large text") << "0" << "0.2" << "99999999999" << false << false;
}

void TestPrintComposer::typedLengthsThatCannotBeMeant()
{
    QFETCH(QString, border);
    QFETCH(QString, margin);
    QFETCH(QString, textHeight);
    QFETCH(bool, allFrameColour);
    QFETCH(bool, caption);
    PrintParameters params(44, false); // 640 x 480
    QImage source(640, 480, QImage::Format_RGB32);
    source.fill(Qt::white);
    PrintComposition c = composition(source.size(), FrameRect{0, 0, 640, 480}, params.outputSize());
    c.border = params.toPixels(border, LengthUnit::Centimetres);
    c.margin = params.toPixels(margin, LengthUnit::Centimetres);
    c.caption.height = params.toPixels(textHeight, LengthUnit::Centimetres);
    c.caption.text = QStringLiteral("text");
    c.frameColour = QColor(kFrameColour);
    const QImage out = PrintComposer::compose(source, c);
    QCOMPARE(out.size(), QSize(640, 480));
    QCOMPARE(out.pixel(320, 240) == kFrameColour, allFrameColour);
    // No caption from a length that means nothing; a huge one is clipped to
    // the box inside the margin.
    const QRect ink = darkBox(out);
    QCOMPARE(!ink.isEmpty(), caption);
    if (caption)
        QVERIFY(QRect(6, 6, 640 - 12, 480 - 12).contains(ink));
}

void TestPrintComposer::previewDrawsTheSameDecorations()
{
    // The preview draws border and caption through the same layout, scaled
    // onto the frame: at half size it shows the output at half size.
    PrintComposition c = composition(QSize(400, 300), FrameRect{0, 0, 400, 300}, QSize(400, 300));
    c.frameColour = Qt::white;
    c.border = 20;
    c.margin = 30;
    c.caption.text = QStringLiteral("Kolka");
    c.caption.height = 40;
    QImage white(400, 300, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QImage out = PrintComposer::compose(white, c);

    QImage view(300, 250, QImage::Format_RGB32);
    view.fill(Qt::white);
    const QRectF frameOnView(50, 50, 200, 150);
    {
        QPainter p(&view);
        PrintComposer::paintPreviewOverlay(p, QRectF(view.rect()), frameOnView, c);
    }
    // Outside the frame the view is shaded.
    QCOMPARE(view.pixel(10, 10), qRgb(75, 75, 75));
    QCOMPARE(view.pixel(60, 60), qRgb(255, 255, 255));
    const QRect inkOut = darkBox(out);
    const QRect inkView = darkBox(view.copy(frameOnView.toRect())); // inside the frame only
    QVERIFY(!inkOut.isEmpty() && !inkView.isEmpty());
    QVERIFY(std::abs(inkView.right() - inkOut.right() / 2) <= 2);
    QVERIFY(std::abs(inkView.bottom() - inkOut.bottom() / 2) <= 2);
    QVERIFY(std::abs(inkView.left() - inkOut.left() / 2) <= 3);
}

QTEST_MAIN(TestPrintComposer)
#include "tst_printcomposer.moc"
