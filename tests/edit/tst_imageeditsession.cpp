#include "EditTestFiles.h"
#include "support/ExifOrientationFiles.h"
#include "support/TestSupport.h"

#include "core/edit/ImageEditSession.h"
#include "core/edit/SelectionTracker.h"
#include "core/edit/TiffEncoder.h"
#include "core/exif/Exiv2Include.h"
#include "core/print/FramePreview.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

namespace {

// The smallest GIF: one pixel.
const QByteArray kGif = QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c00000000"
                                             "010001000002024401003b");

std::map<std::string, std::string> exifItems(const QString &path)
{
    std::map<std::string, std::string> items;
    auto image = exiv2::openFile(QFile::encodeName(path).toStdString());
    if (!image.get())
        return items;
    image->readMetadata();
    for (const Exiv2::Exifdatum &d : image->exifData())
        items[d.key()] = d.toString();
    return items;
}

} // namespace

class TestImageEditSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opening_data();
    void opening();
    void crop_data();
    void crop();
    void croppedPhotoKeepsExif_data();
    void croppedPhotoKeepsExif();
    void savingOverTheSource_data();
    void savingOverTheSource();
    void orientedPhotoIsEditedAsShown_data();
    void orientedPhotoIsEditedAsShown();
    void tracker_data();
    void tracker();

private:
    QString jpegFile(const QString &name, int w, int h)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        return test::writeFile(path, test::patternJpeg(w, h)) ? path : QString();
    }
    QTemporaryDir m_dir;
};

void TestImageEditSession::opening_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("state");

    const auto editable = int(ImageEditSession::State::Editable);
    const auto notOpened = int(ImageEditSession::State::NotOpened);
    const auto notSupported = int(ImageEditSession::State::NotSupported);
    QTest::newRow("jpeg") << "a.jpg" << test::patternJpeg(40, 30) << editable;
    QTest::newRow("tiff") << "a.tif" << TiffEncoder::encode(test::patternImage(40, 30)) << editable;
    QTest::newRow("gif is decoded but not saved back") << "a.gif" << kGif << notSupported;
    QTest::newRow("jpeg bytes under a raw name") << "a.nef" << test::patternJpeg(40, 30) << notOpened;
    QTest::newRow("not decodable") << "broken.jpg" << QByteArray("\xFF\xD8\xFF\xE0 nothing more") << notOpened;
    // Shown as far as it decodes, but never edited and saved as if whole.
    const QByteArray whole = test::patternJpeg(64, 256);
    const qsizetype scan = whole.indexOf("\xFF\xDA");
    QTest::newRow("jpeg cut short") << "short.jpg" << whole.left(scan + (whole.size() - scan) / 2)
                                    << int(ImageEditSession::State::Damaged);
    QTest::newRow("missing") << "" << QByteArray() << notOpened;
}

void TestImageEditSession::opening()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, state);

    if (name.endsWith(QLatin1String(".gif")) && !QImageReader::supportedImageFormats().contains("gif"))
        QSKIP("no GIF reader in this Qt");
    QString path = m_dir.filePath(QStringLiteral("missing.jpg"));
    if (!name.isEmpty()) {
        path = m_dir.filePath(name);
        QVERIFY(test::writeFile(path, bytes));
    }
    const ImageEditSession session(path);
    QCOMPARE(int(session.state()), state);
    QVERIFY(!session.isModified());
}

void TestImageEditSession::crop_data()
{
    QTest::addColumn<QRect>("selection"); // set with a zoom of 1
    QTest::addColumn<QSize>("result");
    QTest::addColumn<bool>("modified");

    QTest::newRow("whole image") << QRect(0, 0, 64, 48) << QSize(64, 48) << false;
    QTest::newRow("inner part") << QRect(8, 4, 30, 20) << QSize(30, 20) << true;
    QTest::newRow("drawn right to left") << EditSelection::fromEdges(50, 40, 10, 16) << QSize(40, 24) << true;
    QTest::newRow("past the edge is stopped at it") << QRect(40, 30, 100, 100) << QSize(24, 18) << true;
}

void TestImageEditSession::crop()
{
    QFETCH(QRect, selection);
    QFETCH(QSize, result);
    QFETCH(bool, modified);

    ImageEditSession session(jpegFile(QStringLiteral("crop.jpg"), 64, 48));
    QCOMPARE(session.state(), ImageEditSession::State::Editable);
    const QImage before = session.image().pixels;
    session.setMode(ImageEditSession::Mode::Crop);
    if (selection != QRect(0, 0, 64, 48))
        QVERIFY(session.selection().resize(selection, 1.0));
    QCOMPARE(session.applyCrop(), modified);
    QCOMPARE(session.isModified(), modified);
    QCOMPARE(session.image().pixels.size(), result);
    const QRect kept = selection.normalized().intersected(before.rect());
    QCOMPARE(session.image().pixels.pixel(0, 0), before.pixel(kept.topLeft()));
    QCOMPARE(session.image().pixels.pixel(result.width() - 1, result.height() - 1), before.pixel(kept.bottomRight()));
    // A second crop starts from the whole new picture.
    QCOMPARE(session.selection().rect(), QRect(QPoint(0, 0), result));
}

void TestImageEditSession::croppedPhotoKeepsExif_data()
{
    QTest::addColumn<QString>("photo");
    QTest::newRow("Canon") << "exif/Canon.jpg";
    QTest::newRow("Sony") << "exif/Sony.jpg";
    QTest::newRow("Panasonic") << "exif/Panasonic.jpg";
}

void TestImageEditSession::croppedPhotoKeepsExif()
{
    QFETCH(QString, photo);
    const QString shared = test::sharedFile(photo);
    if (shared.isEmpty())
        QSKIP("shared test data not found; set QUORVEL_TESTDATA");
    const QString source = m_dir.filePath(QStringLiteral("photo.jpg"));
    QFile::remove(source);
    QVERIFY(QFile::copy(shared, source));
    QFile::setPermissions(source, QFile::ReadOwner | QFile::WriteOwner);

    ImageEditSession session(source);
    QCOMPARE(session.state(), ImageEditSession::State::Editable);
    const QSize size = session.image().pixels.size();
    QVERIFY(size.width() > 2 && size.height() > 2);
    QVERIFY(session.selection().resize(QRect(1, 1, size.width() - 2, size.height() - 2), 100.0));
    QVERIFY(session.applyCrop());

    const QString target = m_dir.filePath(QStringLiteral("cropped.jpg"));
    QFile::remove(target);
    SaveQuestions questions;
    questions.jpegQuality = [] { return 90; };
    const SaveResult result = session.save(target, questions);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QVERIFY(!session.isModified());
    QVERIFY(session.isSaved());
    QCOMPARE(QImage(target).size(), size - QSize(2, 2));

    const auto before = exifItems(source);
    const auto after = exifItems(target);
    QVERIFY(before.count("Exif.Image.Make"));
    for (const char *key : {"Exif.Image.Make", "Exif.Image.Model", "Exif.Photo.DateTimeOriginal",
                            "Exif.Photo.ExposureTime", "Exif.Photo.FNumber"}) {
        const auto was = before.find(key);
        if (was == before.end())
            continue;
        const auto now = after.find(key);
        QVERIFY2(now != after.end(), key);
        QCOMPARE(QString::fromStdString(now->second), QString::fromStdString(was->second));
    }
}

void TestImageEditSession::savingOverTheSource_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("replace answered Yes") << true;
    QTest::newRow("replace answered No") << false;
}

void TestImageEditSession::savingOverTheSource()
{
    QFETCH(bool, replace);
    const QString source = jpegFile(QStringLiteral("over.jpg"), 64, 48);
    const QByteArray original = test::readFile(source);
    ImageEditSession session(source);
    QVERIFY(session.selection().resize(QRect(0, 0, 32, 32), 1.0));
    QVERIFY(session.applyCrop());

    bool asked = false;
    SaveQuestions questions;
    questions.replaceOriginal = [&] {
        asked = true;
        return replace;
    };
    questions.jpegQuality = [] { return 80; };
    const SaveResult result = session.save(source, questions);
    QVERIFY(asked);
    QCOMPARE(result.ok(), replace);
    // Declining keeps the changes, so the window can stay open with them.
    QCOMPARE(session.isModified(), !replace);
    QCOMPARE(session.isSaved(), replace);
    QCOMPARE(ImageEditSession::closesAfter(result), replace);
    if (replace)
        QCOMPARE(QImage(source).size(), QSize(32, 32));
    else
        QCOMPARE(test::readFile(source), original);
    QVERIFY(!QFile::exists(source + QStringLiteral(".tmp")));
}

void TestImageEditSession::orientedPhotoIsEditedAsShown_data()
{
    QTest::addColumn<bool>("applyOrientation");
    QTest::addColumn<QSize>("edited");
    QTest::addColumn<int>("savedOrientation");
    QTest::newRow("turned as shown") << true << QSize(48, 64) << 1;
    QTest::newRow("setting off: as stored") << false << QSize(64, 48) << 6;
}

// The picture is edited as shown, and saved upright: the EXIF that comes
// along says so, and its thumbnail was turned with it.
void TestImageEditSession::orientedPhotoIsEditedAsShown()
{
    QFETCH(bool, applyOrientation);
    QFETCH(QSize, edited);
    QFETCH(int, savedOrientation);
    const QString source = m_dir.filePath(QStringLiteral("portrait.jpg"));
    QFile::remove(source);
    QVERIFY(test::writeFile(source, test::withOrientation(test::patternJpeg(64, 48), 6, test::patternJpeg(32, 16))));
    ImageEditSession session(source, applyOrientation);
    QCOMPARE(session.state(), ImageEditSession::State::Editable);
    QCOMPARE(session.image().pixels.size(), edited);
    QVERIFY(session.selection().resize(QRect(0, 0, 32, 32), 1.0));
    QVERIFY(session.applyCrop());

    const QString target = m_dir.filePath(QStringLiteral("portrait-cropped.jpg"));
    QFile::remove(target);
    SaveQuestions questions;
    questions.jpegQuality = [] { return 90; };
    QVERIFY(session.save(target, questions).ok());
    const test::ExifOrientationFacts facts = test::exifOrientationFacts(test::readFile(target));
    QCOMPARE(facts.orientation, savedOrientation);
    QCOMPARE(facts.make, QByteArray("Quorvel test camera"));
    const QImage thumbnail = QImage::fromData(facts.thumbnail);
    QCOMPARE(thumbnail.size(), applyOrientation ? QSize(16, 32) : QSize(32, 16));
}

void TestImageEditSession::tracker_data()
{
    // Positions are image pixels, turned into preview pixels for the mouse.
    QTest::addColumn<QRect>("start");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<QRect>("expected");

    const QRect whole(0, 0, 200, 100), part(20, 20, 100, 50);
    QTest::newRow("top-left corner inwards") << whole << QPoint(0, 0) << QPoint(50, 20) << QRect(50, 20, 150, 80);
    QTest::newRow("bottom-right corner past the image stops at its edge")
        << part << QPoint(119, 69) << QPoint(250, 150) << QRect(20, 20, 180, 80);
    QTest::newRow("moved past the left edge is shifted back")
        << part << QPoint(70, 45) << QPoint(20, 45) << QRect(0, 20, 100, 50);
    QTest::newRow("moved past the bottom edge is shifted back")
        << part << QPoint(70, 45) << QPoint(70, 145) << QRect(20, 50, 100, 50);
    QTest::newRow("new rectangle drawn backwards from outside")
        << part << QPoint(150, 80) << QPoint(130, 60) << QRect(130, 60, 20, 20);
    QTest::newRow("new rectangle past the edges is clipped")
        << part << QPoint(150, 80) << QPoint(260, 130) << QRect(150, 80, 50, 20);
    QTest::newRow("new rectangle under 10 screen pixels is undone")
        << part << QPoint(150, 80) << QPoint(152, 82) << part;
    QTest::newRow("corner pulled onto the opposite one is undone")
        << part << QPoint(20, 20) << QPoint(118, 68) << part;
}

void TestImageEditSession::tracker()
{
    QFETCH(QRect, start);
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(QRect, expected);

    FramePreview preview;
    preview.setViewSize(QSize(420, 220));
    preview.setImageSize(QSize(200, 100));
    QVERIFY(preview.scale() * 2 < SelectionTracker::kHandleSize);
    QVERIFY(preview.scale() * 4 < EditSelection::kMinScreenPixels);
    EditSelection selection(QSize(200, 100));
    QVERIFY(selection.resize(start, preview.scale()));
    SelectionTracker tracker(selection, preview);

    QVERIFY(tracker.press(preview.toView(QPointF(press))));
    QVERIFY(tracker.isTracking());
    tracker.moveTo(preview.toView(QPointF(release) + QPointF(3, 3)));
    const QPointF end = preview.toView(QPointF(release));
    tracker.moveTo(end);
    QCOMPARE(selection.rect(), start); // nothing changes before the release
    const bool changed = tracker.release(end);
    QVERIFY(!tracker.isTracking());
    QCOMPARE(selection.rect(), expected);
    QCOMPARE(changed, expected != start);
    QCOMPARE(tracker.rect(), expected);
}

QTEST_GUILESS_MAIN(TestImageEditSession)
#include "tst_imageeditsession.moc"
