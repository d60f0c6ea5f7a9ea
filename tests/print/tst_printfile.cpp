#include "core/exif/Exiv2Include.h"
#include "core/print/FinalStepModel.h"
#include "core/print/PrintFileWriter.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/Orientation.h"
#include "support/ExifOrientationFiles.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

// The file "Create file..." writes: its size in pixels, the photograph's
// metadata carried over, the resolution written into it, and failures that
// leave nothing behind.
class TestPrintFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void writtenFile_data();
    void writtenFile();
    void sourceWithoutExifGetsResolution();
    void failuresLeaveNoFile_data();
    void failuresLeaveNoFile();
    void orientedPhotoIsComposedAsShown_data();
    void orientedPhotoIsComposedAsShown();
    void damagedPhotoIsRefused();

private:
    QString photo(int width, int height, bool withExif);
    QTemporaryDir m_dir;
};

namespace {

struct ReadBack
{
    QSize size;
    QString model;
    QString dateTime;
    QString xResolution;
    QString yResolution;
    QString unit;
    bool hasExif = false;
};

ReadBack readBack(const QString &path)
{
    ReadBack r;
    r.size = QImageReader(path).size();
    auto image = exiv2::openFile(path.toStdString());
    image->readMetadata();
    const Exiv2::ExifData &exif = image->exifData();
    r.hasExif = !exif.empty();
    const auto text = [&exif](const char *key) {
        const auto it = exif.findKey(Exiv2::ExifKey(key));
        return it == exif.end() ? QString() : QString::fromStdString(it->toString());
    };
    r.model = text("Exif.Image.Model");
    r.dateTime = text("Exif.Photo.DateTimeOriginal");
    r.xResolution = text("Exif.Image.XResolution");
    r.yResolution = text("Exif.Image.YResolution");
    r.unit = text("Exif.Image.ResolutionUnit");
    return r;
}

// The JFIF density of a JPEG as (unit, x, y); the unit 1 is dots per inch.
std::tuple<int, int, int> jfifDensity(const QString &path)
{
    const QByteArray bytes = test::readFile(path);
    const int at = int(bytes.indexOf(QByteArrayLiteral("JFIF\0"), 0));
    if (at < 0 || at + 12 > bytes.size())
        return {-1, -1, -1};
    const auto u8 = [&bytes](int i) { return int(quint8(bytes[i])); };
    return {u8(at + 7), u8(at + 8) << 8 | u8(at + 9), u8(at + 10) << 8 | u8(at + 11)};
}

} // namespace

void TestPrintFile::init()
{
    QVERIFY(m_dir.isValid());
}

QString TestPrintFile::photo(int width, int height, bool withExif)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 90));
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 92);
    const QString path = m_dir.filePath(QStringLiteral("photo_%1x%2%3.jpg").arg(width).arg(height).arg(withExif ? "e" : ""));
    if (withExif) {
        auto image = exiv2::openMemory(jpeg.constData(), jpeg.size());
        Exiv2::ExifData data;
        data["Exif.Image.Model"] = "Test Camera 7";
        data["Exif.Photo.DateTimeOriginal"] = "2024:05:17 10:11:12";
        data["Exif.Image.XResolution"] = Exiv2::URational(72, 1);
        data["Exif.Image.YResolution"] = Exiv2::URational(72, 1);
        data["Exif.Image.ResolutionUnit"] = uint16_t(2);
        image->setExifData(data);
        image->writeMetadata();
        Exiv2::BasicIo &io = image->io();
        io.seek(0, Exiv2::BasicIo::beg);
        jpeg.resize(qsizetype(io.size()));
        io.read(reinterpret_cast<Exiv2::byte *>(jpeg.data()), long(jpeg.size()));
    }
    test::writeFile(path, jpeg);
    return path;
}

void TestPrintFile::writtenFile_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<QSize>("expected");
    QTest::addColumn<QString>("resolution");

    // 10x15 cm with photolab scaling is 15.2 x 10.2 cm; the photograph's
    // orientation decides the output's.
    QTest::newRow("10x15 landscape 300 dpi") << QSize(900, 600) << 2 << "300" << QSize(1795, 1205) << "300/1";
    QTest::newRow("10x15 portrait 300 dpi") << QSize(600, 900) << 2 << "300" << QSize(1205, 1795) << "300/1";
    QTest::newRow("0 dpi counts as 300") << QSize(900, 600) << 2 << "0" << QSize(1795, 1205) << "300/1";
    QTest::newRow("9x13 at 150 dpi") << QSize(900, 600) << 0 << "150" << QSize(750, 526) << "150/1";
    // Screen sizes are pixels, written at 75 dpi whatever the field says.
    QTest::newRow("640x480 at 75 dpi") << QSize(900, 600) << 44 << "600" << QSize(640, 480) << "75/1";
    QTest::newRow("mobile 176x208") << QSize(600, 900) << 35 << "300" << QSize(208, 176) << "75/1";
}

void TestPrintFile::writtenFile()
{
    QFETCH(QSize, photo);
    QFETCH(int, format);
    QFETCH(QString, dpi);
    QFETCH(QSize, expected);
    QFETCH(QString, resolution);

    const QString source = this->photo(photo.width(), photo.height(), true);
    FinalStepModel model(format, {source});
    model.setDpiText(dpi);
    model.setImage(QImage(source));
    QCOMPARE(model.parameters().outputSize(), expected);

    const QString target = m_dir.filePath(QStringLiteral("out.jpg"));
    QFile::remove(target);
    const SaveResult result = PrintFileWriter::write(PrintSource::fromFile(source), model.composition(), target, 85);
    QVERIFY2(result.ok(), qPrintable(result.message));

    const ReadBack back = readBack(target);
    QCOMPARE(back.size, expected);
    QCOMPARE(back.model, QStringLiteral("Test Camera 7"));
    QCOMPARE(back.dateTime, QStringLiteral("2024:05:17 10:11:12"));
    QCOMPARE(back.xResolution, resolution);
    QCOMPARE(back.yResolution, resolution);
    const int dots = resolution.section(u'/', 0, 0).toInt();
    QCOMPARE(jfifDensity(target), std::make_tuple(1, dots, dots));
    // Nothing but the target is left in the folder.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("out*")}, QDir::Files), QStringList{"out.jpg"});
}

void TestPrintFile::sourceWithoutExifGetsResolution()
{
    const QString source = photo(400, 300, false);
    FinalStepModel model(2, {source});
    model.setImage(QImage(source));
    const QString target = m_dir.filePath(QStringLiteral("plain_out.jpg"));
    QVERIFY(PrintFileWriter::write(PrintSource::fromFile(source), model.composition(), target, 80).ok());
    const ReadBack back = readBack(target);
    QCOMPARE(back.size, QSize(1795, 1205));
    QCOMPARE(jfifDensity(target), std::make_tuple(1, 300, 300));
    QVERIFY(back.model.isEmpty());
}

void TestPrintFile::failuresLeaveNoFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("folder does not exist") << "folder";
    QTest::newRow("photograph changed since the frame was placed") << "changed";
    QTest::newRow("photograph is gone") << "gone";
}

void TestPrintFile::failuresLeaveNoFile()
{
    QFETCH(QString, failure);
    const QString source = photo(640, 480, true);
    FinalStepModel model(2, {source});
    model.setImage(QImage(source));
    QString target = m_dir.filePath(QStringLiteral("fail_out.jpg"));
    PrintSource from = PrintSource::fromFile(source);
    if (failure == QLatin1String("folder")) {
        target = m_dir.filePath(QStringLiteral("missing/fail_out.jpg"));
    } else if (failure == QLatin1String("changed")) {
        QFile::remove(source);
        const QString other = photo(320, 240, true);
        QVERIFY(QFile::rename(other, source));
    } else {
        QFile::remove(source);
    }
    const SaveResult result = PrintFileWriter::write(from, model.composition(), target, 85);
    QVERIFY(!result.ok());
    QVERIFY(!QFile::exists(target));
    QCOMPARE(QDir(QFileInfo(target).path()).entryList({QStringLiteral("*fail_out*")}, QDir::Files), QStringList());
}

namespace {

// Four coloured quarters: the output shows which way the photo was turned.
QByteArray quartersJpeg(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, y < h / 2 ? (x < w / 2 ? qRgb(220, 30, 30) : qRgb(30, 200, 30))
                                           : (x < w / 2 ? qRgb(30, 30, 220) : qRgb(230, 230, 40)));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 92);
    return jpeg;
}

bool near(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) <= 40 && qAbs(qGreen(a) - qGreen(b)) <= 40 && qAbs(qBlue(a) - qBlue(b)) <= 40;
}

DecodeResult decodeAsShown(const QString &path, bool applyOrientation)
{
    DecodeOptions options;
    options.applyOrientation = applyOrientation;
    return ImageDecoder::decodeFile(path, options);
}

} // namespace

void TestPrintFile::orientedPhotoIsComposedAsShown_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("applyOrientation");
    for (int o = 1; o <= 8; ++o)
        QTest::addRow("orientation %d", o) << o << true;
    QTest::newRow("setting off") << 6 << false;
}

// The output is made from the photo as shown, proportions included, and
// stored upright: its EXIF says Orientation 1.
void TestPrintFile::orientedPhotoIsComposedAsShown()
{
    QFETCH(int, orientation);
    QFETCH(bool, applyOrientation);
    const QString source = m_dir.filePath(QStringLiteral("oriented.jpg"));
    QVERIFY(test::writeFile(source, test::withOrientation(quartersJpeg(900, 600), orientation)));
    const DecodeResult shown = decodeAsShown(source, applyOrientation);
    QVERIFY(shown.ok());
    FinalStepModel model(2, {source});
    model.setImage(shown.image);
    const bool portrait = applyOrientation && orientation >= 5;
    QCOMPARE(model.parameters().outputSize(), portrait ? QSize(1205, 1795) : QSize(1795, 1205));

    const QString target = m_dir.filePath(QStringLiteral("oriented_out.jpg"));
    QFile::remove(target);
    const SaveResult result = PrintFileWriter::write(PrintSource::fromFile(source, {.applyOrientation = applyOrientation}),
                                                     model.composition(), target, 90);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(test::exifOrientationFacts(test::readFile(target)).orientation,
             applyOrientation ? 1 : orientation);
    const QImage out(target);
    QCOMPARE(out.size(), model.parameters().outputSize());
    // Each quarter of the output has the colour of that quarter as shown.
    for (int qy : {1, 3}) {
        for (int qx : {1, 3}) {
            const QRgb want = shown.image.pixel(shown.image.width() * qx / 4, shown.image.height() * qy / 4);
            const QRgb got = out.pixel(out.width() * qx / 4, out.height() * qy / 4);
            QVERIFY2(near(got, want), qPrintable(QStringLiteral("%1 for %2").arg(got, 0, 16).arg(want, 0, 16)));
        }
    }
}

// A photo that only partly decodes gives no output file.
void TestPrintFile::damagedPhotoIsRefused()
{
    const QByteArray whole = quartersJpeg(900, 600);
    const qsizetype scan = whole.indexOf("\xFF\xDA");
    const QString source = m_dir.filePath(QStringLiteral("short.jpg"));
    QVERIFY(test::writeFile(source, whole.left(scan + (whole.size() - scan) / 2)));
    const DecodeResult shown = decodeAsShown(source, true);
    QVERIFY(shown.ok());
    QVERIFY(shown.partial);
    FinalStepModel model(2, {source});
    model.setImage(shown.image);
    const QString target = m_dir.filePath(QStringLiteral("short_out.jpg"));
    for (bool decodedByTheWriter : {false, true}) {
        PrintSource from = PrintSource::fromFile(source, {.applyOrientation = true});
        if (!decodedByTheWriter) {
            from.pixels = shown.image; // as the dialog hands its picture over
            from.damaged = true;
        }
        const SaveResult result = PrintFileWriter::write(from, model.composition(), target, 90);
        QCOMPARE(result.status, SaveResult::Damaged);
        QVERIFY(!QFile::exists(target));
    }
}

QTEST_GUILESS_MAIN(TestPrintFile)
#include "tst_printfile.moc"
