#include "core/settings/AppSettings.h"
#include "core/settings/QSettingsStore.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

// The real store over an INI file: what the program reads back from a file
// written by itself, by an older version, or by hand.
class TestSettingsStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTripThroughFile();
    void handEditedValues_data();
    void handEditedValues();
    void layoutBytesRoundTrip();
};

void TestSettingsStore::roundTripThroughFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("q.ini");
    AppSettings s;
    s.printText = "Sea, sand; and \"sun\"";
    s.lastUsedDir = "/home/me/Bilder/Urlaub 2024/";
    s.printTextHeight = "0,8";
    s.resizeToPrint = 6;
    {
        QSettingsStore store(file);
        s.save(store);
    }
    QSettingsStore again(file);
    AppSettings back;
    back.load(again);
    QCOMPARE(back, s);
}

void TestSettingsStore::handEditedValues_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("number") << QByteArray("[Algorithms]\nResizeFullScreen=6\n") << "view" << "6";
    QTest::newRow("number with blanks") << QByteArray("[Algorithms]\nResizeFullScreen= 7 \n") << "view" << "7";
    QTest::newRow("not a number") << QByteArray("[Algorithms]\nResizeFullScreen=fast\n") << "view" << "4";
    QTest::newRow("number too wide") << QByteArray("[Algorithms]\nResizeFullScreen=99999999999\n") << "view" << "4";
    QTest::newRow("bytes for a number") << QByteArray("[Algorithms]\nResizeFullScreen=@ByteArray(x)\n") << "view"
                                        << "4";
    QTest::newRow("bare commas in a text") << QByteArray("[Print]\nPrintText=a,b\n") << "text" << "a,b";
    QTest::newRow("bytes for a text") << QByteArray("[Print]\nPrintText=@ByteArray(x)\n") << "text" << "";
}

void TestSettingsStore::handEditedValues()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString file = dir.filePath("q.ini");
    QVERIFY(test::writeFile(file, line));
    QSettingsStore store(file);
    AppSettings s;
    s.load(store);
    const QString actual = field == "view" ? QString::number(s.resizeFullScreen) : s.printText;
    QCOMPARE(actual, expected);
}

void TestSettingsStore::layoutBytesRoundTrip()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("q.ini");
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    {
        QSettingsStore store(file);
        store.writeBytes("BarStates", "DockState", bytes);
    }
    QSettingsStore store(file);
    QCOMPARE(store.readBytes("BarStates", "DockState"), bytes);
    QVERIFY(store.readBytes("BarStates", "Missing").isEmpty());
    // A text where bytes are expected is no layout.
    store.writeString("BarStates", "Text", "hello");
    QVERIFY(store.readBytes("BarStates", "Text").isEmpty());
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
