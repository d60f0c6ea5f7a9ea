#include "support/TestSupport.h"
#include "ui/app/LanguageLoader.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

namespace {
QString exitQuestion()
{
    return QCoreApplication::translate("quorvel::MainWindow", "Do you really want to exit?");
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

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
