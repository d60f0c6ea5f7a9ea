#include "ExifTestFiles.h"
#include "support/TestSupport.h"

#include "core/exif/ExifStatistics.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;
using namespace quorvel::test;

namespace {

// A file of the test folder: its name and EXIF entries (none: no EXIF at all).
struct Photo
{
    QString name;
    QStringList exif;
};
using Photos = QList<Photo>;

const QString kModel = QStringLiteral("Exif.Image.Model Ascii ");
const QString kDate = QStringLiteral("Exif.Photo.DateTimeOriginal Ascii 2004:07:01 12:30:45");
const QString kExposure = QStringLiteral("Exif.Photo.ExposureTime Rational ");
const QString kFNumber = QStringLiteral("Exif.Photo.FNumber Rational ");
const QString kFocal = QStringLiteral("Exif.Photo.FocalLength Rational ");
const QString kIso = QStringLiteral("Exif.Photo.ISOSpeedRatings Short ");

// Rows as "text|count".
QStringList flattened(const QVector<ExifStatistics::Row> &rows)
{
    QStringList out;
    for (const ExifStatistics::Row &r : rows)
        out.append(r.text + u'|' + r.count);
    return out;
}

} // namespace

Q_DECLARE_METATYPE(Photos)
Q_DECLARE_METATYPE(quorvel::ExifFields)

class TestExifStatistics : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void report_data();
    void report();
    void countedFields_data();
    void countedFields();
    void cancelledGatheringStops();
    void realCameraFiles();
};

void TestExifStatistics::report_data()
{
    QTest::addColumn<Photos>("photos");
    QTest::addColumn<QStringList>("fileTable"); // "" for a file the filter hides
    QTest::addColumn<QStringList>("expected");  // after the "Folder: %s" row

    QTest::newRow("no EXIF: only the two counts")
        << Photos{{"a.jpg", {}}, {"b.jpg", {}}} << QStringList{"a.jpg", "b.jpg"}
        << QStringList{"Files: 2, files with EXIF: 0|"};

    QTest::newRow("a date alone is no EXIF")
        << Photos{{"a.jpg", {kDate}}, {"b.jpg", {kDate, kModel + "Canon EOS 10D"}}} << QStringList{"a.jpg", "b.jpg"}
        << QStringList{"Files: 2, files with EXIF: 1|", "-----|", "Used cameras:|", "  Canon EOS 10D|1 items", "|"};

    QTest::newRow("exposures ascending by value, each counted")
        << Photos{{"a.jpg", {kExposure + "1/250"}}, {"b.jpg", {kExposure + "1/60"}}, {"c.jpg", {kExposure + "10/2500"}}}
        << QStringList{"a.jpg", "b.jpg", "c.jpg"}
        << QStringList{"Files: 3, files with EXIF: 3|", "-----|", "Used exposures:|", "  1/250|2 items", "  1/60|1 items",
                       "|"};

    QTest::newRow("ISO: automatic first, no empty row after the last block")
        << Photos{{"a.jpg", {kIso + "400"}}, {"b.jpg", {kIso + "15"}}, {"c.jpg", {kIso + "100"}}}
        << QStringList{"a.jpg", "b.jpg", "c.jpg"}
        << QStringList{"Files: 3, files with EXIF: 3|", "-----|", "ISO:|", "  Auto|1 items", "  ISO100|1 items",
                       "  ISO400|1 items"};

    QTest::newRow("filter: hidden files counted but not read")
        << Photos{{"a.jpg", {kModel + "Nikon D70"}}, {"b.jpg", {kModel + "Hidden Camera"}}, {"c.jpg", {kModel + "Canon EOS 10D"}}}
        << QStringList{"a.jpg", "", "c.jpg"}
        << QStringList{"Files: 3, files with EXIF: 2|", "-----|", "Used cameras:|", "  Canon EOS 10D|1 items",
                       "  Nikon D70|1 items", "|"};

    QTest::newRow("every block in order")
        << Photos{{"a.jpg", {kModel + "Nikon D70", kExposure + "1/125", kFNumber + "56/10", kFocal + "50/1", kIso + "200"}},
                  {"b.jpg", {kModel + "Canon EOS 10D", kExposure + "2/1", kFNumber + "28/10", kFocal + "1875/100", kIso + "200"}},
                  {"c.jpg", {kModel + "Canon EOS 10D", kFNumber + "56/10"}},
                  {"d.jpg", {}}}
        << QStringList{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}
        << QStringList{"Files: 4, files with EXIF: 3|", "-----|",
                       "Used cameras:|", "  Canon EOS 10D|2 items", "  Nikon D70|1 items", "|",
                       "Used exposures:|", "  1/125|1 items", "  2.0|1 items", "|",
                       "Used apertures:|", "  F2.8|1 items", "  F5.6|2 items", "|",
                       "Focal lengths:|", "  18.7 mm|1 items", "  50.0 mm|1 items", "|",
                       "ISO:|", "  ISO200|2 items"};

    QTest::newRow("a link is read through its target, a broken one yields nothing")
        << Photos{{"far/target.jpg", {kModel + "Linked"}}, {"target.jpg.link", {}}, {"gone.jpg.link", {}}}
        << QStringList{"target.jpg.link", "gone.jpg.link"}
        << QStringList{"Files: 2, files with EXIF: 1|", "-----|", "Used cameras:|", "  Linked|1 items", "|"};
}

void TestExifStatistics::report()
{
    QFETCH(Photos, photos);
    QFETCH(QStringList, fileTable);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    for (const Photo &p : photos) {
        QByteArray bytes = p.exif.isEmpty() ? plainJpeg() : jpegWithExif(p.exif);
        if (p.name.endsWith(".link"))
            bytes = p.name == "target.jpg.link" ? QByteArray("far/target.jpg") : QByteArray("nowhere/gone.jpg");
        QVERIFY(writeFile(dir.filePath(p.name), bytes));
    }
    const QString folder = dir.path() + u'/';
    ExifStatistics statistics;
    int lastDone = 0, lastTotal = 0;
    QVERIFY(statistics.gather(folder, std::vector<QString>(fileTable.begin(), fileTable.end()),
                              [&](int done, int total) {
                                  lastDone = done;
                                  lastTotal = total;
                              }));
    const QStringList rows = flattened(statistics.rows(folder));
    QCOMPARE(rows.first(), "Folder: " + QDir::toNativeSeparators(folder) + u'|');
    QCOMPARE(rows.mid(1), expected);
    // Progress counts the files read, that is the shown ones.
    const auto shown = std::count_if(fileTable.begin(), fileTable.end(), [](const QString &n) { return !n.isEmpty(); });
    QCOMPARE(lastDone, int(shown));
    QCOMPARE(lastTotal, int(shown));
}

void TestExifStatistics::countedFields_data()
{
    QTest::addColumn<ExifFields>("fields");
    QTest::addColumn<bool>("withExif");
    QTest::addColumn<QString>("camera");

    ExifFields none;
    QTest::newRow("nothing") << none << false << QString();
    ExifFields date;
    date.dateTimeOriginal = "2004:07:01 12:30:45";
    QTest::newRow("date only") << date << false << QString();
    ExifFields model;
    model.model = "  Canon EOS 10D ";
    QTest::newRow("model, trimmed") << model << true << QString("Canon EOS 10D");
    ExifFields zeroDenominator;
    zeroDenominator.exposureNumerator = 1;
    zeroDenominator.exposureDenominator = 0;
    QTest::newRow("exposure over zero is none") << zeroDenominator << false << QString();
    ExifFields focal;
    focal.focalLength = 50.0f;
    QTest::newRow("focal length alone") << focal << true << QString();
    ExifFields iso;
    iso.iso = 15;
    QTest::newRow("automatic ISO alone") << iso << true << QString();
}

void TestExifStatistics::countedFields()
{
    QFETCH(ExifFields, fields);
    QFETCH(bool, withExif);
    QFETCH(QString, camera);
    ExifInfo info;
    info.assign(fields);
    ExifStatistics statistics;
    statistics.count(info);
    QCOMPARE(statistics.filesWithExif(), withExif ? 1 : 0);
    QCOMPARE(statistics.cameras().empty(), camera.isEmpty());
    if (!camera.isEmpty())
        QCOMPARE(statistics.cameras().front().first, camera);
}

void TestExifStatistics::cancelledGatheringStops()
{
    ExifStatistics statistics;
    std::atomic_bool cancel{true};
    QVERIFY(!statistics.gather("/nonexistent/", {"a.jpg", "b.jpg"}, {}, &cancel));
    QCOMPARE(statistics.filesWithExif(), 0);
}

// The cameras of real files: every model of the folder appears once, with
// the counts adding up to the files that have a model.
void TestExifStatistics::realCameraFiles()
{
    QUORVEL_REQUIRE_SHARED("exif/Canon.jpg", canon);
    const QDir shared = QFileInfo(canon).dir();
    const QStringList names = shared.entryList({"*.jpg"}, QDir::Files, QDir::Name);
    ExifStatistics statistics;
    QVERIFY(statistics.gather(shared.path(), std::vector<QString>(names.begin(), names.end())));
    QCOMPARE(statistics.fileCount(), int(names.size()));
    int withModel = 0;
    QStringList models;
    for (const QString &name : names) {
        ExifInfo info;
        QString model;
        if (info.read(shared.filePath(name)) && info.getModel(model)) {
            ++withModel;
            if (!models.contains(model))
                models.append(model);
        }
    }
    QVERIFY(withModel > 0);
    int counted = 0;
    for (const auto &[model, n] : statistics.cameras())
        counted += n;
    QCOMPARE(counted, withModel);
    QCOMPARE(int(statistics.cameras().size()), int(models.size()));
    QVERIFY(statistics.filesWithExif() >= withModel);
    QVERIFY(std::is_sorted(statistics.cameras().begin(), statistics.cameras().end(),
                           [](const auto &a, const auto &b) { return a.first.toUtf8() < b.first.toUtf8(); }));
}

QTEST_GUILESS_MAIN(TestExifStatistics)
#include "tst_exifstatistics.moc"
