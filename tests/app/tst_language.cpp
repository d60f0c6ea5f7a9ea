#include "core/exif/ExifWriter.h"
#include "core/print/PrintParameters.h"
#include "core/settings/AppSettings.h"
#include "core/settings/MemorySettingsStore.h"
#include "support/TestSupport.h"
#include "ui/app/LanguageLoader.h"
#include "ui/frame/KeyHelpDialog.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace quorvel;

namespace {
QString exitQuestion()
{
    return QCoreApplication::translate("quorvel::MainWindow", "Do you really want to exit?");
}

QString germanModule()
{
    return QStringLiteral(QUORVEL_RUNTIME_DIR) + "/LangGerman.qm";
}

// The text of a <source> or <translation>, with the characters lupdate
// writes as <byte value="xd"/>.
QString elementText(QXmlStreamReader &xml)
{
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters())
            text += xml.text();
        else if (xml.isStartElement() && xml.name() == u"byte")
            text += QChar(xml.attributes().value("value").mid(1).toUInt(nullptr, 16));
        else if (xml.isEndElement() && xml.name() != u"byte")
            break;
    }
    return text;
}

// printf conversions in order, then Qt's %1..%99 sorted: what must survive a
// translation for the program's numbers to appear.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression printf(QStringLiteral("%[-+ #0]*[0-9]*(?:\\.[0-9]+)?[diouxXfFeEgGcs]"));
    static const QRegularExpression qt(QStringLiteral("%[0-9]{1,2}"));
    QStringList found;
    for (const auto &m : printf.globalMatch(text))
        found.append(m.captured());
    QStringList numbered;
    for (const auto &m : qt.globalMatch(text))
        numbered.append(m.captured());
    numbered.sort();
    return found + numbered;
}
} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void applyingModules_data();
    void applyingModules();
    void switchingBackToEnglish();
    void listsModulesBesideTheProgram();
    void germanModuleKeepsEveryPlaceholder();
    void germanSizeTextsShowTheNumbers_data();
    void germanSizeTextsShowTheNumbers();
    void modulesNamedByTheirOwnLanguage();
    void germanExifWriterMessages_data();
    void germanExifWriterMessages();
    void germanKeyHelpNamesGermanKeys();
    void firstStartFollowsTheSystem_data();
    void firstStartFollowsTheSystem();
};

void TestLanguage::applyingModules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English means none") << "English" << false << "Do you really want to exit?";
    QTest::newRow("english is not English") << "english" << false << "Do you really want to exit?";
    QTest::newRow("missing module falls back") << "LangKlingon.qm" << false << "Do you really want to exit?";
    QTest::newRow("German module") << "LangGerman.qm" << true << "Wollen Sie das Programm wirklich beenden?";
    QTest::newRow("only the file name counts") << "/elsewhere/LangGerman.qm" << true
                                               << "Wollen Sie das Programm wirklich beenden?";
    QTest::newRow("not a translation file") << "LangBroken.qm" << false << "Do you really want to exit?";
}

void TestLanguage::applyingModules()
{
    QFETCH(QString, name);
    QFETCH(bool, loaded);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(QFile::copy(QStringLiteral(QUORVEL_RUNTIME_DIR) + "/LangGerman.qm", dir.filePath("LangGerman.qm")));
    QVERIFY(test::writeFile(dir.filePath("LangBroken.qm"), "this is not a translation"));

    LanguageLoader loader(dir.path());
    QCOMPARE(loader.apply(name), loaded);
    QCOMPARE(exitQuestion(), expected);
    QCOMPARE(loader.currentModule().isEmpty(), !loaded);
}

void TestLanguage::switchingBackToEnglish()
{
    LanguageLoader loader(QStringLiteral(QUORVEL_RUNTIME_DIR));
    QVERIFY(loader.apply("LangGerman.qm"));
    QVERIFY(exitQuestion() != "Do you really want to exit?");
    QVERIFY(!loader.apply("English"));
    QCOMPARE(exitQuestion(), QString("Do you really want to exit?"));
}

void TestLanguage::listsModulesBesideTheProgram()
{
    QTemporaryDir dir;
    QVERIFY(test::writeFile(dir.filePath("LangGerman.qm"), "x"));
    QVERIFY(test::writeFile(dir.filePath("LangFrench.qm"), "x"));
    QVERIFY(test::writeFile(dir.filePath("Other.qm"), "x"));
    QVERIFY(test::writeFile(dir.filePath("Lang.qm"), "x"));
    QCOMPARE(LanguageLoader(dir.path()).availableLanguages(), QStringList({"French", "German"}));
}

void TestLanguage::germanModuleKeepsEveryPlaceholder()
{
    QFile ts(QStringLiteral(QUORVEL_SOURCE_DIR) + "/translations/LangGerman.ts");
    QVERIFY(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    QString source;
    int checked = 0;
    QStringList wrong;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"source") {
            source = elementText(xml);
        } else if (xml.name() == u"translation") {
            const bool unfinished = xml.attributes().value("type") == u"unfinished";
            const QString translation = elementText(xml);
            if (unfinished || translation.isEmpty())
                continue;
            ++checked;
            if (placeholders(source) != placeholders(translation))
                wrong.append(source + " -> " + translation);
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(checked > 100);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("\n")));
}

void TestLanguage::germanSizeTextsShowTheNumbers_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("centimetres") << 0 << "Bildgröße:\r\n  12.7x8.9 cm\r\n  1500x1051 Pixel";
    QTest::newRow("inches") << 27 << "Bildgröße:\r\n  11.0x8.5 Zoll\r\n  3300x2550 Pixel";
    QTest::newRow("pixels") << 44 << "Bildgröße:\r\n  640x480 Pixel";
}

void TestLanguage::germanSizeTextsShowTheNumbers()
{
    QFETCH(int, format);
    QFETCH(QString, expected);
    LanguageLoader loader(QStringLiteral(QUORVEL_RUNTIME_DIR));
    QVERIFY(loader.apply("LangGerman.qm"));
    QCOMPARE(PrintParameters(format).sizeText(), expected);
}

// The EXIF writer's texts live outside any class; they must still be found
// in the module under the context the writer asks for.
void TestLanguage::germanExifWriterMessages_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cannot open") << int(ExifWriteResult::CannotOpen) << "Datei kann nicht geöffnet werden";
    QTest::newRow("cannot write") << int(ExifWriteResult::CannotWrite) << "EXIF-Daten können nicht geändert werden";
}

void TestLanguage::germanExifWriterMessages()
{
    QFETCH(int, status);
    QFETCH(QString, expected);
    LanguageLoader loader(QStringLiteral(QUORVEL_RUNTIME_DIR));
    QVERIFY(loader.apply("LangGerman.qm"));
    ExifWriteResult result;
    result.status = ExifWriteResult::Status(status);
    QVERIFY2(result.message().startsWith(expected), qPrintable(result.message()));
    loader.apply(QString());
}

// Every line of the key help, the keys added beside the command table's
// included, names the keys as a German keyboard labels them.
void TestLanguage::germanKeyHelpNamesGermanKeys()
{
    LanguageLoader loader(QStringLiteral(QUORVEL_RUNTIME_DIR));
    QVERIFY(loader.apply("LangGerman.qm"));
    static const QRegularExpression english(
        QStringLiteral("Ctrl|Shift|\"Del\"|Space|Backspace|Page|Home|\"End\"|Right|Left|Enter|mouse"));
    for (const KeyHelpDialog::Group &group : KeyHelpDialog::groups()) {
        for (const KeyHelpDialog::Line &line : group.lines) {
            const QString keys = QCoreApplication::translate("quorvel::KeyHelpDialog", line.keys);
            QVERIFY2(!english.match(keys).hasMatch(), qPrintable(keys));
        }
    }
    loader.apply(QString());
}

void TestLanguage::modulesNamedByTheirOwnLanguage()
{
    QTemporaryDir dir;
    QVERIFY(QFile::copy(germanModule(), dir.filePath("LangGerman.qm")));
    QVERIFY(test::writeFile(dir.filePath("LangKlingon.qm"), "not a translation"));
    const LanguageLoader loader(dir.path());
    QCOMPARE(loader.displayName("German"), QString("Deutsch"));
    // A module that does not say its language keeps the name of its file.
    QCOMPARE(loader.displayName("Klingon"), QString("Klingon"));
    QCOMPARE(loader.displayName("Missing"), QString("Missing"));
}

void TestLanguage::firstStartFollowsTheSystem_data()
{
    QTest::addColumn<QString>("stored"); // "-" for nothing stored
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<QString>("expected");
    QTest::newRow("German system") << "-" << QStringList{"de-DE", "de"} << "LangGerman.qm";
    QTest::newRow("Austrian German") << "-" << QStringList{"de-AT"} << "LangGerman.qm";
    QTest::newRow("English system") << "-" << QStringList{"en-US", "en"} << "English";
    QTest::newRow("English preferred over German") << "-" << QStringList{"en-GB", "de-DE"} << "English";
    QTest::newRow("no module: next language") << "-" << QStringList{"fr-FR", "de-DE"} << "LangGerman.qm";
    QTest::newRow("no module at all") << "-" << QStringList{"fr-FR"} << "English";
    QTest::newRow("C locale") << "-" << QStringList{"C"} << "English";
    QTest::newRow("a stored choice stays") << "English" << QStringList{"de-DE"} << "English";
    QTest::newRow("even an empty one") << "" << QStringList{"de-DE"} << "English";
}

void TestLanguage::firstStartFollowsTheSystem()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, uiLanguages);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(QFile::copy(germanModule(), dir.filePath("LangGerman.qm")));
    MemorySettingsStore store;
    if (stored != "-")
        store.writeString("Main", "InterfaceLang", stored);
    AppSettings settings;
    settings.load(store);

    LanguageLoader(dir.path()).adoptOnFirstStart(store, settings, uiLanguages);
    QCOMPARE(settings.interfaceLang, expected);
    // The choice is stored, so the record saved at exit keeps it.
    AppSettings reread;
    reread.load(store);
    QCOMPARE(reread.interfaceLang, expected);
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
