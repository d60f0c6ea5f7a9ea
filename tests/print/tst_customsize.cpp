#include "core/print/CustomSizeCheck.h"
#include "core/print/PrintParameters.h"

#include <QTest>

using namespace quorvel;

namespace {

const int kPixels = FormatCatalogue::kCustomPixels, kCm = FormatCatalogue::kCustomCm,
          kInch = FormatCatalogue::kCustomInch;
const char *const kPixelMessage = "Width and height must be more than 10 pixels";
const char *const kCmMessage = "Width and height must be more than 1 cm";
const char *const kInchMessage = "Width and height must be more than 0,2 inches";

} // namespace

class TestCustomSize : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void validate_data();
    void validate();
    void applyTypedSize_data();
    void applyTypedSize();
    void unchangedPromptKeepsTheSize_data();
    void unchangedPromptKeepsTheSize();
    void refusedSizeIsNotStored();
};

void TestCustomSize::validate_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("widthShown");

    const int none = int(CustomSizeCheck::Field::None), w = int(CustomSizeCheck::Field::Width),
              h = int(CustomSizeCheck::Field::Height);
    QTest::newRow("10 x 10 pixels") << kPixels << "10" << "10" << true << "" << none << "10";
    QTest::newRow("9.9 pixels wide") << kPixels << "9.9" << "10" << false << kPixelMessage << w << "9.9";
    QTest::newRow("9.9 pixels high") << kPixels << "10" << "9.9" << false << kPixelMessage << h << "10";
    QTest::newRow("decimal comma") << kCm << "12,5" << "10" << true << "" << none << "12.5";
    QTest::newRow("under 1 cm") << kCm << "0,9" << "5" << false << kCmMessage << w << "0.9";
    QTest::newRow("0.2 inch is enough") << kInch << "0.2" << "0.2" << true << "" << none << "0.2";
    QTest::newRow("under 0.2 inch") << kInch << "1" << "0,19" << false << kInchMessage << h << "1";
    QTest::newRow("other formats pass") << 2 << "x" << "" << true << "" << none << "x";
    // Typed sizes that cannot be meant.
    QTest::newRow("empty") << kPixels << "" << "100" << false << kPixelMessage << w << "";
    QTest::newRow("not a number") << kPixels << "abc" << "100" << false << kPixelMessage << w << "abc";
    QTest::newRow("negative") << kCm << "-20" << "10" << false << kCmMessage << w << "-20";
    QTest::newRow("too many pixels") << kPixels << "100000" << "100" << false
                                     << "Width and height must not be more than 16384 pixels" << w << "100000";
    QTest::newRow("too many cm") << kCm << "10" << "99999999999999999999" << false
                                 << "Width and height must not be more than 1000 cm" << h << "10";
    QTest::newRow("too many inches") << kInch << "401" << "10" << false
                                     << "Width and height must not be more than 400 inches" << w << "401";
}

void TestCustomSize::validate()
{
    QFETCH(int, index);
    QFETCH(QString, width);
    QFETCH(QString, height);
    const CustomSizeCheck check = CustomSizeCheck::validate(index, width, height);
    QTEST(check.accepted, "accepted");
    QTEST(check.message, "message");
    QTEST(int(check.focus), "focus");
    QTEST(check.widthText, "widthShown");
}

void TestCustomSize::applyTypedSize_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("firstIsWidth");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QSize>("expected");
    // The wizard stores the size for the final step's first orientation.
    QTest::newRow("pixels, fraction dropped") << kPixels << false << "320.7" << "240" << QSize(320, 240);
    QTest::newRow("pixels, index print") << kPixels << true << "300" << "200" << QSize(300, 200);
    QTest::newRow("cm as typed") << kCm << false << "12,5" << "10" << QSize(1476, 1181);
    QTest::newRow("inches") << kInch << false << "4" << "6" << QSize(1200, 1800);
    QTest::newRow("inches turned") << kInch << true << "6" << "4" << QSize(1800, 1200);
}

void TestCustomSize::applyTypedSize()
{
    QFETCH(int, index);
    QFETCH(bool, firstIsWidth);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QSize, expected);
    PrintParameters params(index, firstIsWidth);
    QVERIFY(params.applyCustomSize(CustomSizeCheck::validate(index, width, height)));
    QCOMPARE(params.outputSize(), expected);
}

void TestCustomSize::unchangedPromptKeepsTheSize_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("firstIsWidth");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::newRow("pixels") << kPixels << false << "Enter new size in pixels" << "200" << "200";
    QTest::newRow("cm") << kCm << false << "Enter new size in cm" << "15.20" << "10.20";
    QTest::newRow("cm turned") << kCm << true << "Enter new size in cm" << "10.20" << "15.20";
    QTest::newRow("inches") << kInch << true << "Enter new size in inches" << "1.00" << "1.00";
}

void TestCustomSize::unchangedPromptKeepsTheSize()
{
    QFETCH(int, index);
    QFETCH(bool, firstIsWidth);
    PrintParameters params(index, firstIsWidth);
    const QSize before = params.outputSize();
    const auto prompt = params.customSizePrompt();
    QTEST(prompt.caption, "caption");
    QTEST(prompt.width, "width");
    QTEST(prompt.height, "height");
    QVERIFY(params.applyCustomSize(CustomSizeCheck::validate(index, prompt.width, prompt.height)));
    QCOMPARE(params.outputSize(), before);
    // The same after turning the frame.
    params.toggleOrientation();
    const QSize turned = params.outputSize();
    const auto again = params.customSizePrompt();
    QVERIFY(params.applyCustomSize(CustomSizeCheck::validate(index, again.width, again.height)));
    QCOMPARE(params.outputSize(), turned);
}

void TestCustomSize::refusedSizeIsNotStored()
{
    PrintParameters params(kPixels, false);
    const QSize before = params.outputSize();
    QVERIFY(!params.applyCustomSize(CustomSizeCheck::validate(kPixels, "9", "9")));
    QCOMPARE(params.outputSize(), before);
    // A size for a format that has none to change.
    PrintParameters fixed(2, false);
    QVERIFY(!fixed.applyCustomSize(CustomSizeCheck::validate(2, "100", "100")));
    QVERIFY(fixed.customSizePrompt().caption.isEmpty());
}

QTEST_GUILESS_MAIN(TestCustomSize)
#include "tst_customsize.moc"
