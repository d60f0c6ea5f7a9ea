#include "core/print/LengthConversion.h"
#include "core/settings/AppSettings.h"
#include "ui/print/IndexPrintDialog.h"
#include "ui/print/PrintFramingDialog.h"
#include "ui/print/LengthField.h"
#include "ui/print/LengthSpinBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace quorvel;

namespace {

QString selectionOf(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("/photos/img_%1.jpg;").arg(i, 2, 10, QLatin1Char('0'));
    return text;
}

QStringList shownNames(const QListWidget *list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

LengthSpinBox *field(IndexPrintDialog &dialog, const char *name)
{
    return dialog.findChild<LengthSpinBox *>(QLatin1String(name));
}

QStringList labelTexts(const QWidget &dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        texts << label->text();
    return texts;
}

// The fields the index print shares with the final step, by the name a
// test row gives them.
void typeInto(IndexPrintDialog &dialog, const QString &name, const QString &value)
{
    if (name == QLatin1String("dpi"))
        dialog.dpiEdit()->setText(value);
    else if (name == QLatin1String("text"))
        dialog.textEdit()->setText(value);
    else if (name == QLatin1String("frame"))
        dialog.frameWidthField()->setValue(value);
    else if (name == QLatin1String("margin"))
        dialog.marginField()->setValue(value);
    else if (name == QLatin1String("textHeight"))
        dialog.textHeightField()->setValue(value);
    else
        QFAIL("unknown field");
}

QString storedValue(const AppSettings &s, const QString &name)
{
    if (name == QLatin1String("dpi"))
        return s.printDpi;
    if (name == QLatin1String("text"))
        return s.printText;
    if (name == QLatin1String("frame"))
        return s.printFrameWidth;
    if (name == QLatin1String("margin"))
        return s.printTextMarginWidth;
    if (name == QLatin1String("textHeight"))
        return s.printTextHeight;
    return QString();
}

QString shownValue(const PrintParametersDialog &dialog, const QString &name)
{
    if (name == QLatin1String("dpi"))
        return dialog.dpiEdit()->text();
    if (name == QLatin1String("text"))
        return dialog.textEdit()->text();
    if (name == QLatin1String("frame"))
        return dialog.frameWidthField()->value();
    if (name == QLatin1String("margin"))
        return dialog.marginField()->value();
    if (name == QLatin1String("textHeight"))
        return dialog.textHeightField()->value();
    return QString();
}

} // namespace

class TestIndexPrintDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void opensWithTheSelection();
    void editsTheSourceList();
    void cellFields_data();
    void cellFields();
    void spinSteps_data();
    void spinSteps();
    void writesSettingsOnClose();
    void formatListHoldsPaperFormats_data();
    void formatListHoldsPaperFormats();
    void sharedFieldsDriveTheLayout_data();
    void sharedFieldsDriveTheLayout();
    void sharedFieldsPersist_data();
    void sharedFieldsPersist();
    void closingKeepsKeysStoredMeanwhile();
    void marginWording_data();
    void marginWording();
};

void TestIndexPrintDialog::init()
{
    globalSettings().resetToDefaults();
}

void TestIndexPrintDialog::opensWithTheSelection()
{
    IndexPrintDialog dialog(selectionOf(30));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Quorvel - index-print create wizard"));
    QCOMPARE(dialog.sourceList()->count(), 30);
    QCOMPARE(dialog.sourceList()->item(0)->text(), QStringLiteral("img_00.jpg"));
    QCOMPARE(dialog.listLabel()->text(), QStringLiteral("1/2"));
    QCOMPARE(dialog.quantityLabel()->text(), QStringLiteral("15"));
    dialog.nextList();
    QCOMPARE(dialog.listLabel()->text(), QStringLiteral("2/2"));
    dialog.nextList();
    QCOMPARE(dialog.listLabel()->text(), QStringLiteral("2/2"));
    dialog.previousList();
    QCOMPARE(dialog.listLabel()->text(), QStringLiteral("1/2"));
    QVERIFY(dialog.createButton()->isEnabled());

    IndexPrintDialog empty(QString{});
    QCOMPARE(empty.listLabel()->text(), QStringLiteral("1/1"));
    QVERIFY(!empty.createButton()->isEnabled());
}

void TestIndexPrintDialog::editsTheSourceList()
{
    IndexPrintDialog dialog(selectionOf(3));
    QListWidget *list = dialog.sourceList();
    list->setCurrentRow(0);
    dialog.moveSelected(-1); // already at the top
    QCOMPARE(shownNames(list), (QStringList{"img_00.jpg", "img_01.jpg", "img_02.jpg"}));
    dialog.moveSelected(1);
    QCOMPARE(shownNames(list), (QStringList{"img_01.jpg", "img_00.jpg", "img_02.jpg"}));
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(dialog.form().sources.path(1), QStringLiteral("/photos/img_00.jpg"));

    dialog.removeSelected();
    QCOMPARE(shownNames(list), (QStringList{"img_01.jpg", "img_02.jpg"}));
    QCOMPARE(list->currentRow(), 0);
    dialog.addFiles({QStringLiteral("/other/last.tif")});
    QCOMPARE(shownNames(list), (QStringList{"img_01.jpg", "img_02.jpg", "last.tif"}));
    QCOMPARE(dialog.form().sources.paths().last(), QStringLiteral("/other/last.tif"));

    for (int i = 0; i < 3; ++i) {
        list->setCurrentRow(0);
        dialog.removeSelected();
    }
    QCOMPARE(list->count(), 0);
    QVERIFY(!dialog.createButton()->isEnabled());
}

void TestIndexPrintDialog::cellFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("list");
    QTest::addColumn<bool>("canCreate");

    QTest::newRow("narrower cells") << "cellWidth" << "1.0" << "35" << "1/1" << true;
    QTest::newRow("cell wider than the page") << "cellWidth" << "11" << "0" << "-" << false;
    QTest::newRow("empty height") << "cellHeight" << "" << "0" << "-" << false;
    QTest::newRow("height not a number") << "cellHeight" << "x" << "0" << "-" << false;
    QTest::newRow("no horizontal spacing") << "spacingX" << "0" << "15" << "2/2" << true;
    QTest::newRow("no vertical spacing") << "spacingY" << "0" << "21" << "2/2" << true;
}

void TestIndexPrintDialog::cellFields()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, quantity);
    QFETCH(QString, list);
    QFETCH(bool, canCreate);
    IndexPrintDialog dialog(selectionOf(30));
    dialog.nextList();
    LengthSpinBox *spin = field(dialog, qPrintable(name));
    QVERIFY(spin);
    spin->setValue(value);
    QCOMPARE(dialog.quantityLabel()->text(), quantity);
    QCOMPARE(dialog.listLabel()->text(), list);
    QCOMPARE(dialog.createButton()->isEnabled(), canCreate);
}

void TestIndexPrintDialog::spinSteps_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("expected");

    QTest::newRow("width up") << "cellWidth" << "3.0" << 1 << "3.1";
    QTest::newRow("width rounded to a tenth") << "cellWidth" << "3.04" << 1 << "3.1";
    QTest::newRow("width stops at 0.5") << "cellWidth" << "0.5" << -1 << "0.5";
    QTest::newRow("height down to 0.5") << "cellHeight" << "0.6" << -1 << "0.5";
    QTest::newRow("spacing down to 0") << "spacingX" << "0.1" << -1 << "0.0";
    QTest::newRow("spacing not below 0") << "spacingY" << "0.0" << -1 << "0.0";
    QTest::newRow("names stop at 0.2") << "namesHeight" << "0.2" << -1 << "0.2";
    QTest::newRow("names up") << "namesHeight" << "0.3" << 2 << "0.5";
}

void TestIndexPrintDialog::spinSteps()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(int, steps);
    QFETCH(QString, expected);
    IndexPrintDialog dialog(selectionOf(2));
    LengthSpinBox *spin = field(dialog, qPrintable(name));
    QVERIFY(spin);
    spin->setValue(value);
    spin->stepBy(steps);
    QCOMPARE(spin->value(), expected);
}

void TestIndexPrintDialog::writesSettingsOnClose()
{
    globalSettings().indexPrintFormat = 14;
    globalSettings().printIndexWidth = QStringLiteral("2.5");
    IndexPrintDialog dialog(selectionOf(2));
    QCOMPARE(dialog.form().parameters.formatIndex(), 14);
    QCOMPARE(dialog.form().cellWidth, QStringLiteral("2.5"));
    LengthSpinBox *height = field(dialog, "cellHeight");
    QVERIFY(height);
    height->setValue(QStringLiteral("4,2"));
    dialog.reject();

    AppSettings stored;
    stored.load();
    QCOMPARE(stored.indexPrintFormat, 14);
    QCOMPARE(stored.printIndexWidth, QStringLiteral("2.5"));
    QCOMPARE(stored.printIndexHeight, QStringLiteral("4,2"));
}

void TestIndexPrintDialog::formatListHoldsPaperFormats_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");

    QTest::newRow("A4") << 14 << 14;
    QTest::newRow("last paper format") << 34 << 34;
    QTest::newRow("first pixel format") << 35 << 2;
    QTest::newRow("custom pixels") << 48 << 2;
    QTest::newRow("negative") << -1 << 2;
    QTest::newRow("past the catalogue") << 51 << 2;
}

void TestIndexPrintDialog::formatListHoldsPaperFormats()
{
    QFETCH(int, stored);
    QFETCH(int, shown);
    globalSettings().indexPrintFormat = stored;
    IndexPrintDialog dialog(selectionOf(2));
    const QComboBox *list = dialog.formatList();
    QCOMPARE(list->count(), 35);
    QCOMPARE(list->itemData(0).toInt(), 0);
    QCOMPARE(list->itemData(list->count() - 1).toInt(), 34);
    QCOMPARE(list->currentData().toInt(), shown);
    QCOMPARE(dialog.form().parameters.formatIndex(), shown);
}

void TestIndexPrintDialog::sharedFieldsDriveTheLayout_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("size");

    // 10x15 portrait with photolab scaling at 300 dpi: 1205 x 1795 pixels,
    // 3.0 x 2.0 cm cells (354 x 236), spacings 47 and 83.
    QTest::newRow("as opened") << "" << "15" << "1205x1795 pixels";
    QTest::newRow("rotated") << "rotate" << "16" << "1795x1205 pixels";
    // A 1 cm frame (118 pixels) on every side leaves two columns.
    QTest::newRow("frame width") << "frame" << "10" << "1205x1795 pixels";
    // A4, no photolab correction: 2480 x 3508 pixels.
    QTest::newRow("A4") << "format" << "66" << "2480x3508 pixels";
    // At 150 dpi the cells are 177 x 118 and the spacings 24 and 41.
    QTest::newRow("150 dpi") << "dpi" << "15" << "602x898 pixels";
    QTest::newRow("photolab off") << "photolab" << "15" << "1181x1772 pixels";
}

void TestIndexPrintDialog::sharedFieldsDriveTheLayout()
{
    QFETCH(QString, change);
    QFETCH(QString, quantity);
    QFETCH(QString, size);
    IndexPrintDialog dialog(selectionOf(30));
    if (change == QLatin1String("rotate"))
        dialog.rotateButton()->click();
    else if (change == QLatin1String("frame")) {
        dialog.frameWidthField()->setUnit(LengthUnit::Centimetres);
        dialog.frameWidthField()->setValue(QStringLiteral("1"));
    }
    else if (change == QLatin1String("format"))
        dialog.chooseFormat(dialog.formatList()->findData(14));
    else if (change == QLatin1String("dpi"))
        dialog.dpiEdit()->setText(QStringLiteral("150"));
    else if (change == QLatin1String("photolab"))
        dialog.photolabBox()->setChecked(false);
    QCOMPARE(dialog.quantityLabel()->text(), quantity);
    QVERIFY2(dialog.sizeLabel()->text().contains(size), qPrintable(dialog.sizeLabel()->text()));
    // The page the preview and the files use follows the same fields.
    const QString pixels = QString::number(dialog.form().layout().page().width()) + QLatin1Char('x') +
                           QString::number(dialog.form().layout().page().height());
    QVERIFY2(size.startsWith(pixels), qPrintable(pixels));
}

void TestIndexPrintDialog::sharedFieldsPersist_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");

    QTest::newRow("resolution") << "dpi" << "200";
    QTest::newRow("text") << "text" << "Summer 2026";
    QTest::newRow("frame width") << "frame" << "0.5";
    QTest::newRow("margin") << "margin" << "0.7";
    QTest::newRow("text height") << "textHeight" << "1.2";
}

void TestIndexPrintDialog::sharedFieldsPersist()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    {
        IndexPrintDialog dialog(selectionOf(2));
        typeInto(dialog, name, value);
        QCOMPARE(shownValue(dialog, name), value);
        dialog.reject();
    }
    AppSettings stored;
    stored.load();
    QCOMPARE(storedValue(stored, name), value);
    QCOMPARE(storedValue(globalSettings(), name), value);

    // The next index print and the next final step start from it.
    IndexPrintDialog again(selectionOf(2));
    QCOMPARE(shownValue(again, name), value);
    PrintFramingDialog finalStep(2, {}, std::nullopt);
    QCOMPARE(shownValue(finalStep, name), value);
}

void TestIndexPrintDialog::closingKeepsKeysStoredMeanwhile()
{
    // Another window stores its choice while the index print is open; the
    // index print must not write its stale copy of that key back.
    IndexPrintDialog dialog(selectionOf(2));
    AppSettings other;
    other.load();
    other.printFormat = 7;
    other.save();
    dialog.reject();

    AppSettings stored;
    stored.load();
    QCOMPARE(stored.printFormat, 7);
}

void TestIndexPrintDialog::marginWording_data()
{
    QTest::addColumn<bool>("indexPrint");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("absent");

    QTest::newRow("index print") << true << "Magrin:" << "Margin:";
    QTest::newRow("final step") << false << "Margin:" << "Magrin:";
}

void TestIndexPrintDialog::marginWording()
{
    QFETCH(bool, indexPrint);
    QFETCH(QString, shown);
    QFETCH(QString, absent);
    std::unique_ptr<QWidget> dialog;
    if (indexPrint)
        dialog = std::make_unique<IndexPrintDialog>(selectionOf(1));
    else
        dialog = std::make_unique<PrintFramingDialog>(2, QStringList{}, std::nullopt);
    const QStringList texts = labelTexts(*dialog);
    QVERIFY2(texts.contains(shown), qPrintable(texts.join(u'|')));
    QVERIFY(!texts.contains(absent));
}

QTEST_MAIN(TestIndexPrintDialog)
#include "tst_indexprintdialog.moc"
