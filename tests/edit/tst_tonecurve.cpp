#include "core/edit/CurvePlot.h"
#include "core/edit/CurvesAdjustment.h"
#include "core/edit/ToneCurve.h"
#include "core/edit/ToneCurvePresets.h"

#include <QPainter>
#include <QTest>

using namespace quorvel;

namespace {

int rowOf(const char *text)
{
    for (int row = 0; row < ToneCurvePresets::count(); ++row)
        if (qstrcmp(ToneCurvePresets::at(row).text, text) == 0)
            return row;
    return -1;
}

// A picture where every component value occurs, with unequal channels.
QImage gradient(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x + y) & 0xFF, (x * 7 + y * 3) & 0xFF, (255 - x) & 0xFF));
    return format == QImage::Format_RGB32 ? image : image.convertToFormat(format);
}

} // namespace

class TestToneCurve : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void presetTables_data();
    void presetTables();
    void everyPresetStaysInRange();
    void straightCurvesAreIdentity_data();
    void straightCurvesAreIdentity();
    void extendsStraightBeyondEndPoints();
    void refusesBadPoints_data();
    void refusesBadPoints();
    void pixelFunction();
    void applyMatchesPixelFunction_data();
    void applyMatchesPixelFunction();
    void dialogChoices();
    void dialogOkAndCancel();
    void plotGeometry();
};

void TestToneCurve::presetTables_data()
{
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QList<int>>("expected"); // at 0, 32, .., 224, 255
    QTest::newRow("Dark") << "Dark" << QList<int>{0, 17, 36, 59, 87, 123, 165, 209, 255};
    QTest::newRow("High contrast") << "High contrast" << QList<int>{0, 20, 49, 93, 144, 192, 227, 245, 255};
    QTest::newRow("Invert") << "Invert" << QList<int>{255, 218, 183, 148, 115, 85, 55, 27, 0};
}

void TestToneCurve::presetTables()
{
    QFETCH(QString, preset);
    QFETCH(QList<int>, expected);
    const int row = rowOf(qPrintable(preset));
    QVERIFY(row > 0);
    ToneCurve curve;
    QVERIFY(curve.setPoints(ToneCurvePresets::at(row).points));
    const int inputs[] = {0, 32, 64, 96, 128, 160, 192, 224, 255};
    for (int i = 0; i < 9; ++i)
        QCOMPARE(curve.table()[inputs[i]], expected[i]);
}

void TestToneCurve::everyPresetStaysInRange()
{
    QCOMPARE(ToneCurvePresets::count(), 13);
    QCOMPARE(ToneCurvePresets::at(0).data, ToneCurvePresets::kPromptData);
    QCOMPARE(ToneCurvePresets::text(0), QStringLiteral("Click here to select..."));
    for (int row = 1; row < ToneCurvePresets::count(); ++row) {
        QCOMPARE(ToneCurvePresets::at(row).data, row - 1);
        ToneCurve curve;
        QVERIFY2(curve.setPoints(ToneCurvePresets::at(row).points), ToneCurvePresets::at(row).text);
        for (int v : curve.table())
            QVERIFY2(v >= 0 && v <= 255, ToneCurvePresets::at(row).text);
    }
}

void TestToneCurve::straightCurvesAreIdentity_data()
{
    QTest::addColumn<QList<QPointF>>("points");
    QTest::newRow("None") << ToneCurvePresets::at(rowOf("None")).points;
    // Two points give the identity table whatever they are.
    QTest::newRow("two inverted points") << QList<QPointF>{{0, 255}, {255, 0}};
}

void TestToneCurve::straightCurvesAreIdentity()
{
    QFETCH(QList<QPointF>, points);
    ToneCurve curve;
    QVERIFY(curve.setPoints(points));
    QVERIFY(!curve.changesPixels());
    for (int i = 0; i < 256; ++i)
        QCOMPARE(curve.table()[i], i);
    const QImage before = gradient(64, 8);
    QImage image = before;
    curve.apply(image);
    QCOMPARE(image, before);
}

void TestToneCurve::extendsStraightBeyondEndPoints()
{
    // Points that do not reach the ends: outside them the curve continues
    // along the end segments' slopes (here the whole curve is a line).
    ToneCurve curve;
    QVERIFY(curve.setPoints({{50, 60}, {100, 110}, {150, 160}}));
    QCOMPARE(curve.valueAt(0), 10.0);
    QCOMPARE(curve.valueAt(255), 265.0);
    QCOMPARE(curve.table()[0], 10);
    QCOMPARE(curve.table()[255], 265);
    // The pixel function keeps the low byte of an entry beyond 255.
    QCOMPARE(qRed(curve.map(qRgb(255, 0, 0))), 265 & 0xFF);
}

void TestToneCurve::refusesBadPoints_data()
{
    QTest::addColumn<QList<QPointF>>("points");
    QTest::newRow("one point") << QList<QPointF>{{0, 0}};
    QTest::newRow("equal x") << QList<QPointF>{{0, 0}, {100, 50}, {100, 60}, {255, 255}};
    QTest::newRow("decreasing x") << QList<QPointF>{{0, 0}, {200, 50}, {100, 60}, {255, 255}};
    QTest::newRow("value above 255") << QList<QPointF>{{0, 0}, {100, 300}, {255, 255}};
    QTest::newRow("negative x") << QList<QPointF>{{-1, 0}, {100, 50}, {255, 255}};
    QTest::newRow("not a number") << QList<QPointF>{{0, 0}, {qQNaN(), 50}, {255, 255}};
    QList<QPointF> many;
    for (int i = 0; i < ToneCurve::kMaxPoints + 1; ++i)
        many.append(QPointF(i, i));
    QTest::newRow("49 points") << many;
}

void TestToneCurve::refusesBadPoints()
{
    QFETCH(QList<QPointF>, points);
    ToneCurve curve;
    QVERIFY(curve.setPoints(ToneCurvePresets::at(rowOf("Dark")).points));
    const auto table = curve.table();
    QVERIFY(!curve.setPoints(points));
    QCOMPARE(curve.count(), 3);
    QVERIFY(curve.table() == table);
}

void TestToneCurve::pixelFunction()
{
    ToneCurve curve;
    QVERIFY(curve.setPoints(ToneCurvePresets::at(rowOf("Invert")).points));
    QCOMPARE(curve.map(qRgba(0, 255, 0, 0)), qRgba(255, 0, 255, 255));
    QCOMPARE(curve.map(qRgba(255, 0, 255, 17)), qRgba(0, 255, 0, 255));
}

void TestToneCurve::applyMatchesPixelFunction_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("format");
    QTest::newRow("small, one band") << QSize(37, 11) << int(QImage::Format_RGB32);
    QTest::newRow("large, split into bands") << QSize(1031, 777) << int(QImage::Format_RGB32);
    QTest::newRow("fewer rows than bands") << QSize(300000, 3) << int(QImage::Format_RGB32);
    QTest::newRow("24-bit input") << QSize(640, 900) << int(QImage::Format_RGB888);
}

void TestToneCurve::applyMatchesPixelFunction()
{
    QFETCH(QSize, size);
    QFETCH(int, format);
    ToneCurve curve;
    QVERIFY(curve.setPoints(ToneCurvePresets::at(rowOf("Lighten shadows")).points));

    const QImage source = gradient(size.width(), size.height(), QImage::Format(format));
    QImage expected = source.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            expected.setPixel(x, y, curve.map(expected.pixel(x, y)));

    QImage image = source;
    const QImage shared = image; // the pass must not write into a shared copy
    curve.apply(image);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QVERIFY(image == expected);
    QVERIFY(shared == source);
}

void TestToneCurve::dialogChoices()
{
    CurvesAdjustment dialog;
    QCOMPARE(dialog.presetRow(), 0);
    QVERIFY(!dialog.isModified());

    // The prompt after a preset keeps the preset's curve, yet marks a change.
    QVERIFY(dialog.choosePreset(rowOf("Bright")));
    const auto bright = dialog.curve().table();
    QVERIFY(dialog.choosePreset(0));
    QVERIFY(dialog.isModified());
    QVERIFY(dialog.curve().table() == bright);

    // Rows outside the list are ignored.
    QVERIFY(!dialog.choosePreset(ToneCurvePresets::count()));
    QVERIFY(!dialog.choosePreset(-1));
    QCOMPARE(dialog.presetRow(), 0);

    dialog.choosePreset(rowOf("Dark"));
    dialog.reset();
    QCOMPARE(dialog.presetRow(), 0);
    QVERIFY(!dialog.curve().changesPixels());
    const QImage image = gradient(20, 20);
    QCOMPARE(dialog.workingCopy(image), image);
}

void TestToneCurve::dialogOkAndCancel()
{
    const QImage original = gradient(40, 30);

    // Nothing chosen: OK ends as cancelled and changes nothing.
    {
        CurvesAdjustment dialog;
        QImage edited = original;
        QVERIFY(!dialog.accept(edited));
        QCOMPARE(edited, original);
    }
    // "None" and "Reset" are changes that leave every pixel as it was.
    for (const bool viaReset : {false, true}) {
        CurvesAdjustment dialog;
        if (viaReset) {
            dialog.choosePreset(rowOf("Invert"));
            dialog.reset();
        } else {
            dialog.choosePreset(rowOf("None"));
        }
        QImage edited = original;
        QVERIFY(dialog.accept(edited));
        QCOMPARE(edited, original);
    }
    // The preview works on a copy; only OK touches the edited image.
    {
        CurvesAdjustment dialog;
        dialog.choosePreset(rowOf("Invert"));
        QImage edited = original;
        const QImage preview = dialog.workingCopy(edited);
        QCOMPARE(edited, original);
        QCOMPARE(qRed(preview.pixel(0, 0)), 255 - qRed(original.pixel(0, 0)));
        QVERIFY(dialog.accept(edited));
        QCOMPARE(edited, preview);
    }
}

void TestToneCurve::plotGeometry()
{
    QImage canvas(300, 300, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    const QRect area = CurvePlot::areaIn(QRect(10, 10, 280, 280));
    QCOMPARE(area, QRect(10, 10, 256, 256));

    ToneCurve curve;
    QVERIFY(curve.setPoints(ToneCurvePresets::at(rowOf("Invert")).points));
    {
        QPainter painter(&canvas);
        CurvePlot::paint(painter, area, curve);
    }
    const auto black = [&](int x, int y) { return canvas.pixel(x, y) == qRgb(0, 0, 0); };
    // Frame: two pixels out at the left and bottom, one at the top and right.
    QVERIFY(black(8, 100) && !black(9, 100));
    QVERIFY(black(266, 100) && !black(267, 100));
    QVERIFY(black(100, 9) && !black(100, 8));
    QVERIFY(black(100, 267) && !black(100, 266) && !black(100, 268));
    // Curve: input i at x = left + i, value v at y = bottom - v.
    for (int i : {0, 64, 128, 192, 255})
        QVERIFY(black(10 + i, 265 - curve.table()[i]));
    // The middle control point's 5 x 5 square.
    QCOMPARE(CurvePlot::marker(area, QPointF(122, 122)), QRect(QPoint(130, 141), QPoint(134, 145)));
    QVERIFY(black(130, 141) && black(134, 145) && black(130, 145));
}

QTEST_GUILESS_MAIN(TestToneCurve)
#include "tst_tonecurve.moc"
