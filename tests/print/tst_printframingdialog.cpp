#include "core/settings/AppSettings.h"
#include "core/settings/SettingsStore.h"
#include "support/TestSupport.h"
#include "ui/edit/SaveMessages.h"
#include "ui/print/PreviewWidget.h"
#include "ui/print/PrintFramingDialog.h"
#include "ui/print/LengthField.h"
#include "ui/print/WizardFormatDialog.h"
#include "ui/print/WizardKindDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QComboBox>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace quorvel;

// The wizard's steps as a user meets them: the format list of each kind,
// "Wallpaper", the custom sizes, and the final step writing a file.
class TestPrintFramingDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void kindPicturesChoose();
    void formatLists_data();
    void formatLists();
    void wallpaperTakesTheDesktopSize();
    void customSizeOnNext_data();
    void customSizeOnNext();
    void finalStepStartsOnTheTypedSize_data();
    void finalStepStartsOnTheTypedSize();
    void createFileWritesTheFramedOutput_data();
    void createFileWritesTheFramedOutput();
    void dragMovesTheFrame_data();
    void dragMovesTheFrame();
    void cancelAsksUntilAFileWasMade();
    void exifInsertion_data();
    void exifInsertion();
    void closingStoresTheFields();
    void outputBeyondTheLimitAsks();
    void enterInATextFieldPressesNoButton();

private:
    QStringList m_messages;
    bool m_answer = false;
    QTemporaryDir m_dir;
};

namespace {

QString jpeg(const QString &path, QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(40, 120, 200));
    // A red block in the top-left quarter tells which part was framed.
    for (int y = 0; y < size.height() / 2; ++y) {
        for (int x = 0; x < size.width() / 2; ++x)
            picture.setPixel(x, y, qRgb(220, 30, 30));
    }
    picture.save(path, "JPEG", 95);
    return path;
}

QStringList listTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace

void TestPrintFramingDialog::init()
{
    QVERIFY(m_dir.isValid());
    m_messages.clear();
    m_answer = false;
    savemessages::setHandler([this](const QString &text, bool) {
        m_messages << text;
        return m_answer;
    });
    globalSettings().resetToDefaults();
}

void TestPrintFramingDialog::cleanup()
{
    savemessages::setHandler({});
}

void TestPrintFramingDialog::kindPicturesChoose()
{
    WizardKindDialog dialog(OutputKind::Web);
    QVERIFY(dialog.button(OutputKind::Web)->isChecked());
    const auto pictures = dialog.findChildren<QAbstractButton *>();
    int clicked = 0;
    for (QAbstractButton *b : pictures) {
        if (qobject_cast<QRadioButton *>(b) || b->sizeHint() != QSize(96, 72))
            continue;
        b->click();
        ++clicked;
        // The last picture clicked is the kind chosen.
        QCOMPARE(int(dialog.kind()), clicked - 1);
    }
    QCOMPARE(clicked, 3);
}

void TestPrintFramingDialog::formatLists_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("format");

    QTest::newRow("print, cm, first use") << 0 << int(UnitCentimetres) << 2 << 37 << "9x13 cm" << "Other, inch..."
                                          << "10x15 cm" << 2;
    QTest::newRow("print, inch, first use") << 0 << int(UnitInches) << 29 << 37 << "B5" << "Other, cm..."
                                            << "Photo Paper (4x6 in)" << 29;
    QTest::newRow("print, stored A4") << 0 << int(UnitCentimetres) << 14 << 37 << "9x13 cm" << "Other, inch..."
                                      << "A4" << 14;
    QTest::newRow("web has no default of its own") << 1 << int(UnitInches) << 29 << 6 << "640x480" << "Other..."
                                                   << "640x480" << 44;
    QTest::newRow("web, stored custom pixels") << 1 << int(UnitCentimetres) << 48 << 6 << "640x480" << "Other..."
                                               << "Other..." << 48;
    QTest::newRow("mobile") << 2 << int(UnitCentimetres) << 38 << 9 << "Mobile phone (176x208)"
                            << "Palm hi-res PDA (320x480)" << "Mobile phone (128x160)" << 38;
}

void TestPrintFramingDialog::formatLists()
{
    QFETCH(int, kind);
    QFETCH(int, units);
    QFETCH(int, stored);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, current);
    QFETCH(int, format);

    WizardFormatDialog dialog(OutputKind(kind), stored, units, QSize(1920, 1080));
    const QStringList texts = listTexts(dialog.list());
    QCOMPARE(texts.size(), count);
    QCOMPARE(texts.first(), first);
    QCOMPARE(texts.last(), last);
    QCOMPARE(dialog.list()->currentItem()->text(), current);
    QCOMPARE(dialog.format(), format);
    QCOMPARE(dialog.showsSizeFields(), format >= 48);
}

void TestPrintFramingDialog::wallpaperTakesTheDesktopSize()
{
    WizardFormatDialog dialog(OutputKind::Web, 44, UnitCentimetres, QSize(3840, 1080));
    QVERIFY(!dialog.showsSizeFields());
    const QList<QListWidgetItem *> found = dialog.list()->findItems(QStringLiteral("Wallpaper"), Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    dialog.list()->setCurrentItem(found.first());
    QCOMPARE(dialog.format(), 48);
    QVERIFY(dialog.showsSizeFields());
    QCOMPARE(dialog.widthEdit()->text(), QStringLiteral("3840"));
    QCOMPARE(dialog.heightEdit()->text(), QStringLiteral("1080"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.customSize().accepted);
    QCOMPARE(dialog.customSize().width, 3840.0f);
}

void TestPrintFramingDialog::customSizeOnNext_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shownWidth");
    QTest::addColumn<QString>("message");

    QTest::newRow("10 x 10 pixels") << 48 << "10" << "10" << true << "10" << "";
    QTest::newRow("9.9 pixels wide") << 48 << "9.9" << "100" << false << "9.9"
                                     << "Width and height must be more than 10 pixels";
    QTest::newRow("decimal comma in cm") << 49 << "12,5" << "8" << true << "12.5" << "";
    QTest::newRow("empty height in cm") << 49 << "12" << "" << false << "12"
                                        << "Width and height must be more than 1 cm";
    QTest::newRow("negative inches") << 50 << "-3" << "2" << false << "-3"
                                     << "Width and height must be more than 0,2 inches";
    QTest::newRow("absurd pixel width") << 48 << "900000" << "100" << false << "900000"
                                        << "Width and height must not be more than 16384 pixels";
}

void TestPrintFramingDialog::customSizeOnNext()
{
    QFETCH(int, format);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(bool, accepted);
    QFETCH(QString, shownWidth);
    QFETCH(QString, message);

    const int kind = format == 48 ? 1 : 0;
    WizardFormatDialog dialog(OutputKind(kind), format, UnitCentimetres, QSize(1920, 1080));
    QCOMPARE(dialog.format(), format);
    dialog.widthEdit()->setText(width);
    dialog.heightEdit()->setText(height);
    dialog.accept();
    QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
    QCOMPARE(dialog.widthEdit()->text(), shownWidth);
    QCOMPARE(m_messages.value(0), message);
}

void TestPrintFramingDialog::finalStepStartsOnTheTypedSize_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QSize>("output");

    QTest::newRow("pixels, fraction dropped") << 48 << "320.7" << "240" << QSize(320, 240);
    QTest::newRow("wallpaper size") << 48 << "1920" << "1080" << QSize(1920, 1080);
    QTest::newRow("cm at 300 dpi") << 49 << "12.5" << "8" << QSize(1476, 945);
    QTest::newRow("inches at 300 dpi") << 50 << "2" << "3" << QSize(600, 900);
}

void TestPrintFramingDialog::finalStepStartsOnTheTypedSize()
{
    QFETCH(int, format);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QSize, output);

    const CustomSizeCheck check = CustomSizeCheck::validate(format, width, height);
    QVERIFY(check.accepted);
    PrintFramingDialog dialog(format, {}, check);
    QCOMPARE(dialog.model().parameters().formatIndex(), format);
    QCOMPARE(dialog.formatList()->currentData().toInt(), format);
    QCOMPARE(dialog.model().parameters().outputSize(), output);
}

void TestPrintFramingDialog::createFileWritesTheFramedOutput_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QString>("frameWidth");
    QTest::addColumn<QSize>("expected");

    QTest::newRow("landscape photograph") << QSize(900, 600) << "0" << QSize(1795, 1205);
    QTest::newRow("portrait photograph") << QSize(600, 900) << "0" << QSize(1205, 1795);
    QTest::newRow("with a border") << QSize(900, 600) << "0.5" << QSize(1795, 1205);
}

void TestPrintFramingDialog::createFileWritesTheFramedOutput()
{
    QFETCH(QSize, photo);
    QFETCH(QString, frameWidth);
    QFETCH(QSize, expected);

    const QString source = jpeg(m_dir.filePath(QStringLiteral("src.jpg")), photo);
    PrintFramingDialog dialog(2, {source}, std::nullopt);
    dialog.dpiEdit()->setText(QStringLiteral("300"));
    dialog.frameWidthField()->setUnit(LengthUnit::Centimetres);
    dialog.frameWidthField()->setValue(frameWidth);
    dialog.loadCurrentAndWait();
    QVERIFY(dialog.model().hasImage());

    const QString target = m_dir.filePath(QStringLiteral("src_10x15.jpg"));
    QFile::remove(target);
    QVERIFY(dialog.createFileAt(target, 90));
    QVERIFY(dialog.fileCreated());
    QCOMPARE(m_messages, QStringList{"Image created successfull"});

    const QImage out(target);
    QCOMPARE(out.size(), expected);
    // The frame starts at the top-left corner: the red quarter is there.
    const int inset = frameWidth == QLatin1String("0") ? 5 : 80;
    const QRgb corner = out.pixel(inset, inset);
    QVERIFY2(qRed(corner) > 180 && qBlue(corner) < 90, qPrintable(QString::number(corner, 16)));
    if (frameWidth != QLatin1String("0")) {
        // 0.5 cm at 300 dpi: 59 pixels of white frame colour at each edge.
        QCOMPARE(QColor(out.pixel(20, out.height() / 2)).lightness() > 240, true);
        QCOMPARE(QColor(out.pixel(out.width() - 20, out.height() / 2)).lightness() > 240, true);
    }
}

void TestPrintFramingDialog::dragMovesTheFrame_data()
{
    QTest::addColumn<bool>("allowOutside");
    QTest::addColumn<bool>("dragMode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kept inside the image") << false << false << "flush right";
    QTest::newRow("allowed outside") << true << false << "beyond the image";
    QTest::newRow("drag mode moves the picture, not the frame") << false << true << "unmoved";
}

void TestPrintFramingDialog::dragMovesTheFrame()
{
    QFETCH(bool, allowOutside);
    QFETCH(bool, dragMode);
    QFETCH(QString, expected);

    const QString source = jpeg(m_dir.filePath(QStringLiteral("drag.jpg")), QSize(600, 600));
    PrintFramingDialog dialog(2, {source}, std::nullopt);
    dialog.resize(1000, 700);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.loadCurrentAndWait();
    dialog.allowOutsideBox()->setChecked(allowOutside);
    PreviewWidget *preview = dialog.previewControl();
    preview->setDragMode(dragMode);

    // A square photograph gives a portrait 10x15 frame: 400 wide at the left.
    const FrameRect before = dialog.model().frame().rect();
    QCOMPARE(before.left, 0);
    QCOMPARE(before.width(), 600 * 1205 / 1795);
    const QPointF centre = preview->preview().toView(before).center() / preview->pixelRatio();
    const double scale = preview->preview().scale() / preview->pixelRatio();
    const QPoint from = centre.toPoint();
    const QPoint to = from + QPoint(int(500 * scale), 0); // 500 image pixels to the right
    QTest::mousePress(preview, Qt::LeftButton, {}, from);
    QTest::mouseMove(preview, from + (to - from) / 2);
    QTest::mouseMove(preview, to);
    QTest::mouseRelease(preview, Qt::LeftButton, {}, to);

    const FrameRect after = dialog.model().frame().rect();
    QCOMPARE(after.width(), before.width());
    QCOMPARE(after.top, before.top);
    if (expected == QLatin1String("flush right"))
        QCOMPARE(after.right, 600);
    else if (expected == QLatin1String("beyond the image"))
        QVERIFY2(after.right > 600, qPrintable(after.toString()));
    else
        QCOMPARE(after, before);
    m_answer = true;
}

void TestPrintFramingDialog::cancelAsksUntilAFileWasMade()
{
    const QString source = jpeg(m_dir.filePath(QStringLiteral("cancel.jpg")), QSize(300, 200));
    PrintFramingDialog dialog(2, {source}, std::nullopt);
    dialog.loadCurrentAndWait();
    dialog.show();
    m_answer = false;
    dialog.reject();
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_messages, QStringList{"Do you really want to abort print preparing?"});

    // A failed save is reported and does not count as a file made.
    m_messages.clear();
    QVERIFY(!dialog.createFileAt(m_dir.filePath(QStringLiteral("no/such/folder/x.jpg")), 80));
    QCOMPARE(m_messages, QStringList{"Cannot create image"});
    QVERIFY(!dialog.fileCreated());

    QVERIFY(dialog.createFileAt(m_dir.filePath(QStringLiteral("cancel_10x15.jpg")), 80));
    m_messages.clear();
    dialog.reject();
    QVERIFY(!dialog.isVisible());
    QVERIFY(m_messages.isEmpty());
}

void TestPrintFramingDialog::exifInsertion_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("after a letter, one space") << "Holiday" << "Holiday ";
    QTest::newRow("after a digit, one space") << "2024" << "2024 ";
    QTest::newRow("after a space, nothing") << "At " << "At ";
    QTest::newRow("after punctuation, nothing") << "Shot:" << "Shot:";
    QTest::newRow("empty text") << "" << "";
}

void TestPrintFramingDialog::exifInsertion()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QUORVEL_REQUIRE_SHARED("exif/Canon.jpg", source);
    PrintFramingDialog dialog(2, {source}, std::nullopt);
    dialog.loadCurrentAndWait();
    dialog.textEdit()->setText(before);
    dialog.insertExifField(0); // the camera
    const QString text = dialog.textEdit()->text();
    QVERIFY2(text.startsWith(after) && text.size() > after.size(), qPrintable(text));
    QVERIFY(!text.at(after.size()).isSpace());
    QCOMPARE(dialog.model().fields().text, text);
}

void TestPrintFramingDialog::closingStoresTheFields()
{
    {
        PrintFramingDialog dialog(14, {}, std::nullopt);
        dialog.dpiEdit()->setText(QStringLiteral("240"));
        dialog.frameWidthField()->setValue(QStringLiteral("0.3"));
        dialog.textEdit()->setText(QStringLiteral("Sea"));
        dialog.chooseFormat(dialog.formatList()->findData(5));
        m_answer = true;
        dialog.reject();
    }
    AppSettings stored;
    stored.load();
    QCOMPARE(stored.printFormat, 5);
    QCOMPARE(stored.printDpi, QStringLiteral("240"));
    QCOMPARE(stored.printFrameWidth, QStringLiteral("0.3"));
    QCOMPARE(stored.printText, QStringLiteral("Sea"));
    // The next final step starts from them.
    PrintFramingDialog again(stored.printFormat, {}, std::nullopt);
    QCOMPARE(again.dpiEdit()->text(), QStringLiteral("240"));
    QCOMPARE(again.textEdit()->text(), QStringLiteral("Sea"));
}

// Panoramic at 1200 dpi is larger than the largest picture: the user is
// told, offered the largest resolution that fits, and No writes nothing.
void TestPrintFramingDialog::outputBeyondTheLimitAsks()
{
    const QString source = jpeg(m_dir.filePath(QStringLiteral("wide.jpg")), QSize(900, 300));
    PrintFramingDialog dialog(28, {source}, std::nullopt);
    dialog.dpiEdit()->setText(QStringLiteral("1200"));
    dialog.loadCurrentAndWait();
    QVERIFY(dialog.model().hasImage());
    QVERIFY(dialog.sizeLabel()->text().contains(QStringLiteral("700 dpi")));

    const QString target = m_dir.filePath(QStringLiteral("wide_Panoramic.jpg"));
    m_answer = false;
    QVERIFY(!dialog.createFileAt(target, 90));
    QVERIFY(!QFile::exists(target));
    QVERIFY(!dialog.fileCreated());
    QCOMPARE(m_messages.size(), 1); // the question only, no "Cannot create image"
    QVERIFY2(m_messages.first().contains(QStringLiteral("28063 x 9921")), qPrintable(m_messages.first()));
    QVERIFY(m_messages.first().contains(QStringLiteral("Use 700 dpi?")));
    QCOMPARE(dialog.dpiEdit()->text(), QStringLiteral("1200"));
}

// Enter in one of the dialog's text fields presses no button: it used to
// open the font dialog, the first button in the focus chain.
void TestPrintFramingDialog::enterInATextFieldPressesNoButton()
{
    PrintFramingDialog dialog(2, {}, std::nullopt);
    m_answer = false; // keep the dialog open should it try to close
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QStringList opened;
    for (QLineEdit *edit : {dialog.textEdit(), dialog.dpiEdit()}) {
        edit->setFocus();
        QTimer::singleShot(50, this, [&opened] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                opened << QString::fromLatin1(modal->metaObject()->className());
                modal->close();
            }
        });
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::qWait(100);
    }
    QCOMPARE(opened, QStringList());
    QVERIFY(dialog.isVisible());
    for (QPushButton *button : dialog.findChildren<QPushButton *>())
        QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->text()));
}

QTEST_MAIN(TestPrintFramingDialog)
#include "tst_printframingdialog.moc"
