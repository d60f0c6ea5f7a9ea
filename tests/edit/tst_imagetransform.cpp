#include "EditTestFiles.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

#include "core/edit/ImageTransform.h"
#include "core/edit/TiffEncoder.h"
#include "core/exif/JpegSegments.h"
#include "core/imaging/ImageDecoder.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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

QTEST_GUILESS_MAIN(TestImageTransform)
#include "tst_imagetransform.moc"
