// Links and non-files: FIFOs, sockets, devices and folders named like
// photos, directly and through .link files. Every reader refuses them at
// once ("not a regular file"), nothing waits on a FIFO, and no file is read
// further than the work needs.

#include "WriterCases.h"
#include "support/HostileEntries.h"
#include "support/TestSupport.h"

#include "core/edit/EditedImage.h"
#include "core/edit/FileResolution.h"
#include "core/edit/ImageTransform.h"
#include "core/edit/JpegEncoder.h"
#include "core/edit/SaveRules.h"
#include "core/exif/ExifWriter.h"
#include "core/fileops/FileCopier.h"
#include "core/fileops/VersionStore.h"
#include "core/files/DescriptionStore.h"
#include "core/files/SafeWrite.h"
#include "core/exif/ExifLibrary.h"
#include "core/exif/ExifReader.h"
#include "core/exif/ExifThumbnail.h"
#include "core/files/FileAccess.h"
#include "core/files/LinkFile.h"
#include "core/files/ThumbnailMaker.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/ImageLoader.h"
#include "core/imaging/PngChunks.h"
#include "core/imaging/RawDecoder.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace quorvel;
using test::Hostile;

namespace {

QImage pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, ((x + y) * 3) & 0xFF));
    return image;
}

// The highest resident memory of the process so far, in bytes; -1 where
// the platform does not tell.
qint64 peakMemory()
{
#ifdef Q_OS_UNIX
    rusage usage{};
    if (::getrusage(RUSAGE_SELF, &usage) == 0)
        return qint64(usage.ru_maxrss) * 1024;
#endif
    return -1;
}

// A file of size bytes that holds head and then nothing: sparse, so it
// costs the disk almost nothing.
bool writeSparse(const QString &path, const QByteArray &head, qint64 size)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(head) == head.size() && f.resize(size);
}

} // namespace

class TestNonFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readersRefuse_data();
    void readersRefuse();
    void openRules_data();
    void openRules();
    void linkFiles_data();
    void linkFiles();
    void loaderDoesNotWait();
    void decodeReadsOnlyWhatItNeeds_data();
    void decodeReadsOnlyWhatItNeeds();
    void writersRefuse_data();
    void writersRefuse();
    void descriptionFileRefused_data();
    void descriptionFileRefused();
    void versionIndexRefused_data();
    void versionIndexRefused();
    void writersReadOnlyWhatTheyNeed_data();
    void writersReadOnlyWhatTheyNeed();
    void versionLockRefused_data();
    void versionLockRefused();
    void sparsePngWalkEnds();
    void hugeFrameNotTurned();
    void reasonsNamed();
};

void TestNonFiles::initTestCase()
{
    initExifLibrary();
}

void TestNonFiles::readersRefuse_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    for (Hostile kind : {Hostile::Fifo, Hostile::Socket, Hostile::Device, Hostile::Folder}) {
        for (const char *name : {"photo.jpg", "photo.tif", "photo.nef", "photo.crw"})
            QTest::addRow("%s %s", test::hostileName(kind), name) << int(kind) << QString::fromLatin1(name);
    }
}

// Decoding (the native decoders, Qt's readers, LibRaw), the file's depth,
// EXIF reading (also through a Canon raw file's companion), the stored and
// the made thumbnail and the edit window's load: each refuses at once.
void TestNonFiles::readersRefuse()
{
    QFETCH(int, kind);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (!test::makeHostile(Hostile(kind), path))
        QSKIP("this platform cannot make such an entry");
    if (name.endsWith(QLatin1String(".crw")) && !test::makeHostile(Hostile(kind), dir.filePath("photo.THM")))
        QSKIP("this platform cannot make such an entry");
    test::FifoGuard guard({path, dir.filePath("photo.THM")});

    const DecodeResult decoded = ImageDecoder::decodeFile(path, DecodeOptions());
    QVERIFY(!decoded.ok());
    QVERIFY2(decoded.error.contains(FileAccess::notRegularFile()), qPrintable(decoded.error));
    QCOMPARE(ImageDecoder::pixelDepthOfFile(path), 0);
    ExifFields fields;
    QVERIFY(!readExifFields(path, fields));
    QVERIFY(!readListedExifFields(path, fields)); // as if it had been listed a moment ago
    QVERIFY(!readStoredThumbnail(path).isValid());
    QVERIFY(ThumbnailMaker::fromFile(path).picture.isNull());
    QVERIFY(EditedImage::load(path).isNull());
    QVERIFY(!guard.blocked());
}

void TestNonFiles::openRules_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("noLinks");
    QTest::addColumn<QString>("reason");
    QTest::newRow("FIFO") << int(Hostile::Fifo) << false << FileAccess::notRegularFile();
    QTest::newRow("socket") << int(Hostile::Socket) << false << FileAccess::notRegularFile();
    QTest::newRow("link to a device") << int(Hostile::Device) << false << FileAccess::notRegularFile();
    QTest::newRow("link to a device, links refused") << int(Hostile::Device) << true << FileAccess::symbolicLink();
    QTest::newRow("folder") << int(Hostile::Folder) << false << FileAccess::notRegularFile();
    QTest::newRow("nothing") << -1 << false << FileAccess::systemError(ENOENT);
}

void TestNonFiles::openRules()
{
    QFETCH(int, kind);
    QFETCH(bool, noLinks);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath("entry.jpg");
    if (kind >= 0 && !test::makeHostile(Hostile(kind), path))
        QSKIP("this platform cannot make such an entry");
    test::FifoGuard guard({path});
    QFile file;
    QString error;
    FileIdentity identity;
    QVERIFY(!FileAccess::openForReading(file, path, &error, &identity,
                                        noLinks ? FileAccess::NoLinks : FileAccess::FollowLinks));
    QCOMPARE(error, reason);
    QVERIFY(!file.isOpen());
    QVERIFY(!identity.isRegular());
    QVERIFY(!guard.blocked());

    // A regular file through a link opens unless links are refused, and its
    // identity is the file's own.
    const QString real = dir.filePath("real.jpg");
    QVERIFY(test::writeFile(real, "12345"));
    const QString viaLink = dir.filePath("via.jpg");
    QVERIFY(QFile::link(real, viaLink));
    QVERIFY(FileAccess::openForReading(file, viaLink, &error, &identity));
    QCOMPARE(file.readAll(), QByteArray("12345"));
    QCOMPARE(identity, FileAccess::identityOf(real));
    QVERIFY(!FileAccess::openForReading(file, viaLink, &error, nullptr, FileAccess::NoLinks));
    QCOMPARE(error, FileAccess::symbolicLink());
}

void TestNonFiles::linkFiles_data()
{
    QTest::addColumn<bool>("linkIsHostile");
    QTest::newRow("a FIFO named like a link") << true;
    QTest::newRow("a link to a FIFO") << false;
}

// A .link file is read only when it is a regular file; one that points at a
// FIFO resolves, and the decode of its target is refused.
void TestNonFiles::linkFiles()
{
    QFETCH(bool, linkIsHostile);
    QTemporaryDir dir;
    const QString fifo = dir.filePath("photo.jpg");
    const QString linkPath = dir.filePath("photo.jpg.link");
    if (linkIsHostile) {
        if (!test::makeHostile(Hostile::Fifo, linkPath))
            QSKIP("this platform has no FIFOs");
    } else {
        if (!test::makeHostile(Hostile::Fifo, fifo))
            QSKIP("this platform has no FIFOs");
        QVERIFY(test::writeFile(linkPath, "photo.jpg"));
    }
    test::FifoGuard guard({fifo, linkPath});
    const auto target = link::resolveLink(linkPath);
    QCOMPARE(target.has_value(), !linkIsHostile);
    const QString shown = link::effectivePath(linkPath);
    const DecodeResult decoded = ImageDecoder::decodeFile(shown, DecodeOptions());
    QVERIFY(!decoded.ok());
    QVERIFY(ThumbnailMaker::fromFile(shown).picture.isNull());
    QVERIFY(!guard.blocked());
}

// The loader thread of the view, given a FIFO (as a link leads it there),
// ends its load with nothing shown instead of blocking for ever.
void TestNonFiles::loaderDoesNotWait()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("photo.jpg");
    if (!test::makeHostile(Hostile::Fifo, fifo))
        QSKIP("this platform has no FIFOs");
    test::FifoGuard guard({fifo});
    ImageLoader loader;
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    QVERIFY(!loader.requestLoad(fifo));
    QVERIFY(done.wait(60000));
    QCOMPARE(loader.onLoadDone(), ImageLoader::DoneOutcome::Finished);
    QVERIFY(!loader.isImagePresent());
    QVERIFY(!guard.blocked());
}

void TestNonFiles::decodeReadsOnlyWhatItNeeds_data()
{
    QTest::addColumn<bool>("wholePicture");
    QTest::newRow("a JPEG marker, then nothing") << false;
    QTest::newRow("a small JPEG, then nothing") << true;
}

// A 1 GB file that holds a few kilobytes starting with a JPEG marker: the
// decode reads what the picture needs and never holds the file whole.
void TestNonFiles::decodeReadsOnlyWhatItNeeds()
{
    QFETCH(bool, wholePicture);
    if (peakMemory() < 0)
        QSKIP("the peak memory cannot be read here");
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.jpg");
    QByteArray head = JpegEncoder::encode(wholePicture ? pattern(64, 48) : pattern(1200, 900), 90);
    QVERIFY(head.size() > 4096 || wholePicture);
    if (!wholePicture)
        head = head.left(4096);
    constexpr qint64 kSize = qint64(1) << 30;
    if (!writeSparse(path, head, kSize))
        QSKIP("no room for a sparse file here");
    const qint64 before = peakMemory();
    const DecodeResult decoded = ImageDecoder::decodeFile(path, DecodeOptions());
    if (wholePicture)
        QCOMPARE(decoded.image.size(), QSize(64, 48));
    QCOMPARE(ImageDecoder::pixelDepthOfFile(path), 24);
    ExifFields fields;
    readExifFields(path, fields);
    ThumbnailMaker::fromFile(path);
    const qint64 grown = peakMemory() - before;
    QVERIFY2(grown < 64 * 1024 * 1024, qPrintable(QStringLiteral("%1 MB more").arg(grown >> 20)));
}

// A link to a photo elsewhere stands beside the non-files: it may be read
// (it is shown), but nothing is written through it.
constexpr int kLinkToPhoto = 100;

void TestNonFiles::writersRefuse_data()
{
    QTest::addColumn<int>("kind");
    for (Hostile kind : {Hostile::Fifo, Hostile::Socket, Hostile::Device, Hostile::Folder})
        QTest::addRow("%s", test::hostileName(kind)) << int(kind);
    QTest::newRow("link to a photo elsewhere") << kLinkToPhoto;
}

// Every writer refuses at once, with a message, and writes nowhere: not
// into the entry, not through the link, not beside it.
void TestNonFiles::writersRefuse()
{
    QFETCH(int, kind);
    QTemporaryDir dir;
    const QString folder = dir.filePath("photos");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/photo.jpg");
    const QString elsewhere = dir.filePath("elsewhere.jpg");
    const QByteArray photo = test::photoBytes();
    QVERIFY(test::writeFile(elsewhere, photo));
    const QString good = dir.filePath("good.jpg");
    QVERIFY(test::writeFile(good, photo));
    if (kind == kLinkToPhoto) {
        QVERIFY(QFile::link(elsewhere, path));
    } else if (!test::makeHostile(Hostile(kind), path)) {
        QSKIP("this platform cannot make such an entry");
    }
    test::FifoGuard guard({path});

    ExifFields fields;
    fields.model = QStringLiteral("Changed");
    const ExifWriteResult exif = writeExifFields(path, fields, WriteModel);
    QVERIFY(!exif.ok());
    QVERIFY(!exif.detail.isEmpty());
    const SaveResult dpi = FileResolution::write(path, 300, 300);
    QVERIFY(!dpi.ok());
    QVERIFY(!dpi.message.isEmpty());
    TransformQuestions yes;
    yes.replaceOriginal = yes.notDivisible = yes.tiffWithoutExif = [] { return true; };
    const SaveResult turned = ImageTransform::transformImageFile(path, path, TransformCode::Rotate90, yes);
    QVERIFY(!turned.ok());
    QVERIFY(!turned.message.isEmpty());

    EditedImage edited = EditedImage::load(good);
    QVERIFY(!edited.isNull());
    SaveQuestions save;
    save.replaceOriginal = [] { return true; };
    save.jpegQuality = [] { return 90; };
    const SaveResult saved = SaveRules::saveEditedImage(edited, good, path, save);
    QCOMPARE(saved.status, SaveResult::Failed);
    QVERIFY(!saved.message.isEmpty());

    QString error;
    QVERIFY(!safewrite::copyFile(good, path, true, &error));
    QVERIFY(!error.isEmpty());
    if (kind != kLinkToPhoto) {
        // As a source, too: the copy dialog, the version dialog.
        QVERIFY(!safewrite::copyFile(path, dir.filePath("copy.jpg"), true, &error));
        QVERIFY2(error.contains(FileAccess::notRegularFile()), qPrintable(error));
        QVERIFY(!QFileInfo::exists(dir.filePath("copy.jpg")));
        QVERIFY(QDir().mkpath(dir.filePath("copies")));
        const FileCopier::Result copied = FileCopier({path}, dir.filePath("copies")).run();
        QVERIFY(copied.outcome == FileCopier::Outcome::Failed || copied.outcome == FileCopier::Outcome::Nothing);
        VersionStore versions(dir.filePath("repo"));
        QCOMPARE(versions.rememberVersion(path), 0);
        QVERIFY(!versions.lastError().isEmpty());
    } else {
        QVERIFY2(error.contains(QLatin1String("symbolic link")), qPrintable(error));
        // A version restored over the link goes nowhere either.
        VersionStore versions(dir.filePath("repo"));
        QCOMPARE(versions.rememberVersion(path), 1);
        QVERIFY(!versions.restoreVersion(path, 1));
    }
    QCOMPARE(test::readFile(elsewhere), photo);
    QCOMPARE(test::readFile(good), photo);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("photo.jpg")});
    QVERIFY(!guard.blocked());
}

void TestNonFiles::descriptionFileRefused_data()
{
    QTest::addColumn<int>("kind");
    for (Hostile kind : {Hostile::Fifo, Hostile::Socket, Hostile::Device, Hostile::Folder})
        QTest::addRow("%s", test::hostileName(kind)) << int(kind);
    QTest::newRow("link to a file outside") << kLinkToPhoto;
}

// A descript.ion that is a FIFO, a device or a link (to a shell start-up
// file, say) is neither read nor written: nothing blocks, nothing outside
// changes, and a description set there is refused with a message.
void TestNonFiles::descriptionFileRefused()
{
    QFETCH(int, kind);
    QTemporaryDir dir;
    const QString folder = dir.filePath("photos");
    QVERIFY(QDir().mkpath(folder));
    const QString file = DescriptionStore::fileInFolder(folder);
    const QString outside = dir.filePath(".bashrc");
    QVERIFY(test::writeFile(outside, "alias ll='ls -l'\n"));
    if (kind == kLinkToPhoto) {
        QVERIFY(QFile::link(QStringLiteral("../.bashrc"), file));
    } else if (!test::makeHostile(Hostile(kind), file)) {
        QSKIP("this platform cannot make such an entry");
    }
    QVERIFY(test::writeFile(folder + QStringLiteral("/a.jpg"), test::photoBytes()));
    test::FifoGuard guard({file});

    DescriptionStore listed;
    QVERIFY(!listed.load(file));
    QVERIFY(!listed.lastError().isEmpty());
    QCOMPARE(listed.getDescription(folder + QStringLiteral("/a.jpg")), QString());
    QVERIFY(!listed.setDescription(folder + QStringLiteral("/a.jpg"), QStringLiteral("new")));
    QVERIFY(!listed.lastError().isEmpty());
    DescriptionStore fresh;
    QVERIFY(!fresh.setDescription(folder + QStringLiteral("/a.jpg"), QStringLiteral("new")));
    QVERIFY(!fresh.lastError().isEmpty());
    QCOMPARE(test::readFile(outside), QByteArray("alias ll='ls -l'\n"));
    QVERIFY(!guard.blocked());
}

void TestNonFiles::versionIndexRefused_data()
{
    descriptionFileRefused_data();
}

// The version index is the program's own file: in its place a FIFO, a
// device or a link is neither read nor replaced, and no version is taken.
void TestNonFiles::versionIndexRefused()
{
    QFETCH(int, kind);
    QTemporaryDir dir;
    const QString repo = dir.filePath("repo");
    QVERIFY(QDir().mkpath(repo));
    const QString index = repo + QStringLiteral("/") + VersionStore::indexFileName();
    const QString outside = dir.filePath("notes.txt");
    QVERIFY(test::writeFile(outside, "not an index"));
    if (kind == kLinkToPhoto) {
        QVERIFY(QFile::link(outside, index));
    } else if (!test::makeHostile(Hostile(kind), index)) {
        QSKIP("this platform cannot make such an entry");
    }
    const QString photo = dir.filePath("photo.jpg");
    QVERIFY(test::writeFile(photo, test::photoBytes()));
    test::FifoGuard guard({index});
    VersionStore store(repo);
    QCOMPARE(store.rememberVersion(photo), 0);
    QVERIFY(!store.lastError().isEmpty());
    QVERIFY(store.versions(photo).isEmpty());
    QCOMPARE(test::readFile(outside), QByteArray("not an index"));
    QCOMPARE(QDir(repo).entryList({QStringLiteral("*.v*")}, QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(!guard.blocked());
}

void TestNonFiles::writersReadOnlyWhatTheyNeed_data()
{
    QTest::addColumn<int>("writer");
    QTest::newRow("set-exif") << int(test::Writer::SetExif);
    QTest::newRow("set-dpi") << int(test::Writer::SetDpi);
    QTest::newRow("rotate") << int(test::Writer::Rotate);
}

// The 1 GB file again: the metadata writers copy its picture data across a
// chunk at a time, and the turn, which needs all of it, refuses a file far
// larger than its picture can be - none of them holds it whole.
void TestNonFiles::writersReadOnlyWhatTheyNeed()
{
    QFETCH(int, writer);
    if (peakMemory() < 0)
        QSKIP("the peak memory cannot be read here");
    QTemporaryDir dir;
    test::WriterSetup setup;
    QVERIFY(test::prepareWriter(test::Writer(writer), dir.filePath("photos"), setup));
    constexpr qint64 kSize = qint64(1) << 30;
    if (!writeSparse(setup.photo, test::readFile(setup.photo), kSize))
        QSKIP("no room for a sparse file here");
    const qint64 before = peakMemory();
    const test::WriterOutcome outcome = test::runWriter(test::Writer(writer), setup);
    const qint64 grown = peakMemory() - before;
    QVERIFY2(grown < 64 * 1024 * 1024, qPrintable(QStringLiteral("%1 MB more").arg(grown >> 20)));
    if (test::Writer(writer) == test::Writer::Rotate) {
        QVERIFY(!outcome.ok);
        QCOMPARE(QFileInfo(setup.photo).size(), kSize);
    } else {
        QVERIFY2(outcome.ok, qPrintable(outcome.message));
        QVERIFY(QFileInfo(setup.photo).size() > kSize - 4096);
    }
}

void TestNonFiles::versionLockRefused_data()
{
    descriptionFileRefused_data();
}

// The lock file beside the version index is opened and read to see whether
// its holder still runs: a FIFO or a link in its place is refused at once.
void TestNonFiles::versionLockRefused()
{
    QFETCH(int, kind);
    QTemporaryDir dir;
    const QString repo = dir.filePath("repo");
    QVERIFY(QDir().mkpath(repo));
    const QString lock = repo + QStringLiteral("/") + VersionStore::indexFileName() + QStringLiteral(".lock");
    const QString outside = dir.filePath("notes.txt");
    QVERIFY(test::writeFile(outside, "12345\n"));
    if (kind == kLinkToPhoto) {
        QVERIFY(QFile::link(outside, lock));
    } else if (!test::makeHostile(Hostile(kind), lock)) {
        QSKIP("this platform cannot make such an entry");
    }
    const QString photo = dir.filePath("photo.jpg");
    QVERIFY(test::writeFile(photo, test::photoBytes()));
    test::FifoGuard guard({lock});
    VersionStore store(repo);
    QCOMPARE(store.rememberVersion(photo), 0);
    QVERIFY(!store.lastError().isEmpty());
    QCOMPARE(test::readFile(outside), QByteArray("12345\n"));
    QVERIFY(!guard.blocked());
}

// A sparse file after a PNG's first chunk: zeros are no chunk type, so the
// walk that checks chunk lengths before the reader stops at once instead of
// reading millions of empty chunk headers.
void TestNonFiles::sparsePngWalkEnds()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "PNG"));
    const QByteArray head = png.left(8 + 25); // the signature and IHDR
    QTemporaryDir dir;
    const QString path = dir.filePath("sparse.png");
    if (!writeSparse(path, head, qint64(1) << 30))
        QSKIP("no room for a sparse file here");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    int reads = 0;
    const auto read = [&](qint64 offset, qint64 length) {
        ++reads;
        return file.seek(offset) ? file.read(length) : QByteArray();
    };
    QCOMPARE(pngchunks::walk(file.size(), read, [](const pngchunks::Chunk &) { return false; }),
             pngchunks::Walk::BadType);
    QVERIFY2(reads <= 2, qPrintable(QString::number(reads)));
    QVERIFY(!ImageDecoder::decodeFile(path, DecodeOptions()).ok());
}

// A small JPEG whose frame header claims 60000 x 60000 pixels: the lossless
// turn would hold every block of that in memory. It is refused, as the
// decode refuses it, and the file stays as it was.
void TestNonFiles::hugeFrameNotTurned()
{
    QByteArray jpeg = JpegEncoder::encode(pattern(64, 48), 90);
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    QVERIFY(sof > 0);
    for (int at : {5, 7}) { // height, then width
        jpeg[sof + at] = char(0xEA);
        jpeg[sof + at + 1] = char(0x60);
    }
    QString error;
    QVERIFY(ImageTransform::turnJpeg(jpeg, 6, false, &error).isEmpty());
    QVERIFY2(error.contains(QStringLiteral("60000 x 60000")), qPrintable(error));

    QTemporaryDir dir;
    const QString path = dir.filePath("huge.jpg");
    QVERIFY(test::writeFile(path, jpeg));
    TransformQuestions yes;
    yes.replaceOriginal = [] { return true; };
    yes.notDivisible = [] { return true; };
    const SaveResult result = ImageTransform::transformImageFile(path, path, TransformCode::Rotate90, yes);
    QVERIFY(!result.ok());
    QVERIFY2(result.message.contains(QStringLiteral("60000 x 60000")), qPrintable(result.message));
    QCOMPARE(test::readFile(path), jpeg);

    // A TIFF that ends early is not turned either, and the message says why.
    QImage picture = pattern(64, 48);
    QByteArray tiff;
    QBuffer buffer(&tiff);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(picture.save(&buffer, "TIFF"));
    const QString cut = dir.filePath("cut.tif");
    QVERIFY(test::writeFile(cut, tiff.left(tiff.size() / 2)));
    yes.tiffWithoutExif = [] { return true; };
    const SaveResult turned = ImageTransform::transformImageFile(cut, cut, TransformCode::Rotate90, yes);
    QVERIFY(!turned.ok());
    QVERIFY2(turned.message.startsWith(QStringLiteral("Cannot open file\n")), qPrintable(turned.message));
}

// Refusals name what is wrong in words: an empty raw file, and a name whose
// bytes the system's encoding cannot show (it reaches the program with
// replacement characters and so names nothing).
void TestNonFiles::reasonsNamed()
{
    QTemporaryDir dir;
    const QString raw = dir.filePath("empty.nef");
    QVERIFY(test::writeFile(raw, QByteArray()));
    const DecodeResult decoded = ImageDecoder::decodeFile(raw, DecodeOptions());
    QVERIFY(!decoded.ok());
    QVERIFY2(decoded.error.contains(QStringLiteral("empty")), qPrintable(decoded.error));

    QFile file;
    QString error;
    QVERIFY(!FileAccess::openForReading(file, dir.filePath(QStringLiteral("bad\uFFFDname.jpg")), &error));
    QCOMPARE(error, FileAccess::undecodableName());
    QVERIFY(!FileAccess::openForReading(file, dir.filePath(QStringLiteral("missing.jpg")), &error));
    QCOMPARE(error, FileAccess::systemError(ENOENT));
}

QTEST_GUILESS_MAIN(TestNonFiles)
#include "tst_nonfiles.moc"
