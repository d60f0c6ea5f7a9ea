#include "core/settings/MemorySettingsStore.h"
#include "core/settings/ProfileStringList.h"
#include "core/settings/QSettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

class TestProfileStringList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reading_data();
    void reading();
    void emptyEntriesGoAtTheNextSave();
    void editingOperations();
    void entriesWithSemicolons_data();
    void entriesWithSemicolons();
    void favouriteFolderText_data();
    void favouriteFolderText();
};

void TestProfileStringList::reading_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("two favourites") << "C:\\Photos;;D:\\Trips;;" << QStringList{"C:\\Photos", "D:\\Trips"};
    QTest::newRow("last piece without ;; is lost") << "C:\\A;;C:\\B" << QStringList{"C:\\A"};
    QTest::newRow("duplicates read once") << "C:\\A;;C:\\A;;" << QStringList{"C:\\A"};
    QTest::newRow("letter case counts") << "/p/a;;/p/A;;" << QStringList{"/p/a", "/p/A"};
    QTest::newRow("empty value") << "" << QStringList{};
    QTest::newRow("no separator at all") << "C:\\Photos" << QStringList{};
    QTest::newRow("empty piece once") << ";;;;a;;" << QStringList{"", "a"};
    QTest::newRow("single semicolon inside") << "a;b;;" << QStringList{"a;b"};
    QTest::newRow("odd run of semicolons") << "a;;;b;;" << QStringList{"a", ";b"};
}

void TestProfileStringList::reading()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, entries);
    MemorySettingsStore store;
    store.writeString("Favourites", "StrBody", stored);
    ProfileStringList list = ProfileStringList::favourites();
    list.load(store);
    QCOMPARE(list.entries(), entries);
    QCOMPARE(list.count(), entries.size());
}

void TestProfileStringList::emptyEntriesGoAtTheNextSave()
{
    MemorySettingsStore store;
    store.writeString("Editors", "StrBody", ";;/usr/bin/gimp;;");
    ProfileStringList list = ProfileStringList::editors();
    list.load(store);
    QCOMPARE(list.entries(), (QStringList{"", "/usr/bin/gimp"}));
    list.save(store);
    QCOMPARE(store.readString("Editors", "StrBody", "?"), QString("/usr/bin/gimp;;"));
}

void TestProfileStringList::editingOperations()
{
    MemorySettingsStore store;
    ProfileStringList list = ProfileStringList::favourites();
    list.load(store);
    QVERIFY(list.addUnique("/p/a"));
    QVERIFY(list.addUnique("/p/b"));
    QVERIFY(!list.addUnique("/p/a"));
    QVERIFY(list.addUnique("/p/A"));
    QCOMPARE(list.indexOf("/p/b"), 1);
    QCOMPARE(list.at(2), QString("/p/A"));
    QCOMPARE(list.at(3), QString());
    QCOMPARE(list.at(-1), QString());
    QVERIFY(!list.removeAt(3));
    QVERIFY(!list.removeAt(-1));
    QVERIFY(list.removeAt(1));
    list.save(store);
    QCOMPARE(store.readString("Favourites", "StrBody", "?"), QString("/p/a;;/p/A;;"));

    ProfileStringList again = ProfileStringList::favourites();
    again.load(store);
    QCOMPARE(again.entries(), (QStringList{"/p/a", "/p/A"}));
    again.clear();
    again.save(store);
    QCOMPARE(store.readString("Favourites", "StrBody", "?"), QString());
}

void TestProfileStringList::entriesWithSemicolons_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("storable");
    QTest::newRow("semicolon inside") << "/p/a;b" << true;
    QTest::newRow("semicolon first") << ";/p/a" << true;
    QTest::newRow("comma and blanks") << "/p/Trips, 2004 ;b" << true;
    QTest::newRow("double semicolon inside") << "/p/a;;b" << false;
    QTest::newRow("semicolon last") << "/p/a;" << false;
    QTest::newRow("only a semicolon") << ";" << false;
    QTest::newRow("empty") << "" << false;
}

void TestProfileStringList::entriesWithSemicolons()
{
    QFETCH(QString, text);
    QFETCH(bool, storable);
    QCOMPARE(ProfileStringList::isStorable(text), storable);

    // Through the real store in an INI file, between two other entries.
    QTemporaryDir dir;
    const QString ini = dir.filePath("q.ini");
    ProfileStringList list = ProfileStringList::favourites();
    QVERIFY(list.addUnique("/first"));
    QCOMPARE(list.addUnique(text), storable);
    QVERIFY(list.addUnique("/last"));
    {
        QSettingsStore store(ini);
        list.save(store);
    }
    QSettingsStore store(ini);
    ProfileStringList back = ProfileStringList::favourites();
    back.load(store);
    QCOMPARE(back.entries(), list.entries());
    QCOMPARE(back.count(), storable ? 3 : 2);
}

void TestProfileStringList::favouriteFolderText_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("text");
#ifdef Q_OS_WIN
    QTest::newRow("trailing backslash dropped") << "C:\\Photos\\" << "C:\\Photos";
    QTest::newRow("drive root kept") << "C:\\" << "C:\\";
    QTest::newRow("forward slashes") << "C:/Photos/2004/" << "C:\\Photos\\2004";
#else
    QTest::newRow("trailing slash dropped") << "/home/u/Photos/" << "/home/u/Photos";
    QTest::newRow("root kept") << "/" << "/";
    QTest::newRow("already plain") << "/home/u/Photos" << "/home/u/Photos";
#endif
}

void TestProfileStringList::favouriteFolderText()
{
    QFETCH(QString, folder);
    QFETCH(QString, text);
    QCOMPARE(ProfileStringList::favouriteFolderText(folder), text);
}

QTEST_GUILESS_MAIN(TestProfileStringList)
#include "tst_profilestringlist.moc"
