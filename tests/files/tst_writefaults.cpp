// Faults and permissions: a write that fails half-way names the system's
// reason and leaves the original and no temporary file behind; temporary
// files never look like photos and a killed run's leftover goes with the
// next write; a replaced file keeps its mode and owner exactly.

#include "WriterCases.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

#include "core/exif/ExifLibrary.h"
#include "core/exif/ImagesInfoExport.h"
#include "core/fileops/VersionStore.h"
#include "core/files/FileAccess.h"
#include "core/files/FolderScanner.h"
#include "core/files/LinkFile.h"
#include "core/files/SafeWrite.h"
#include "core/files/SafeWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace quorvel;
using test::Writer;

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

#ifdef Q_OS_UNIX
struct Owner
{
    unsigned mode = 0, uid = 0, gid = 0;
};
Owner ownerOf(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {unsigned(st.st_mode & 07777), unsigned(st.st_uid), unsigned(st.st_gid)};
}
#endif

// Sets a file's modification time to the given seconds before now.
bool age(const QString &path, int seconds)
{
    QFile f(path);
    return f.open(QIODevice::Append)
        && f.setFileTime(QDateTime::currentDateTime().addSecs(-seconds), QFileDevice::FileModificationTime);
}

} // namespace

class TestWriteFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void diskFull_data();
    void diskFull();
    void newFilesOnAFullDisk_data();
    void newFilesOnAFullDisk();
    void temporariesNeverLookLikePhotos_data();
    void temporariesNeverLookLikePhotos();
    void leftoversGoAfterAnHour();
    void modeKept_data();
    void modeKept();
    void ownerKept();
};

void TestWriteFaults::initTestCase()
{
    initExifLibrary();
}

void TestWriteFaults::cleanup()
{
    SafeWriter::setCommitHook({});
    SafeWriter::setUnnamedTemporaries(true);
}

void TestWriteFaults::diskFull_data()
{
    QTest::addColumn<int>("writer");
    QTest::addColumn<bool>("unnamed");
    for (Writer writer : test::kAllWriters) {
        QTest::addRow("%s", test::writerName(writer)) << int(writer) << true;
        QTest::addRow("%s, named temporary", test::writerName(writer)) << int(writer) << false;
    }
}

// The disk fills up half-way (the file size limit stands in for it, also
// for root): the message gives the system's reason, the original is as it
// was, and no temporary file is left.
void TestWriteFaults::diskFull()
{
    QFETCH(int, writer);
    QFETCH(bool, unnamed);
    SafeWriter::setUnnamedTemporaries(unnamed);
    QTemporaryDir dir;
    test::WriterSetup setup;
    QVERIFY(test::prepareWriter(Writer(writer), dir.filePath("photos"), setup));
    if (Writer(writer) == Writer::Description)
        QVERIFY(test::writeFile(setup.target, "other.jpg " + QByteArray(3000, 'x') + "\r\nphoto.jpg old\r\n"));
    const QByteArray before = test::readFile(setup.target);
    const QStringList filesBefore = filesIn(setup.folder);
    test::WriterOutcome outcome;
    {
        test::FileSizeLimit limit(1000);
        if (!limit.active())
            QSKIP("no file size limit on this platform");
        outcome = test::runWriter(Writer(writer), setup);
    }
    QVERIFY(!outcome.ok);
    QVERIFY2(outcome.message.contains(FileAccess::systemError(EFBIG)), qPrintable(outcome.message));
    QVERIFY2(!outcome.message.contains(QLatin1String("Unknown error")), qPrintable(outcome.message));
    QCOMPARE(test::readFile(setup.target), before);
    QCOMPARE(filesIn(setup.folder), filesBefore);
}

void TestWriteFaults::newFilesOnAFullDisk_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("version copy") << QStringLiteral("version");
    QTest::newRow("export") << QStringLiteral("export");
    QTest::newRow("link") << QStringLiteral("link");
}

// Files the program makes anew: nothing half-written appears, the reason is
// named, and a repository's index keeps no entry without its file.
void TestWriteFaults::newFilesOnAFullDisk()
{
    QFETCH(QString, what);
    QTemporaryDir dir;
    const QString photo = dir.filePath("photo.jpg");
    QVERIFY(test::writeFile(photo, test::photoBytes(200, 150)));
    const QString out = dir.filePath("out");
    QVERIFY(QDir().mkpath(out));
    QString error;
    bool ok = true;
    {
        test::FileSizeLimit limit(what == QLatin1String("link") ? 4 : 1000);
        if (!limit.active())
            QSKIP("no file size limit on this platform");
        if (what == QLatin1String("version")) {
            VersionStore store(out);
            ok = store.rememberVersion(photo) != 0;
            error = store.lastError();
        } else if (what == QLatin1String("export")) {
            QStringList many;
            for (int i = 0; i < 100; ++i)
                many.append(photo);
            ok = exportImagesInfo(dir.filePath("out/info.txt"), many, &error);
        } else {
            ok = link::createLink(photo, out); // tells no reason
        }
    }
    QVERIFY(!ok);
    if (what != QLatin1String("link"))
        QVERIFY2(error.contains(FileAccess::systemError(EFBIG)), qPrintable(error));
    QCOMPARE(filesIn(out), QStringList());
}

void TestWriteFaults::temporariesNeverLookLikePhotos_data()
{
    QTest::addColumn<bool>("unnamed");
    QTest::newRow("unnamed while written") << true;
    QTest::newRow("file system without unnamed files") << false;
}

// What the folder holds while a photo is replaced: the temporary file (if
// it has a name at all) is hidden and names no image format, so neither
// the file list nor a rescan during the write shows it.
void TestWriteFaults::temporariesNeverLookLikePhotos()
{
    QFETCH(bool, unnamed);
    SafeWriter::setUnnamedTemporaries(unnamed);
    QTemporaryDir dir;
    const QString target = dir.filePath("photo.jpg");
    QVERIFY(test::writeFile(target, "old"));
    QStringList during;
    FolderEntries listed;
    SafeWriter::setCommitHook([&](const QString &) {
        during = filesIn(dir.path());
        listed = FolderScanner(dir.path()).scan(FolderScanner::Images);
        return 0;
    });
    QVERIFY(safewrite::writeFile(target, "new"));
    QCOMPARE(listed.size(), 1);
    QCOMPARE(listed.first().name, QStringLiteral("photo.jpg"));
    QCOMPARE(during.size(), 2);
    during.removeAll(QStringLiteral("photo.jpg"));
    const QString temporary = during.value(0);
    QVERIFY2(SafeWriter::isTemporaryName(temporary), qPrintable(temporary));
    QVERIFY(temporary.startsWith(u'.'));
    QVERIFY(!FolderScanner::hasSupportedExtension(temporary));
    QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("photo.jpg")});
}

// A run killed during a write on a file system without unnamed files leaves
// its temporary file; the next write in that folder removes it once it is
// more than an hour old, and touches nothing else.
void TestWriteFaults::leftoversGoAfterAnHour()
{
    QTemporaryDir dir;
    const QString stale = dir.filePath(".quorvel-abcdefgh0123.tmp");
    const QString fresh = dir.filePath(".quorvel-zzzzzzzz9999.tmp");
    const QString lookalike = dir.filePath(".quorvel-notours.tmp");
    const QString photo = dir.filePath("old.jpg");
    for (const QString &file : {stale, fresh, lookalike, photo})
        QVERIFY(test::writeFile(file, "left behind"));
    QVERIFY(age(stale, 2 * 3600));
    QVERIFY(age(fresh, 600));
    QVERIFY(age(lookalike, 2 * 3600));
    QVERIFY(age(photo, 2 * 3600));
    QVERIFY(FolderScanner(dir.path()).scan(FolderScanner::Images).size() == 1);

    QVERIFY(safewrite::writeFile(dir.filePath("descript.ion"), "old.jpg text\r\n"));
    QCOMPARE(filesIn(dir.path()), (QStringList{QStringLiteral(".quorvel-notours.tmp"),
                                               QStringLiteral(".quorvel-zzzzzzzz9999.tmp"),
                                               QStringLiteral("descript.ion"), QStringLiteral("old.jpg")}));
}

void TestWriteFaults::modeKept_data()
{
    QTest::addColumn<int>("writer");
    QTest::addColumn<int>("mode");
    for (Writer writer : test::kAllWriters) {
        for (int mode : {0444, 0640, 0600, 0755, 02664}) {
            QTest::addRow("%s, %04o", test::writerName(writer), mode) << int(writer) << mode;
        }
    }
}

// A replaced file has exactly the mode it had, also a read-only one while
// the program runs as root (which may write anything).
void TestWriteFaults::modeKept()
{
#ifdef Q_OS_UNIX
    QFETCH(int, writer);
    QFETCH(int, mode);
    QTemporaryDir dir;
    test::WriterSetup setup;
    QVERIFY(test::prepareWriter(Writer(writer), dir.filePath("photos"), setup));
    QCOMPARE(::chmod(QFile::encodeName(setup.target).constData(), mode_t(mode)), 0);
    if (int(ownerOf(setup.target).mode) != mode)
        QSKIP("the file system does not keep such a mode");
    const QByteArray before = test::readFile(setup.target);
    const test::WriterOutcome outcome = test::runWriter(Writer(writer), setup);
    QVERIFY2(outcome.ok, qPrintable(outcome.message));
    QVERIFY(test::readFile(setup.target) != before);
    QCOMPARE(QString::number(ownerOf(setup.target).mode, 8), QString::number(mode, 8));
#else
    QSKIP("POSIX modes only");
#endif
}

// Root replacing another user's file leaves it that user's.
void TestWriteFaults::ownerKept()
{
#ifdef Q_OS_UNIX
    if (::geteuid() != 0)
        QSKIP("only root can give a file away");
    for (Writer writer : test::kAllWriters) {
        QTemporaryDir dir;
        test::WriterSetup setup;
        QVERIFY(test::prepareWriter(writer, dir.filePath("photos"), setup));
        QCOMPARE(::chown(QFile::encodeName(setup.target).constData(), 4321, 4322), 0);
        const test::WriterOutcome outcome = test::runWriter(writer, setup);
        QVERIFY2(outcome.ok, qPrintable(outcome.message));
        const Owner owner = ownerOf(setup.target);
        QCOMPARE(owner.uid, 4321u);
        QCOMPARE(owner.gid, 4322u);
    }
#else
    QSKIP("POSIX owners only");
#endif
}

QTEST_GUILESS_MAIN(TestWriteFaults)
#include "tst_writefaults.moc"
