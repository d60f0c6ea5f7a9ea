#include "core/exif/CanonIsoRule.h"
#include "core/exif/ContainerExif.h"
#include "core/exif/ExifByteSource.h"
#include "core/exif/JpegExifBlock.h"

#include <QTest>
#include <QtEndian>

using namespace quorvel;

namespace {

QByteArray le16(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values) {
        char b[2];
        qToLittleEndian(quint16(v), b);
        bytes.append(b, 2);
    }
    return bytes;
}

QByteArray entry(int tag, int type, quint32 count, quint32 offset)
{
    QByteArray bytes = le16({tag, type});
    char b[8];
    qToLittleEndian(count, b);
    qToLittleEndian(offset, b + 4);
    return bytes + QByteArray(b, 8);
}

// Settings bytes: `lead` values of noise, then an array of `count` values
// whose first is its length in bytes and whose 16th is code.
QByteArray settings(int lead, int count, int code)
{
    QByteArray bytes = le16({});
    for (int i = 0; i < lead; ++i)
        bytes += le16({0x7000 + i});
    bytes += le16({2 * count});
    for (int i = 1; i < count; ++i)
        bytes += le16({i == 16 ? code : 0x7100 + i});
    return bytes;
}

QByteArray be(quint32 value, int bytes)
{
    QByteArray out(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        out[bytes - 1 - i] = char((value >> (8 * i)) & 0xFF);
    return out;
}

QByteArray box(const char *type, const QByteArray &payload)
{
    return be(quint32(8 + payload.size()), 4) + QByteArray(type, 4) + payload;
}

QByteArray fullBox(const char *type, int version, const QByteArray &payload)
{
    return box(type, be(quint32(version) << 24, 4) + payload);
}

// The smallest EXIF blocks: a TIFF header and an empty directory.
const QByteArray kBlockLe("II*\0\x08\0\0\0\0\0\0\0\0\0", 14);
const QByteArray kBlockBe("MM\0*\0\0\0\x08\0\0\0\0\0\0", 14);

struct HeifItem
{
    int id;
    QByteArray payload;   // the Exif item's data: offset, then the block
    bool inIdat = false;
    quint32 lengthExtra = 0; // added to the extent's length (damage)
};

// A HEIF file whose meta box lists image item 1 (primary) and the Exif
// items; their data lies in the mdat box after it, or in the idat box.
// describes: the Exif item that a cdsc reference ties to item 1 (0: none).
QByteArray heifFile(const QList<HeifItem> &items, int describes = 0)
{
    const QByteArray ftyp = box("ftyp", QByteArray("heic") + be(0, 4) + "mif1heic");
    QByteArray infes = fullBox("infe", 2, be(1, 2) + be(0, 2) + "hvc1" + QByteArray(1, '\0'));
    for (const HeifItem &item : items)
        infes += fullBox("infe", 2, be(quint32(item.id), 2) + be(0, 2) + "Exif" + QByteArray(1, '\0'));
    const QByteArray iinf = fullBox("iinf", 0, be(quint32(items.size() + 1), 2) + infes);
    QByteArray idat;
    const auto meta = [&](quint32 mdatData) {
        QByteArray locs;
        quint32 inMdat = 0, inIdat = 0;
        for (const HeifItem &item : items) {
            const quint32 offset = item.inIdat ? inIdat : mdatData + inMdat;
            (item.inIdat ? inIdat : inMdat) += quint32(item.payload.size());
            locs += be(quint32(item.id), 2) + be(item.inIdat ? 1 : 0, 2) + be(0, 2) + be(1, 2) + be(offset, 4)
                + be(quint32(item.payload.size()) + item.lengthExtra, 4);
        }
        const QByteArray iloc = fullBox("iloc", 1, QByteArray("\x44\x00", 2) + be(quint32(items.size()), 2) + locs);
        QByteArray children = fullBox("pitm", 0, be(1, 2)) + iinf + iloc;
        if (describes)
            children += fullBox("iref", 0, box("cdsc", be(quint32(describes), 2) + be(1, 2) + be(1, 2)));
        idat.clear();
        for (const HeifItem &item : items)
            if (item.inIdat)
                idat += item.payload;
        if (!idat.isEmpty())
            children += box("idat", idat);
        return fullBox("meta", 0, children);
    };
    const quint32 mdatData = quint32(ftyp.size() + meta(0).size() + 8);
    QByteArray mdat;
    for (const HeifItem &item : items)
        if (!item.inIdat)
            mdat += item.payload;
    return ftyp + meta(mdatData) + box("mdat", mdat + QByteArray(16, 'x'));
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    return be(quint32(data.size()), 4) + QByteArray(type, 4) + data + be(0, 4); // the CRC is not checked
}

} // namespace

class TestExifParsers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void findCameraSettings_data();
    void findCameraSettings();
    void isoFromCameraSettings_data();
    void isoFromCameraSettings();
    void jpegFrameSize_data();
    void jpegFrameSize();
    void jpegExifBlock_data();
    void jpegExifBlock();
    void containerExifBlock_data();
    void containerExifBlock();
};

void TestExifParsers::findCameraSettings_data()
{
    QTest::addColumn<QByteArray>("makerNote");
    QTest::addColumn<bool>("found");
    QTest::addColumn<quint32>("count");
    QTest::addColumn<quint32>("offset");
    QTest::newRow("first entry") << le16({1}) + entry(1, 3, 46, 988) << true << 46u << 988u;
    QTest::newRow("third entry")
        << le16({3}) + entry(0, 3, 6, 10) + entry(2, 3, 4, 20) + entry(1, 3, 40, 1092) << true << 40u << 1092u;
    QTest::newRow("first of two tag-1 entries")
        << le16({2}) + entry(1, 3, 5, 100) + entry(1, 3, 7, 200) << true << 5u << 100u;
    QTest::newRow("no tag 1") << le16({1}) + entry(4, 3, 46, 988) << false << 0u << 0u;
    QTest::newRow("no entries") << le16({0}) + entry(1, 3, 46, 988) << false << 0u << 0u;
    QTest::newRow("empty") << QByteArray() << false << 0u << 0u;
    QTest::newRow("one byte") << QByteArray(1, '\x01') << false << 0u << 0u;
    // The count says more than the item holds: only whole entries inside it are read.
    QTest::newRow("count beyond the item") << le16({0xFFFF}) + entry(4, 3, 1, 1) << false << 0u << 0u;
    QTest::newRow("tag-1 entry cut short") << le16({2}) + entry(4, 3, 1, 1) + entry(1, 3, 9, 9).left(11) << false << 0u
                                           << 0u;
}

void TestExifParsers::findCameraSettings()
{
    QFETCH(QByteArray, makerNote);
    const auto found = canoniso::findCameraSettings(makerNote);
    QTEST(found.has_value(), "found");
    if (found) {
        QTEST(found->count, "count");
        QTEST(found->offset, "offset");
    }
}

void TestExifParsers::isoFromCameraSettings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<quint32>("count");
    QTest::addColumn<int>("iso");
    QTest::newRow("array at the offset") << settings(0, 40, 17) << 40u << 100;
    QTest::newRow("array six values on, as in camera JPEGs") << settings(6, 40, 16) << 40u << 50;
    QTest::newRow("code 15") << settings(6, 40, 15) << 40u << 15;
    QTest::newRow("code 18") << settings(6, 40, 18) << 40u << 200;
    QTest::newRow("code 19") << settings(6, 40, 19) << 40u << 400;
    QTest::newRow("code 20") << settings(6, 40, 20) << 40u << 0;
    QTest::newRow("code 0") << settings(6, 40, 0) << 40u << 0;
    QTest::newRow("length not found") << settings(6, 40, 17) << 41u << 0;
    QTest::newRow("count too large for a 16-bit length") << settings(0, 40, 17) << 0x10000u + 40u << 0;
    QTest::newRow("nothing read") << QByteArray() << 40u << 0;
    // The ISO code must lie within the 512 bytes read.
    QTest::newRow("code is the last value read") << settings(239, 17, 17).left(512) << 17u << 100;
    QTest::newRow("code just past the bytes read") << settings(240, 17, 17) << 17u << 0;
    QTest::newRow("array starts past 512 bytes") << settings(300, 40, 17) << 40u << 0;
    QTest::newRow("odd byte at the end") << settings(0, 17, 17) + QByteArray(1, '\0') << 17u << 100;
}

void TestExifParsers::isoFromCameraSettings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(quint32, count);
    QTEST(canoniso::isoFromCameraSettings(bytes, count), "iso");
}

void TestExifParsers::jpegExifBlock_data()
{
    const QByteArray soi("\xFF\xD8", 2);
    const QByteArray exif = QByteArray("Exif\0\0", 6) + QByteArray("II*\0", 4);
    const auto segment = [](char marker, const QByteArray &payload) {
        const int length = int(payload.size()) + 2;
        return QByteArray("\xFF", 1) + marker + char(length >> 8) + char(length & 0xFF) + payload;
    };
    const QByteArray sos = segment('\xDA', QByteArray(10, '\0'));

    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("block");
    QTest::newRow("first segment") << soi + segment('\xE1', exif) + sos << QByteArray("II*\0", 4);
    QTest::newRow("after JFIF and XMP")
        << soi + segment('\xE0', "JFIF") + segment('\xE1', "http://ns.adobe.com/xap/1.0/") + segment('\xE1', exif) + sos
        << QByteArray("II*\0", 4);
    QTest::newRow("fill bytes and restart marker")
        << soi + QByteArray("\xFF\xFF\xFF\xD0", 4) + segment('\xE1', exif) << QByteArray("II*\0", 4);
    QTest::newRow("first of two") << soi + segment('\xE1', exif) + segment('\xE1', exif + "MM") << QByteArray("II*\0", 4);
    QTest::newRow("after the image data") << soi + sos + segment('\xE1', exif) << QByteArray();
    QTest::newRow("segment cut short") << soi + segment('\xE1', exif).left(12) << QByteArray();
    QTest::newRow("length below two") << soi + QByteArray("\xFF\xE1\x00\x01", 4) + exif << QByteArray();
    QTest::newRow("garbage between segments") << soi + "xx" + segment('\xE1', exif) << QByteArray();
    QTest::newRow("not a JPEG") << segment('\xE1', exif) << QByteArray();
    // Segments that lie beyond the bytes read at first are found too.
    QTest::newRow("beyond the head")
        << soi + segment('\xE2', QByteArray(65000, 'a')) + segment('\xE2', QByteArray(65000, 'b')) + segment('\xE1', exif)
        << QByteArray("II*\0", 4);
}

void TestExifParsers::jpegExifBlock()
{
    QFETCH(QByteArray, file);
    ExifByteSource source(file.constData(), file.size());
    QTEST(jpegexif::find(source), "block");
}

void TestExifParsers::containerExifBlock_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("block");
    const QByteArray payload = be(0, 4) + kBlockLe;
    // Offsets to the TIFF header other than 0, as some writers put the
    // JPEG segment's "Exif\0\0" before it.
    const QByteArray prefixed = be(6, 4) + QByteArray("Exif\0\0", 6) + kBlockLe;

    QTest::newRow("heif, in the mdat box") << heifFile({{2, payload}}) << kBlockLe;
    QTest::newRow("heif, prefixed") << heifFile({{2, prefixed}}) << kBlockLe;
    QTest::newRow("heif, in the idat box") << heifFile({{2, payload, true}}) << kBlockLe;
    QTest::newRow("heif, the one describing the primary")
        << heifFile({{2, payload}, {3, be(0, 4) + kBlockBe}}, 3) << kBlockBe;
    QTest::newRow("heif, no reference: the first") << heifFile({{2, payload}, {3, be(0, 4) + kBlockBe}}) << kBlockLe;
    QTest::newRow("heif, extent beyond the file") << heifFile({{2, payload, false, 1000}}) << QByteArray();
    QTest::newRow("heif, extent beyond idat") << heifFile({{2, payload, true, 1}}) << QByteArray();
    QTest::newRow("heif, offset beyond the item") << heifFile({{2, be(500, 4) + kBlockLe}}) << QByteArray();
    QTest::newRow("heif, no tiff header") << heifFile({{2, be(0, 4) + QByteArray(14, 'z')}}) << QByteArray();
    QTest::newRow("heif, no exif item") << heifFile({}) << QByteArray();
    const QByteArray whole = heifFile({{2, payload}});
    QTest::newRow("heif, meta cut short") << whole.left(60) << QByteArray();
    QTest::newRow("iso media without meta") << box("ftyp", QByteArray("isom") + be(0, 4) + "mp41") + box("mdat", payload)
                                            << QByteArray();

    const QByteArray jxlSignature = box("JXL ", QByteArray("\r\n\x87\n", 4)) + box("ftyp", QByteArray("jxl ") + be(0, 4) + "jxl ");
    QTest::newRow("jxl, exif box") << jxlSignature + box("jxlc", QByteArray(20, 'c')) + box("Exif", payload) << kBlockLe;
    QTest::newRow("jxl, prefixed") << jxlSignature + box("Exif", prefixed) + box("jxlc", QByteArray(20, 'c')) << kBlockLe;
    QTest::newRow("jxl, damaged brob") << jxlSignature + box("brob", QByteArray("Exif") + QByteArray(20, 'q')) << QByteArray();
    QTest::newRow("jxl, box longer than the file") << (jxlSignature + box("Exif", payload)).chopped(3) << QByteArray();

    const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n") + pngChunk("IHDR", QByteArray(13, '\1'));
    QTest::newRow("png, after the pixels") << png + pngChunk("IDAT", "xxxx") + pngChunk("eXIf", kBlockBe) + pngChunk("IEND", {})
                                           << kBlockBe;
    QTest::newRow("png, prefixed") << png + pngChunk("eXIf", QByteArray("Exif\0\0", 6) + kBlockLe) << kBlockLe;
    QTest::newRow("png, after the end") << png + pngChunk("IEND", {}) + pngChunk("eXIf", kBlockLe) << QByteArray();
    QTest::newRow("png, chunk longer than the file") << (png + pngChunk("eXIf", kBlockLe)).chopped(6) << QByteArray();

    const auto webp = [](const QByteArray &chunks) {
        QByteArray size(4, '\0');
        qToLittleEndian<quint32>(quint32(4 + chunks.size()), size.data());
        return QByteArray("RIFF") + size + "WEBP" + chunks;
    };
    const auto chunk = [](const char *type, const QByteArray &data) {
        QByteArray size(4, '\0');
        qToLittleEndian<quint32>(quint32(data.size()), size.data());
        return QByteArray(type, 4) + size + data + (data.size() % 2 ? QByteArray(1, '\0') : QByteArray());
    };
    QTest::newRow("webp") << webp(chunk("VP8X", QByteArray(10, '\0')) + chunk("VP8 ", "abc") + chunk("EXIF", kBlockLe))
                          << kBlockLe;
    QTest::newRow("webp, prefixed") << webp(chunk("EXIF", QByteArray("Exif\0\0", 6) + kBlockBe)) << kBlockBe;
    QTest::newRow("webp, chunk longer than the file") << webp(chunk("EXIF", kBlockLe)).chopped(4) << QByteArray();
}

void TestExifParsers::containerExifBlock()
{
    QFETCH(QByteArray, file);
    ExifByteSource source(file.constData(), file.size());
    QTEST(containerexif::find(source), "block");
}

void TestExifParsers::jpegFrameSize_data()
{
    const QByteArray soi("\xFF\xD8", 2);
    const auto segment = [](char marker, const QByteArray &payload) {
        const int length = int(payload.size()) + 2;
        return QByteArray("\xFF", 1) + marker + char(length >> 8) + char(length & 0xFF) + payload;
    };
    // Precision 8, height 3000 (0x0BB8), width 4000 (0x0FA0), three components.
    const QByteArray frame = QByteArray("\x08\x0B\xB8\x0F\xA0\x03", 6) + QByteArray(9, '\x11');
    const QByteArray sos = segment('\xDA', QByteArray(10, '\0'));
    const QByteArray exif = segment('\xE1', QByteArray("Exif\0\0II*\0", 10));

    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("baseline after EXIF") << soi + exif + segment('\xDB', "q") + segment('\xC0', frame) + sos
                                         << QSize(4000, 3000);
    QTest::newRow("progressive") << soi + segment('\xC2', frame) + sos << QSize(4000, 3000);
    QTest::newRow("tables are not frames") << soi + segment('\xC4', frame) + segment('\xCC', frame) + sos << QSize();
    QTest::newRow("beyond the head")
        << soi + segment('\xE2', QByteArray(65000, 'a')) + segment('\xE2', QByteArray(65000, 'b'))
               + segment('\xC1', frame) + sos
        << QSize(4000, 3000);
    QTest::newRow("no frame before the scan") << soi + exif + sos + segment('\xC0', frame) << QSize();
    QTest::newRow("frame cut short") << soi + segment('\xC0', frame).left(7) << QSize();
    QTest::newRow("height defined later (zero)")
        << soi + segment('\xC0', QByteArray("\x08\x00\x00\x0F\xA0\x03", 6)) + sos << QSize();
}

void TestExifParsers::jpegFrameSize()
{
    QFETCH(QByteArray, file);
    ExifByteSource source(file.constData(), file.size());
    QTEST(jpegexif::frameSize(source), "size");
}

QTEST_GUILESS_MAIN(TestExifParsers)
#include "tst_exifparsers.moc"
