#include "core/fileops/VersionIndex.h"
#include "core/fileops/VersionStore.h"
#include "core/fileops/VersionTexts.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace quorvel;

namespace {

qint32 int32At(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

// A UTF-16LE field: the text before its terminator, or "<unterminated>".
QString fieldAt(const QByteArray &bytes, qsizetype offset, int units)
{
    QString text;
    for (int i = 0; i < units; ++i) {
        const char16_t u = qFromLittleEndian<quint16>(bytes.constData() + offset + 2 * i);
        if (u == 0)
            return text;
        text.append(QChar(u));
    }
    return QStringLiteral("<unterminated>");
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Hands out the given names in turn, then falls back to "zzzzzzz".
std::function<QString()> names(QStringList list)
{
    auto shared = std::make_shared<QStringList>(std::move(list));
    return [shared] { return shared->isEmpty() ? QStringLiteral("zzzzzzz") : shared->takeFirst(); };
}

VersionEntry entryFor(const QString &path, const QString &storeName, const QString &extension)
{
    VersionEntry e;
    e.originalPath = path;
    e.storeName = storeName;
    e.extension = extension;
    return e;
}

} // namespace

class TestVersionStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstUseCreatesTheIndex();
    void numbering_data();
    void numbering();
    void letterCaseMakesSeparateEntries();
    void storeNamesAreNeverShared();
    void damagedIndex_data();
    void damagedIndex();
    void unreadableIndexIsNeverReplaced();
    void failedCopyAddsNoEntry();
    void pathLimits_data();
    void pathLimits();
    void restoreSaveToAndDelete();
    void dialogTexts();
};

void TestVersionStore::firstUseCreatesTheIndex()
{
    QTemporaryDir repo;
    QTemporaryDir photos;
    const QString photo = photos.filePath("photo.jpg");
    QVERIFY(test::writeFile(photo, "jpeg bytes"));
    const QDateTime taken(QDate(2004, 7, 1), QTime(12, 30), Qt::UTC);
    {
        QFile f(photo);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(taken, QFileDevice::FileModificationTime));
    }

    VersionStore store(repo.path());
    QCOMPARE(store.rememberVersion(photo), 1);

    const QByteArray index = test::readFile(repo.filePath("fInfo.txt"));
    QCOMPARE(index.size(), 8 + 542);
    QCOMPARE(int32At(index, 0), 1);
    QCOMPARE(int32At(index, 4), 1);
    QCOMPARE(fieldAt(index, 8, 255), QDir::toNativeSeparators(photo));
    const QString storeName = fieldAt(index, 8 + 510, 8);
    QVERIFY2(QRegularExpression("^[a-z]{7}$").match(storeName).hasMatch(), qPrintable(storeName));
    QCOMPARE(fieldAt(index, 8 + 526, 8), QString(".jpg"));

    const QString version = storeName + ".v1.jpg";
    const QStringList files = filesIn(repo.path());
    QCOMPARE(QSet<QString>(files.cbegin(), files.cend()), (QSet<QString>{"fInfo.txt", version}));
    QCOMPARE(test::readFile(repo.filePath(version)), QByteArray("jpeg bytes"));
    const QVector<VersionInfo> list = store.versions(photo);
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.first().number, 1);
    QCOMPARE(list.first().modified.toUTC(), taken);

    // A second store reads the same index back.
    VersionStore again(repo.path());
    QCOMPARE(again.listVersions(photo), QVector<int>{1});
    QCOMPARE(again.entries().size(), 1);
    QCOMPARE(again.entries().first().storeName, storeName);
}

void TestVersionStore::numbering_data()
{
    // R<n>: remember, expecting number n; D<n>: delete version n.
    QTest::addColumn<QString>("script");
    QTest::addColumn<QVector<int>>("listed");
    QTest::newRow("again gives 2") << "R1 R2" << QVector<int>{1, 2};
    QTest::newRow("deleted largest is reused") << "R1 R2 D2 R2" << QVector<int>{1, 2};
    QTest::newRow("deleted first is not") << "R1 R2 D1 R3" << QVector<int>{2, 3};
    QTest::newRow("all deleted starts again") << "R1 D1 R1" << QVector<int>{1};
    QTest::newRow("numbers past nine sort as numbers")
        << "R1 R2 R3 R4 R5 R6 R7 R8 R9 R10 R11 D5" << QVector<int>{1, 2, 3, 4, 6, 7, 8, 9, 10, 11};
}

void TestVersionStore::numbering()
{
    QFETCH(QString, script);
    QFETCH(QVector<int>, listed);
    QTemporaryDir repo;
    QTemporaryDir photos;
    const QString photo = photos.filePath("a.tif");
    QVERIFY(test::writeFile(photo, "tiff"));
    VersionStore store(repo.path());
    for (const QString &step : script.split(u' ')) {
        const int n = step.mid(1).toInt();
        if (step.startsWith(u'R'))
            QCOMPARE(store.rememberVersion(photo), n);
        else
            QVERIFY(store.deleteVersion(photo, n));
    }
    QCOMPARE(store.listVersions(photo), listed);
    // One entry however many versions.
    QCOMPARE(int32At(test::readFile(repo.filePath("fInfo.txt")), 4), 1);
}

void TestVersionStore::letterCaseMakesSeparateEntries()
{
    QTemporaryDir repo;
    QTemporaryDir photos;
    const QString upper = photos.filePath("Photo.JPG");
    const QString lower = photos.filePath("photo.jpg");
    QVERIFY(test::writeFile(upper, "1"));
    QVERIFY(test::writeFile(lower, "2"));
    VersionStore store(repo.path());
    QCOMPARE(store.rememberVersion(upper), 1);
    QCOMPARE(store.rememberVersion(lower), 1);
    QCOMPARE(store.entries().size(), 2);
    QVERIFY(store.entries().at(0).storeName != store.entries().at(1).storeName);
    QCOMPARE(store.entries().at(0).extension, QString(".JPG"));
    QCOMPARE(store.listVersions(upper), QVector<int>{1});
}

void TestVersionStore::storeNamesAreNeverShared()
{
    QTemporaryDir repo;
    QTemporaryDir photos;
    QVERIFY(test::writeFile(photos.filePath("a.jpg"), "a"));
    QVERIFY(test::writeFile(photos.filePath("b.jpg"), "b"));
    QVERIFY(test::writeFile(photos.filePath("c.jpg"), "c"));
    // A version file whose index entry was lost.
    QVERIFY(test::writeFile(repo.filePath("ccccccc.v1.jpg"), "orphan"));

    VersionStore store(repo.path());
    store.setNameGenerator(names({"aaaaaaa", "aaaaaaa", "Bad", "bbbbbbb", "ccccccc", "ddddddd"}));
    QCOMPARE(store.rememberVersion(photos.filePath("a.jpg")), 1);
    QCOMPARE(store.rememberVersion(photos.filePath("b.jpg")), 1);
    QCOMPARE(store.rememberVersion(photos.filePath("c.jpg")), 1);
    QStringList used;
    for (const VersionEntry &e : store.entries())
        used << e.storeName;
    QCOMPARE(used, (QStringList{"aaaaaaa", "bbbbbbb", "ddddddd"}));
    QCOMPARE(test::readFile(repo.filePath("ccccccc.v1.jpg")), QByteArray("orphan"));

    // No free name at all: refused, nothing written.
    QVERIFY(test::writeFile(photos.filePath("d.jpg"), "d"));
    store.setNameGenerator([] { return QStringLiteral("aaaaaaa"); });
    QCOMPARE(store.rememberVersion(photos.filePath("d.jpg")), 0);
    QVERIFY(!store.lastError().isEmpty());
    QCOMPARE(int32At(test::readFile(repo.filePath("fInfo.txt")), 4), 3);
}

void TestVersionStore::damagedIndex_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("entriesRead");
    QTest::addColumn<int>("soundEntriesRead");

    QTest::newRow("intact") << "none" << 2 << 2;
    QTest::newRow("negative count") << "negative" << 0 << 0;
    QTest::newRow("count beyond the file") << "count" << 2 << 2;
    QTest::newRow("last record cut short") << "cut" << 1 << 1;
    QTest::newRow("shorter than the header") << "header" << 0 << 0;
    QTest::newRow("store name leading out of the folder") << "storename" << 2 << 1;
    QTest::newRow("path without terminator") << "unterminated" << 2 << 1;
}

void TestVersionStore::damagedIndex()
{
    QFETCH(QString, damage);
    QFETCH(int, entriesRead);
    QFETCH(int, soundEntriesRead);
    QTemporaryDir repo;
    QTemporaryDir photos;
    const QString a = photos.filePath("a.jpg");
    const QString b = photos.filePath("b.jpg");
    const QString c = photos.filePath("c.jpg");
    for (const QString &p : {a, b, c})
        QVERIFY(test::writeFile(p, "x"));
    QVERIFY(test::writeFile(repo.filePath("aaaaaaa.v1.jpg"), "a1"));
    QVERIFY(test::writeFile(repo.filePath("bbbbbbb.v1.jpg"), "b1"));

    QVector<VersionEntry> entries{entryFor(VersionStore::indexedPath(a), "aaaaaaa", ".jpg"),
                                  entryFor(VersionStore::indexedPath(b), "bbbbbbb", ".jpg")};
    if (damage == "storename")
        entries[1].storeName = "../../x";
    QByteArray index = versionindex::serialise(entries);
    if (damage == "negative")
        qToLittleEndian<qint32>(-5, index.data() + 4);
    else if (damage == "count")
        qToLittleEndian<qint32>(0x7fffffff, index.data() + 4);
    else if (damage == "cut")
        index.chop(100);
    else if (damage == "header")
        index = index.left(6);
    else if (damage == "unterminated")
        index.replace(8 + 542, 510, QByteArray(510, 'A'));
    QVERIFY(test::writeFile(repo.filePath("fInfo.txt"), index));

    VersionStore store(repo.path());
    store.setNameGenerator(names({"ccccccc"}));
    store.load();
    QCOMPARE(store.entries().size(), entriesRead);
    const int sound = int(std::count_if(store.entries().cbegin(), store.entries().cend(),
                                        [](const VersionEntry &e) { return e.isUsable(); }));
    QCOMPARE(sound, soundEntriesRead);
    QCOMPARE(store.listVersions(a), entriesRead >= 1 ? QVector<int>{1} : QVector<int>{});

    // Remembering another file keeps every record that was read, unchanged.
    QCOMPARE(store.rememberVersion(c), 1);
    const QByteArray after = test::readFile(repo.filePath("fInfo.txt"));
    QCOMPARE(after.size(), 8 + 542 * (entriesRead + 1));
    QCOMPARE(int32At(after, 4), entriesRead + 1);
    QCOMPARE(after.mid(8, 542 * entriesRead), index.mid(8, 542 * entriesRead));
    QCOMPARE(fieldAt(after, 8 + 542 * entriesRead + 510, 8), QString("ccccccc"));
    // A record that is not sound is never used, so its path gets a new entry.
    if (soundEntriesRead < entriesRead)
        QCOMPARE(store.rememberVersion(b), 1);
    QCOMPARE(filesIn(repo.path()).filter(".v").size(), 2 + 1 + (soundEntriesRead < entriesRead ? 1 : 0));
}

void TestVersionStore::unreadableIndexIsNeverReplaced()
{
    QTemporaryDir repo;
    QTemporaryDir photos;
    QVERIFY(test::writeFile(photos.filePath("a.jpg"), "a"));
    {
        // Sparse: too large to read, costs no disk.
        QFile big(repo.filePath("fInfo.txt"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(VersionStore::kMaxIndexBytes + 1));
    }
    VersionStore store(repo.path());
    QVERIFY(!store.load());
    QCOMPARE(store.rememberVersion(photos.filePath("a.jpg")), 0);
    QVERIFY(!store.lastError().isEmpty());
    QCOMPARE(QFileInfo(repo.filePath("fInfo.txt")).size(), VersionStore::kMaxIndexBytes + 1);
    QCOMPARE(filesIn(repo.path()), QStringList{"fInfo.txt"});
}

void TestVersionStore::failedCopyAddsNoEntry()
{
    QTemporaryDir repo;
    QTemporaryDir photos;
    const QString photo = photos.filePath("big.jpg");
    QVERIFY(test::writeFile(photo, QByteArray(5000, 'j')));
    VersionStore store(repo.path());
    {
        test::FileSizeLimit limit(1000);
        if (!limit.active())
            QSKIP("no file size limit on this platform");
        QCOMPARE(store.rememberVersion(photo), 0);
    }
    QVERIFY(!store.lastError().isEmpty());
    QCOMPARE(filesIn(repo.path()), QStringList{});
    QCOMPARE(store.entries().size(), 0);
    QCOMPARE(store.rememberVersion(photo), 1);

    // A repository folder that cannot be made.
    QVERIFY(test::writeFile(repo.filePath("blocked"), "a file"));
    VersionStore blocked(repo.filePath("blocked/versions"));
    QCOMPARE(blocked.rememberVersion(photo), 0);
    QVERIFY(!blocked.lastError().isEmpty());
}

void TestVersionStore::pathLimits_data()
{
    QTest::addColumn<int>("pathLength");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("254 units") << 254 << ".jpg" << true;
    QTest::newRow("255 units") << 255 << ".jpg" << false;
    QTest::newRow("extension of 7") << 0 << ".abcdef" << true;
    QTest::newRow("extension of 8") << 0 << ".abcdefg" << false;
    QTest::newRow("no extension") << 0 << "" << true;
}

void TestVersionStore::pathLimits()
{
    QFETCH(int, pathLength);
    QFETCH(QString, extension);
    QFETCH(bool, accepted);
    QTemporaryDir repo;
    QTemporaryDir photos;
    QString path = photos.filePath("photo" + extension);
    if (pathLength > 0) {
        const qsizetype pad = pathLength - QDir::toNativeSeparators(path).size();
        QVERIFY(pad >= 0);
        path = photos.filePath(QString(pad, u'p') + "photo" + extension);
        QCOMPARE(QDir::toNativeSeparators(path).size(), pathLength);
    }
    QVERIFY(test::writeFile(path, "x"));
    VersionStore store(repo.path());
    QCOMPARE(store.rememberVersion(path), accepted ? 1 : 0);
    QCOMPARE(store.lastError().isEmpty(), accepted);
    QCOMPARE(QFileInfo::exists(repo.filePath("fInfo.txt")), accepted);
    if (accepted)
        QCOMPARE(store.entries().first().originalPath, QDir::toNativeSeparators(path));
}

void TestVersionStore::restoreSaveToAndDelete()
{
    QTemporaryDir repo;
    QTemporaryDir photos;
    const QString photo = photos.filePath("photo.jpg");
    QVERIFY(test::writeFile(photo, "first state"));
    VersionStore store(repo.path());
    QCOMPARE(store.rememberVersion(photo), 1);
    QVERIFY(test::writeFile(photo, "edited"));

    QVERIFY(store.saveVersionTo(photo, 1, photos.filePath("copy.jpg")));
    QCOMPARE(test::readFile(photos.filePath("copy.jpg")), QByteArray("first state"));
    QVERIFY(store.restoreVersion(photo, 1));
    QCOMPARE(test::readFile(photo), QByteArray("first state"));

    QVERIFY(store.deleteVersion(photo, 1));
    QCOMPARE(store.listVersions(photo), QVector<int>{});
    QVERIFY(!store.deleteVersion(photo, 1));
    QVERIFY(!store.lastError().isEmpty());
    QVERIFY(!store.restoreVersion(photo, 1));
    QVERIFY(!store.saveVersionTo(photos.filePath("never.jpg"), 1, photos.filePath("copy.jpg")));
    QCOMPARE(test::readFile(photo), QByteArray("first state"));
    // The entry outlives its versions.
    QCOMPARE(int32At(test::readFile(repo.filePath("fInfo.txt")), 4), 1);
}

void TestVersionStore::dialogTexts()
{
    QCOMPARE(versiontexts::saveToFilter(".jpg"), QString("jpg Files (*.jpg)"));
    QCOMPARE(versiontexts::saveToTitle("photo.jpg"), QString("Choose folder to save photo.jpg"));
    QCOMPARE(versiontexts::remembered("/p/a.jpg"), QString("File /p/a.jpg was copyed to repository"));
    const QString row = versiontexts::versionRow(3, QDateTime(QDate(2004, 7, 1), QTime(12, 30, 45)));
    QVERIFY2(row.startsWith("v3, modified: ") && row.endsWith(".") && !row.contains("45"), qPrintable(row));
}

QTEST_GUILESS_MAIN(TestVersionStore)
#include "tst_versionstore.moc"
