#include "core/print/FormatCatalogue.h"
#include "core/print/PrintParameters.h"
#include "core/print/WizardFormatList.h"

#include <QTest>

using namespace quorvel;

Q_DECLARE_METATYPE(quorvel::WizardFormatList::Screen)

namespace {

const int kFormat9x13 = 0, kFormat10x15 = 2, kLetter = 27, kPanoramic = 28, kUsC = 34, kMobile176 = 35,
          kVga = 44;

} // namespace

class TestFormatCatalogue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void entries_data();
    void entries();
    void correctionsOnlyForLabPapers();
    void outputSize_data();
    void outputSize();
    void orientationFollowsImage_data();
    void orientationFollowsImage();
    void sizeText_data();
    void sizeText();
    void absurdSizesStayWithinLimits_data();
    void absurdSizesStayWithinLimits();
    void sizeLimit_data();
    void sizeLimit();
    void sizeTextBeyondTheLimit();
    void wallpaperDesktopPixels_data();
    void wallpaperDesktopPixels();
};

void TestFormatCatalogue::entries_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("shortName");
    QTest::addColumn<QString>("longName");
    QTest::addColumn<float>("first");
    QTest::addColumn<float>("second");
    QTest::addColumn<int>("group");
    const int cm = int(FormatGroup::Centimetres), inch = int(FormatGroup::Inches), px = int(FormatGroup::Pixels);
    QTest::newRow("0") << 0 << "9x13" << "9x13 cm" << "9x13 cm" << 9.0f << 13.0f << cm;
    QTest::newRow("19") << 19 << "Envelope10" << "Envelope #10" << "Envelope #10 (4 1/8 x 9 1/2 in)" << 10.4775f
                        << 24.13f << inch;
    QTest::newRow("30") << 30 << "PhotoPaper10x15" << "Photo Paper 10x15 mm" << "Photo Paper (10x15 mm)" << 10.0f
                        << 15.0f << inch;
    QTest::newRow("33") << 33 << "US_B" << "US B 11x27 in" << "US B (11x27 in)" << 27.94f << 43.18f << inch;
    QTest::newRow("40") << 40 << "320x240" << "PocketPC (320x240)" << "PocketPC (240x320)" << 240.0f << 320.0f << px;
    QTest::newRow("44") << 44 << "640x480" << "640x480" << "640x480" << 480.0f << 640.0f << px;
    QTest::newRow("48") << 48 << "other" << "Other, pixels..." << "Other..." << 200.0f << 200.0f << px;
    QTest::newRow("49") << 49 << "other_cm" << "Other, cm..." << "Other, cm..." << 10.2f << 15.2f << cm;
    QTest::newRow("50") << 50 << "other_inch" << "Other, inch..." << "Other, inch..." << 2.54f << 2.54f << inch;
}

void TestFormatCatalogue::entries()
{
    QFETCH(int, index);
    const FormatCatalogue catalogue;
    QCOMPARE(catalogue.size(), 51);
    const OutputFormat &f = catalogue.at(index);
    QCOMPARE(f.index, index);
    QTEST(f.key, "key");
    QTEST(f.shortName, "shortName");
    QTEST(f.longName, "longName");
    QTEST(f.first, "first");
    QTEST(f.second, "second");
    QTEST(int(f.group), "group");
}

void TestFormatCatalogue::correctionsOnlyForLabPapers()
{
    const FormatCatalogue catalogue;
    QCOMPARE(catalogue.at(0).firstCorrection, -0.1f);
    QCOMPARE(catalogue.at(0).secondCorrection, -0.3f);
    QCOMPARE(catalogue.at(11).firstCorrection, 0.4f);
    QCOMPARE(catalogue.at(11).secondCorrection, 0.1f);
    for (int i = 12; i < FormatCatalogue::kCount; ++i) {
        QCOMPARE(catalogue.at(i).firstCorrection, 0.0f);
        QCOMPARE(catalogue.at(i).secondCorrection, 0.0f);
    }
    // An index outside the catalogue reads as the default "10x15 cm".
    QCOMPARE(catalogue.at(51).index, 2);
    QCOMPARE(catalogue.at(-1).index, 2);
}

void TestFormatCatalogue::outputSize_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("firstIsWidth");
    QTest::addColumn<bool>("photolab");
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<QSize>("expected");
    QTest::addColumn<int>("effectiveDpi");
    QTest::newRow("9x13 at 300 dpi") << kFormat9x13 << false << false << "300" << QSize(1535, 1063) << 300;
    QTest::newRow("9x13 with photolab") << kFormat9x13 << false << true << "300" << QSize(1500, 1051) << 300;
    QTest::newRow("0 dpi is 300") << kFormat9x13 << false << false << "0" << QSize(1535, 1063) << 300;
    QTest::newRow("Letter at 300 dpi") << kLetter << true << true << "300" << QSize(2550, 3300) << 300;
    QTest::newRow("640x480 ignores the resolution") << kVga << false << true << "600" << QSize(640, 480) << 75;
    QTest::newRow("Mobile starts 208 wide") << kMobile176 << false << true << "300" << QSize(208, 176) << 75;
    QTest::newRow("Mobile turned") << kMobile176 << true << true << "300" << QSize(176, 208) << 75;
    // Resolution texts that are not a positive number count as 300.
    QTest::newRow("negative dpi") << kFormat9x13 << false << false << "-300" << QSize(1535, 1063) << 300;
    QTest::newRow("empty dpi") << kFormat9x13 << false << false << "" << QSize(1535, 1063) << 300;
    QTest::newRow("dpi not a number") << kFormat9x13 << false << false << "abc" << QSize(1535, 1063) << 300;
    QTest::newRow("dpi with a fraction") << kFormat9x13 << false << false << "150.9" << QSize(768, 531) << 150;
}

void TestFormatCatalogue::outputSize()
{
    QFETCH(int, index);
    QFETCH(bool, firstIsWidth);
    QFETCH(bool, photolab);
    QFETCH(QString, dpi);
    QFETCH(QSize, expected);
    QFETCH(int, effectiveDpi);
    PrintParameters params(index, firstIsWidth);
    params.setPhotolab(photolab);
    params.setDpiText(dpi);
    QCOMPARE(params.outputSize(), expected);
    QCOMPARE(params.effectiveDpi(), effectiveDpi);
}

void TestFormatCatalogue::orientationFollowsImage_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("10x15 landscape photo") << kFormat10x15 << QSize(4000, 3000) << QSize(1795, 1205);
    QTest::newRow("10x15 portrait photo") << kFormat10x15 << QSize(3000, 4000) << QSize(1205, 1795);
    QTest::newRow("square photo gives portrait") << kFormat10x15 << QSize(500, 500) << QSize(1205, 1795);
    QTest::newRow("no image keeps the orientation") << kFormat10x15 << QSize() << QSize(1795, 1205);
    QTest::newRow("pixel format keeps it") << kVga << QSize(3000, 4000) << QSize(640, 480);
}

void TestFormatCatalogue::orientationFollowsImage()
{
    QFETCH(int, index);
    QFETCH(QSize, image);
    QFETCH(QSize, expected);
    PrintParameters params(index, false); // as the final step starts
    params.orientForImage(image);
    QCOMPARE(params.outputSize(), expected);
}

void TestFormatCatalogue::sizeText_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("firstIsWidth");
    QTest::addColumn<bool>("photolab");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cm") << kFormat9x13 << false << false << "Image size:\r\n  13.0x9.0 cm\r\n  1535x1063 pixels";
    QTest::newRow("cm with corrections")
        << kFormat10x15 << false << true << "Image size:\r\n  15.2x10.2 cm\r\n  1795x1205 pixels";
    QTest::newRow("inch") << kLetter << true << true << "Image size:\r\n  8.5x11.0 inch\r\n  2550x3300 pixels";
    QTest::newRow("pixels") << kVga << false << true << "Image size:\r\n  640x480 pixels";
}

void TestFormatCatalogue::sizeText()
{
    QFETCH(int, index);
    QFETCH(bool, firstIsWidth);
    QFETCH(bool, photolab);
    PrintParameters params(index, firstIsWidth);
    params.setPhotolab(photolab);
    QTEST(params.sizeText(), "expected");
}

void TestFormatCatalogue::absurdSizesStayWithinLimits_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<float>("first");
    QTest::addColumn<float>("second");
    QTest::newRow("huge resolution") << kUsC << "1000000" << 0.0f << 0.0f;
    QTest::newRow("huge custom pixels") << FormatCatalogue::kCustomPixels << "300" << 1e9f << 3e8f;
    QTest::newRow("long thin custom pixels") << FormatCatalogue::kCustomPixels << "300" << 1.0f << 1e6f;
    QTest::newRow("tiny custom cm at 1 dpi") << FormatCatalogue::kCustomCm << "1" << 0.01f << 0.01f;
    QTest::newRow("negative custom cm") << FormatCatalogue::kCustomCm << "300" << -5.0f << 10.0f;
}

void TestFormatCatalogue::absurdSizesStayWithinLimits()
{
    QFETCH(int, index);
    QFETCH(QString, dpi);
    QFETCH(float, first);
    QFETCH(float, second);
    PrintParameters params(index, false);
    params.setDpiText(dpi);
    if (FormatCatalogue::isCustom(index))
        QVERIFY(params.catalogue().setCustomLengths(index, first, second));
    const QSize size = params.outputSize();
    QVERIFY(size.width() >= 1 && size.height() >= 1);
    QVERIFY(size.width() <= PrintLimits::kMaxSide && size.height() <= PrintLimits::kMaxSide);
    QVERIFY(qint64(size.width()) * size.height() <= PrintLimits::kMaxPixels);
    QVERIFY(params.effectiveDpi() <= PrintLimits::kMaxDpi);
}

// An output beyond the largest picture is not made smaller in silence: the
// limit says what was asked for and what fits instead.
void TestFormatCatalogue::sizeLimit_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<QSizeF>("custom"); // lengths of a custom entry
    QTest::addColumn<bool>("exceeded");
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<int>("fittingDpi");
    QTest::addColumn<QSize>("fitting");

    QTest::newRow("10x15 at 300 fits") << kFormat10x15 << "300" << QSizeF() << false << QSize(1772, 1181) << 0
                                       << QSize();
    QTest::newRow("panoramic at 700 fits") << kPanoramic << "700" << QSizeF() << false << QSize(16370, 5787) << 0
                                           << QSize();
    // 59.4 x 21 cm at 1200 dpi: the picture would have been cut to
    // 16384 x 5792 and still tagged 1200 dpi.
    QTest::newRow("panoramic at 1200") << kPanoramic << "1200" << QSizeF() << true << QSize(28063, 9921) << 700
                                       << QSize(16370, 5787);
    // 22 x 17 inches: the number of pixels decides before the side does.
    QTest::newRow("US C at 9600") << kUsC << "9600" << QSizeF() << true << QSize(211200, 163200) << 599
                                  << QSize(13178, 10183);
    QTest::newRow("resolution above 9600") << FormatCatalogue::kCustomCm << "20000" << QSizeF(1, 1) << true
                                           << QSize(7874, 7874) << 9600 << QSize(3780, 3780);
    QTest::newRow("10 m custom cm") << FormatCatalogue::kCustomCm << "300" << QSizeF(1000, 1000) << true
                                    << QSize(118110, 118110) << 29 << QSize(11417, 11417);
    QTest::newRow("16000 x 16000 pixels") << FormatCatalogue::kCustomPixels << "300" << QSizeF(16000, 16000)
                                          << true << QSize(16000, 16000) << 0 << QSize(11585, 11585);
    QTest::newRow("1 km custom cm") << FormatCatalogue::kCustomCm << "300" << QSizeF(100000, 100000) << true
                                    << QSize(16384 * 64, 16384 * 64) << 0 << QSize();
}

void TestFormatCatalogue::sizeLimit()
{
    QFETCH(int, index);
    QFETCH(QString, dpi);
    QFETCH(QSizeF, custom);
    QFETCH(bool, exceeded);
    QFETCH(QSize, requested);
    QFETCH(int, fittingDpi);
    QFETCH(QSize, fitting);

    PrintParameters params(index, false);
    params.setPhotolab(false);
    params.setDpiText(dpi);
    if (FormatCatalogue::isCustom(index))
        QVERIFY(params.catalogue().setCustomLengths(index, float(custom.height()), float(custom.width())));
    const PrintParameters::SizeLimit limit = params.sizeLimit();
    QCOMPARE(limit.exceeded, exceeded);
    QCOMPARE(QSize(int(limit.requestedWidth), int(limit.requestedHeight)), requested);
    QCOMPARE(limit.fittingDpi, fittingDpi);
    QCOMPARE(limit.fitting, fitting);
    QCOMPARE(params.sizeLimitMessage().isEmpty(), !exceeded);
    if (!exceeded) {
        QCOMPARE(params.outputSize(), requested);
        return;
    }
    // What fits is offered: at its resolution, or at its reduced size.
    const QString question = params.sizeLimitQuestion();
    if (fittingDpi > 0) {
        QVERIFY2(question.contains(QStringLiteral("%1 dpi").arg(fittingDpi)), qPrintable(question));
        QVERIFY(question.contains(QStringLiteral("%1 x %2").arg(fitting.width()).arg(fitting.height())));
        params.setDpiText(QString::number(fittingDpi));
        QVERIFY(!params.sizeLimit().exceeded);
        QCOMPARE(params.outputSize(), fitting);
    } else if (!fitting.isEmpty()) {
        QVERIFY2(question.contains(QStringLiteral("%1 x %2").arg(fitting.width()).arg(fitting.height())),
                 qPrintable(question));
        QCOMPARE(params.outputSize(), fitting);
    } else {
        QVERIFY(question.isEmpty()); // nothing to offer: only the message
    }
}

void TestFormatCatalogue::sizeTextBeyondTheLimit()
{
    PrintParameters params(kPanoramic, false);
    params.setDpiText(QStringLiteral("1200"));
    QCOMPARE(params.sizeText(),
             QStringLiteral("Image size:\r\n  23.4x8.3 inch\r\n  28063x9921 pixels\r\n  too large: 700 dpi at most"));
}

void TestFormatCatalogue::wallpaperDesktopPixels_data()
{
    using Screen = WizardFormatList::Screen;
    QTest::addColumn<QList<Screen>>("screens");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("one screen") << QList<Screen>{{QRect(0, 0, 1920, 1080), 1.0}} << QSize(1920, 1080);
    // At a scale factor of 2 the window system speaks of half the pixels.
    QTest::newRow("scale factor 2") << QList<Screen>{{QRect(0, 0, 1920, 1080), 2.0}} << QSize(3840, 2160);
    QTest::newRow("scale factor 1.5") << QList<Screen>{{QRect(0, 0, 1707, 960), 1.5}} << QSize(2561, 1440);
    QTest::newRow("two screens side by side")
        << QList<Screen>{{QRect(0, 0, 1920, 1080), 2.0}, {QRect(1920, 0, 1920, 1080), 2.0}} << QSize(7680, 2160);
    QTest::newRow("no screen") << QList<Screen>{} << QSize(0, 0);
}

void TestFormatCatalogue::wallpaperDesktopPixels()
{
    QFETCH(QList<WizardFormatList::Screen>, screens);
    QFETCH(QSize, expected);
    QCOMPARE(WizardFormatList::desktopPixels(screens), expected);
}

QTEST_GUILESS_MAIN(TestFormatCatalogue)
#include "tst_formatcatalogue.moc"
