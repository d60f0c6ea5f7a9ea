#include "EditTestFiles.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

#include "support/ExifOrientationFiles.h"
#include "imaging/ImagingFixtures.h"

#include "core/edit/ImageTransform.h"
#include "core/edit/TiffEncoder.h"
#include "core/exif/JpegSegments.h"
#include "core/imaging/ColourProfile.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/Orientation.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <tiffio.h>

using namespace quorvel;

namespace {

// Every question answered as given, and each one counted.
struct Answers
{
    bool replace = true;
    bool divisible = true;
    bool tiff = true;
    int asked = 0;
    QString lastQuestion;

    TransformQuestions questions()
    {
        TransformQuestions q;
        q.replaceOriginal = [this] { return note(ImageTransform::replaceQuestion(), replace); };
        q.notDivisible = [this] { return note(ImageTransform::notDivisibleQuestion(), divisible); };
        q.tiffWithoutExif = [this] { return note(ImageTransform::tiffQuestion(), tiff); };
        return q;
    }
    bool note(const QString &text, bool answer)
    {
        ++asked;
        lastQuestion = text;
        return answer;
    }
};

QByteArray scanData(const QByteArray &file)
{
    const auto layout = jpegsegments::walk(file);
    return layout.ok ? file.mid(layout.scanStart) : QByteArray();
}

QImage decoded(const QString &path)
{
    return ImageDecoder::decodeFile(path, DecodeOptions()).image;
}

QImage decodedAsShown(const QString &path)
{
    DecodeOptions options;
    options.applyOrientation = true;
    return ImageDecoder::decodeFile(path, options).image;
}

// The largest difference of any channel of any pixel; -1 for other sizes.
int largestDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return -1;
    int most = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)), qAbs(qBlue(p) - qBlue(q))});
        }
    }
    return most;
}

// jpegtran's options for the transforms that the eight orientations name.
QStringList jpegtranArgs(int orientation)
{
    switch (orientation) {
    case 2: return {"-flip", "horizontal"};
    case 3: return {"-rotate", "180"};
    case 4: return {"-flip", "vertical"};
    case 5: return {"-transpose"};
    case 6: return {"-rotate", "90"};
    case 7: return {"-transverse"};
    case 8: return {"-rotate", "270"};
    default: return {};
    }
}

const QList<TransformCode> kAllTurns{TransformCode::Upright, TransformCode::Rotate90, TransformCode::Rotate180,
                                     TransformCode::Rotate270, TransformCode::FlipHorizontal,
                                     TransformCode::FlipVertical};

} // namespace

class TestImageTransform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void divisibleBy16_data();
    void divisibleBy16();
    void sameAsJpegtran_data();
    void sameAsJpegtran();
    void tiffByPixels();
    void otherFormatsRefused_data();
    void otherFormatsRefused();
    void newNameKeepsSource();
    void failedWriteLeavesOriginal();
    void orientedFilesTurnAsShown_data();
    void orientedFilesTurnAsShown();
    void composedTransformIsJpegtrans_data();
    void composedTransformIsJpegtrans();
    void storedTurnWhenTheSettingIsOff();
    void orientedTiffTurnsAsShown_data();
    void orientedTiffTurnsAsShown();
    void tiffKeepsItsColourProfile();
    void damagedJpegIsRefused_data();
    void damagedJpegIsRefused();
    void damagedExifDoesNotStopATurn();

private:
    QString fresh(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        return test::writeFile(path, bytes) ? path : QString();
    }
    QTemporaryDir m_dir;
};

void TestImageTransform::divisibleBy16_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QSize>("result"); // empty: nothing written
    QTest::newRow("1600x1200 turns without a question") << 1600 << 1200 << false << false << QSize(1200, 1600);
    QTest::newRow("1600x1203 asks, No") << 1600 << 1203 << false << true << QSize();
    QTest::newRow("1601x1200 asks, No") << 1601 << 1200 << false << true << QSize();
    QTest::newRow("1600x1203 asks, Yes trims") << 1600 << 1203 << true << true << QSize(1200, 1600);
    // Turned right, the partial column at the right edge becomes the bottom
    // edge, which needs no trim: only the edges that must go are dropped.
    QTest::newRow("1601x1200 asks, Yes trims") << 1601 << 1200 << true << true << QSize(1200, 1601);
}

// Turning photo.jpg over itself: the question only for partial blocks,
// no temporary file left, the modification time kept.
void TestImageTransform::divisibleBy16()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(QSize, result);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    const QByteArray original = test::patternJpeg(width, height);
    QVERIFY(test::writeFile(path, original));
    const QDateTime mtime(QDate(2001, 1, 1), QTime(12, 0), Qt::UTC);
    QVERIFY(test::setModified(path, mtime));

    Answers answers;
    answers.divisible = answer;
    const SaveResult r = ImageTransform::transformImageFile(path, path, TransformCode::Rotate90, answers.questions());
    QCOMPARE(answers.asked, asked ? 2 : 1); // the replace question comes first
    if (asked)
        QCOMPARE(answers.lastQuestion, ImageTransform::notDivisibleQuestion());
    if (result.isEmpty()) {
        QCOMPARE(r.status, SaveResult::Declined);
        QCOMPARE(test::readFile(path), original);
    } else {
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(decoded(path).size(), result);
        QCOMPARE(QFileInfo(path).lastModified().toUTC(), mtime);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("photo.jpg")});
}

// The output is jpegtran's, byte for byte in its scan data and pixel for
// pixel, for every turn, perfect and trimmed.
void TestImageTransform::sameAsJpegtran_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("jpegtranArgs");
    QTest::addColumn<QSize>("size");
    const QList<std::pair<TransformCode, QStringList>> ops = {
        {TransformCode::Rotate90, {"-rotate", "90"}},
        {TransformCode::Rotate180, {"-rotate", "180"}},
        {TransformCode::Rotate270, {"-rotate", "270"}},
        {TransformCode::FlipHorizontal, {"-flip", "horizontal"}},
        {TransformCode::FlipVertical, {"-flip", "vertical"}},
    };
    for (const auto &[code, args] : ops) {
        QTest::addRow("%s perfect", qPrintable(args.join(u' '))) << int(code) << (args + QStringList{"-perfect"})
                                                                 << QSize(64, 48);
        QTest::addRow("%s trim", qPrintable(args.join(u' '))) << int(code) << (args + QStringList{"-trim"})
                                                              << QSize(67, 45);
    }
}

void TestImageTransform::sameAsJpegtran()
{
    QFETCH(int, code);
    QFETCH(QStringList, jpegtranArgs);
    QFETCH(QSize, size);
    if (QStandardPaths::findExecutable(QStringLiteral("jpegtran")).isEmpty())
        QSKIP("jpegtran is not installed");
    const QString source = fresh(QStringLiteral("source.jpg"), test::patternJpeg(size.width(), size.height()));
    const QString ours = m_dir.filePath(QStringLiteral("ours.jpg"));
    const QString theirs = m_dir.filePath(QStringLiteral("theirs.jpg"));
    QFile::remove(ours);

    Answers answers;
    const SaveResult r = ImageTransform::transformImageFile(source, ours, TransformCode(code), answers.questions());
    QVERIFY2(r.ok(), qPrintable(r.message));

    QProcess p;
    p.setStandardOutputFile(theirs);
    p.start(QStringLiteral("jpegtran"), jpegtranArgs + QStringList{"-copy", "all", source});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);

    QCOMPARE(scanData(test::readFile(ours)), scanData(test::readFile(theirs)));
    QCOMPARE(decoded(ours), decoded(theirs));
    QVERIFY(!decoded(ours).isNull());
}

// A TIFF is turned as pixels after the TIFF question; No writes nothing.
void TestImageTransform::tiffByPixels()
{
    const QImage picture = test::patternImage(9, 5);
    const QByteArray tiff = TiffEncoder::encode(picture);
    QVERIFY(!tiff.isEmpty());
    const QString path = fresh(QStringLiteral("picture.tif"), tiff);

    Answers no;
    no.tiff = false;
    QCOMPARE(ImageTransform::transformImageFile(path, path, TransformCode::FlipVertical, no.questions()).status,
             SaveResult::Declined);
    QCOMPARE(test::readFile(path), tiff);

    Answers yes;
    const SaveResult r = ImageTransform::transformImageFile(path, path, TransformCode::FlipVertical, yes.questions());
    QVERIFY2(r.ok(), qPrintable(r.message));
    QCOMPARE(yes.lastQuestion, ImageTransform::tiffQuestion());
    QVERIFY(test::readFile(path).startsWith("II*"));
    QCOMPARE(decoded(path), picture.mirrored(false, true));
}

void TestImageTransform::otherFormatsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QByteArray bmp;
    {
        QBuffer b(&bmp);
        b.open(QIODevice::WriteOnly);
        test::patternImage(8, 8).save(&b, "BMP");
    }
    QTest::newRow("BMP") << "picture.bmp" << bmp;
    QTest::newRow("GIF") << "picture.gif" << QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14);
    // A camera raw file that is a JPEG (or a TIFF) inside is never rewritten.
    QTest::newRow("raw name") << "picture.nef" << test::patternJpeg(16, 16);
}

void TestImageTransform::otherFormatsRefused()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString path = fresh(name, bytes);
    Answers answers;
    const SaveResult r = ImageTransform::transformImageFile(path, path, TransformCode::Rotate90, answers.questions());
    QCOMPARE(r.status, SaveResult::NotSupported);
    QCOMPARE(r.message, QStringLiteral("This format is not supported yet."));
    QCOMPARE(test::readFile(path), bytes);
}

// Another name: no replace question, the new file gets the source's times,
// the source stays as it was.
void TestImageTransform::newNameKeepsSource()
{
    const QByteArray original = test::patternJpeg(32, 16);
    const QString source = fresh(QStringLiteral("a.jpg"), original);
    const QDateTime mtime(QDate(2003, 4, 5), QTime(6, 7, 8), Qt::UTC);
    QVERIFY(test::setModified(source, mtime));
    const QString target = m_dir.filePath(QStringLiteral("b.jpg"));
    QFile::remove(target);
    Answers answers;
    answers.replace = false;
    QVERIFY(ImageTransform::transformImageFile(source, target, TransformCode::Rotate270, answers.questions()).ok());
    QCOMPARE(answers.asked, 0);
    QCOMPARE(test::readFile(source), original);
    QCOMPARE(decoded(target).size(), QSize(16, 32));
    QCOMPARE(QFileInfo(target).lastModified().toUTC(), mtime);
}

void TestImageTransform::failedWriteLeavesOriginal()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.jpg"));
    const QByteArray original = test::patternJpeg(512, 512);
    QVERIFY(test::writeFile(path, original));
    SaveResult r;
    {
        test::FileSizeLimit limit(original.size() / 2);
        if (!limit.active())
            QSKIP("no file size limit on this platform");
        Answers answers;
        r = ImageTransform::transformImageFile(path, path, TransformCode::Rotate90, answers.questions());
    }
    QCOMPARE(r.status, SaveResult::Failed);
    QVERIFY(r.message.startsWith(QStringLiteral("Cannot rotate image")));
    QCOMPARE(test::readFile(path), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("big.jpg")});
}

// The user's turn applies to the picture as shown; the file comes out
// upright, its pixel dimensions and stored thumbnail matching.
void TestImageTransform::orientedFilesTurnAsShown_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("code");
    QTest::addColumn<QSize>("thumbnail");
    for (int o = 1; o <= 8; ++o) {
        // Whole blocks are turned losslessly; others are encoded again.
        const QSize thumbnail = o % 2 ? QSize(30, 20) : QSize(32, 16);
        for (TransformCode code : kAllTurns)
            QTest::addRow("orientation %d, turn %d", o, int(code)) << o << int(code) << thumbnail;
    }
}

void TestImageTransform::orientedFilesTurnAsShown()
{
    QFETCH(int, orientation);
    QFETCH(int, code);
    QFETCH(QSize, thumbnail);
    const QByteArray thumb = test::patternJpeg(thumbnail.width(), thumbnail.height());
    const QByteArray original = test::withOrientation(test::patternJpeg(64, 48), orientation, thumb);
    const QString source = fresh(QStringLiteral("oriented.jpg"), original);
    const QString target = m_dir.filePath(QStringLiteral("turned.jpg"));
    QFile::remove(target);

    Answers answers;
    const SaveResult r = ImageTransform::transformImageFile(source, target, TransformCode(code), answers.questions());
    QVERIFY2(r.ok(), qPrintable(r.message));
    QCOMPARE(answers.asked, 0); // whole blocks: no question

    const QImage expected = ImageTransform::transformPixels(decodedAsShown(source), TransformCode(code));
    const QImage result = decoded(target);
    // Decoding turned blocks rounds a little differently, nothing more.
    const int difference = largestDifference(result, expected);
    QVERIFY2(difference >= 0 && difference <= 4, qPrintable(QString::number(difference)));
    QCOMPARE(decodedAsShown(target), result);

    const test::ExifOrientationFacts facts = test::exifOrientationFacts(test::readFile(target));
    QCOMPARE(facts.orientation, 1);
    QCOMPARE(facts.pixelDimensions, result.size());
    QCOMPARE(facts.make, QByteArray("Quorvel test camera"));
    const int turn = orientation::combined(orientation, ImageTransform::orientationOf(TransformCode(code)));
    const QImage storedThumb = ImageDecoder::decodeData(thumb, QStringLiteral("t.jpg"), {}).image;
    const QImage turnedThumb = ImageDecoder::decodeData(facts.thumbnail, QStringLiteral("t.jpg"), {}).image;
    QCOMPARE(turnedThumb.size(), orientation::turnedSize(thumbnail, turn));
    const int thumbDifference = largestDifference(turnedThumb, orientation::turned(storedThumb, turn));
    QVERIFY2(thumbDifference >= 0 && thumbDifference <= (thumbnail.height() % 16 ? 40 : 4),
             qPrintable(QString::number(thumbDifference)));
}

// The one transform done is the combination of the tag and the turn,
// byte for byte what jpegtran makes of it.
void TestImageTransform::composedTransformIsJpegtrans_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("transform"); // the orientation value of the transform done
    QTest::newRow("6, upright") << 6 << int(TransformCode::Upright) << 6;
    QTest::newRow("6, left undoes it") << 6 << int(TransformCode::Rotate270) << 1;
    QTest::newRow("6, right") << 6 << int(TransformCode::Rotate90) << 3;
    QTest::newRow("8, horizontal flip") << 8 << int(TransformCode::FlipHorizontal) << 7;
    QTest::newRow("5, upright") << 5 << int(TransformCode::Upright) << 5;
    QTest::newRow("2, vertical flip") << 2 << int(TransformCode::FlipVertical) << 3;
    QTest::newRow("3, right") << 3 << int(TransformCode::Rotate90) << 8;
}

void TestImageTransform::composedTransformIsJpegtrans()
{
    QFETCH(int, orientation);
    QFETCH(int, code);
    QFETCH(int, transform);
    QCOMPARE(orientation::combined(orientation, ImageTransform::orientationOf(TransformCode(code))), transform);
    if (QStandardPaths::findExecutable(QStringLiteral("jpegtran")).isEmpty())
        QSKIP("jpegtran is not installed");
    const QString source = fresh(QStringLiteral("composed.jpg"),
                                 test::withOrientation(test::patternJpeg(64, 48), orientation));
    const QString ours = m_dir.filePath(QStringLiteral("composed-ours.jpg"));
    const QString theirs = m_dir.filePath(QStringLiteral("composed-theirs.jpg"));
    QFile::remove(ours);
    Answers answers;
    QVERIFY(ImageTransform::transformImageFile(source, ours, TransformCode(code), answers.questions()).ok());
    QProcess p;
    p.setStandardOutputFile(theirs);
    p.start(QStringLiteral("jpegtran"), jpegtranArgs(transform) + QStringList{"-perfect", "-copy", "all", source});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(scanData(test::readFile(ours)), scanData(test::readFile(theirs)));
}

// With "Rotate pictures by their EXIF orientation" off the stored picture
// is turned, and its orientation stays.
void TestImageTransform::storedTurnWhenTheSettingIsOff()
{
    const QString source = fresh(QStringLiteral("stored.jpg"), test::withOrientation(test::patternJpeg(64, 48), 6));
    const QString target = m_dir.filePath(QStringLiteral("stored-turned.jpg"));
    QFile::remove(target);
    Answers answers;
    QVERIFY(ImageTransform::transformImageFile(source, target, TransformCode::FlipHorizontal, answers.questions(),
                                               false)
                .ok());
    QCOMPARE(test::exifOrientationFacts(test::readFile(target)).orientation, 6);
    const int difference = largestDifference(decoded(target), decoded(source).mirrored(true, false));
    QVERIFY2(difference >= 0 && difference <= 4, qPrintable(QString::number(difference)));

    // Upright and not turned: nothing to do, nothing written in place.
    const QString upright = fresh(QStringLiteral("upright.jpg"), test::withOrientation(test::patternJpeg(32, 32), 1));
    const QByteArray before = test::readFile(upright);
    QVERIFY(ImageTransform::transformImageFile(upright, upright, TransformCode::Upright, answers.questions()).ok());
    QCOMPARE(test::readFile(upright), before);
}

// A TIFF is written without its orientation: its pixels become what is shown.
void TestImageTransform::orientedTiffTurnsAsShown_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<bool>("floating");
    // libtiff's RGBA reader, and the sample reader for the other depths:
    // either way the stored rows are turned once.
    QTest::newRow("8-bit") << 8 << false;
    QTest::newRow("16-bit") << 16 << false;
    QTest::newRow("12-bit") << 12 << false;
    QTest::newRow("32-bit float") << 32 << true;
}

void TestImageTransform::orientedTiffTurnsAsShown()
{
    QFETCH(int, bits);
    QFETCH(bool, floating);
    const QImage picture = test::patternImage(9, 5);
    const QString path = m_dir.filePath(QStringLiteral("oriented.tif"));
    QFile::remove(path);
    fixtures::TiffLayout layout;
    layout.bitsPerSample = bits;
    layout.floating = floating;
    layout.orientation = 6;
    QVERIFY(fixtures::writeTiff(path, picture, layout));

    Answers answers;
    const SaveResult r = ImageTransform::transformImageFile(path, path, TransformCode::FlipHorizontal,
                                                            answers.questions());
    QVERIFY2(r.ok(), qPrintable(r.message));
    QVERIFY(largestDifference(decoded(path), orientation::turned(picture, 6).mirrored(true, false)) <= 2);
    QCOMPARE(decodedAsShown(path), decoded(path));
}

// A turned TIFF is the same picture: it keeps the colour profile its pixels
// are in.
void TestImageTransform::tiffKeepsItsColourProfile()
{
    const QString path = m_dir.filePath(QStringLiteral("profiled.tif"));
    QFile::remove(path);
    fixtures::TiffLayout layout;
    layout.icc = fixtures::linearRgbProfile();
    QVERIFY(fixtures::writeTiff(path, test::patternImage(9, 5), layout));
    Answers answers;
    const SaveResult r = ImageTransform::transformImageFile(path, path, TransformCode::Rotate90, answers.questions());
    QVERIFY2(r.ok(), qPrintable(r.message));
    QCOMPARE(decoded(path).size(), QSize(5, 9));
    QCOMPARE(colourprofile::embedded(path), layout.icc);
}

void TestImageTransform::damagedJpegIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("refused");
    const QByteArray whole = test::withOrientation(test::patternJpeg(128, 128), 6);
    const qsizetype scan = whole.indexOf("\xFF\xDA");
    QTest::newRow("ends early") << whole.left(scan + (whole.size() - scan) / 2) << true;
    QByteArray corrupt = whole;
    for (qsizetype i = scan + 300; i < corrupt.size() - 2; i += 11)
        corrupt[i] = char(0xFF);
    QTest::newRow("corrupt entropy data") << corrupt << true;
    QByteArray padded = whole;
    padded.insert(padded.size() - 2, QByteArray(3, '\0'));
    QTest::newRow("padding before the end turns") << padded << false;
}

void TestImageTransform::damagedJpegIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, refused);
    const QString path = fresh(QStringLiteral("damaged.jpg"), bytes);
    Answers answers;
    bool released = false;
    TransformQuestions questions = answers.questions();
    questions.releaseFile = [&released] { released = true; };
    const SaveResult r = ImageTransform::transformImageFile(path, path, TransformCode::Rotate90, questions);
    if (refused) {
        QCOMPARE(r.status, SaveResult::Damaged);
        QVERIFY(!r.message.isEmpty());
        QVERIFY(!released);
        QCOMPARE(test::readFile(path), bytes);
    } else {
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(decoded(path).size(), QSize(128, 128));
        QCOMPARE(test::exifOrientationFacts(test::readFile(path)).orientation, 1);
    }
}

// EXIF the block editor cannot take is carried over as it is, as before.
void TestImageTransform::damagedExifDoesNotStopATurn()
{
    const QByteArray plain = test::patternJpeg(64, 48);
    const QByteArray block("II*\0\xF0\xFF\0\0", 8); // the first directory lies far beyond the block
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char(0)).append(char(2 + 6 + block.size())).append("Exif\0\0", 6).append(block);
    const QByteArray bytes = plain.left(2) + segment + plain.mid(2);
    const QString path = fresh(QStringLiteral("badexif.jpg"), bytes);
    Answers answers;
    const SaveResult r = ImageTransform::transformImageFile(path, path, TransformCode::Rotate90, answers.questions());
    QVERIFY2(r.ok(), qPrintable(r.message));
    QCOMPARE(decoded(path).size(), QSize(48, 64));
    QVERIFY(test::readFile(path).contains(block));
}

QTEST_GUILESS_MAIN(TestImageTransform)
#include "tst_imagetransform.moc"
