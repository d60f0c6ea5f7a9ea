#include "ExifTestFiles.h"
#include "support/TestSupport.h"
#include "support/FileSizeLimit.h"

#include "core/exif/ExifEditRules.h"
#include "core/exif/ExifReader.h"
#include "core/exif/ExifWriter.h"
#include "core/exif/Exiv2Include.h"
#include "core/exif/JpegSegments.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace quorvel;

namespace {

// The EXIF entries of a file as Exiv2 reads them: key -> value text.
QMap<QString, QString> entries(const QString &path)
{
    QMap<QString, QString> map;
    auto image = exiv2::openFile(QFile::encodeName(path).toStdString());
    image->readMetadata();
    for (const auto &d : image->exifData())
        map.insert(QString::fromStdString(d.key()), QString::fromStdString(d.value().toString()));
    return map;
}

// Everything from the first SOS on: the picture data.
QByteArray scanData(const QByteArray &file)
{
    const auto layout = jpegsegments::walk(file);
    return layout.ok ? file.mid(layout.scanStart) : QByteArray();
}

// exiftool's view of two files, in one run: every tag (without the file
// system's, those computed from others and the edited ones) and, apart,
// the validation result.
struct ExiftoolView
{
    QStringList tags;
    QStringList validation;
};

QList<ExiftoolView> exiftool(const QStringList &paths)
{
    QProcess p;
    p.start(QStringLiteral("exiftool"), QStringList{QStringLiteral("-All"), QStringLiteral("-Validate"),
                                                    QStringLiteral("-Warning"), QStringLiteral("-a"), QStringLiteral("-G1"), QStringLiteral("-s"),
                                                    QStringLiteral("-n")} + paths);
    p.waitForFinished(60000);
    QList<ExiftoolView> views;
    static const QStringList edited = {QStringLiteral("FNumber"), QStringLiteral("ISO"),
                                       QStringLiteral("DateTimeOriginal"), QStringLiteral("FocalLength")};
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u' '))
            continue; // the closing count
        if (line.startsWith(QLatin1String("========")) || views.isEmpty()) {
            views.append(ExiftoolView());
            if (line.startsWith(QLatin1String("========")))
                continue;
        }
        const QString tag = line.section(u':', 0, 0).section(u' ', 1).trimmed();
        if (line.startsWith(QLatin1String("[ExifTool]")) && !line.contains(QLatin1String("ExifToolVersion")))
            views.last().validation.append(line);
        else if (line.startsWith(QLatin1String("[System]")) || line.startsWith(QLatin1String("[Composite]"))
                 || (line.startsWith(QLatin1String("[ExifIFD]")) && edited.contains(tag)))
            continue;
        else
            views.last().tags.append(line);
    }
    return views;
}

} // namespace

class TestExifWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editorTexts_data();
    void editorTexts();
    void isoCheck_data();
    void isoCheck();
    void realCameraFiles_data();
    void realCameraFiles();
    void refusesOtherFormats();
    void failedWriteLeavesOriginal();
    void unchangedFieldsAreNotRewritten();
    void damagedMetadata();
    void addsWhatIsMissing_data();
    void addsWhatIsMissing();

private:
    QTemporaryDir m_dir;
};

// What the editor's boxes turn into in the file: each row edits one field of
// a file that has all five, and names the entry that must result (empty:
// removed).
void TestExifWriter::editorTexts_data()
{
    QTest::addColumn<QString>("camera");
    QTest::addColumn<QString>("iso");
    QTest::addColumn<QString>("aperture");
    QTest::addColumn<QString>("focal");
    QTest::addColumn<bool>("dated");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString cam = QStringLiteral("Canon EOS 10D"), iso = QStringLiteral("100"), ap = QStringLiteral("F4.0"),
                  fo = QStringLiteral("50.0 mm");
    QTest::newRow("F/2.8 removes FNumber") << cam << iso << "F/2.8" << fo << true << "Exif.Photo.FNumber" << "";
    QTest::newRow("f2,8 gives 28/10") << cam << iso << "f2,8" << fo << true << "Exif.Photo.FNumber" << "28/10";
    QTest::newRow("35,5 mm gives 355/10") << cam << iso << ap << "35,5 mm" << true << "Exif.Photo.FocalLength"
                                          << "355/10";
    QTest::newRow("18.75 gives 187/10") << cam << iso << ap << "18.75" << true << "Exif.Photo.FocalLength" << "187/10";
    QTest::newRow("cleared camera removes Model") << "" << iso << ap << fo << true << "Exif.Image.Model" << "";
    QTest::newRow("cleared ISO removes it") << cam << "" << ap << fo << true << "Exif.Photo.ISOSpeedRatings" << "";
    QTest::newRow("unchecked date removes it") << cam << iso << ap << fo << false << "Exif.Photo.DateTimeOriginal"
                                               << "";
    QTest::newRow("new camera, other length") << "X" << iso << ap << fo << true << "Exif.Image.Model" << "X";
    QTest::newRow("ISO 65535") << cam << "65535" << ap << fo << true << "Exif.Photo.ISOSpeedRatings" << "65535";
}

void TestExifWriter::editorTexts()
{
    QFETCH(QString, camera);
    QFETCH(QString, iso);
    QFETCH(QString, aperture);
    QFETCH(QString, focal);
    QFETCH(bool, dated);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const QString path = m_dir.filePath(QStringLiteral("edit.jpg"));
    const QByteArray original = test::jpegWithExif({
        QStringLiteral("Exif.Image.Model Ascii Canon EOS 10D"),
        QStringLiteral("Exif.Photo.DateTimeOriginal Ascii 2004:05:06 07:08:09"),
        QStringLiteral("Exif.Photo.ISOSpeedRatings Short 100"),
        QStringLiteral("Exif.Photo.FNumber Rational 40/10"),
        QStringLiteral("Exif.Photo.FocalLength Rational 500/10"),
        QStringLiteral("Exif.Photo.ExposureTime Rational 1/250"),
    });
    QVERIFY(test::writeFile(path, original));
    const QDateTime mtime = QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::Append));
        QVERIFY(f.setFileTime(mtime, QFileDevice::FileModificationTime));
    }
    const auto before = entries(path);

    const ExifEditRules::Texts texts{camera, iso, focal, aperture};
    const ExifFields fields = ExifEditRules::fieldsFrom(texts, dated ? QDate(2004, 5, 6) : QDate(), QTime(7, 8, 9));
    const ExifWriteResult result = writeExifFields(path, fields);
    QVERIFY2(result.ok(), qPrintable(result.message()));

    auto after = entries(path);
    if (expected.isEmpty())
        QVERIFY(!after.contains(key));
    else
        QCOMPARE(after.value(key), expected);
    // Nothing else changed: the other fields, the exposure, the picture.
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (it.key() != key && it.key() != QLatin1String("Exif.Image.ExifTag"))
            QCOMPARE(after.value(it.key()), it.value());
    }
    QCOMPARE(scanData(test::readFile(path)), scanData(original));
    QCOMPARE(QFileInfo(path).lastModified().toUTC(), mtime);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("edit.jpg")});
}

void TestExifWriter::isoCheck_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("check");
    QTest::newRow("empty passes") << "" << int(ExifEditRules::IsoCheck::Ok);
    QTest::newRow("digits") << "400" << int(ExifEditRules::IsoCheck::Ok);
    QTest::newRow("Auto blocks") << "Auto" << int(ExifEditRules::IsoCheck::NotDigits);
    QTest::newRow("blank inside") << "4 00" << int(ExifEditRules::IsoCheck::NotDigits);
    QTest::newRow("minus") << "-100" << int(ExifEditRules::IsoCheck::NotDigits);
    QTest::newRow("65535 fits") << "065535" << int(ExifEditRules::IsoCheck::Ok);
    QTest::newRow("65536 too large") << "65536" << int(ExifEditRules::IsoCheck::TooLarge);
    QTest::newRow("huge") << "99999999999999999999" << int(ExifEditRules::IsoCheck::TooLarge);
}

void TestExifWriter::isoCheck()
{
    QFETCH(QString, text);
    QFETCH(int, check);
    QCOMPARE(int(ExifEditRules::checkIso(text)), check);
}

// Real camera files: editing keeps every other tag (maker notes included)
// as exiftool reads it, validates no worse, and keeps the picture data.
void TestExifWriter::realCameraFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("which");
    for (const char *name : {"Canon1DmkIII.jpg", "NikonD2Hs.jpg", "OlympusE1.jpg", "Sony.jpg", "FujiFilm.jpg"}) {
        QTest::addRow("%s set all", name) << QString::fromLatin1(name)
                                          << int(WriteIso | WriteFNumber | WriteFocalLength | WriteDate);
        QTest::addRow("%s remove", name) << QString::fromLatin1(name) << int(WriteIso | WriteFocalLength);
    }
}

void TestExifWriter::realCameraFiles()
{
    QFETCH(QString, name);
    QFETCH(int, which);
    QUORVEL_REQUIRE_SHARED("exif", exifDir);
    if (QStandardPaths::findExecutable(QStringLiteral("exiftool")).isEmpty())
        QSKIP("exiftool is not installed");
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    QVERIFY(QFile::copy(QDir(exifDir).filePath(name), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray original = test::readFile(path);
    const QString kept = m_dir.filePath(QStringLiteral("original-") + name);
    QFile::remove(kept);
    QVERIFY(QFile::copy(path, kept));

    ExifFields fields;
    if (which & WriteDate) {
        fields.iso = 400;
        fields.fNumber = 2.8f;
        fields.focalLength = 35.5f;
        fields.dateTimeOriginal = QStringLiteral("2020:01:02 03:04:05");
    }
    const ExifWriteResult result = writeExifFields(path, fields, which);
    QVERIFY2(result.ok(), qPrintable(result.message()));

    ExifFields read;
    QVERIFY(readExifFields(path, read));
    if (which & WriteDate) {
        QCOMPARE(read.iso, 400);
        QCOMPARE(read.fNumber, 2.8f);
        QCOMPARE(read.dateTimeOriginal, QStringLiteral("2020:01:02 03:04:05"));
    } else if (!read.model.contains(QLatin1String("Canon"))) { // Canon's maker note gives an ISO of its own
        QCOMPARE(read.iso, 0);
    }
    const QList<ExiftoolView> views = exiftool({kept, path});
    QCOMPARE(views.size(), 2);
    QVERIFY2(views[0].tags.size() > 20, qPrintable(views[0].tags.join(u'\n') + views[0].validation.join(u'\n')));
    QCOMPARE(views[1].tags, views[0].tags);
    QCOMPARE(views[1].validation, views[0].validation);
    QCOMPARE(scanData(test::readFile(path)), scanData(original));
}

void TestExifWriter::refusesOtherFormats()
{
    QUORVEL_REQUIRE_SHARED("tiff/rgb-3c-8b.tiff", tiff);
    const QString path = m_dir.filePath(QStringLiteral("picture.tiff"));
    QFile::remove(path);
    QVERIFY(QFile::copy(tiff, path));
    const QByteArray before = test::readFile(path);
    ExifFields fields;
    fields.iso = 100;
    const ExifWriteResult result = writeExifFields(path, fields);
    QCOMPARE(result.status, ExifWriteResult::NotSupported);
    QCOMPARE(result.message(), QStringLiteral("This format is not supported yet."));
    QCOMPARE(test::readFile(path), before);
}

// A write that fails half-way (as on a full disk) reports the failure and
// leaves the file and the folder as they were.
void TestExifWriter::failedWriteLeavesOriginal()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.jpg"));
    QByteArray original = test::jpegWithExif({QStringLiteral("Exif.Image.Model Ascii Short")});
    original.append(QByteArray(200000, '\0')); // trailing data makes the file large
    QVERIFY(test::writeFile(path, original));
    ExifWriteResult result;
    {
        test::FileSizeLimit limit(100000);
        if (!limit.active())
            QSKIP("no file size limit on this platform");
        ExifFields fields;
        fields.model = QStringLiteral("A much longer model name than before");
        result = writeExifFields(path, fields, WriteModel);
    }
    QCOMPARE(result.status, ExifWriteResult::CannotWrite);
    QVERIFY(result.message().startsWith(QStringLiteral("Cannot change EXIF data")));
    QCOMPARE(test::readFile(path), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("full.jpg")});
}

// A focal length of 18.75 mm shows as "18.7 mm"; editing only the ISO
// must not rewrite it rounded.
void TestExifWriter::unchangedFieldsAreNotRewritten()
{
    const QString path = m_dir.filePath(QStringLiteral("keep.jpg"));
    QVERIFY(test::writeFile(path, test::jpegWithExif({QStringLiteral("Exif.Photo.FocalLength Rational 1875/100"),
                                                      QStringLiteral("Exif.Photo.ISOSpeedRatings Short 100")})));
    ExifFields fields;
    QVERIFY(readExifFields(path, fields));
    ExifEditRules::Texts texts = ExifEditRules::textsOf(fields);
    QCOMPARE(texts.focal, QStringLiteral("18.7 mm"));
    texts.iso = QStringLiteral("200");
    const ExifFields edited = ExifEditRules::fieldsFrom(texts, QDate(), QTime());
    QVERIFY(writeExifFields(path, edited, WriteIso).ok());
    const auto after = entries(path);
    QCOMPARE(after.value(QStringLiteral("Exif.Photo.FocalLength")), QStringLiteral("1875/100"));
    QCOMPARE(after.value(QStringLiteral("Exif.Photo.ISOSpeedRatings")), QStringLiteral("200"));
}

// Damaged EXIF blocks (cut short, offsets and counts past the end, a
// loop of directories) are refused or handled; whatever is written keeps
// the picture data, and nothing reads outside the file.
void TestExifWriter::damagedMetadata()
{
    const QByteArray good = test::jpegWithExif({QStringLiteral("Exif.Image.Model Ascii Camera"),
                                                QStringLiteral("Exif.Photo.FNumber Rational 40/10")});
    const auto layout = jpegsegments::walk(good);
    const int exif = layout.exifIndex(good);
    QVERIFY(exif >= 0);
    const qsizetype block = layout.segments[exif].dataStart + 6;
    ExifFields fields;
    fields.model = QStringLiteral("A longer camera model");
    fields.iso = 100;

    QList<QByteArray> variants;
    for (qsizetype cut = block; cut < layout.segments[exif].end(); cut += 7)
        variants.append(good.left(cut)); // cut inside the EXIF block
    for (qsizetype at = block; at < layout.segments[exif].end(); ++at) {
        for (const char byte : {'\x00', '\xFF', '\x7F'}) {
            QByteArray v = good;
            v[at] = byte;
            variants.append(v);
        }
    }
    if (const QString broken = test::sharedFile(QStringLiteral("broken")); !broken.isEmpty()) {
        for (const QFileInfo &f : QDir(broken).entryInfoList(QDir::Files))
            variants.append(test::readFile(f.filePath()));
    }
    for (QByteArray v : variants) {
        const QByteArray scan = scanData(v);
        const ExifWriteResult r = applyExifFields(v, fields);
        if (r.ok() && !scan.isEmpty())
            QCOMPARE(scanData(v), scan);
    }
}

void TestExifWriter::addsWhatIsMissing_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::newRow("no EXIF at all") << test::plainJpeg();
    QTest::newRow("IFD0 only") << test::jpegWithExif({QStringLiteral("Exif.Image.Make Ascii Maker")});
    QTest::newRow("Exif directory without the fields")
        << test::jpegWithExif({QStringLiteral("Exif.Photo.ExposureTime Rational 1/60")});
}

void TestExifWriter::addsWhatIsMissing()
{
    QFETCH(QByteArray, jpeg);
    const QString path = m_dir.filePath(QStringLiteral("missing.jpg"));
    QVERIFY(test::writeFile(path, jpeg));
    const auto before = entries(path);
    ExifFields fields;
    fields.model = QStringLiteral("Cam");
    fields.dateTimeOriginal = QStringLiteral("2020:01:02 03:04:05");
    fields.iso = 100;
    fields.fNumber = 5.6f;
    fields.focalLength = 50.0f;
    const ExifWriteResult r = writeExifFields(path, fields);
    QVERIFY2(r.ok(), qPrintable(r.message()));
    ExifFields read;
    QVERIFY(readExifFields(path, read));
    QCOMPARE(read.model, fields.model);
    QCOMPARE(read.dateTimeOriginal, fields.dateTimeOriginal);
    QCOMPARE(read.iso, 100);
    QCOMPARE(read.fNumber, 5.6f);
    QCOMPARE(read.focalLength, 50.0f);
    const auto after = entries(path);
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (it.key() != QLatin1String("Exif.Image.ExifTag")) // the directory moved
            QCOMPARE(after.value(it.key()), it.value());
    }
    QCOMPARE(scanData(test::readFile(path)), scanData(jpeg));
}

QTEST_GUILESS_MAIN(TestExifWriter)
#include "tst_exifwriter.moc"
