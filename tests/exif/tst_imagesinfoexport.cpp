#include "ExifTestFiles.h"
#include "support/TestSupport.h"

#include "core/exif/ImagesInfoExport.h"
#include "core/files/FileListModel.h"
#include "core/files/FolderScanner.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;
using namespace quorvel::test;

Q_DECLARE_METATYPE(quorvel::ExifFields)

namespace {

const QByteArray kHeader = ";You can use this file for different statistics, for example, to show graphs in Excel\r\n"
                           "N\tFile_Name\tCamera\tExposure\tAperture\tISO\tFocal length\r\n";

ExifFields fields(const QString &model, int num, int den, float fNumber, int iso, float focal)
{
    ExifFields f;
    f.present = 1;
    f.model = model;
    f.exposureNumerator = num;
    f.exposureDenominator = den;
    f.fNumber = fNumber;
    f.iso = iso;
    f.focalLength = focal;
    return f;
}

QStringList bodyLines(const QByteArray &text)
{
    QStringList lines = QString::fromUtf8(text.mid(kHeader.size())).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestImagesInfoExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void line_data();
    void line();
    void fileFromFiles();
    void filteredRowsNumberedWithoutGaps();
    void unwritableFileIsReported();
    void toolExportAndStats();
};

void TestImagesInfoExport::line_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<ExifFields>("fields");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("expected");

    QTest::newRow("camera, 1/125, F5.6, 50 mm")
        << "IMG_0001.JPG" << fields("Canon EOS 10D", 1, 125, 5.6f, 100, 50.0f) << true
        << "7\tIMG_0001.JPG\tCanon_EOS_10D\t0,01\t5,60\t100\t50,00";
    QTest::newRow("spaces in the file name, long exposure")
        << "my photo 1.jpg" << fields("Nikon D70", 25, 10, 2.8f, 200, 18.7f) << true
        << "7\tmy_photo_1.jpg\tNikon_D70\t2,50\t2,80\t200\t18,70";
    QTest::newRow("ISO 15 is written as 15") << "a.jpg" << fields("X", 1, 60, 0, 15, 0) << true
                                              << "7\ta.jpg\tX\t0,02\t0,0\t15\t0";
    QTest::newRow("nothing present") << "a.jpg" << ExifFields() << true << "7\ta.jpg\tunknown\t0,0\t0,0\t0\t0";
    QTest::newRow("read failed: every field absent")
        << "a.jpg" << fields("Canon EOS 10D", 1, 125, 5.6f, 100, 50.0f) << false << "7\ta.jpg\tunknown\t0,0\t0,0\t0\t0";
    QTest::newRow("zero denominator is no exposure") << "a.jpg" << fields("", 1, 0, 0, 0, 0) << true
                                                     << "7\ta.jpg\tunknown\t0,0\t0,0\t0\t0";
    QTest::newRow("tabs and line breaks in a name stay inside their column")
        << "a\tb\nc.jpg" << fields("", 0, 1, 0, 0, 0) << true << "7\ta_b_c.jpg\tunknown\t0,0\t0,0\t0\t0";
}

void TestImagesInfoExport::line()
{
    QFETCH(QString, fileName);
    QFETCH(ExifFields, fields);
    QFETCH(bool, read);
    QFETCH(QString, expected);
    QCOMPARE(imagesinfo::line(7, fileName, fields, read), expected);
}

void TestImagesInfoExport::fileFromFiles()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("with space.jpg"),
                      jpegWithExif({"Exif.Image.Model Ascii Canon EOS 10D", "Exif.Photo.ExposureTime Rational 1/125",
                                    "Exif.Photo.FNumber Rational 56/10", "Exif.Photo.FocalLength Rational 50/1",
                                    "Exif.Photo.ISOSpeedRatings Short 15"})));
    QVERIFY(writeFile(dir.filePath("plain.jpg"), plainJpeg()));
    QVERIFY(writeFile(dir.filePath("far/target.jpg"), jpegWithExif({"Exif.Image.Model Ascii Linked"})));
    QVERIFY(writeFile(dir.filePath("target.jpg.link"), "far/target.jpg"));
    QVERIFY(writeFile(dir.filePath("broken.jpg.link"), "far/missing.jpg"));

    const QByteArray text = imagesinfo::fileText({dir.filePath("with space.jpg"), dir.filePath("plain.jpg"),
                                                  dir.filePath("target.jpg.link"), dir.filePath("broken.jpg.link")});
    QVERIFY(text.startsWith(kHeader));
    QVERIFY(text.endsWith("\r\n"));
    QVERIFY(!text.contains("\n\n") && text.count('\n') == text.count("\r\n"));
    QCOMPARE(bodyLines(text), (QStringList{"1\twith_space.jpg\tCanon_EOS_10D\t0,01\t5,60\t15\t50,00",
                                           "2\tplain.jpg\tunknown\t0,0\t0,0\t0\t0",
                                           "3\ttarget.jpg\tLinked\t0,0\t0,0\t0\t0",
                                           "4\tbroken.jpg.link\tunknown\t0,0\t0,0\t0\t0"}));

    const QString out = dir.filePath("stat.txt");
    QString error;
    QVERIFY(exportImagesInfo(out, {dir.filePath("plain.jpg")}, &error));
    QCOMPARE(readFile(out), kHeader + "1\tplain.jpg\tunknown\t0,0\t0,0\t0\t0\r\n");
}

void TestImagesInfoExport::filteredRowsNumberedWithoutGaps()
{
    QTemporaryDir dir;
    FolderEntries entries;
    for (const char *name : {"d_b.jpg", "a.jpg", "b1.jpg", "c.jpg", "b2.jpg"}) {
        QVERIFY(writeFile(dir.filePath(name), plainJpeg()));
        entries.append({name, FolderEntry::ListedFile});
    }
    FileListModel model;
    model.fill(entries, dir.path() + u'/', "B");
    QCOMPARE(model.rowCount(), 3);
    const QStringList lines = bodyLines(imagesinfo::fileText(imagesinfo::listedPaths(model)));
    QStringList numbered;
    for (const QString &l : lines)
        numbered.append(l.section(u'\t', 0, 1));
    QCOMPARE(numbered, (QStringList{"1\tb1.jpg", "2\tb2.jpg", "3\td_b.jpg"}));
}

void TestImagesInfoExport::unwritableFileIsReported()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!exportImagesInfo(dir.filePath("no/such/folder/stat.txt"), {}, &error));
    QVERIFY2(error.contains("stat.txt"), qPrintable(error));
}

// quorvel-tool runs the same core over a folder of real camera files.
void TestImagesInfoExport::toolExportAndStats()
{
    QUORVEL_REQUIRE_SHARED("exif/Canon.jpg", canon);
    QTemporaryDir dir;
    const QDir shared = QFileInfo(canon).dir();
    const QStringList names = shared.entryList({"*.jpg"}, QDir::Files, QDir::Name);
    for (const QString &name : names)
        QVERIFY(QFile::copy(shared.filePath(name), dir.filePath(name)));
    const QString tool = QDir(QStringLiteral(QUORVEL_RUNTIME_DIR)).filePath(QStringLiteral("quorvel-tool"));

    QProcess exporter;
    const QString out = dir.filePath("out/stat.txt");
    QVERIFY(QDir().mkpath(dir.filePath("out")));
    exporter.start(tool, {"export", dir.path(), out, "--filter", "canon"});
    QVERIFY(exporter.waitForFinished());
    QCOMPARE(exporter.exitCode(), 0);
    const QStringList lines = bodyLines(readFile(out));
    QVERIFY(!lines.isEmpty());
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(u'\t');
        QCOMPARE(cells.size(), 7);
        QCOMPARE(cells[0], QString::number(i + 1));
        QVERIFY2(cells[1].contains("Canon", Qt::CaseInsensitive) || cells[2].contains("Canon", Qt::CaseInsensitive),
                 qPrintable(lines[i]));
    }

    QProcess stats;
    stats.start(tool, {"stats", dir.path()});
    QVERIFY(stats.waitForFinished());
    QCOMPARE(stats.exitCode(), 0);
    const QStringList rows = QString::fromUtf8(stats.readAllStandardOutput()).split(u'\n');
    QVERIFY(rows.size() > 3);
    QVERIFY2(rows[1].startsWith(QStringLiteral("Files: %1, files with EXIF: ").arg(names.size())), qPrintable(rows[1]));
    QVERIFY(rows.contains("Used cameras:\t"));
}

QTEST_GUILESS_MAIN(TestImagesInfoExport)
#include "tst_imagesinfoexport.moc"
