#include "core/print/LengthConversion.h"
#include "core/print/LengthUnit.h"
#include "core/print/OutputFormat.h"

#include <QTest>

#include <optional>

using namespace quorvel;

Q_DECLARE_METATYPE(std::optional<QString>)

class TestPrintLengths : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void unitLists_data();
    void unitLists();
    void toPixels_data();
    void toPixels();
    void spinStep_data();
    void spinStep();
    void spinPosition_data();
    void spinPosition();
};

void TestPrintLengths::unitLists_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("row");
    QTest::newRow("Pixels") << 0 << 0;
    QTest::newRow("Cm") << 1 << 1;
    QTest::newRow("Inch is last") << 2 << 3;
    QTest::newRow("Mm comes before Inch") << 3 << 2;
    QTest::newRow("unknown code") << 7 << 0;
}

void TestPrintLengths::unitLists()
{
    QFETCH(int, stored);
    QFETCH(int, row);
    QCOMPARE(lengthUnitStartRow(stored), row);
    const auto &order = lengthUnitListOrder();
    QStringList texts;
    for (LengthUnit unit : order)
        texts << lengthUnitText(unit);
    QCOMPARE(texts, (QStringList{"Pixels", "Cm", "Mm", "Inch"}));
}

void TestPrintLengths::toPixels_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("unit"); // -1: the unit list has no selection
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("expected");
    const int px = int(LengthUnit::Pixels), cm = int(LengthUnit::Centimetres), inch = int(LengthUnit::Inches),
              mm = int(LengthUnit::Millimetres);
    QTest::newRow("pixels as typed") << "5" << px << 300 << 5;
    QTest::newRow("pixels take the whole part") << "320.7" << px << 300 << 320;
    QTest::newRow("margin 0.2 cm") << "0.2" << cm << 300 << 24;
    QTest::newRow("text height 0.8 cm") << "0.8" << cm << 300 << 94;
    QTest::newRow("cm at the pixel formats' 75 dpi") << "1" << cm << 75 << 30;
    QTest::newRow("inch") << "1" << inch << 300 << 300;
    QTest::newRow("inch, exact half rounds down") << "2.5" << inch << 75 << 187;
    QTest::newRow("mm") << "10" << mm << 300 << 118;
    QTest::newRow("decimal comma") << "0,5" << cm << 300 << 59;
    QTest::newRow("number followed by text") << " 2 cm" << cm << 300 << 236;
    QTest::newRow("no unit selected") << "5" << -1 << 300 << 0;
    // Lengths that cannot be meant are ignored or bounded.
    QTest::newRow("empty") << "" << cm << 300 << 0;
    QTest::newRow("not a number") << "abc" << inch << 300 << 0;
    QTest::newRow("negative") << "-1" << cm << 300 << 0;
    QTest::newRow("absurdly large") << "99999999999999999999999999" << inch << 300 << PrintLimits::kMaxSide;
    QTest::newRow("overflowing digits") << QString(400, QLatin1Char('9')) << px << 300 << PrintLimits::kMaxSide;
}

void TestPrintLengths::toPixels()
{
    QFETCH(QString, text);
    QFETCH(int, unit);
    QFETCH(int, dpi);
    const std::optional<LengthUnit> u = unit < 0 ? std::nullopt : std::optional(LengthUnit(unit));
    QTEST(LengthConversion::toPixels(text, u, dpi), "expected");
}

void TestPrintLengths::spinStep_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("direction");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<std::optional<QString>>("expected");
    const int px = int(LengthUnit::Pixels), cm = int(LengthUnit::Centimetres), inch = int(LengthUnit::Inches),
              mm = int(LengthUnit::Millimetres);
    QTest::newRow("cm up") << "0.8" << cm << 1 << 0.2 << std::optional<QString>("0.9");
    QTest::newRow("cm down to the minimum") << "0.3" << cm << -1 << 0.2 << std::optional<QString>("0.2");
    QTest::newRow("cm below the minimum") << "0.2" << cm << -1 << 0.2 << std::optional<QString>();
    QTest::newRow("inch rounded to a tenth") << "1.04" << inch << -1 << 0.0 << std::optional<QString>("0.9");
    QTest::newRow("pixels up") << "5" << px << 1 << 0.0 << std::optional<QString>("6");
    QTest::newRow("pixels below zero") << "0" << px << -1 << 0.0 << std::optional<QString>();
    QTest::newRow("mm down") << "2" << mm << -1 << 0.0 << std::optional<QString>("1");
    QTest::newRow("empty counts as 0") << "" << cm << 1 << 0.0 << std::optional<QString>("0.1");
}

void TestPrintLengths::spinStep()
{
    QFETCH(QString, text);
    QFETCH(int, unit);
    QFETCH(int, direction);
    QFETCH(double, minimum);
    QFETCH(std::optional<QString>, expected);
    QCOMPARE(LengthConversion::spinStep(text, LengthUnit(unit), direction, minimum), expected);
}

void TestPrintLengths::spinPosition_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("expected");
    QTest::newRow("cm in tenths") << "0.8" << int(LengthUnit::Centimetres) << 8;
    QTest::newRow("pixels as they are") << "12" << int(LengthUnit::Pixels) << 12;
    QTest::newRow("beyond the range") << "2000" << int(LengthUnit::Pixels) << 1024;
    QTest::newRow("negative") << "-3" << int(LengthUnit::Inches) << 0;
}

void TestPrintLengths::spinPosition()
{
    QFETCH(QString, text);
    QFETCH(int, unit);
    QTEST(LengthConversion::spinPosition(text, LengthUnit(unit)), "expected");
}

QTEST_GUILESS_MAIN(TestPrintLengths)
#include "tst_printlengths.moc"
