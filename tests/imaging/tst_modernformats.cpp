// HEIC, AVIF, JPEG XL, PNG and WebP files as they reach the program: made
// here from one small picture with EXIF (by the encoders' own tools, or
// built byte by byte), then decoded, read for EXIF, listed, made into
// thumbnails, edited and saved.

#include "ImagingFixtures.h"
#include "../exif/ExifTestFiles.h"

#include "core/edit/EditedImage.h"
#include "core/edit/ImageEditSession.h"
#include "core/exif/ExifOrientation.h"
#include "core/exif/ExifReader.h"
#include "core/files/FolderScanner.h"
#include "core/files/ThumbnailMaker.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/Orientation.h"
#include "core/print/PrintFileWriter.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QImageWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <libheif/heif.h>
#include <zlib.h>

using namespace quorvel;
using namespace quorvel::fixtures;

namespace {

constexpr int kWidth = 96, kHeight = 64;

QByteArray exifEntriesJpeg(int orientation = 1)
{
    return test::jpegWithExif({QStringLiteral("Exif.Image.Model Ascii TestCam"),
                               QStringLiteral("Exif.Image.Orientation Short %1").arg(orientation),
                               QStringLiteral("Exif.Photo.ISOSpeedRatings Short 200"),
                               QStringLiteral("Exif.Photo.FNumber Rational 28/10"),
                               QStringLiteral("Exif.Photo.DateTimeOriginal Ascii 2021:05:06 07:08:09")});
}

// The EXIF block (TIFF structure) of a JPEG's APP1 segment.
QByteArray exifBlockOf(const QByteArray &jpeg)
{
    const qsizetype app1 = jpeg.indexOf("\xFF\xE1");
    if (app1 < 0)
        return QByteArray();
    const int length = (uchar(jpeg[app1 + 2]) << 8) | uchar(jpeg[app1 + 3]);
    return jpeg.mid(app1 + 4 + 6, length - 2 - 6);
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    writer.write(image);
    return out;
}

// The picture as a JPEG carrying the EXIF block in its APP1 segment.
QByteArray jpegWithBlock(const QImage &image, const QByteArray &block)
{
    QByteArray jpeg = encoded(image, "jpeg");
    const QByteArray payload = QByteArray("Exif\0\0", 6) + block;
    QByteArray segment("\xFF\xE1");
    segment.append(char((payload.size() + 2) >> 8)).append(char((payload.size() + 2) & 255)).append(payload);
    return jpeg.insert(2, segment);
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), chunk.data());
    chunk += type + data;
    const QByteArray crcInput = type + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(crcInput.constData()), uInt(crcInput.size()));
    QByteArray tail(4, '\0');
    qToBigEndian<quint32>(quint32(crc), tail.data());
    return chunk + tail;
}

// A PNG with an eXIf chunk after the header chunk.
QByteArray pngWithBlock(const QImage &image, const QByteArray &block)
{
    QByteArray png = encoded(image, "png");
    return png.insert(8 + 25, pngChunk("eXIf", block));
}

// A WebP in the extended layout: VP8X with the EXIF flag, the picture's
// own chunk, then the EXIF chunk.
QByteArray webpWithBlock(const QImage &image, const QByteArray &block)
{
    const QByteArray simple = encoded(image, "webp");
    if (simple.size() < 20)
        return QByteArray();
    const QByteArray pictureChunk = simple.mid(12);
    QByteArray vp8x("VP8X", 4);
    QByteArray fields(10, '\0');
    fields[0] = 0x08; // EXIF present
    const auto put24 = [&](int at, int v) { fields[at] = char(v & 255), fields[at + 1] = char((v >> 8) & 255), fields[at + 2] = char(v >> 16); };
    put24(4, image.width() - 1);
    put24(7, image.height() - 1);
    vp8x.append(char(10)).append(3, '\0').append(fields);
    QByteArray exif("EXIF", 4);
    QByteArray size(4, '\0');
    qToLittleEndian<quint32>(quint32(block.size()), size.data());
    exif += size + block;
    if (block.size() & 1)
        exif.append('\0');
    const QByteArray body = QByteArray("WEBP") + vp8x + pictureChunk + exif;
    QByteArray riff("RIFF");
    QByteArray riffSize(4, '\0');
    qToLittleEndian<quint32>(quint32(body.size()), riffSize.data());
    return riff + riffSize + body;
}

// Runs an encoder; false (with the reason in *why) when it is missing or fails.
bool runTool(const QString &tool, const QStringList &arguments, QString *why)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        *why = QStringLiteral("%1 not installed").arg(tool);
        return false;
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        *why = QStringLiteral("%1 failed: %2").arg(tool, QString::fromLocal8Bit(process.readAllStandardError()));
        return false;
    }
    return true;
}

// Makes name in dir from the picture with the EXIF block; empty with *why
// set when the tool that makes it is missing.
QString makeFile(const QTemporaryDir &dir, const QString &name, const QImage &image, const QByteArray &block,
                 QString *why, const QStringList &extra = {})
{
    const QString path = dir.filePath(name);
    const QString jpeg = dir.filePath(name + QStringLiteral(".source.jpg"));
    test::writeFile(jpeg, jpegWithBlock(image, block));
    const QString ext = name.section(u'.', -1);
    bool ok = true;
    if (ext == QLatin1String("heic"))
        ok = runTool(QStringLiteral("heif-enc"), QStringList{QStringLiteral("-q"), QStringLiteral("90")} + extra
                         + QStringList{jpeg, QStringLiteral("-o"), path}, why);
    else if (ext == QLatin1String("avif"))
        ok = runTool(QStringLiteral("avifenc"), QStringList{QStringLiteral("-s"), QStringLiteral("10")} + extra
                         + QStringList{jpeg, path}, why);
    else if (ext == QLatin1String("jxl"))
        ok = runTool(QStringLiteral("cjxl"), extra + QStringList{jpeg, path}, why);
    else if (ext == QLatin1String("png"))
        ok = test::writeFile(path, pngWithBlock(image, block));
    else if (ext == QLatin1String("webp"))
        ok = test::writeFile(path, webpWithBlock(image, block));
    return ok ? path : QString();
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
        && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

class TestModernFormats : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodedWithExif_data();
    void decodedWithExif();
    void heifThumbnailItemStandsIn();
    void heifOrientationIsApplied_data();
    void heifOrientationIsApplied();
    void editedAndPrintedAsNewJpeg();
    void exifOrientationOfContainers_data();
    void exifOrientationOfContainers();
};

void TestModernFormats::decodedWithExif_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("decoder");
    QTest::addColumn<bool>("upright");
    QTest::addColumn<int>("tolerance");
    QTest::addColumn<QStringList>("extra");
    QTest::newRow("heic") << "photo.heic" << "heif" << true << 24 << QStringList();
    QTest::newRow("avif") << "photo.avif" << "heif" << true << 24 << QStringList();
    // cjxl keeps a JPEG's EXIF in a Brotli-compressed box when it repacks it.
    QTest::newRow("jxl repacked jpeg") << "photo.jxl" << "jxl" << true << 24 << QStringList();
    // Re-encoded, it carries no EXIF; here an Exif box is added after the
    // codestream, as other writers place it.
    QTest::newRow("jxl lossy, exif box") << "lossy.jxl" << "jxl" << true << 24
                               << QStringList{QStringLiteral("--lossless_jpeg=0"), QStringLiteral("-d"),
                                              QStringLiteral("1")};
    QTest::newRow("png") << "photo.png" << "qt" << false << 0 << QStringList();
    QTest::newRow("webp") << "photo.webp" << "qt" << false << 24 << QStringList();
}

void TestModernFormats::decodedWithExif()
{
    QFETCH(QString, name);
    QFETCH(QString, decoder);
    QFETCH(bool, upright);
    QFETCH(int, tolerance);
    QFETCH(QStringList, extra);
    QTemporaryDir dir;
    const QImage picture = bands(kWidth, kHeight);
    const QByteArray block = exifBlockOf(exifEntriesJpeg());
    QVERIFY(!block.isEmpty());
    QString why;
    const QString path = makeFile(dir, name, picture, block, &why, extra);
    if (path.isEmpty())
        QSKIP(qPrintable(why));
    if (name == QLatin1String("lossy.jxl")) {
        QByteArray box(4, '\0');
        qToBigEndian<quint32>(quint32(8 + 4 + block.size()), box.data());
        box += QByteArray("Exif") + QByteArray(4, '\0') + block;
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write(box);
    }

    QVERIFY(FolderScanner::hasSupportedExtension(name));
    const DecodeResult r = ImageDecoder::decodeFile(path, DecodeOptions());
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(decoderName(r.decoder), decoder);
    QCOMPARE(r.image.size(), QSize(kWidth, kHeight));
    QCOMPARE(r.image.format(), QImage::Format_RGB32);
    QCOMPARE(r.upright, upright);
    // The middle of each band keeps its colour (lossy formats within a margin).
    for (const QPoint p : {QPoint(kWidth / 8, kHeight / 4), QPoint(5 * kWidth / 8, kHeight / 4), QPoint(kWidth / 2, 3 * kHeight / 4)})
        QVERIFY2(near(r.image.pixel(p), picture.pixel(p), tolerance),
                 qPrintable(QStringLiteral("%1 against %2").arg(r.image.pixel(p), 8, 16).arg(picture.pixel(p), 8, 16)));
    QCOMPARE(ImageDecoder::pixelDepthOfFile(path), 24);

    ExifFields fields;
    QVERIFY(readExifFields(path, fields));
    QCOMPARE(fields.model, QStringLiteral("TestCam"));
    QCOMPARE(fields.iso, 200);
    QCOMPARE(fields.dateTimeOriginal, QStringLiteral("2021:05:06 07:08:09"));
    QVERIFY(qAbs(fields.fNumber - 2.8f) < 0.01f);

    // The same from memory, as the fuzz target and the EXIF statistics see it.
    const QByteArray bytes = test::readFile(path);
    ExifFields fromMemory;
    QVERIFY(readExifFieldsFromMemory(bytes.constData(), bytes.size(), fromMemory));
    QCOMPARE(fromMemory.model, fields.model);
    QVERIFY(ImageDecoder::decodeData(bytes, name, DecodeOptions()).ok());

    const ThumbnailMaker::Result thumb = ThumbnailMaker::fromFile(path);
    QVERIFY(!thumb.picture.isNull());
    QCOMPARE(thumb.picture.size(), ThumbnailMaker::box());
    // 96 x 64 goes into the box as 60 x 40, starting 10 pixels down.
    QVERIFY(near(thumb.picture.pixel(30, 5), ThumbnailMaker::kBackground, 0));
    QVERIFY(!near(thumb.picture.pixel(30, 30), ThumbnailMaker::kBackground, 4));
}

void TestModernFormats::heifThumbnailItemStandsIn()
{
    QTemporaryDir dir;
    const QImage picture = bands(640, 480);
    QString why;
    const QString path = makeFile(dir, QStringLiteral("big.heic"), picture, QByteArray(), &why,
                                  {QStringLiteral("-t"), QStringLiteral("96")});
    if (path.isEmpty())
        QSKIP(qPrintable(why));
    DecodeOptions options;
    options.reduceTo = QSize(60, 45);
    const DecodeResult small = ImageDecoder::decodeFile(path, options);
    QVERIFY2(small.ok(), qPrintable(small.error));
    // The stored thumbnail, with the picture's own size told.
    QCOMPARE(small.image.size(), QSize(96, 72));
    QCOMPARE(small.fullSize, QSize(640, 480));
    // Too small for what is wanted: the picture itself.
    options.reduceTo = QSize(200, 150);
    const DecodeResult whole = ImageDecoder::decodeFile(path, options);
    QVERIFY(whole.ok());
    QCOMPARE(whole.image.size(), QSize(640, 480));
    QVERIFY(whole.fullSize.isEmpty());
}

void TestModernFormats::heifOrientationIsApplied_data()
{
    // A 64 x 32 picture, red in its top left quarter, stored with a
    // rotation or mirroring for the reader to apply; where red must be.
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("red");
    QTest::newRow("as stored") << int(heif_orientation_normal) << QSize(64, 32) << QPoint(8, 8);
    QTest::newRow("mirrored") << int(heif_orientation_flip_horizontally) << QSize(64, 32) << QPoint(56, 8);
    QTest::newRow("half turn") << int(heif_orientation_rotate_180) << QSize(64, 32) << QPoint(56, 24);
    QTest::newRow("quarter clockwise") << int(heif_orientation_rotate_90_cw) << QSize(32, 64) << QPoint(24, 8);
    QTest::newRow("quarter anticlockwise") << int(heif_orientation_rotate_270_cw) << QSize(32, 64) << QPoint(8, 56);
}

void TestModernFormats::heifOrientationIsApplied()
{
    QFETCH(int, orientation);
    QFETCH(QSize, size);
    QFETCH(QPoint, red);
    heif_context *ctx = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    if (heif_context_get_encoder_for_format(ctx, heif_compression_HEVC, &encoder).code != heif_error_Ok) {
        heif_context_free(ctx);
        QSKIP("libheif has no HEVC encoder here");
    }
    heif_encoder_set_lossy_quality(encoder, 90);
    heif_image *image = nullptr;
    heif_image_create(64, 32, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, 64, 32, 8);
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool redCorner = x < 32 && y < 16;
            uint8_t *p = plane + y * stride + x * 3;
            p[0] = redCorner ? 230 : 30, p[1] = 30, p[2] = redCorner ? 30 : 200;
        }
    heif_encoding_options *options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation(orientation);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("turned.heic"));
    const bool written = heif_context_encode_image(ctx, image, encoder, options, nullptr).code == heif_error_Ok
        && heif_context_write_to_file(ctx, QFile::encodeName(path).constData()).code == heif_error_Ok;
    heif_encoding_options_free(options);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(ctx);
    QVERIFY(written);

    const DecodeResult r = ImageDecoder::decodeFile(path, DecodeOptions());
    QVERIFY2(r.ok(), qPrintable(r.error));
    QVERIFY(r.upright);
    QCOMPARE(r.image.size(), size);
    QVERIFY2(qRed(r.image.pixel(red)) > 150 && qBlue(r.image.pixel(red)) < 100,
             qPrintable(QString::number(r.image.pixel(red), 16)));
}

void TestModernFormats::editedAndPrintedAsNewJpeg()
{
    QTemporaryDir dir;
    const QImage picture = bands(kWidth, kHeight);
    const QByteArray block = exifBlockOf(exifEntriesJpeg());
    QString why;
    const QString path = makeFile(dir, QStringLiteral("photo.png"), picture, block, &why);
    QVERIFY(!path.isEmpty());
    // A JPEG of that name exists already: the proposal goes around it.
    test::writeFile(dir.filePath(QStringLiteral("photo.jpg")), QByteArray("keep me"));

    ImageEditSession session(path);
    QCOMPARE(session.state(), ImageEditSession::State::Editable);
    QCOMPARE(session.initialTarget(), dir.filePath(QStringLiteral("photo_1.jpg")));
    QVERIFY(session.selection().resize(QRect(8, 8, 40, 30), 1.0));
    QVERIFY(session.applyCrop());

    // Never written over the original.
    const QByteArray original = test::readFile(path);
    SaveQuestions questions;
    questions.replaceOriginal = [] { return true; };
    questions.jpegQuality = [] { return 90; };
    QCOMPARE(session.save(path, questions).status, SaveResult::NotSupported);
    QCOMPARE(test::readFile(path), original);

    const SaveResult saved = session.save(session.initialTarget(), questions);
    QVERIFY2(saved.ok(), qPrintable(saved.message));
    QCOMPARE(test::readFile(dir.filePath(QStringLiteral("photo.jpg"))), QByteArray("keep me"));
    const DecodeResult written = ImageDecoder::decodeFile(dir.filePath(QStringLiteral("photo_1.jpg")), DecodeOptions());
    QCOMPARE(decoderName(written.decoder), QStringLiteral("jpeg"));
    QCOMPARE(written.image.size(), QSize(40, 30));
    ExifFields fields;
    QVERIFY(readExifFields(dir.filePath(QStringLiteral("photo_1.jpg")), fields));
    QCOMPARE(fields.model, QStringLiteral("TestCam"));

    // The print step takes the picture and its EXIF alike.
    const PrintSource source = PrintSource::fromFile(path);
    QCOMPARE(source.pixels.size(), QSize(kWidth, kHeight));
    QCOMPARE(source.exif, block);
}

void TestModernFormats::exifOrientationOfContainers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("byTheTag"); // else the decoder turns by the format's own means
    QTest::newRow("png") << "turned.png" << true;
    QTest::newRow("webp") << "turned.webp" << true;
    QTest::newRow("heic") << "turned.heic" << false;
    QTest::newRow("avif") << "turned.avif" << false;
    QTest::newRow("jxl") << "turned.jxl" << false;
}

// A PNG or WebP is turned by the Orientation of the Exif block it carries;
// HEIF and JPEG XL pictures come upright from their decoders and are never
// turned a second time by the tag. Either way, what is edited is what is
// shown, and the EXIF that travels with it says Orientation 1.
void TestModernFormats::exifOrientationOfContainers()
{
    QFETCH(QString, name);
    QFETCH(bool, byTheTag);
    QTemporaryDir dir;
    const QImage picture = bands(kWidth, kHeight);
    const QByteArray block = exifBlockOf(exifEntriesJpeg(6));
    QVERIFY(!block.isEmpty());
    QString why;
    const QString path = makeFile(dir, name, picture, block, &why);
    if (path.isEmpty())
        QSKIP(qPrintable(why));

    const DecodeResult stored = ImageDecoder::decodeFile(path, DecodeOptions());
    QVERIFY2(stored.ok(), qPrintable(stored.error));
    DecodeOptions options;
    options.applyOrientation = true;
    const DecodeResult shown = ImageDecoder::decodeFile(path, options);
    QVERIFY2(shown.ok(), qPrintable(shown.error));
    if (byTheTag) {
        QCOMPARE(shown.orientation, 6);
        QCOMPARE(shown.image.size(), QSize(kHeight, kWidth));
        QCOMPARE(shown.image, orientation::turned(stored.image, 6));
    } else {
        QVERIFY(shown.upright);
        QCOMPARE(shown.orientation, 1);
        QCOMPARE(shown.image, stored.image);
    }

    const EditedImage edited = EditedImage::load(path, {.applyOrientation = true});
    QCOMPARE(edited.pixels.size(), shown.image.size());
    QCOMPARE(exiforientation::fromExifBlock(edited.exif), 1);
}

QTEST_GUILESS_MAIN(TestModernFormats)
#include "tst_modernformats.moc"
