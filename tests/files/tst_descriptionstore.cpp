#include "core/files/DescriptionStore.h"
#include "core/files/LinkFile.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;
using SetResult = DescriptionStore::SetResult;

namespace {

const QDateTime kOldTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);

void setModified(const QString &path, const QDateTime &when)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
}

QDateTime modified(const QString &path)
{
    return QFileInfo(path).lastModified().toUTC();
}

// Lines of other programs: an 8-bit code page, a line without a separator,
// a NUL, an unclosed quote, a shadowed duplicate, mixed line ends and no
// line end at the very end.
const QByteArray kForeign = QByteArrayLiteral("\xEF\xBB\xBF"
                                              "caf\xE9.jpg Stra\xDF" "e am Meer\r\n"
                                              "just-a-name\r\n"
                                              "a.jpg First\n"
                                              "bin.jpg x\0y\r\n"
                                              "\"unclosed.jpg text\r\n"
                                              "b.jpg Bee\r\n"
                                              "a.jpg Shadowed\r\n"
                                              "z.jpg \x04\xC2 last");

} // namespace

class TestDescriptionStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readingLines_data();
    void readingLines();
    void writingLines_data();
    void writingLines();
    void refusedNames_data();
    void refusedNames();
    void unchangedStoreWritesNothing();
    void failedWriteKeepsTheOldFile();
    void unreadableFileIsNeverReplaced_data();
    void unreadableFileIsNeverReplaced();
    void linksUseTheTargetsFolder();
    void setDescriptionKeepsOtherProgramsChanges();
    void renameMovesTheDescription_data();
    void renameMovesTheDescription();
};

void TestDescriptionStore::readingLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("unquoted name ends at the first space")
        << QByteArray("my photo.jpg Sunset\r\n") << "my" << "photo.jpg Sunset";
    QTest::newRow("so the spaced name has no description")
        << QByteArray("my photo.jpg Sunset\r\n") << "my photo.jpg" << "";
    QTest::newRow("quoted name") << QByteArray("\"my photo.jpg\" Sunset at sea\r\n") << "my photo.jpg"
                                 << "Sunset at sea";
    QTest::newRow("description kept as it stands")
        << QByteArray("a.jpg  two \"quoted\"  words \r\n") << "a.jpg" << " two \"quoted\"  words ";
    QTest::newRow("quotes dropped from names") << QByteArray("a\"b.jpg x\r\n") << "ab.jpg" << "x";
    QTest::newRow("line without a space is no entry")
        << QByteArray("lonely.jpg\r\nb.jpg B\r\n") << "lonely.jpg" << "";
    QTest::newRow("line after it still read") << QByteArray("lonely.jpg\r\nb.jpg B\r\n") << "b.jpg" << "B";
    QTest::newRow("unclosed quote never matches") << QByteArray("\"open.jpg desc\r\n") << "open.jpg" << "";
    QTest::newRow("first occurrence counts") << QByteArray("a.jpg First\r\na.jpg Second\r\n") << "a.jpg"
                                             << "First";
    QTest::newRow("letter case counts") << QByteArray("img_1.jpg lower\r\n") << "IMG_1.JPG" << "";
    QTest::newRow("LF line ends") << QByteArray("a.jpg A\nb.jpg B\n") << "b.jpg" << "B";
    QTest::newRow("no final line end") << QByteArray("a.jpg A") << "a.jpg" << "A";
    QTest::newRow("tab is part of the name") << QByteArray("a.jpg\tx y\r\n") << "a.jpg" << "";
    QTest::newRow("UTF-8 name and text") << QByteArray("Stra\xC3\x9F" "e.jpg Blick \xC3\xBC" "ber\r\n")
                                         << QString::fromUtf8("Straße.jpg") << QString::fromUtf8("Blick über");
    QTest::newRow("UTF-8 byte order mark") << QByteArray("\xEF\xBB\xBF" "a.jpg A\r\n") << "a.jpg" << "A";
#ifndef Q_OS_WIN
    QTest::newRow("8-bit text read as Latin-1") << QByteArray("a.jpg Stra\xDF" "e\r\n") << "a.jpg"
                                                << QString::fromUtf8("Straße");
#endif
    QTest::newRow("empty file") << QByteArray() << "a.jpg" << "";
}

void TestDescriptionStore::readingLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = DescriptionStore::fileInFolder(dir.path());
    QVERIFY(test::writeFile(path, file));

    DescriptionStore store;
    store.load(path);
    QCOMPARE(store.filePath(), path);
    QCOMPARE(store.get(dir.filePath(name)), expected);
    QCOMPARE(store.getDescription(dir.filePath(name)), expected);
}

void TestDescriptionStore::writingLines_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    // Alternating file names and the descriptions set for them.
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QByteArray>("after");

    const QByteArray abc("a.jpg A\r\nb.jpg B\r\nc.jpg C\r\n");
    QTest::newRow("first description creates the file")
        << false << QByteArray() << QStringList{"a.jpg", "Sunset"} << QByteArray("a.jpg Sunset\r\n");
    QTest::newRow("spaced name written quoted") << false << QByteArray()
                                                << QStringList{"my photo.jpg", "Sunset"}
                                                << QByteArray("\"my photo.jpg\" Sunset\r\n");
    QTest::newRow("other letter case gets its own line")
        << true << QByteArray("img_1.jpg lower\r\n") << QStringList{"IMG_1.JPG", "upper"}
        << QByteArray("img_1.jpg lower\r\nIMG_1.JPG upper\r\n");
    QTest::newRow("changed in place") << true << abc << QStringList{"b.jpg", "New"}
                                      << QByteArray("a.jpg A\r\nb.jpg New\r\nc.jpg C\r\n");
    QTest::newRow("empty description removes the line")
        << true << abc << QStringList{"b.jpg", ""} << QByteArray("a.jpg A\r\nc.jpg C\r\n");
    QTest::newRow("removing the only line leaves an empty file")
        << true << QByteArray("a.jpg A\r\n") << QStringList{"a.jpg", ""} << QByteArray();
    QTest::newRow("removing also drops shadowed lines")
        << true << QByteArray("a.jpg A\r\nx.jpg X\r\na.jpg old\r\n") << QStringList{"a.jpg", ""}
        << QByteArray("x.jpg X\r\n");
    QTest::newRow("new lines end like the file's") << true << QByteArray("a.jpg A\n")
                                                   << QStringList{"b.jpg", "B"}
                                                   << QByteArray("a.jpg A\nb.jpg B\n");
    QTest::newRow("missing last line end supplied") << true << QByteArray("a.jpg A")
                                                    << QStringList{"b.jpg", "B"}
                                                    << QByteArray("a.jpg A\r\nb.jpg B\r\n");
    QTest::newRow("changed last line keeps its missing end")
        << true << QByteArray("a.jpg A\r\nb.jpg B") << QStringList{"b.jpg", "Bee"}
        << QByteArray("a.jpg A\r\nb.jpg Bee");
    QTest::newRow("line breaks become spaces") << false << QByteArray()
                                               << QStringList{"a.jpg", "one\r\ntwo\nthree"}
                                               << QByteArray("a.jpg one two three\r\n");
    QTest::newRow("leading spaces and quotes kept")
        << false << QByteArray() << QStringList{"my photo.jpg", "  say \"hi\""}
        << QByteArray("\"my photo.jpg\"   say \"hi\"\r\n");
    const QString longText(2000, u'x');
    QTest::newRow("long description kept whole") << false << QByteArray() << QStringList{"a.jpg", longText}
                                                 << QByteArray("a.jpg ") + longText.toUtf8() + "\r\n";
    QTest::newRow("add then remove in one go") << true << abc
                                               << QStringList{"d.jpg", "D", "a.jpg", "", "d.jpg", ""}
                                               << QByteArray("b.jpg B\r\nc.jpg C\r\n");

    // Everything but the changed line survives byte for byte.
    QByteArray foreignChanged = kForeign;
    foreignChanged.replace("b.jpg Bee\r\n", "b.jpg Wasp\r\n");
    QTest::newRow("foreign lines kept on change")
        << true << kForeign << QStringList{"b.jpg", "Wasp"} << foreignChanged;
    QByteArray foreignRemoved = kForeign;
    foreignRemoved.replace("a.jpg First\n", "");
    foreignRemoved.replace("a.jpg Shadowed\r\n", "");
    QTest::newRow("foreign lines kept on removal")
        << true << kForeign << QStringList{"a.jpg", ""} << foreignRemoved;
    QTest::newRow("foreign lines kept on append")
        << true << kForeign << QStringList{QString::fromUtf8("neu ö.jpg"), QString::fromUtf8("Grüße")}
        << kForeign + "\r\n\"neu \xC3\xB6.jpg\" Gr\xC3\xBC\xC3\x9F" "e\r\n";
}

void TestDescriptionStore::writingLines()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(QStringList, changes);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = DescriptionStore::fileInFolder(dir.path());
    if (exists)
        QVERIFY(test::writeFile(path, before));

    DescriptionStore store;
    store.load(path);
    for (qsizetype i = 0; i + 1 < changes.size(); i += 2)
        QVERIFY(store.set(dir.filePath(changes.at(i)), changes.at(i + 1)) != SetResult::Refused);
    QVERIFY(store.saveIfLoaded());
    QCOMPARE(test::readFile(path), after);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"descript.ion"});

    // What was written reads back as what was set.
    DescriptionStore again;
    again.load(path);
    for (qsizetype i = 0; i + 1 < changes.size(); i += 2) {
        const QString expected = QString(changes.at(i + 1)).replace("\r\n", " ").replace('\n', ' ');
        QCOMPARE(again.get(dir.filePath(changes.at(i))), store.get(dir.filePath(changes.at(i))));
        if (i + 2 >= changes.size())
            QCOMPARE(again.get(dir.filePath(changes.at(i))), expected);
    }
}

void TestDescriptionStore::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("double quote") << "say \"cheese\".jpg";
    QTest::newRow("quote at the start") << "\"a.jpg";
    QTest::newRow("line break") << "two\nlines.jpg";
}

void TestDescriptionStore::refusedNames()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = DescriptionStore::fileInFolder(dir.path());
    QVERIFY(test::writeFile(path, "a.jpg A\r\n"));
    DescriptionStore store;
    store.load(path);
    QVERIFY(!DescriptionStore::isStorableName(name));
    QCOMPARE(store.set(dir.filePath(name), "text"), SetResult::Refused);
    QVERIFY(!store.lastError().isEmpty());
    QVERIFY(!store.isModified());
    QVERIFY(!store.setDescription(dir.filePath(name), "text"));
    QCOMPARE(test::readFile(path), QByteArray("a.jpg A\r\n"));
}

void TestDescriptionStore::unchangedStoreWritesNothing()
{
    QTemporaryDir dir;
    const QString path = DescriptionStore::fileInFolder(dir.path());
    QVERIFY(test::writeFile(path, "a.jpg A\r\n"));
    setModified(path, kOldTime);

    DescriptionStore store;
    QVERIFY(store.load(path));
    QCOMPARE(store.set(dir.filePath("a.jpg"), "A"), SetResult::Unchanged);
    QCOMPARE(store.set(dir.filePath("new.jpg"), ""), SetResult::Unchanged);
    QVERIFY(store.saveIfLoaded());
    QVERIFY(store.setDescription(dir.filePath("a.jpg"), "A"));
    QCOMPARE(modified(path), kOldTime);

    // Nothing to say about a folder without a file: none is created.
    QTemporaryDir empty;
    DescriptionStore none;
    QVERIFY(!none.load(DescriptionStore::fileInFolder(empty.path())));
    QVERIFY(none.saveIfLoaded());
    QVERIFY(!QFileInfo::exists(DescriptionStore::fileInFolder(empty.path())));
}

void TestDescriptionStore::failedWriteKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = DescriptionStore::fileInFolder(dir.path());
    const QByteArray old("a.jpg A\r\nb.jpg B\r\n");
    QVERIFY(test::writeFile(path, old));

    DescriptionStore store;
    store.load(path);
    QCOMPARE(store.set(dir.filePath("a.jpg"), QString(500, u'n')), SetResult::Changed);
    {
        test::FileSizeLimit limit(100);
        if (!limit.active())
            QSKIP("no file size limit on this platform");
        QVERIFY(!store.saveIfLoaded());
        QVERIFY(!store.lastError().isEmpty());
        QVERIFY(!store.setDescription(dir.filePath("b.jpg"), QString(500, u'm')));
    }
    QCOMPARE(test::readFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"descript.ion"});

    // The change is still there to be saved once writing works again.
    QVERIFY(store.isModified());
    QVERIFY(store.saveIfLoaded());
    QVERIFY(test::readFile(path).startsWith("a.jpg nnn"));
}

void TestDescriptionStore::unreadableFileIsNeverReplaced_data()
{
    QTest::addColumn<bool>("tooLarge");
    QTest::newRow("too large") << true;
    QTest::newRow("too many lines") << false;
}

void TestDescriptionStore::unreadableFileIsNeverReplaced()
{
    QFETCH(bool, tooLarge);
    QTemporaryDir dir;
    const QString path = DescriptionStore::fileInFolder(dir.path());
    if (tooLarge) {
        // Sparse: too large to read, costs no disk.
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(DescriptionStore::kMaxFileBytes + 1));
    } else {
        QVERIFY(test::writeFile(path, QByteArray(DescriptionStore::kMaxLines, '\n') + "a.jpg A\n"));
    }
    const qint64 size = QFileInfo(path).size();
    DescriptionStore store;
    QVERIFY(!store.load(path));
    QVERIFY(!store.lastError().isEmpty());
    QCOMPARE(store.set(dir.filePath("a.jpg"), "New"), SetResult::Changed);
    QVERIFY(!store.saveIfLoaded());
    QVERIFY(!store.setDescription(dir.filePath("b.jpg"), "B"));
    QVERIFY(!store.moveDescription(dir.filePath("a.jpg"), dir.filePath("c.jpg")));
    QCOMPARE(QFileInfo(path).size(), size);
}

void TestDescriptionStore::linksUseTheTargetsFolder()
{
    QTemporaryDir dir;
    const QString photos = dir.filePath("photos");
    const QString best = dir.filePath("best");
    QVERIFY(test::writeFile(photos + "/a.jpg", "jpeg"));
    QVERIFY(test::writeFile(DescriptionStore::fileInFolder(photos), "a.jpg Target text\r\n"));
    QVERIFY(QDir().mkpath(best));
    QVERIFY(link::createLink(photos + "/a.jpg", best));
    const QString linkPath = best + "/a.jpg.link";
    QVERIFY(test::writeFile(best + "/gone.jpg.link", "../photos/gone.jpg"));

    DescriptionStore current;
    current.load(DescriptionStore::fileInFolder(best));
    QCOMPARE(current.getDescription(linkPath), QString("Target text"));
    QVERIFY(current.setDescription(linkPath, "New text"));
    QCOMPARE(test::readFile(DescriptionStore::fileInFolder(photos)), QByteArray("a.jpg New text\r\n"));
    QCOMPARE(current.getDescription(linkPath), QString("New text"));

    // A link that leads nowhere has no description and takes none.
    QCOMPARE(current.getDescription(best + "/gone.jpg.link"), QString());
    QVERIFY(!current.setDescription(best + "/gone.jpg.link", "lost"));
    QVERIFY(!current.lastError().isEmpty());
    QVERIFY(!QFileInfo::exists(DescriptionStore::fileInFolder(best)));
}

void TestDescriptionStore::setDescriptionKeepsOtherProgramsChanges()
{
    QTemporaryDir dir;
    const QString path = DescriptionStore::fileInFolder(dir.path());
    QVERIFY(test::writeFile(path, "a.jpg A\r\n"));
    DescriptionStore store;
    store.load(path);
    // A file manager adds a line while the folder is shown.
    QVERIFY(test::writeFile(path, "a.jpg A\r\nb.jpg From elsewhere\r\n"));
    QVERIFY(store.setDescription(dir.filePath("a.jpg"), "Mine"));
    QCOMPARE(test::readFile(path), QByteArray("a.jpg Mine\r\nb.jpg From elsewhere\r\n"));
    QCOMPARE(store.get(dir.filePath("b.jpg")), QString("From elsewhere"));
}

void TestDescriptionStore::renameMovesTheDescription_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("moves to the end under the new name")
        << QByteArray("a.jpg A\r\nb.jpg B\r\n") << "a.jpg" << "c.jpg" << QByteArray("b.jpg B\r\nc.jpg A\r\n");
    QTest::newRow("new name with a space") << QByteArray("a.jpg A\r\n") << "a.jpg" << "a b.jpg"
                                           << QByteArray("\"a b.jpg\" A\r\n");
    QTest::newRow("stale line of the new name replaced")
        << QByteArray("a.jpg A\r\nc.jpg old\r\n") << "a.jpg" << "c.jpg" << QByteArray("c.jpg A\r\n");
    QTest::newRow("undescribed file leaves the file alone")
        << QByteArray("a.jpg A\r\n") << "x.jpg" << "y.jpg" << QByteArray("a.jpg A\r\n");
    QTest::newRow("unstorable new name keeps the old line")
        << QByteArray("a.jpg A\r\n") << "a.jpg" << "\"a\".jpg" << QByteArray("a.jpg A\r\n");
}

void TestDescriptionStore::renameMovesTheDescription()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = DescriptionStore::fileInFolder(dir.path());
    QVERIFY(test::writeFile(path, before));
    setModified(path, kOldTime);

    DescriptionStore store;
    const bool ok = store.moveDescription(dir.filePath(from), dir.filePath(to));
    QCOMPARE(ok, DescriptionStore::isStorableName(to));
    QCOMPARE(test::readFile(path), after);
    if (before == after)
        QCOMPARE(modified(path), kOldTime);
}

QTEST_GUILESS_MAIN(TestDescriptionStore)
#include "tst_descriptionstore.moc"
