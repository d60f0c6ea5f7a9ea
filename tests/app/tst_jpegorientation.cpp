// quorvel-tool reads the EXIF orientation of a JPEG it decodes itself
// without Qt (JpegOrientation); whatever the file holds, it must find what
// the program's own reader finds.

#include "FileBytes.h"
#include "JpegOrientation.h"

#include "core/exif/ExifOrientation.h"
#include "support/ExifOrientationFiles.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace quorvel;

namespace {

QByteArray segment(uchar marker, const QByteArray &body)
{
    const int length = int(body.size()) + 2;
    QByteArray s;
    s += char(0xFF);
    s += char(marker);
    s += char(length >> 8);
    s += char(length & 0xFF);
    return s + body;
}

QByteArray exifSegment(const QByteArray &tiff)
{
    return segment(0xE1, QByteArray("Exif\0\0", 6) + tiff);
}

// A classic TIFF structure whose first directory at ifd holds the given
// 12-byte entries.
QByteArray tiff(bool big, const QList<QByteArray> &entries, quint32 ifd = 8)
{
    QByteArray t = big ? QByteArray("MM\0*", 4) : QByteArray("II*\0", 4);
    const auto u16 = [big](quint16 v) {
        QByteArray b(2, '\0');
        big ? qToBigEndian(v, b.data()) : qToLittleEndian(v, b.data());
        return b;
    };
    const auto u32 = [big](quint32 v) {
        QByteArray b(4, '\0');
        big ? qToBigEndian(v, b.data()) : qToLittleEndian(v, b.data());
        return b;
    };
    t += u32(ifd);
    t += QByteArray(int(ifd) - 8 > 0 ? int(ifd) - 8 : 0, '\0');
    t += u16(quint16(entries.size()));
    for (const QByteArray &e : entries)
        t += e;
    return t + u32(0);
}

QByteArray entry(bool big, quint16 tag, quint16 type, quint32 count, quint32 value)
{
    QByteArray e(12, '\0');
    if (big) {
        qToBigEndian(tag, e.data());
        qToBigEndian(type, e.data() + 2);
        qToBigEndian(count, e.data() + 4);
        if (type == 3)
            qToBigEndian(quint16(value), e.data() + 8);
        else
            qToBigEndian(value, e.data() + 8);
    } else {
        qToLittleEndian(tag, e.data());
        qToLittleEndian(type, e.data() + 2);
        qToLittleEndian(count, e.data() + 4);
        qToLittleEndian(value, e.data() + 8);
    }
    return e;
}

// A BigTIFF structure with one Orientation entry.
QByteArray bigTiff(quint16 value)
{
    QByteArray t("II+\0\x08\0\0\0", 8);
    t += QByteArray("\x10\0\0\0\0\0\0\0", 8);            // first directory at 16
    t += QByteArray("\x01\0\0\0\0\0\0\0", 8);            // one entry
    QByteArray e(20, '\0');
    qToLittleEndian(quint16(0x0112), e.data());
    qToLittleEndian(quint16(3), e.data() + 2);
    qToLittleEndian(quint64(1), e.data() + 4);
    qToLittleEndian(value, e.data() + 12);
    return t + e + QByteArray(8, '\0');
}

} // namespace

class TestJpegOrientation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void asTheProgramReadsIt_data();
    void asTheProgramReadsIt();
};

void TestJpegOrientation::asTheProgramReadsIt_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("expected");
    const QByteArray jpeg = test::readFile(test::sharedFile("jpeg/testorig.jpg"));
    if (jpeg.isEmpty())
        QSKIP("shared test data not found; set QUORVEL_TESTDATA");
    const QByteArray soi = jpeg.left(2), rest = jpeg.mid(2);
    const QByteArray dqtOnly = segment(0xDB, QByteArray(65, '\0'));

    for (int o = 1; o <= 8; ++o)
        QTest::addRow("written by Exiv2, %d", o) << test::withOrientation(jpeg, o) << o;
    QTest::newRow("no EXIF") << jpeg << 1;
    QTest::newRow("little-endian SHORT")
        << soi + exifSegment(tiff(false, {entry(false, 0x0112, 3, 1, 6)})) + rest << 6;
    QTest::newRow("big-endian SHORT") << soi + exifSegment(tiff(true, {entry(true, 0x0112, 3, 1, 7)})) + rest << 7;
    QTest::newRow("big-endian LONG") << soi + exifSegment(tiff(true, {entry(true, 0x0112, 4, 1, 5)})) + rest << 5;
    QTest::newRow("LONG beyond 9") << soi + exifSegment(tiff(false, {entry(false, 0x0112, 4, 1, 70000)})) + rest << 1;
    QTest::newRow("value 0") << soi + exifSegment(tiff(false, {entry(false, 0x0112, 3, 1, 0)})) + rest << 1;
    QTest::newRow("two values") << soi + exifSegment(tiff(false, {entry(false, 0x0112, 3, 2, 6)})) + rest << 1;
    QTest::newRow("type BYTE") << soi + exifSegment(tiff(false, {entry(false, 0x0112, 1, 1, 6)})) + rest << 1;
    QTest::newRow("after other entries")
        << soi + exifSegment(tiff(false, {entry(false, 0x010F, 2, 4, 0), entry(false, 0x0112, 3, 1, 8)})) + rest << 8;
    QTest::newRow("directory further on")
        << soi + exifSegment(tiff(false, {entry(false, 0x0112, 3, 1, 3)}, 40)) + rest << 3;
    QTest::newRow("directory past the block")
        << soi + exifSegment(QByteArray("II*\0\xF0\0\0\0", 8) + QByteArray(8, '\0')) + rest << 1;
    QTest::newRow("directory cut short")
        << soi + exifSegment(tiff(false, {entry(false, 0x0112, 3, 1, 6)}).left(18)) + rest << 1;
    QTest::newRow("no byte order") << soi + exifSegment(QByteArray("XX*\0\x08\0\0\0", 8)) + rest << 1;
    QTest::newRow("BigTIFF") << soi + exifSegment(bigTiff(6)) + rest << 6;
    QTest::newRow("BigTIFF cut short") << soi + exifSegment(bigTiff(6).left(15)) + rest << 1;
    QTest::newRow("first of two EXIF segments")
        << soi + exifSegment(tiff(false, {entry(false, 0x0112, 3, 1, 2)}))
               + exifSegment(tiff(false, {entry(false, 0x0112, 3, 1, 4)})) + rest
        << 2;
    QTest::newRow("after an APP1 that is not EXIF")
        << soi + segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>")
               + exifSegment(tiff(false, {entry(false, 0x0112, 3, 1, 6)})) + rest
        << 6;
    QTest::newRow("after fill bytes and other segments")
        << soi + dqtOnly + QByteArray("\xFF\xFF", 2) + exifSegment(tiff(false, {entry(false, 0x0112, 3, 1, 6)})) + rest
        << 6;
    QTest::newRow("behind the first scan")
        << soi + segment(0xDA, QByteArray(10, '\0')) + exifSegment(tiff(false, {entry(false, 0x0112, 3, 1, 6)})) << 1;
    QTest::newRow("segment past the end of the file")
        << soi + exifSegment(tiff(false, {entry(false, 0x0112, 3, 1, 6)})).left(30) << 1;
    QTest::newRow("EXIF id cut short") << soi + QByteArray("\xFF\xE1\0\x08" "Exi", 7) << 1;
    QTest::newRow("length below 2") << soi + QByteArray("\xFF\xE0\0\x01", 4) + rest << 1;
    QTest::newRow("no marker") << soi + QByteArray("\x12\x34", 2) + rest << 1;
    QTest::newRow("SOI alone") << soi << 1;
}

void TestJpegOrientation::asTheProgramReadsIt()
{
    QFETCH(QByteArray, file);
    QFETCH(int, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.jpg"));
    QVERIFY(test::writeFile(path, file));
    QCOMPARE(exiforientation::fromFile(path), expected);
    cli::FileBytes bytes;
    QVERIFY(bytes.open(QFile::encodeName(path).constData()));
    QCOMPARE(cli::jpegOrientation(bytes), expected);
}

QTEST_GUILESS_MAIN(TestJpegOrientation)
#include "tst_jpegorientation.moc"
