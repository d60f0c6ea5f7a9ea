#include "core/settings/AppSettings.h"
#include "core/settings/MemorySettingsStore.h"

#include <QTest>

using namespace quorvel;

class TestAppSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void savesEveryFieldInRecordOrder();
    void defaultsWhenStoreIsEmpty();
    void rangeRulesOnLoad_data();
    void rangeRulesOnLoad();
    void roundTripKeepsEveryField();
    void wizardFormat_data();
    void wizardFormat();
    void smallAccessors_data();
    void smallAccessors();
};

void TestAppSettings::savesEveryFieldInRecordOrder()
{
    MemorySettingsStore store;
    AppSettings().save(store);
    const QStringList expected{
        "Algorithms/ResizeFullScreen", "Algorithms/ResizeToPrint", "Print/PrintFormat", "Print/IndexPrintFormat",
        "Print/PrintDPI", "Print/PrintFrameWidth", "Print/PrintTextHeight", "Print/PrintTextMarginWidth",
        "Print/PrintText", "Print/PrintIndexWidth", "Print/PrintIndexHeight", "Print/PrintMinIntervalX",
        "Print/PrintMinIntervalY", "Print/PrintNamesTextHeight", "Print/PrintShowNames", "Main/WndRectLeft",
        "Main/WndRectTop", "Main/WndRectRight", "Main/WndRectBottom", "Main/WndLeftPaneWidth",
        "Main/WndCenterPaneWidth", "Main/InterfaceLang", "Main/LastUsedDir", "Main/StartFolder",
        "Main/StartFolderUse", "Main/AskWhenExit", "Main/DefaultUnits", "Main/HQRAWConv", "Main/UseCMS",
        "Main/RotateByExif"};
    QCOMPARE(store.writeOrder(), expected);
    // Integers are stored as numbers and texts as texts.
    QCOMPARE(store.raw("Print", "PrintFormat").typeId(), QMetaType::Int);
    QCOMPARE(store.raw("Print", "PrintDPI").typeId(), QMetaType::QString);
}

void TestAppSettings::defaultsWhenStoreIsEmpty()
{
    MemorySettingsStore store;
    AppSettings s;
    s.interfaceLang = "LangGerman.qm";
    s.load(store);
    QCOMPARE(s.resizeFullScreen, 4);
    QCOMPARE(s.resizeToPrint, 4);
    QCOMPARE(s.printFormat, 2);
    QCOMPARE(s.printDpi, QString("300"));
    QCOMPARE(s.printTextHeight, QString("0.8"));
    QCOMPARE(s.printIndexWidth, QString("3.0"));
    QCOMPARE(s.printNamesTextHeight, QString("0.3"));
    QCOMPARE(s.printShowNames, 1);
    QCOMPARE(QRect(QPoint(s.wndRectLeft, s.wndRectTop), QPoint(s.wndRectRight, s.wndRectBottom)),
             QRect(QPoint(0, 0), QPoint(800, 700)));
    QCOMPARE(s.wndLeftPaneWidth, 200);
    QCOMPARE(s.interfaceLang, QString("English"));
    QVERIFY(s.lastUsedDir.isEmpty());
    QCOMPARE(s.startFolder, AppSettings::defaultStartFolder());
    QCOMPARE(s.askWhenExit, 1);
    QCOMPARE(s.defaultUnits, 2);
    QCOMPARE(s.hqRawConv, 0);
    QCOMPARE(s.useCms, 0);
    QCOMPARE(s.rotateByExif, 1);
}

void TestAppSettings::rangeRulesOnLoad_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("view mode 2 reads as bilinear") << "Algorithms" << "ResizeFullScreen" << QVariant(2) << QVariant(3);
    QTest::newRow("view mode 8 reads as bilinear") << "Algorithms" << "ResizeFullScreen" << QVariant(8) << QVariant(3);
    QTest::newRow("view mode 7 kept") << "Algorithms" << "ResizeFullScreen" << QVariant(7) << QVariant(7);
    QTest::newRow("print mode 0 reads as bilinear") << "Algorithms" << "ResizeToPrint" << QVariant(0) << QVariant(3);
    QTest::newRow("print format 51 keeps default") << "Print" << "PrintFormat" << QVariant(51) << QVariant(2);
    QTest::newRow("print format -1 keeps default") << "Print" << "PrintFormat" << QVariant(-1) << QVariant(2);
    QTest::newRow("print format 50 accepted") << "Print" << "PrintFormat" << QVariant(50) << QVariant(50);
    QTest::newRow("index format 0 accepted") << "Print" << "IndexPrintFormat" << QVariant(0) << QVariant(0);
    QTest::newRow("index format 99 keeps default") << "Print" << "IndexPrintFormat" << QVariant(99) << QVariant(2);
    QTest::newRow("empty dpi reads as 300") << "Print" << "PrintDPI" << QVariant(QString()) << QVariant("300");
    QTest::newRow("empty frame width reads as 0") << "Print" << "PrintFrameWidth" << QVariant(QString()) << QVariant("0");
    QTest::newRow("empty names height reads default") << "Print" << "PrintNamesTextHeight" << QVariant(QString())
                                                      << QVariant("0.3");
    QTest::newRow("empty text to print stays empty") << "Print" << "PrintText" << QVariant(QString()) << QVariant(QString());
    QTest::newRow("typed decimal comma kept") << "Print" << "PrintTextHeight" << QVariant("1,5") << QVariant("1,5");
    QTest::newRow("empty language reads English") << "Main" << "InterfaceLang" << QVariant(QString()) << QVariant("English");
    QTest::newRow("unknown units code reads inches") << "Main" << "DefaultUnits" << QVariant(9) << QVariant(2);
    QTest::newRow("units code 3 kept") << "Main" << "DefaultUnits" << QVariant(3) << QVariant(3);
    QTest::newRow("number stored as text is read") << "Algorithms" << "ResizeFullScreen" << QVariant("6") << QVariant(6);
    QTest::newRow("non-number text reads default") << "Algorithms" << "ResizeFullScreen" << QVariant("fast")
                                                   << QVariant(4);
    QTest::newRow("bytes for an integer read default") << "Main" << "AskWhenExit" << QVariant(QByteArray("\x01"))
                                                       << QVariant(1);
    QTest::newRow("list for a text reads default") << "Main" << "StartFolder" << QVariant(QStringList{"a", "b"})
                                                   << QVariant(AppSettings::defaultStartFolder());
}

void TestAppSettings::rangeRulesOnLoad()
{
    QFETCH(QString, section);
    QFETCH(QString, name);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, expected);

    MemorySettingsStore store;
    store.setRaw(section, name, stored);
    AppSettings s;
    s.load(store);

    // Read the field back through a save, so every field is reachable by name.
    MemorySettingsStore out;
    s.save(out);
    const QVariant value = out.raw(section, name);
    if (expected.typeId() == QMetaType::Int)
        QCOMPARE(value.toInt(), expected.toInt());
    else
        QCOMPARE(value.toString(), expected.toString());
}

void TestAppSettings::roundTripKeepsEveryField()
{
    AppSettings s;
    s.resizeFullScreen = 7;
    s.printFormat = 50;
    s.printText = "Holiday 2024";
    s.wndRectLeft = -20;
    s.wndRectBottom = 1200;
    s.interfaceLang = "LangGerman.qm";
    s.lastUsedDir = "/home/me/Pictures/";
    s.startFolderUse = 1;
    s.askWhenExit = 0;
    s.defaultUnits = 1;
    s.hqRawConv = 1;
    s.useCms = 1;
    MemorySettingsStore store;
    s.save(store);
    AppSettings back;
    back.load(store);
    QCOMPARE(back, s);
}

void TestAppSettings::wizardFormat_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("missing, inches") << 2 << QVariant() << 29;
    QTest::newRow("missing, centimetres") << 1 << QVariant() << 2;
    QTest::newRow("missing, pixels") << 0 << QVariant() << 2;
    QTest::newRow("stored 17") << 1 << QVariant(17) << 17;
    QTest::newRow("stored 51, inches") << 2 << QVariant(51) << 29;
    QTest::newRow("stored -3, millimetres") << 3 << QVariant(-3) << 2;
}

void TestAppSettings::wizardFormat()
{
    QFETCH(int, units);
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    MemorySettingsStore store;
    store.writeInt("Main", "DefaultUnits", units);
    if (stored.isValid())
        store.setRaw("Print", "PrintWizSelType1", stored);
    QCOMPARE(settings::wizardFormat(store, 1), expected);
    // Other items are independent.
    settings::setWizardFormat(store, 2, 40);
    QCOMPARE(settings::wizardFormat(store, 2), 40);
    QCOMPARE(settings::wizardFormat(store, 1), expected);
}

void TestAppSettings::smallAccessors_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("wizard item missing") << "item" << QVariant() << 0;
    QTest::newRow("wizard item 2") << "item" << QVariant(2) << 2;
    QTest::newRow("wizard item 3") << "item" << QVariant(3) << 0;
    QTest::newRow("list mode missing") << "mode" << QVariant() << 0;
    QTest::newRow("list mode 5 reads 1") << "mode" << QVariant(5) << 1;
    QTest::newRow("list mode -1 reads 1") << "mode" << QVariant(-1) << 1;
    QTest::newRow("jpeg level missing") << "jpeg" << QVariant() << 85;
    QTest::newRow("jpeg level 20 reads 30") << "jpeg" << QVariant(20) << 30;
    QTest::newRow("jpeg level 101 reads 100") << "jpeg" << QVariant(101) << 100;
    QTest::newRow("jpeg level 64 kept") << "jpeg" << QVariant(64) << 64;
}

void TestAppSettings::smallAccessors()
{
    QFETCH(QString, which);
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    MemorySettingsStore store;
    if (which == "item") {
        if (stored.isValid())
            store.setRaw("Print", "PrWizItemSelected", stored);
        QCOMPARE(settings::wizardItem(store), expected);
    } else if (which == "mode") {
        if (stored.isValid())
            store.setRaw("RightPaneColumns", "ShowMode", stored);
        QCOMPARE(settings::listMode(store), expected);
    } else {
        if (stored.isValid())
            store.setRaw("Main", "JpegLevel", stored);
        QCOMPARE(settings::jpegLevel(store), expected);
    }
}

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
