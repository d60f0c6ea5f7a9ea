#include "core/settings/AppSettings.h"
#include "core/settings/BrowsingSettings.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/ProfileStringList.h"
#include "core/settings/SettingsStore.h"
#include "fileops/RecordingPrompts.h"
#include "support/TestSupport.h"
#include "ui/app/SettingsDialog.h"
#include "ui/app/SettingsChoices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

namespace {

QStringList texts(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out.append(combo->itemText(i));
    return out;
}

QStringList texts(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

void choose(QComboBox *combo, const QString &text)
{
    const int row = combo->findText(text);
    QVERIFY2(row >= 0, qPrintable(text));
    combo->setCurrentIndex(row);
    Q_EMIT combo->activated(row);
}

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void languageRows_data();
    void languageRows();
    void choosingALanguage();
    void modulesListedByTheirOwnName();
    void units();
    void interpolation_data();
    void interpolation();
    void startFolder_data();
    void startFolder();
    void checkBoxesStoreAtOnce();
    void changesKeepWhatOthersStored();
    void editorsList();
    void favouritesList();
    void slideshowInterval_data();
    void slideshowInterval();

private:
    SettingsStore &store() { return settingsStore(); }
    QTemporaryDir m_modules;
    test::RecordingPrompts *m_prompts = nullptr;
};

void TestSettingsDialog::init()
{
    installSettingsStore(std::make_unique<MemorySettingsStore>());
    globalSettings().load();
    m_prompts = test::RecordingPrompts::install();
    QVERIFY(m_modules.isValid());
    for (const QString &name : QDir(m_modules.path()).entryList(QDir::Files))
        QFile::remove(m_modules.filePath(name));
    for (const char *name : {"LangGerman.qm", "LangFrench.qm", "notes.txt"})
        QVERIFY(test::writeFile(m_modules.filePath(name), "module"));
}

void TestSettingsDialog::cleanup()
{
    Prompts::install(nullptr);
}

void TestSettingsDialog::languageRows_data()
{
    QTest::addColumn<QStringList>("extraModules");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("selected");
    const QStringList three{"English (default)", "French", "German"};
    QTest::newRow("English") << QStringList{} << "English" << three << "English (default)";
    QTest::newRow("a module") << QStringList{} << "LangGerman.qm" << three << "German";
    QTest::newRow("a module of the old form") << QStringList{} << "LangGerman.dll" << three << "German";
    QTest::newRow("a name holding another") << QStringList{"LangGermanSwiss.qm"} << "LangGermanSwiss.qm"
                                            << QStringList{"English (default)", "French", "German", "GermanSwiss"}
                                            << "GermanSwiss";
    QTest::newRow("a module that is gone") << QStringList{} << "LangDutch.qm" << three << "";
}

void TestSettingsDialog::languageRows()
{
    QFETCH(QStringList, extraModules);
    QFETCH(QString, stored);
    QFETCH(QStringList, rows);
    QFETCH(QString, selected);
    for (const QString &name : extraModules)
        QVERIFY(test::writeFile(m_modules.filePath(name), "module"));
    globalSettings().interfaceLang = stored;
    SettingsDialog dialog(nullptr, m_modules.path());
    QCOMPARE(texts(dialog.languages()), rows);
    QCOMPARE(dialog.languages()->currentText(), selected);
}

void TestSettingsDialog::choosingALanguage()
{
    SettingsDialog dialog(nullptr, m_modules.path());
    const QString restart = "Quorvel|New language will be available after you restart the program.";
    choose(dialog.languages(), "German");
    QCOMPARE(store().readString("Main", "InterfaceLang", ""), QString("LangGerman.qm"));
    QCOMPARE(globalSettings().interfaceLang, QString("LangGerman.qm"));
    QCOMPARE(m_prompts->messages, QStringList{restart});
    // The same choice again changes nothing and says nothing.
    choose(dialog.languages(), "German");
    QCOMPARE(m_prompts->messages.size(), 1);
    choose(dialog.languages(), "English (default)");
    QCOMPARE(store().readString("Main", "InterfaceLang", ""), QString("English"));
    QCOMPARE(m_prompts->messages, QStringList({restart, restart}));
}

void TestSettingsDialog::modulesListedByTheirOwnName()
{
    QTemporaryDir dir;
    QVERIFY(QFile::copy(QStringLiteral(QUORVEL_RUNTIME_DIR) + "/LangGerman.qm", dir.filePath("LangGerman.qm")));
    globalSettings().interfaceLang = "LangGerman.dll"; // stored by an old release
    SettingsDialog dialog(nullptr, dir.path());
    QCOMPARE(texts(dialog.languages()), QStringList({"Deutsch", "English (default)"}));
    QCOMPARE(dialog.languages()->currentText(), QString("Deutsch"));
    // The stored value names the module file, whatever the row shows.
    choose(dialog.languages(), "Deutsch");
    QCOMPARE(store().readString("Main", "InterfaceLang", ""), QString("LangGerman.qm"));
}

void TestSettingsDialog::units()
{
    SettingsDialog dialog(nullptr, m_modules.path());
    QCOMPARE(texts(dialog.units()), QStringList({"Cm", "Inch", "Mm", "Pixels"}));
    QCOMPARE(dialog.units()->currentText(), QString("Inch"));
    choose(dialog.units(), "Mm");
    QCOMPARE(store().readInt("Main", "DefaultUnits", -1), 3);
    QCOMPARE(globalSettings().defaultUnits, 3);
    choose(dialog.units(), "Pixels");
    QCOMPARE(store().readInt("Main", "DefaultUnits", -1), 0);
}

void TestSettingsDialog::interpolation_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("mode");
    QTest::newRow("bicubic to nearest") << 4 << "Bicubic" << "Nearest neihbour" << 5;
    QTest::newRow("high quality bilinear to bicubic")
        << 6 << "Bilinear, high quality" << "Bicubic, high quality" << 7;
    QTest::newRow("out of range reads as bilinear") << 9 << "Bilinear (most quick)" << "Bicubic" << 4;
}

void TestSettingsDialog::interpolation()
{
    QFETCH(int, stored);
    QFETCH(QString, shown);
    QFETCH(QString, chosen);
    QFETCH(int, mode);
    store().writeInt("Algorithms", "ResizeFullScreen", stored);
    store().writeInt("Algorithms", "ResizeToPrint", stored);
    globalSettings().load();
    SettingsDialog dialog(nullptr, m_modules.path());
    const QStringList order{"Bilinear (most quick)", "Nearest neihbour", "Bicubic", "Bilinear, high quality",
                            "Bicubic, high quality"};
    for (QComboBox *combo : {dialog.viewInterpolation(), dialog.printInterpolation()}) {
        QCOMPARE(texts(combo), order);
        QCOMPARE(combo->currentText(), shown);
    }
    choose(dialog.viewInterpolation(), chosen);
    QCOMPARE(store().readInt("Algorithms", "ResizeFullScreen", -1), mode);
    QCOMPARE(globalSettings().resizeFullScreen, mode);
    choose(dialog.printInterpolation(), chosen);
    QCOMPARE(store().readInt("Algorithms", "ResizeToPrint", -1), mode);
}

void TestSettingsDialog::startFolder_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    const QString sep = QDir::separator();
    QTest::newRow("separator appended") << "/photos" << "/photos" + sep;
    QTest::newRow("separator kept") << "/photos/" << QString("/photos/");
    QTest::newRow("emptied: unchanged") << "" << AppSettings::defaultStartFolder();
}

void TestSettingsDialog::startFolder()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    SettingsDialog dialog(nullptr, m_modules.path());
    QVERIFY(dialog.startFolder()->isReadOnly());
    dialog.startFolderUse()->click();
    QVERIFY(!dialog.startFolder()->isReadOnly());
    QCOMPARE(store().readInt("Main", "StartFolderUse", -1), 1);
    dialog.startFolder()->clear();
    QTest::keyClicks(dialog.startFolder(), typed);
    QCOMPARE(store().readString("Main", "StartFolder", ""), stored);
    QCOMPARE(globalSettings().startFolder, stored);
    // The browse button puts the chosen folder in the box.
    m_prompts->folder = "/chosen";
    dialog.findChild<QPushButton *>("StartFolderBrowse")->click();
    QCOMPARE(store().readString("Main", "StartFolder", ""), "/chosen" + QString(QDir::separator()));
    QCOMPARE(m_prompts->browseTitles, QStringList{"Choose the startup folder"});
}

void TestSettingsDialog::checkBoxesStoreAtOnce()
{
    SettingsDialog dialog(nullptr, m_modules.path());
    const struct
    {
        const char *box;
        const char *value;
        int before;
    } boxes[] = {{"UseCmsCheck", "UseCMS", 0},
                 {"HqRawCheck", "HQRAWConv", 0},
                 {"RotateByExifCheck", "RotateByExif", 1},
                 {"AskWhenExitCheck", "AskWhenExit", 1}};
    for (const auto &b : boxes) {
        auto *box = dialog.findChild<QCheckBox *>(b.box);
        QVERIFY(box);
        QCOMPARE(box->isChecked(), b.before != 0);
        box->click();
        QCOMPARE(store().readInt("Main", b.value, -1), 1 - b.before);
    }
}

void TestSettingsDialog::changesKeepWhatOthersStored()
{
    // Stored by another part of the program after the start.
    AppSettings local;
    local.load();
    local.printDpi = "600";
    local.save();
    SettingsDialog dialog(nullptr, m_modules.path());
    dialog.findChild<QCheckBox *>("UseCmsCheck")->click();
    QCOMPARE(store().readString("Print", "PrintDPI", ""), QString("600"));
    QCOMPARE(store().readInt("Main", "UseCMS", -1), 1);
}

void TestSettingsDialog::editorsList()
{
    SettingsDialog dialog(nullptr, m_modules.path());
    auto *add = dialog.findChild<QPushButton *>("AddEditorButton");
    auto *remove = dialog.findChild<QPushButton *>("RemoveEditorButton");
    m_prompts->program = "/usr/bin/zed";
    add->click();
    m_prompts->program = "/usr/bin/gimp";
    add->click();
    add->click(); // already there: nothing changes
    QCOMPARE(texts(dialog.editorsList()), QStringList({"/usr/bin/gimp", "/usr/bin/zed"}));
    QCOMPARE(store().readString("Editors", "StrBody", ""), QString("/usr/bin/zed;;/usr/bin/gimp;;"));

    remove->click();
    QCOMPARE(m_prompts->messages, QStringList{"Information|Choose editor from the list to remove"});
    // The row sorted first is the second entry stored.
    dialog.editorsList()->setCurrentRow(0);
    remove->click();
    QCOMPARE(store().readString("Editors", "StrBody", ""), QString("/usr/bin/zed;;"));
    QCOMPARE(texts(dialog.editorsList()), QStringList{"/usr/bin/zed"});
}

void TestSettingsDialog::favouritesList()
{
    SettingsDialog dialog(nullptr, m_modules.path());
    QSignalSpy changed(&dialog, &SettingsDialog::favouritesChanged);
    auto *add = dialog.findChild<QPushButton *>("AddFavouriteButton");
    auto *remove = dialog.findChild<QPushButton *>("RemoveFavouriteButton");
    m_prompts->folder = "/trips/";
    add->click();
    m_prompts->folder = "/photos";
    add->click();
    QCOMPARE(m_prompts->browseTitles.first(), QString("Chose editor, you want to add in Favourites"));
    QCOMPARE(store().readString("Favourites", "StrBody", ""), QString("/trips;;/photos;;"));
    QCOMPARE(texts(dialog.favouritesList()), QStringList({"/photos", "/trips"}));
    QCOMPARE(changed.count(), 2);
    // Without a selection nothing happens, silently.
    remove->click();
    QCOMPARE(changed.count(), 2);
    QVERIFY(m_prompts->messages.isEmpty());
    dialog.favouritesList()->setCurrentRow(1);
    remove->click();
    QCOMPARE(store().readString("Favourites", "StrBody", ""), QString("/photos;;"));
    QCOMPARE(changed.count(), 3);
}

void TestSettingsDialog::slideshowInterval_data()
{
    QTest::addColumn<int>("stored"); // -1: nothing stored
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("kept");
    QTest::newRow("default") << -1 << 4 << 9 << 9;
    QTest::newRow("stored") << 12 << 12 << 1 << 1;
    QTest::newRow("stored below the range") << 0 << 1 << 3 << 3;
    QTest::newRow("typed past the range") << 4 << 4 << 100000 << 3600;
}

void TestSettingsDialog::slideshowInterval()
{
    QFETCH(int, stored);
    QFETCH(int, shown);
    QFETCH(int, typed);
    QFETCH(int, kept);
    if (stored >= 0)
        store().writeInt("Main", "SlideshowInterval", stored);
    SettingsDialog dialog(nullptr, m_modules.path());
    QCOMPARE(dialog.slideshowInterval()->value(), shown);
    dialog.slideshowInterval()->setValue(typed);
    // Stored at once, as every setting of the dialog.
    QCOMPARE(settings::slideshowSeconds(store()), kept);
    QCOMPARE(store().readInt("Main", "SlideshowInterval", -1), kept);
}

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
