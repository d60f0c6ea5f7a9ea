// Races: a file another program changes between the moment the program reads
// it and the moment it would replace it is left as the other program left
// it, and the user is told so; copies of the program that share one version
// repository never lose each other's entries.

#include "WriterCases.h"
#include "support/TestSupport.h"

#include "core/edit/EditedImage.h"
#include "core/edit/SaveRules.h"
#include "core/exif/ExifLibrary.h"
#include "core/fileops/VersionStore.h"
#include "core/files/DescriptionStore.h"
#include "core/files/FileAccess.h"
#include "core/files/PathUtil.h"
#include "core/files/SafeWrite.h"
#include "core/files/SafeWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;
using test::Writer;

namespace {

enum class Change { MovedOver, Deleted, SwappedForLink, Rewritten };

// Installs a commit hook for the duration of a test: the change happens
// just before the writer compares and renames.
class HookScope
{
public:
    explicit HookScope(SafeWriter::CommitHook hook) { SafeWriter::setCommitHook(std::move(hook)); }
    ~HookScope() { SafeWriter::setCommitHook({}); }
};

QStringList visibleAndHidden(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class TestWriteRaces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void changedBeforeTheRename_data();
    void changedBeforeTheRename();
    void descriptionChangedSinceLoad();
    void photoReplacedWhileEdited();
    void copyDoesNotReplaceANewFile();
    void twoStoresShareAnIndex();
    void twoProcessesShareAnIndex();
};

void TestWriteRaces::initTestCase()
{
    initExifLibrary();
}

void TestWriteRaces::changedBeforeTheRename_data()
{
    QTest::addColumn<int>("writer");
    QTest::addColumn<int>("change");
    const std::pair<Change, const char *> changes[] = {{Change::MovedOver, "another file moved over it"},
                                                       {Change::Deleted, "deleted"},
                                                       {Change::SwappedForLink, "swapped for a link"},
                                                       {Change::Rewritten, "rewritten in place"}};
    for (Writer writer : test::kAllWriters) {
        for (const auto &[change, text] : changes)
            QTest::addRow("%s, %s", test::writerName(writer), text) << int(writer) << int(change);
    }
}

void TestWriteRaces::changedBeforeTheRename()
{
    QFETCH(int, writer);
    QFETCH(int, change);
    QTemporaryDir dir;
    test::WriterSetup setup;
    QVERIFY(test::prepareWriter(Writer(writer), dir.filePath("photos"), setup));
    const QString target = setup.target;
    const QString other = dir.filePath("other.jpg");
    const QByteArray otherBytes = test::photoBytes(32, 32, 9);
    QVERIFY(test::writeFile(other, otherBytes));
    const QString text = dir.filePath("notes.txt");
    QVERIFY(test::writeFile(text, "export PATH=...\n"));

    HookScope hook([&](const QString &path) {
        if (path != target)
            return 0;
        switch (Change(change)) {
        case Change::MovedOver: QFile::remove(target); QFile::rename(other, target); break;
        case Change::Deleted: QFile::remove(target); break;
        case Change::SwappedForLink: QFile::remove(target); QFile::link(text, target); break;
        case Change::Rewritten: {
            QFile f(target);
            if (f.open(QIODevice::Append))
                f.write("written by another program");
            break;
        }
        }
        return 0;
    });
    const QByteArray before = test::readFile(target);
    const test::WriterOutcome outcome = test::runWriter(Writer(writer), setup);
    QVERIFY(!outcome.ok);
    QVERIFY2(outcome.message.contains(FileAccess::changedByAnotherProgram()), qPrintable(outcome.message));

    switch (Change(change)) {
    case Change::MovedOver: QCOMPARE(test::readFile(target), otherBytes); break;
    case Change::Deleted: QVERIFY(!QFileInfo::exists(target)); break;
    case Change::SwappedForLink:
        QVERIFY(QFileInfo(target).isSymLink());
        QCOMPARE(test::readFile(text), QByteArray("export PATH=...\n"));
        break;
    case Change::Rewritten: QCOMPARE(test::readFile(target), before + "written by another program"); break;
    }
    // Nothing of the discarded write stays behind.
    for (const QString &name : visibleAndHidden(setup.folder))
        QVERIFY2(!SafeWriter::isTemporaryName(name), qPrintable(name));
}

// The file list keeps a folder's descriptions from when it was filled;
// another program's change since is never overwritten, and a description
// set afterwards starts from the file as it is.
void TestWriteRaces::descriptionChangedSinceLoad()
{
    QTemporaryDir dir;
    const QString file = DescriptionStore::fileInFolder(dir.path());
    QVERIFY(test::writeFile(file, "a.jpg first\r\n"));
    DescriptionStore store;
    store.load(file);
    QVERIFY(test::writeFile(file, "a.jpg first\r\nb.jpg added elsewhere\r\n"));
    QCOMPARE(store.set(dir.filePath("a.jpg"), QStringLiteral("changed")), DescriptionStore::SetResult::Changed);
    QVERIFY(!store.save(file));
    QCOMPARE(store.lastError(), FileAccess::changedByAnotherProgram());
    QCOMPARE(test::readFile(file), QByteArray("a.jpg first\r\nb.jpg added elsewhere\r\n"));

    DescriptionStore listed;
    listed.load(file);
    QVERIFY(test::writeFile(file, "a.jpg first\r\nb.jpg added elsewhere\r\nc.jpg and more\r\n"));
    QVERIFY(listed.setDescription(dir.filePath("a.jpg"), QStringLiteral("changed")));
    QCOMPARE(test::readFile(file), QByteArray("a.jpg changed\r\nb.jpg added elsewhere\r\nc.jpg and more\r\n"));
}

// The edit window keeps a photo open for minutes: a save over it is refused
// when another photo took its place meanwhile.
void TestWriteRaces::photoReplacedWhileEdited()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.jpg");
    QVERIFY(test::writeFile(path, test::photoBytes()));
    const EditedImage image = EditedImage::load(path);
    QVERIFY(!image.isNull());
    const QByteArray replacement = test::photoBytes(32, 32, 5);
    QVERIFY(test::writeFile(dir.filePath("new.jpg"), replacement));
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::rename(dir.filePath("new.jpg"), path));

    SaveQuestions q;
    q.replaceOriginal = [] { return true; };
    q.jpegQuality = [] { return 90; };
    const SaveResult r = SaveRules::saveEditedImage(image, path, path, q);
    QCOMPARE(r.status, SaveResult::Failed);
    QCOMPARE(r.message, FileAccess::changedByAnotherProgram());
    QCOMPARE(test::readFile(path), replacement);
}

// A copy that must not replace anything (a new version file) fails when a
// file appears under its name during the copy, and leaves that file alone.
void TestWriteRaces::copyDoesNotReplaceANewFile()
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.jpg");
    const QString target = dir.filePath("target.jpg");
    QVERIFY(test::writeFile(source, test::photoBytes()));
    HookScope hook([&](const QString &path) {
        if (path == target)
            test::writeFile(target, "appeared meanwhile");
        return 0;
    });
    QString error;
    QVERIFY(!safewrite::copyFile(source, target, false, &error));
    QVERIFY2(error.contains(QLatin1String("already exists")), qPrintable(error));
    QCOMPARE(test::readFile(target), QByteArray("appeared meanwhile"));
}

// Two copies of the program with one repository: A has its dialog open
// (its index read), B remembers X, then A remembers P. Both entries stay,
// and X's version file keeps its entry.
void TestWriteRaces::twoStoresShareAnIndex()
{
    QTemporaryDir dir;
    const QString repo = dir.filePath("repo");
    const QString p = dir.filePath("p.jpg"), x = dir.filePath("x.jpg"), y = dir.filePath("y.jpg");
    for (const QString &file : {p, x, y})
        QVERIFY(test::writeFile(file, test::photoBytes()));
    VersionStore a(repo), b(repo);
    QCOMPARE(a.rememberVersion(y), 1);
    QVERIFY(a.versions(p).isEmpty());
    QCOMPARE(b.rememberVersion(x), 1);
    QCOMPARE(a.rememberVersion(p), 1);
    QCOMPARE(b.rememberVersion(p), 2); // B learns of A's entry for P too
    QCOMPARE(a.listVersions(x), QVector<int>{1});

    VersionStore fresh(repo);
    QCOMPARE(fresh.listVersions(x), QVector<int>{1});
    QCOMPARE(fresh.listVersions(p), (QVector<int>{1, 2}));
    QCOMPARE(fresh.listVersions(y), QVector<int>{1});
    QCOMPARE(fresh.entries().size(), 3);
    // Deleting in one copy is seen by the other.
    QVERIFY(b.deleteVersion(p, 1));
    QCOMPARE(a.listVersions(p), QVector<int>{2});
}

// The same with two running processes remembering many files at once.
void TestWriteRaces::twoProcessesShareAnIndex()
{
    QTemporaryDir dir;
    const QString repo = dir.filePath("repo");
    constexpr int kPerProcess = 12;
    QStringList files[2];
    for (int process = 0; process < 2; ++process) {
        for (int i = 0; i < kPerProcess; ++i) {
            const QString file = dir.filePath(QStringLiteral("p%1-%2.jpg").arg(process).arg(i));
            QVERIFY(test::writeFile(file, test::photoBytes(16, 16, quint32(i))));
            files[process].append(file);
        }
    }
    QProcess children[2];
    for (int process = 0; process < 2; ++process)
        children[process].start(QCoreApplication::applicationFilePath(),
                                QStringList{QStringLiteral("--remember"), repo} + files[process]);
    for (QProcess &child : children) {
        QVERIFY(child.waitForFinished(120000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QVERIFY2(child.exitCode() == 0, child.readAllStandardError().constData());
    }
    VersionStore store(repo);
    QCOMPARE(store.entries().size(), 0); // not read yet
    for (const QStringList &list : files) {
        for (const QString &file : list)
            QVERIFY2(store.listVersions(file) == QVector<int>{1}, qPrintable(file));
    }
    QCOMPARE(store.entries().size(), 2 * kPerProcess);
    // Every version file has its entry: nothing is orphaned.
    QCOMPARE(QDir(repo).entryList({QStringLiteral("*.v1.jpg")}, QDir::Files).size(), 2 * kPerProcess);
}

// The child of twoProcessesShareAnIndex: remembers each file once.
static int rememberAll(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    VersionStore store(args.at(2));
    int failures = 0;
    for (const QString &file : args.mid(3)) {
        if (store.rememberVersion(file) != 1) {
            qWarning("%s: %s", qPrintable(file), qPrintable(store.lastError()));
            ++failures;
        }
    }
    return failures;
}

int main(int argc, char **argv)
{
    if (argc > 2 && qstrcmp(argv[1], "--remember") == 0)
        return rememberAll(argc, argv);
    QCoreApplication app(argc, argv);
    TestWriteRaces test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_writeraces.moc"
