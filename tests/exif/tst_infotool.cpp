#include "ExifTestFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel::test;

// quorvel-tool info --tsv is how the reader is checked against camera files
// by hand and by scripts; its columns are fixed.
class TestInfoTool : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tsvColumns_data();
    void tsvColumns();

private:
    QTemporaryDir m_dir;
};

void TestInfoTool::tsvColumns_data()
{
    QTest::addColumn<QStringList>("entries");   // empty: a file without EXIF
    QTest::addColumn<QStringList>("expected");  // the row after the path
    QTest::newRow("all fields")
        << QStringList{"Exif.Image.Model Ascii Canon EOS 10D", "Exif.Photo.DateTimeOriginal Ascii 2003:12:04 06:46:52",
                       "Exif.Photo.ExposureTime Rational 10/2500", "Exif.Photo.FNumber Rational 56/10",
                       "Exif.Photo.FocalLength Rational 1875/100", "Exif.Photo.ISOSpeedRatings Short 15"}
        << QStringList{"1", "1", "Canon EOS 10D", "2003:12:04 06:46:52", "1", "250", "5.6", "18.7", "15", "F5.6",
                       "1/250", "Auto", "18.7 mm", "Auto",
                       "Camera: Canon EOS 10D, Exposure: 1/250 sec, F5.6, ISO: Auto. Date: 2003:12:04 06:46:52"};
    QTest::newRow("tab and line break in the model")
        << QStringList{"Exif.Image.Model Ascii a\tb\nc", "Exif.Photo.ISOSpeedRatings Short 100"}
        << QStringList{"1", "1", "a b c", "", "0", "1", "0", "0", "100", "", "", "100", "", "ISO100",
                       "Camera: a b c, ISO: 100"};
    QTest::newRow("no EXIF") << QStringList{}
                             << QStringList{"0", "0", "", "", "0", "1", "0", "0", "0", "", "", "", "", "", ""};
}

void TestInfoTool::tsvColumns()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, expected);
    const QString path = m_dir.filePath(QStringLiteral("photo.jpg"));
    QVERIFY(writeFile(path, entries.isEmpty() ? plainJpeg() : jpegWithExif(entries)));

    QProcess tool;
    tool.start(QDir(QStringLiteral(QUORVEL_RUNTIME_DIR)).filePath(QStringLiteral("quorvel-tool")),
               {QStringLiteral("info"), QStringLiteral("--tsv"), path});
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("path\tresult\tpresent\tmodel\tdate\texposure_num\texposure_den\tfnumber\tfocal\t"
                                      "iso\tlist_aperture\tlist_exposure\tlist_iso\tlist_focal\tprint_iso\tsummary"));
    QCOMPARE(lines[1], QStringList(QStringList{path} + expected).join(u'\t'));
}

QTEST_GUILESS_MAIN(TestInfoTool)
#include "tst_infotool.moc"
