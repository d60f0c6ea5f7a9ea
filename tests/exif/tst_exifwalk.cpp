// The six tags read straight from the EXIF block: the same fields as the
// metadata library's full decoding gives, only the bytes they need read,
// hostile offsets refused without a read, and each file of a folder read
// once by a list fill followed by the export and the statistics.

#include "ExifTestFiles.h"
#include "support/TestSupport.h"

#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifIfdWalker.h"
#include "core/exif/ExifReader.h"
#include "core/exif/ExifStatistics.h"
#include "core/exif/ImagesInfoExport.h"
#include "core/exif/JpegExifBlock.h"
#include "core/files/FileListModel.h"
#include "core/files/FolderScanner.h"
#include "core/files/PathUtil.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace quorvel;
using namespace quorvel::test;

namespace {
QString describe(const quorvel::ExifFields &f)
{
    return QStringLiteral("{present %1, model \"%2\", date \"%3\", f %4, focal %5, iso %6, exposure %7/%8}")
        .arg(f.present)
        .arg(f.model, f.dateTimeOriginal)
        .arg(double(f.fNumber))
        .arg(double(f.focalLength))
        .arg(f.iso)
        .arg(f.exposureNumerator)
        .arg(f.exposureDenominator);
}
} // namespace

namespace QTest {
template<>
char *toString(const quorvel::ExifFields &f)
{
    return qstrdup(qPrintable(describe(f)));
}
} // namespace QTest

namespace {

// A little-endian TIFF structure built entry by entry, values placed where
// the test says.
class TiffBlock
{
public:
    explicit TiffBlock(int entries, qsizetype size = 512)
        : m_bytes(size, '\0')
    {
        m_bytes.replace(0, 8, QByteArray("II*\0\x08\0\0\0", 8));
        qToLittleEndian<quint16>(quint16(entries), m_bytes.data() + 8);
    }
    // Entry i of IFD0 (at offset 8).
    void entry(int i, quint16 tag, quint16 type, quint32 count, quint32 value)
    {
        char *p = m_bytes.data() + 10 + 12 * i;
        qToLittleEndian(tag, p);
        qToLittleEndian(type, p + 2);
        qToLittleEndian(count, p + 4);
        qToLittleEndian(value, p + 8);
    }
    void put(qsizetype at, const QByteArray &bytes) { m_bytes.replace(at, bytes.size(), bytes); }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// A JPEG whose APP1 segment holds block, followed by padding bytes after the
// end of the picture (as some cameras leave).
QByteArray jpegWithBlock(const QByteArray &block, qsizetype padding = 0)
{
    const QByteArray plain = plainJpeg();
    QByteArray segment("\xFF\xE1", 2);
    const int length = 2 + 6 + int(block.size());
    segment.append(char(length >> 8)).append(char(length & 0xFF));
    segment.append(QByteArray("Exif\0\0", 6)).append(block);
    return plain.left(2) + segment + plain.mid(2) + QByteArray(padding, '\0');
}

QStringList sampleFiles()
{
    QStringList files;
    const QString root = sharedTestData();
    if (root.isEmpty())
        return files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace

class TestExifWalk : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sameAsLibraryOnSamples();
    void sameAsLibraryOnDamagedBlocks();
    void sameAsLibraryOnBuiltBlocks_data();
    void sameAsLibraryOnBuiltBlocks();
    void valueBeyondFirstBlock();
    void hostileOffsetsReadNothing_data();
    void hostileOffsetsReadNothing();
    void eachFileOpenedOnce();

private:
    QTemporaryDir m_dir;
};

void TestExifWalk::sameAsLibraryOnSamples()
{
    const QStringList files = sampleFiles();
    if (files.isEmpty())
        QSKIP("shared test data not found; set QUORVEL_TESTDATA");
    int withFields = 0;
    for (const QString &path : files) {
        ExifFields walked, decoded;
        const bool a = readExifFields(path, walked);
        const bool b = readExifFieldsThroughLibrary(path, decoded);
        QVERIFY2(walked == decoded, qPrintable(path + QStringLiteral(": ") + describe(walked) +
                                                QStringLiteral(" / ") + describe(decoded)));
        QVERIFY2(a == b, qPrintable(path));
        ExifFields listed;
        QCOMPARE(readListedExifFields(path, listed), a);
        QVERIFY2(listed == walked, qPrintable(path));
        withFields += walked.present;
    }
    QVERIFY(withFields >= 15);
}

// Every sample JPEG's EXIF block with single bytes changed throughout its
// directories: damaged counts, types and offsets give what the library's
// decoding gives.
void TestExifWalk::sameAsLibraryOnDamagedBlocks()
{
    const QStringList files = sampleFiles();
    if (files.isEmpty())
        QSKIP("shared test data not found; set QUORVEL_TESTDATA");
    int mutations = 0;
    for (const QString &path : files) {
        const QByteArray original = readFile(path);
        ExifByteSource source(original.constData(), original.size());
        const jpegexif::BlockPlace place = jpegexif::locate(source);
        if (place.size <= 0)
            continue;
        // Every byte of the first directories, then every 13th up to 6 KB.
        const qint64 span = std::min<qint64>(place.size, 6000);
        for (qint64 at = 0; at < span; at += at < 400 ? 1 : 13) {
            for (const uchar value : {uchar(0x00), uchar(0xFF), uchar(0x7F)}) {
                QByteArray bytes = original;
                bytes[place.offset + at] = char(value);
                ExifFields walked, decoded;
                readExifFieldsFromMemory(bytes.constData(), bytes.size(), walked);
                readExifFieldsFromMemoryThroughLibrary(bytes.constData(), bytes.size(), decoded);
                if (!(walked == decoded))
                    QFAIL(qPrintable(QStringLiteral("%1, byte %2 = %3: ").arg(path).arg(at).arg(value) +
                                     describe(walked) + QStringLiteral(" / ") + describe(decoded)));
                ++mutations;
            }
        }
    }
    QVERIFY(mutations > 1000);
}

void TestExifWalk::sameAsLibraryOnBuiltBlocks_data()
{
    QTest::addColumn<QByteArray>("block");
    {
        TiffBlock b(1);
        b.entry(0, 0x0110, 2, 8, 100);
        b.put(100, "Camera\0\0");
        QTest::newRow("model") << b.bytes();
    }
    {
        TiffBlock b(1);
        b.entry(0, 0x0110, 2, 40, 500); // runs past the end of the block
        b.put(500, "Camera 12345");
        QTest::newRow("value cut off by the end") << b.bytes();
    }
    {
        TiffBlock b(2);
        b.entry(0, 0x0110, 2, 0x10000000, 100); // passed over: the next one counts
        b.entry(1, 0x0110, 2, 4, quint32(qFromLittleEndian<quint32>("Abc\0")));
        QTest::newRow("huge count passed over") << b.bytes();
    }
    {
        TiffBlock b(2);
        b.entry(0, 0x0110, 3, 1, 7); // wrong type: the field is absent
        b.entry(1, 0x0110, 2, 4, quint32(qFromLittleEndian<quint32>("Abc\0")));
        QTest::newRow("first entry of a wrong type") << b.bytes();
    }
    {
        TiffBlock b(2);
        b.entry(0, 0x8769, 4, 1, 8); // the Exif IFD is IFD0 again
        b.entry(1, 0x829A, 5, 1, 200);
        b.put(200, QByteArray("\x01\0\0\0\x3C\0\0\0", 8));
        QTest::newRow("Exif IFD pointing at IFD0") << b.bytes();
    }
    {
        TiffBlock b(2);
        b.entry(0, 0x8769, 4, 1, 100);
        b.entry(1, 0x829D, 5, 1, 300); // an f-number in IFD0 is the fallback
        b.put(100, QByteArray("\x02\0", 2));
        QByteArray e(24, '\0');
        qToLittleEndian<quint16>(0x8827, e.data());
        qToLittleEndian<quint16>(3, e.data() + 2);
        qToLittleEndian<quint32>(1, e.data() + 4);
        qToLittleEndian<quint16>(200, e.data() + 8);
        qToLittleEndian<quint16>(0x829D, e.data() + 12);
        qToLittleEndian<quint16>(5, e.data() + 14);
        qToLittleEndian<quint32>(1, e.data() + 16);
        qToLittleEndian<quint32>(320, e.data() + 20);
        b.put(102, e);
        b.put(300, QByteArray("\x1C\0\0\0\x0A\0\0\0", 8));
        b.put(320, QByteArray("\x38\0\0\0\x0A\0\0\0", 8));
        QTest::newRow("Exif IFD preferred, IFD0 as fallback") << b.bytes();
    }
    {
        TiffBlock b(300); // more than 256 entries: the directory is not read
        b.entry(0, 0x0110, 2, 4, quint32(qFromLittleEndian<quint32>("Abc\0")));
        QTest::newRow("too many entries") << b.bytes();
    }
    {
        TiffBlock b(20, 40); // entries cut off by the end of the block
        b.entry(0, 0x0110, 2, 4, quint32(qFromLittleEndian<quint32>("Abc\0")));
        QTest::newRow("directory cut off") << b.bytes();
    }
}

void TestExifWalk::sameAsLibraryOnBuiltBlocks()
{
    QFETCH(QByteArray, block);
    const QByteArray jpeg = jpegWithBlock(block);
    ExifFields walked, decoded;
    const bool a = readExifFieldsFromMemory(jpeg.constData(), jpeg.size(), walked);
    const bool b = readExifFieldsFromMemoryThroughLibrary(jpeg.constData(), jpeg.size(), decoded);
    QCOMPARE(walked, decoded);
    QCOMPARE(a, b);
}

// A long description before the model puts the model's value and the Exif
// IFD beyond the first bytes read: the read grows to reach them, and no
// further.
void TestExifWalk::valueBeyondFirstBlock()
{
    QVERIFY(m_dir.isValid());
    const QString description(20000, u'd');
    const QByteArray exif = jpegWithExif({"Exif.Image.ImageDescription Ascii " + description,
                                          "Exif.Image.Model Ascii Far Away Camera",
                                          "Exif.Photo.ExposureTime Rational 1/250", "Exif.Photo.ISOSpeedRatings Short 400"});
    QVERIFY(!exif.isEmpty());
    const QString path = m_dir.filePath(QStringLiteral("far.jpg"));
    QVERIFY(writeFile(path, exif + QByteArray(2 << 20, '\0')));

    ExifByteSource source(path);
    QVERIFY(source.isOpen());
    const jpegexif::BlockPlace place = jpegexif::locate(source);
    QVERIFY(place.size > 20000);
    ExifFields out;
    QVERIFY(exififd::readSixTags(source, place.offset, place.size, out));
    QCOMPARE(out.model, QStringLiteral("Far Away Camera"));
    QCOMPARE(out.exposureDenominator, 250);
    QCOMPARE(out.iso, 400);
    QVERIFY2(source.bytesRead() <= 64 * 1024, qPrintable(QString::number(source.bytesRead())));

    ExifFields viaPath;
    QVERIFY(readExifFields(path, viaPath));
    QCOMPARE(viaPath.model, QStringLiteral("Far Away Camera"));
}

void TestExifWalk::hostileOffsetsReadNothing_data()
{
    QTest::addColumn<QByteArray>("block");
    {
        TiffBlock b(1);
        b.entry(0, 0x0110, 2, 0x0FFFFFFF, 16);
        QTest::newRow("a model of 256 MB") << b.bytes();
    }
    {
        TiffBlock b(1);
        b.entry(0, 0x0110, 2, 64, 0xFFFFFF00);
        QTest::newRow("a model at 4 GB") << b.bytes();
    }
    {
        TiffBlock b(1);
        b.entry(0, 0x8769, 4, 1, 0x7FFFFFF0);
        QTest::newRow("an Exif IFD at 2 GB") << b.bytes();
    }
    {
        TiffBlock b(1);
        b.entry(0, 0x8769, 4, 0x0FFFFFFF, 0x100);
        QTest::newRow("a million Exif IFDs") << b.bytes();
    }
    {
        QByteArray bytes = TiffBlock(0).bytes();
        qToLittleEndian<quint32>(0x7FFFFFF0, bytes.data() + 4);
        QTest::newRow("IFD0 at 2 GB") << bytes;
    }
}

// Offsets beyond the block are refused before anything is read, whatever
// lies in the file beyond: the reads stay within the first bytes.
void TestExifWalk::hostileOffsetsReadNothing()
{
    QFETCH(QByteArray, block);
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(QStringLiteral("hostile.jpg"));
    QVERIFY(writeFile(path, jpegWithBlock(block, 8 << 20)));
    ExifByteSource source(path);
    QVERIFY(source.isOpen());
    const jpegexif::BlockPlace place = jpegexif::locate(source);
    QVERIFY(place.size > 0);
    ExifFields out;
    exififd::readSixTags(source, place.offset, place.size, out);
    QVERIFY(out.model.isEmpty());
    QCOMPARE(source.bytesRead(), ExifByteSource::kHeadBytes);
}

// The list's fill reads each file once; the export and the statistics take
// the fields it read, with the same result as reading them again.
void TestExifWalk::eachFileOpenedOnce()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const int count = 12;
    for (int i = 0; i < count; ++i) {
        const QByteArray bytes = jpegWithExif({QStringLiteral("Exif.Image.Model Ascii Camera %1").arg(i % 3),
                                               QStringLiteral("Exif.Photo.FNumber Rational %1/10").arg(20 + i)});
        QVERIFY(writeFile(dir.filePath(QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0'))), bytes));
    }
    const QString folder = withTrailingSeparator(dir.path());
    FileListModel model;
    FileListModel::Providers providers;
    providers.exifRecord = [](const QString &path) {
        ExifRecord record;
        record.read = readExifFields(path, record.fields);
        return record;
    };
    model.setProviders(providers);
    model.setShowMode(1);

    const quint64 before = ExifByteSource::filesOpened();
    model.fill(FolderScanner(dir.path()).scan(FolderScanner::Images), folder, QString());
    QCOMPARE(model.rowCount(), count);
    QCOMPARE(ExifByteSource::filesOpened() - before, quint64(count));

    const quint64 afterFill = ExifByteSource::filesOpened();
    const QByteArray reused = imagesinfo::listedFileText(imagesinfo::listedFiles(model));
    ExifStatistics reusedStatistics;
    const auto known = model.exifRecordsByScanIndex();
    QVERIFY(reusedStatistics.gather(model.folder(), model.names(), {}, nullptr, &known));
    QCOMPARE(ExifByteSource::filesOpened(), afterFill);

    // Read again from the files: the same text and the same report.
    QCOMPARE(reused, imagesinfo::fileText(imagesinfo::listedPaths(model)));
    ExifStatistics readStatistics;
    QVERIFY(readStatistics.gather(model.folder(), model.names()));
    QCOMPARE(reusedStatistics.rows(model.folder()), readStatistics.rows(model.folder()));
    QCOMPARE(reusedStatistics.filesWithExif(), count);
}

QTEST_GUILESS_MAIN(TestExifWalk)
#include "tst_exifwalk.moc"
