#include "EditTestFiles.h"
#include "support/TestSupport.h"

#include "core/edit/EditedImage.h"
#include "core/edit/FileResolution.h"
#include "core/edit/SaveRules.h"
#include "core/edit/TiffEncoder.h"
#include "core/exif/ExifBlockEditor.h"
#include "core/exif/JpegExifBlock.h"
#include "core/exif/JpegSegments.h"
#include "core/files/SafeWriter.h"

#include <QDir>

#include <cerrno>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

namespace {

using Dir = ExifBlockEditor::Dir;

// An EXIF block with the given IFD0 resolution entries (dpi over 1).
QByteArray exifWithResolution(int dpi)
{
    ExifBlockEditor block;
    block.set(Dir::Image, 0x0110, 2, 5, block.ascii("Cam1"));
    if (dpi > 0) {
        block.set(Dir::Image, 0x011A, 5, 1, block.rationalValue(quint32(dpi), 1));
        block.set(Dir::Image, 0x011B, 5, 1, block.rationalValue(quint32(dpi), 1));
    }
    return block.block();
}

std::optional<QByteArray> entryValue(const QByteArray &jpeg, quint16 tag)
{
    const auto layout = jpegsegments::walk(jpeg);
    const int exif = layout.exifIndex(jpeg);
    if (exif < 0)
        return std::nullopt;
    const auto &s = layout.segments[exif];
    const ExifBlockEditor block(jpeg.mid(s.dataStart + 6, s.dataLength - 6));
    const auto e = block.find(Dir::Image, tag);
    if (!e)
        return std::nullopt;
    return block.valueBytes(*e);
}

QByteArray scanData(const QByteArray &file)
{
    const auto layout = jpegsegments::walk(file);
    return layout.ok ? file.mid(layout.scanStart) : QByteArray();
}

EditedImage jpegImage(int width, int height, const QByteArray &exif = QByteArray())
{
    EditedImage image;
    image.pixels = test::patternImage(width, height);
    image.format = EditedImage::Format::Jpeg;
    image.exif = exif;
    return image;
}

} // namespace

class TestSaveRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void saveEditedImage_data();
    void saveEditedImage();
    void busyTargetKeepsTemporary_data();
    void busyTargetKeepsTemporary();
    void damagedPicturesAreNotWritten_data();
    void damagedPicturesAreNotWritten();
    void propertiesTravel();
    void crop_data();
    void crop();
    void fileResolution_data();
    void fileResolution();
    void resolutionRefusesTiff();
};

void TestSaveRules::saveEditedImage_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("sameName");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("questions");
    QTest::newRow("over itself, Yes") << int(EditedImage::Format::Jpeg) << true << true << int(SaveResult::Done) << 1;
    QTest::newRow("over itself, No") << int(EditedImage::Format::Jpeg) << true << false << int(SaveResult::Declined)
                                     << 1;
    QTest::newRow("new name, no question") << int(EditedImage::Format::Jpeg) << false << false
                                           << int(SaveResult::Done) << 0;
    QTest::newRow("TIFF, Yes") << int(EditedImage::Format::Tiff) << false << true << int(SaveResult::Done) << 1;
    QTest::newRow("TIFF, No writes nothing") << int(EditedImage::Format::Tiff) << false << false
                                             << int(SaveResult::Declined) << 1;
    QTest::newRow("other format") << int(EditedImage::Format::Other) << false << true << int(SaveResult::NotSupported)
                                  << 0;
}

void TestSaveRules::saveEditedImage()
{
    QFETCH(int, format);
    QFETCH(bool, sameName);
    QFETCH(bool, answer);
    QFETCH(int, status);
    QFETCH(int, questions);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("photo.jpg"));
    const QByteArray original = test::patternJpeg(32, 32);
    QVERIFY(test::writeFile(source, original));
    const QString target = sameName ? source : dir.filePath(QStringLiteral("edited.jpg"));

    EditedImage image = jpegImage(20, 10, exifWithResolution(72));
    image.format = EditedImage::Format(format);
    int asked = 0;
    int quality = 0;
    SaveQuestions q;
    q.replaceOriginal = [&] { ++asked; return answer; };
    q.tiffWithoutExif = [&] { ++asked; return answer; };
    q.jpegQuality = [&] { quality = 95; return 95; };
    const SaveResult r = SaveRules::saveEditedImage(image, source, target, q);
    QCOMPARE(int(r.status), status);
    QCOMPARE(asked, questions);

    if (status == SaveResult::Done) {
        const QByteArray saved = test::readFile(target);
        QVERIFY(!saved.isEmpty());
        if (format == int(EditedImage::Format::Tiff)) {
            QVERIFY(saved.startsWith("II*"));
        } else {
            QCOMPARE(quality, 95);
            QVERIFY(jpegexif::isJpeg(saved));
            QVERIFY(entryValue(saved, 0x0110).has_value()); // the EXIF entries came along
        }
    } else {
        QCOMPARE(test::readFile(source), original);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("edited.jpg"))));
    }
    // No temporary file stays behind.
    QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    files.removeAll(QStringLiteral("photo.jpg"));
    files.removeAll(QStringLiteral("edited.jpg"));
    QVERIFY2(files.isEmpty(), qPrintable(files.join(u',')));
}

// A picture from a damaged file is never written, neither over its source
// nor as a new file, and nothing is asked first.
void TestSaveRules::damagedPicturesAreNotWritten_data()
{
    QTest::addColumn<bool>("newFile"); // saveNewJpeg, else saveEditedImage over the source
    QTest::newRow("edited image") << false;
    QTest::newRow("new file") << true;
}

void TestSaveRules::damagedPicturesAreNotWritten()
{
    QFETCH(bool, newFile);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("photo.jpg"));
    const QByteArray original = test::patternJpeg(32, 32);
    QVERIFY(test::writeFile(source, original));
    EditedImage image = jpegImage(20, 10);
    image.damaged = true;
    int asked = 0;
    SaveQuestions q;
    q.replaceOriginal = [&] { ++asked; return true; };
    q.jpegQuality = [&] { ++asked; return 90; };
    const QString target = newFile ? dir.filePath(QStringLiteral("new.jpg")) : source;
    const SaveResult r = newFile ? SaveRules::saveNewJpeg(image, target, 90)
                                 : SaveRules::saveEditedImage(image, source, target, q);
    QCOMPARE(r.status, SaveResult::Damaged);
    QCOMPARE(r.message, SaveRules::damagedMessage());
    QCOMPARE(asked, 0);
    QCOMPARE(test::readFile(source), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("photo.jpg")});
}

// When the target cannot be replaced (another program holds it), the
// picture is kept beside it under a name no file has yet, and the user is
// told where; a file already under that name is never overwritten.
void TestSaveRules::busyTargetKeepsTemporary_data()
{
    QTest::addColumn<bool>("asideTaken");
    QTest::newRow("aside name free") << false;
    QTest::newRow("aside name taken") << true;
}

void TestSaveRules::busyTargetKeepsTemporary()
{
    QFETCH(bool, asideTaken);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("photo.jpg"));
    QVERIFY(test::writeFile(source, test::patternJpeg(16, 16)));
    const QString target = dir.filePath(QStringLiteral("busy.jpg"));
    QVERIFY(test::writeFile(target, "held open elsewhere"));
    if (asideTaken)
        QVERIFY(test::writeFile(target + QStringLiteral(".jpg"), "someone's file"));
    SafeWriter::setCommitHook([](const QString &) { return EBUSY; });
    SaveQuestions q;
    q.jpegQuality = [] { return 85; };
    const SaveResult r = SaveRules::saveEditedImage(jpegImage(16, 16), source, target, q);
    SafeWriter::setCommitHook({});
    QCOMPARE(test::readFile(target), QByteArray("held open elsewhere"));
    if (asideTaken) {
        QCOMPARE(r.status, SaveResult::Failed);
        QVERIFY2(r.message.contains(QStringLiteral("busy")), qPrintable(r.message));
        QCOMPARE(test::readFile(target + QStringLiteral(".jpg")), QByteArray("someone's file"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
        return;
    }
    QCOMPARE(r.status, SaveResult::SavedAside);
    QCOMPARE(r.savedAs, target + QStringLiteral(".jpg"));
    QCOMPARE(r.message, QStringLiteral("File is busy with other process, the image was saved as <%1>")
                            .arg(QDir::toNativeSeparators(r.savedAs)));
    QVERIFY(jpegexif::isJpeg(test::readFile(r.savedAs)));
}

// copyPropertyItems and setResolution: the items travel, an existing
// resolution becomes dpi/1, a missing one is not created, and the JFIF
// density carries the picture's resolution.
void TestSaveRules::propertiesTravel()
{
    QTemporaryDir dir;
    EditedImage photo = jpegImage(40, 30, exifWithResolution(72));
    EditedImage print = jpegImage(20, 20);
    copyPropertyItems(photo, print);
    setResolution(print, 300.7, 300.2);
    const QString path = dir.filePath(QStringLiteral("print.jpg"));
    QVERIFY(SaveRules::saveNewJpeg(print, path, 90).ok());
    const QByteArray saved = test::readFile(path);
    ExifBlockEditor fmt;
    QCOMPARE(entryValue(saved, 0x011A), std::optional(fmt.rationalValue(300, 1)));
    QCOMPARE(entryValue(saved, 0x011B), std::optional(fmt.rationalValue(300, 1)));
    QCOMPARE(FileResolution::read(path), std::optional(QSizeF(301, 300)));

    EditedImage bare = jpegImage(20, 20, exifWithResolution(0));
    setResolution(bare, 300, 300);
    QCOMPARE(bare.exif, exifWithResolution(0));
}

void TestSaveRules::crop_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QSize>("size");
    QTest::newRow("whole picture changes nothing") << QRect(0, 0, 40, 30) << false << QSize(40, 30);
    QTest::newRow("inside") << QRect(5, 5, 10, 10) << true << QSize(10, 10);
    QTest::newRow("past the right edge is clipped") << QRect(30, 0, 20, 30) << true << QSize(10, 30);
    QTest::newRow("outside changes nothing") << QRect(50, 50, 5, 5) << false << QSize(40, 30);
}

void TestSaveRules::crop()
{
    QFETCH(QRect, rect);
    QFETCH(bool, changed);
    QFETCH(QSize, size);
    EditedImage image = jpegImage(40, 30, exifWithResolution(72));
    const QByteArray exif = image.exif;
    QCOMPARE(cropKeepingProperties(image, rect), changed);
    QCOMPARE(image.pixels.size(), size);
    QCOMPARE(image.exif, exif);
    if (changed)
        QCOMPARE(image.pixels.pixel(0, 0), test::patternImage(40, 30).pixel(rect.topLeft()));
}

// SetFileResolution on a JPEG: what is stored where, with the picture data
// untouched.
void TestSaveRules::fileResolution_data()
{
    QTest::addColumn<int>("exifDpi"); // 0: no resolution entries
    QTest::addColumn<bool>("withExif");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("v");
    QTest::addColumn<bool>("written");
    QTest::newRow("72 becomes 300/1") << 72 << true << 300 << 300 << true;
    QTest::newRow("other values each") << 72 << true << 240 << 180 << true;
    QTest::newRow("no entries: none added") << 0 << true << 300 << 300 << true;
    QTest::newRow("no EXIF at all") << 0 << false << 150 << 150 << true;
    QTest::newRow("1 changes nothing") << 72 << true << 1 << 300 << false;
    QTest::newRow("negative changes nothing") << 72 << true << -300 << -300 << false;
}

void TestSaveRules::fileResolution()
{
    QFETCH(int, exifDpi);
    QFETCH(bool, withExif);
    QFETCH(int, h);
    QFETCH(int, v);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dpi.jpg"));
    EditedImage image = jpegImage(48, 32, withExif ? exifWithResolution(exifDpi) : QByteArray());
    setResolution(image, 72, 72);
    QVERIFY(SaveRules::saveNewJpeg(image, path, 90).ok());
    const QByteArray before = test::readFile(path);

    if (written) {
        QVERIFY(FileResolution::isStorable(h) && FileResolution::isStorable(v));
        QVERIFY(FileResolution::write(path, h, v).ok());
    } else {
        QVERIFY(!FileResolution::isStorable(h) || !FileResolution::isStorable(v));
        QVERIFY(!FileResolution::write(path, h, v).ok());
    }
    const QByteArray after = test::readFile(path);
    QCOMPARE(scanData(after), scanData(before));
    if (!written) {
        QCOMPARE(after, before);
        return;
    }
    QCOMPARE(FileResolution::read(path), std::optional(QSizeF(h, v)));
    ExifBlockEditor fmt;
    if (withExif && exifDpi > 0) {
        QCOMPARE(entryValue(after, 0x011A), std::optional(fmt.rationalValue(quint32(h), 1)));
        QCOMPARE(entryValue(after, 0x011B), std::optional(fmt.rationalValue(quint32(v), 1)));
    } else {
        QVERIFY(!entryValue(after, 0x011A));
    }
    QCOMPARE(after.size(), before.size()); // nothing added, nothing moved
}

void TestSaveRules::resolutionRefusesTiff()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.tif"));
    const QByteArray tiff = TiffEncoder::encode(test::patternImage(8, 8));
    QVERIFY(test::writeFile(path, tiff));
    QVERIFY(FileResolution::read(path).has_value());
    const SaveResult r = FileResolution::write(path, 300, 300);
    QCOMPARE(r.status, SaveResult::NotSupported);
    QCOMPARE(r.message, QStringLiteral("This format is not supported yet."));
    QCOMPARE(test::readFile(path), tiff);
}

QTEST_GUILESS_MAIN(TestSaveRules)
#include "tst_saverules.moc"
