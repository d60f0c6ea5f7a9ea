#include "core/print/LengthConversion.h"
#include "core/settings/AppSettings.h"
#include "ui/print/CIndexPrintDlg.h"
#include "ui/print/LengthSpinBox.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

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

LengthSpinBox *field(CIndexPrintDlg &dialog, const char *name)
{
    return dialog.findChild<LengthSpinBox *>(QLatin1String(name));
}

} // namespace

class TestIndexPrintDlg : public QObject
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
};

void TestIndexPrintDlg::init()
{
    globalSettings().resetToDefaults();
}

void TestIndexPrintDlg::opensWithTheSelection()
{
    CIndexPrintDlg dialog(selectionOf(30));
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

    CIndexPrintDlg empty(QString{});
    QCOMPARE(empty.listLabel()->text(), QStringLiteral("1/1"));
    QVERIFY(!empty.createButton()->isEnabled());
}

void TestIndexPrintDlg::editsTheSourceList()
{
    CIndexPrintDlg dialog(selectionOf(3));
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

void TestIndexPrintDlg::cellFields_data()
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

void TestIndexPrintDlg::cellFields()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, quantity);
    QFETCH(QString, list);
    QFETCH(bool, canCreate);
    CIndexPrintDlg dialog(selectionOf(30));
    dialog.nextList();
    LengthSpinBox *spin = field(dialog, qPrintable(name));
    QVERIFY(spin);
    spin->setValue(value);
    QCOMPARE(dialog.quantityLabel()->text(), quantity);
    QCOMPARE(dialog.listLabel()->text(), list);
    QCOMPARE(dialog.createButton()->isEnabled(), canCreate);
}

void TestIndexPrintDlg::spinSteps_data()
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

void TestIndexPrintDlg::spinSteps()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(int, steps);
    QFETCH(QString, expected);
    CIndexPrintDlg dialog(selectionOf(2));
    LengthSpinBox *spin = field(dialog, qPrintable(name));
    QVERIFY(spin);
    spin->setValue(value);
    spin->stepBy(steps);
    QCOMPARE(spin->value(), expected);
}

void TestIndexPrintDlg::writesSettingsOnClose()
{
    globalSettings().indexPrintFormat = 14;
    globalSettings().printIndexWidth = QStringLiteral("2.5");
    CIndexPrintDlg dialog(selectionOf(2));
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

QTEST_MAIN(TestIndexPrintDlg)
#include "tst_indexprintdlg.moc"
