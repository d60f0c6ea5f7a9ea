#include "core/fileops/EditorLauncher.h"
#include "core/fileops/FileCopier.h"
#include "core/fileops/FileOperations.h"
#include "core/files/LinkFile.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/ProfileStringList.h"
#include "core/settings/SettingsStore.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

Q_DECLARE_METATYPE(FileCopier::Replace)
Q_DECLARE_METATYPE(FileCopier::Outcome)
Q_DECLARE_METATYPE(RenameCheck)

class TestFileOperations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void deleteGoesWhereAsked_data();
    void deleteGoesWhereAsked();
    void deleteOfMissingFileDeletesNothing();

    void checkRename_data();
    void checkRename();
    void renameNeverReplacesOrMoves_data();
    void renameNeverReplacesOrMoves();

    void linkInFolder();

    void copyPutsEachFileUnderItsOwnName();
    void copyToItselfIsRefused_data();
    void copyToItselfIsRefused();
    void copyAsksBeforeReplacing_data();
    void copyAsksBeforeReplacing();
    void copyFailuresAreReported();
    void copyStopsWhenProgressIsCancelled();

    void editorGetsOneArgumentPerFile_data();
    void editorGetsOneArgumentPerFile();
    void editorIndexOutsideTheList();

private:
    QString path(const QString &relative) const { return m_dir->filePath(relative); }
    QString trashFiles() const { return m_home.filePath(QStringLiteral("data/Trash/files")); }

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFileOperations::initTestCase()
{
    QVERIFY(m_home.isValid());
    // The trash of these tests is a folder of their own, on the same volume
    // as the home they are given; the user's trash is never touched.
    qputenv("HOME", m_home.path().toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
}

void TestFileOperations::init()
{
    installSettingsStore(std::make_unique<MemorySettingsStore>());
    m_dir = std::make_unique<QTemporaryDir>(m_home.filePath(QStringLiteral("work-XXXXXX")));
    QVERIFY(m_dir->isValid());
}

void TestFileOperations::deleteGoesWhereAsked_data()
{
    QTest::addColumn<bool>("toTrash");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("three files to the trash") << true << QStringList{"a.jpg", "b.jpg", "c.jpg"};
    QTest::newRow("three files for good (Shift)") << false << QStringList{"a.jpg", "b.jpg", "c.jpg"};
    QTest::newRow("a link to the trash") << true << QStringList{"t.jpg.link"};
    QTest::newRow("a link for good") << false << QStringList{"t.jpg.link"};
}

void TestFileOperations::deleteGoesWhereAsked()
{
    QFETCH(bool, toTrash);
    QFETCH(QStringList, names);
    QDir(trashFiles()).removeRecursively();
    for (const char *name : {"a.jpg", "b.jpg", "c.jpg"})
        QVERIFY(test::writeFile(path(name), name));
    QVERIFY(test::writeFile(path("target/t.jpg"), "image"));
    QVERIFY(link::createLink(path("target/t.jpg"), m_dir->path()));

    QStringList paths;
    for (const QString &name : names)
        paths.append(path(name));
    const DeleteResult result = FileOperations::deleteFiles(paths, toTrash);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.deleted, paths);
    for (const QString &name : names) {
        QVERIFY(!QFileInfo::exists(path(name)));
        QCOMPARE(QFileInfo::exists(QDir(trashFiles()).filePath(name)), toTrash);
    }
    if (toTrash)
        QCOMPARE(test::readFile(QDir(trashFiles()).filePath(names.first())), names.first().startsWith("t.")
                                                                               ? QByteArray("target/t.jpg")
                                                                               : names.first().toUtf8());
    // A link goes alone: the image it points to stays.
    QVERIFY(QFileInfo::exists(path("target/t.jpg")));
}

void TestFileOperations::deleteOfMissingFileDeletesNothing()
{
    QVERIFY(test::writeFile(path("a.jpg"), "a"));
    const DeleteResult result = FileOperations::deleteFiles({path("a.jpg"), path("gone.jpg")}, false);
    QVERIFY(!result.ok());
    QCOMPARE(result.failedPath, path("gone.jpg"));
    QVERIFY(result.deleted.isEmpty());
    QVERIFY(!result.error.isEmpty());
    QVERIFY(QFileInfo::exists(path("a.jpg")));
}

void TestFileOperations::checkRename_data()
{
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<RenameCheck>("check");
    QTest::addColumn<QString>("newName");
    QTest::newRow("extension kept") << "IMG_1.JPG" << "Beach" << RenameCheck::Accept << "Beach.JPG";
    QTest::newRow("link stays a link") << "a.jpg.link" << "b.jpg" << RenameCheck::Accept << "b.jpg.link";
    QTest::newRow("no extension") << "README" << "NOTES" << RenameCheck::Accept << "NOTES";
    QTest::newRow("empty") << "IMG_1.JPG" << "" << RenameCheck::Empty << "";
    QTest::newRow("unchanged") << "IMG_1.JPG" << "IMG_1" << RenameCheck::Unchanged << "IMG_1.JPG";
    QTest::newRow("name taken") << "IMG_1.JPG" << "other" << RenameCheck::Exists << "other.JPG";
    QTest::newRow("taken by a folder") << "IMG_1.JPG" << "sub" << RenameCheck::Exists << "sub.JPG";
}

void TestFileOperations::checkRename()
{
    QFETCH(QString, oldName);
    QFETCH(QString, typed);
    QFETCH(RenameCheck, check);
    QFETCH(QString, newName);
    QVERIFY(test::writeFile(path(oldName), "x"));
    QVERIFY(test::writeFile(path("other.JPG"), "o"));
    QVERIFY(QDir(m_dir->path()).mkdir("sub.JPG"));
    QString name;
    QCOMPARE(FileOperations::checkRename(m_dir->path(), oldName, typed, &name), check);
    QCOMPARE(name, newName);
}

void TestFileOperations::renameNeverReplacesOrMoves_data()
{
    QTest::addColumn<QString>("newName");
    QTest::addColumn<bool>("renamed");
    QTest::newRow("free name") << "b.jpg" << true;
    QTest::newRow("existing file") << "taken.jpg" << false;
    QTest::newRow("into a subfolder") << "sub/b.jpg" << false;
    QTest::newRow("up a folder") << "../b.jpg" << false;
    QTest::newRow("dot dot") << ".." << false;
}

void TestFileOperations::renameNeverReplacesOrMoves()
{
    QFETCH(QString, newName);
    QFETCH(bool, renamed);
    QVERIFY(test::writeFile(path("a.jpg"), "a"));
    QVERIFY(test::writeFile(path("taken.jpg"), "taken"));
    QVERIFY(QDir(m_dir->path()).mkdir("sub"));
    QString error;
    QCOMPARE(FileOperations::renameFile(m_dir->path(), "a.jpg", newName, &error), renamed);
    QCOMPARE(QFileInfo::exists(path("a.jpg")), !renamed);
    QCOMPARE(error.isEmpty(), renamed);
    QCOMPARE(test::readFile(path("taken.jpg")), QByteArray("taken"));
    QVERIFY(!QFileInfo::exists(path("sub/b.jpg")));
    if (renamed)
        QCOMPARE(test::readFile(path(newName)), QByteArray("a"));
}

void TestFileOperations::linkInFolder()
{
    QVERIFY(test::writeFile(path("p/a.jpg"), "a"));
    QVERIFY(QDir(m_dir->path()).mkdir("links"));
    QString error;
    QVERIFY(FileOperations::createLinkIn(path("p/a.jpg"), path("links"), &error));
    QCOMPARE(link::resolveLink(path("links/a.jpg.link")), std::optional<QString>(path("p/a.jpg")));
    // In the file's own folder the link stands beside its target.
    QVERIFY(FileOperations::createLinkIn(path("p/a.jpg"), path("p"), &error));
    QCOMPARE(link::effectivePath(path("p/a.jpg.link")), path("p/a.jpg"));
    QVERIFY(!FileOperations::createLinkIn(path("p/a.jpg"), path("missing"), &error));
    QVERIFY(error.contains("missing"));
}

void TestFileOperations::copyPutsEachFileUnderItsOwnName()
{
    // Link targets in several folders all land in the destination itself.
    QVERIFY(test::writeFile(path("one/a.jpg"), "a"));
    QVERIFY(test::writeFile(path("two/b.jpg"), "b"));
    QVERIFY(test::writeFile(path("one/two/c.jpg"), "c"));
    QVERIFY(QDir(m_dir->path()).mkdir("dest"));
    const QDateTime old = QDateTime::currentDateTime().addDays(-30);
    {
        QFile f(path("one/a.jpg"));
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    const FileCopier copier({path("one/a.jpg"), path("two/b.jpg"), path("one/two/c.jpg")}, path("dest"));
    const FileCopier::Result result = copier.run();
    QCOMPARE(result.outcome, FileCopier::Outcome::Copied);
    QCOMPARE(result.copied, 3);
    QCOMPARE(QDir(path("dest")).entryList(QDir::Files, QDir::Name), QStringList({"a.jpg", "b.jpg", "c.jpg"}));
    QCOMPARE(test::readFile(path("dest/c.jpg")), QByteArray("c"));
    QCOMPARE(QFileInfo(path("dest/a.jpg")).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
    QVERIFY(!QFileInfo::exists(path("dest/two")));
}

void TestFileOperations::copyToItselfIsRefused_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("destination");
    QTest::newRow("same folder") << QStringList{"f/a.jpg"} << "f";
    QTest::newRow("trailing separator") << QStringList{"f/a.jpg"} << "f/";
    QTest::newRow("second file's folder") << QStringList{"g/b.jpg", "f/a.jpg"} << "f";
    QTest::newRow("through a folder link") << QStringList{"f/a.jpg"} << "alias";
}

void TestFileOperations::copyToItselfIsRefused()
{
    QFETCH(QStringList, files);
    QFETCH(QString, destination);
    QVERIFY(test::writeFile(path("f/a.jpg"), "a"));
    QVERIFY(test::writeFile(path("g/b.jpg"), "b"));
    QVERIFY(QFile::link(path("f"), path("alias")));
    for (QString &f : files)
        f = path(f);
    const FileCopier copier(files, path(destination));
    QVERIFY(copier.isCopyToItself());
    QCOMPARE(copier.run().outcome, FileCopier::Outcome::ToItself);
    QCOMPARE(QDir(path("f")).entryList(QDir::Files), QStringList({"a.jpg"}));
    QCOMPARE(QDir(path("g")).entryList(QDir::Files), QStringList({"b.jpg"}));
}

void TestFileOperations::copyAsksBeforeReplacing_data()
{
    QTest::addColumn<QList<FileCopier::Replace>>("answers");
    QTest::addColumn<FileCopier::Outcome>("outcome");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<QByteArray>("c");
    using R = FileCopier::Replace;
    using O = FileCopier::Outcome;
    // dest holds old a and old b; c is new.
    QTest::newRow("yes, yes") << QList<R>{R::Yes, R::Yes} << O::Copied << 2 << QByteArray("new a")
                              << QByteArray("new b") << QByteArray("new c");
    QTest::newRow("yes to all asks once") << QList<R>{R::YesToAll} << O::Copied << 1 << QByteArray("new a")
                                          << QByteArray("new b") << QByteArray("new c");
    QTest::newRow("no keeps the old file") << QList<R>{R::No, R::Yes} << O::Copied << 2 << QByteArray("old a")
                                           << QByteArray("new b") << QByteArray("new c");
    QTest::newRow("cancel stops there") << QList<R>{R::Yes, R::Cancel} << O::Cancelled << 2 << QByteArray("new a")
                                        << QByteArray("old b") << QByteArray();
}

void TestFileOperations::copyAsksBeforeReplacing()
{
    QFETCH(QList<FileCopier::Replace>, answers);
    QFETCH(FileCopier::Outcome, outcome);
    QFETCH(int, questions);
    for (const char *name : {"a", "b", "c"})
        QVERIFY(test::writeFile(path(QStringLiteral("src/%1.jpg").arg(name)), QByteArray("new ") + name));
    QVERIFY(test::writeFile(path("dest/a.jpg"), "old a"));
    QVERIFY(test::writeFile(path("dest/b.jpg"), "old b"));
    QStringList asked;
    const FileCopier copier({path("src/a.jpg"), path("src/b.jpg"), path("src/c.jpg")}, path("dest"));
    const FileCopier::Result result = copier.run([&](const QString &target) {
        asked.append(target);
        return answers.value(asked.size() - 1, FileCopier::Replace::Cancel);
    });
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(asked.size(), questions);
    QCOMPARE(asked.first(), path("dest/a.jpg"));
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(QByteArray, c);
    QCOMPARE(test::readFile(path("dest/a.jpg")), a);
    QCOMPARE(test::readFile(path("dest/b.jpg")), b);
    QCOMPARE(QFileInfo::exists(path("dest/c.jpg")), !c.isEmpty());
}

void TestFileOperations::copyFailuresAreReported()
{
    QVERIFY(test::writeFile(path("src/a.jpg"), "a"));
    // No such folder.
    FileCopier::Result result = FileCopier({path("src/a.jpg")}, path("nowhere")).run();
    QCOMPARE(result.outcome, FileCopier::Outcome::Failed);
    QVERIFY(!result.error.isEmpty());
    // A source that went away meanwhile.
    QVERIFY(QDir(m_dir->path()).mkdir("dest"));
    result = FileCopier({path("src/a.jpg"), path("src/gone.jpg")}, path("dest")).run();
    QCOMPARE(result.outcome, FileCopier::Outcome::Failed);
    QCOMPARE(result.failedFile, path("src/gone.jpg"));
    QCOMPARE(result.copied, 1);
    // Every file skipped is not a copy.
    result = FileCopier({path("src/a.jpg")}, path("dest")).run();
    QCOMPARE(result.outcome, FileCopier::Outcome::Nothing);
    QCOMPARE(result.skipped, 1);
    // Nothing to copy.
    QCOMPARE(FileCopier({}, path("dest")).run().outcome, FileCopier::Outcome::Nothing);
}

void TestFileOperations::copyStopsWhenProgressIsCancelled()
{
    QStringList files;
    for (int i = 0; i < 5; ++i) {
        files.append(path(QStringLiteral("src/%1.jpg").arg(i)));
        QVERIFY(test::writeFile(files.last(), QByteArray(100, 'x')));
    }
    QVERIFY(QDir(m_dir->path()).mkdir("dest"));
    QList<FileCopier::Progress> seen;
    const FileCopier::Result result = FileCopier(files, path("dest")).run({}, [&](const FileCopier::Progress &p) {
        seen.append(p);
        return p.done < 2;
    });
    QCOMPARE(result.outcome, FileCopier::Outcome::Cancelled);
    QCOMPARE(result.copied, 2);
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen.last().bytesDone, qint64(200));
    QCOMPARE(seen.last().bytesTotal, qint64(500));
    QCOMPARE(seen.last().total, 5);
    QCOMPARE(QDir(path("dest")).entryList(QDir::Files).size(), 2);
}

void TestFileOperations::editorGetsOneArgumentPerFile_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("three files") << "/usr/bin/editor" << QStringList{"/p/a.jpg", "/p/b.jpg", "/q/c.jpg"};
    QTest::newRow("one file") << "/usr/bin/editor" << QStringList{"/p/a.jpg"};
    QTest::newRow("spaces, quotes and shell characters")
        << "/opt/My Editor/bin/ed it" << QStringList{"/p/a b.jpg", "/p/\"q\".jpg", "/p/$(rm -rf x);`y`&z.jpg"};
}

void TestFileOperations::editorGetsOneArgumentPerFile()
{
    QFETCH(QString, editor);
    QFETCH(QStringList, files);
    ProfileStringList editors = ProfileStringList::editors();
    QVERIFY(editors.addUnique("/usr/bin/other"));
    QVERIFY(editors.addUnique(editor));
    editors.save();
    QString program;
    QStringList arguments;
    QVERIFY(EditorLauncher::launch(1, files, [&](const QString &p, const QStringList &a) {
        program = p;
        arguments = a;
        return true;
    }));
    QCOMPARE(program, editor);
    QStringList expected;
    for (const QString &f : files)
        expected.append(QDir::toNativeSeparators(f));
    QCOMPARE(arguments, expected);
}

void TestFileOperations::editorIndexOutsideTheList()
{
    ProfileStringList editors = ProfileStringList::editors();
    QVERIFY(editors.addUnique("/usr/bin/editor"));
    editors.save();
    int starts = 0;
    const auto count = [&](const QString &, const QStringList &) { return ++starts > 0; };
    QVERIFY(!EditorLauncher::launch(1, {"/p/a.jpg"}, count));
    QVERIFY(!EditorLauncher::launch(-1, {"/p/a.jpg"}, count));
    QVERIFY(!EditorLauncher::launch(0, {}, count));
    QCOMPARE(starts, 0);
    // A program that does not exist fails to start, quietly.
    ProfileStringList missing = ProfileStringList::editors();
    missing.load();
    QVERIFY(missing.addUnique(m_dir->filePath("no-such-editor")));
    missing.save();
    QVERIFY(!EditorLauncher::launch(1, {"/p/a.jpg"}));
}

QTEST_GUILESS_MAIN(TestFileOperations)
#include "tst_fileoperations.moc"
