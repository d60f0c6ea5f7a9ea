#include "ExifTestFiles.h"

#include "core/exif/Exiv2Include.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QtEndian>

namespace quorvel::test {

namespace {

constexpr quint32 kOffsetPlaceholder = 0xDEADBEEF;
constexpr int kSettingsCount = 24;

bool addEntry(Exiv2::ExifData &data, const QString &entry)
{
    const QString key = entry.section(u' ', 0, 0);
    const QString type = entry.section(u' ', 1, 1);
    const QString text = entry.section(u' ', 2);
    const Exiv2::TypeId typeId = Exiv2::TypeInfo::typeId(type.toStdString());
    if (typeId == Exiv2::invalidTypeId)
        return false;
    auto value = Exiv2::Value::create(typeId);
    if (value->read(text.toStdString()) != 0)
        return false;
    data.add(Exiv2::ExifKey(key.toStdString()), value.get());
    return true;
}

QByteArray withExif(const Exiv2::ExifData &data)
{
    const QByteArray jpeg = plainJpeg();
    try {
        auto image = quorvel::exiv2::openMemory(jpeg.constData(), jpeg.size());
        image->setExifData(data);
        image->writeMetadata();
        Exiv2::BasicIo &io = image->io();
        io.seek(0, Exiv2::BasicIo::beg);
        QByteArray bytes(qsizetype(io.size()), Qt::Uninitialized);
        io.read(reinterpret_cast<Exiv2::byte *>(bytes.data()), long(bytes.size()));
        return bytes;
    } catch (const std::exception &e) {
        QTest::qFail(e.what(), __FILE__, __LINE__);
        return QByteArray();
    }
}

void putLe16(QByteArray &bytes, qsizetype at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void putLe32(QByteArray &bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

} // namespace

QByteArray plainJpeg()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

QByteArray jpegWithExif(const QStringList &entries)
{
    Exiv2::ExifData data;
    for (const QString &entry : entries) {
        if (!addEntry(data, entry)) {
            QTest::qFail(qPrintable(QStringLiteral("bad EXIF entry: ") + entry), __FILE__, __LINE__);
            return QByteArray();
        }
    }
    return withExif(data);
}

QByteArray canonJpeg(const QStringList &entries, int isoCode)
{
    Exiv2::ExifData data;
    for (const QString &entry : entries) {
        if (!addEntry(data, entry))
            return QByteArray();
    }
    // One IFD entry (tag 1, SHORT, count, offset), no next IFD, then the
    // camera-settings array: its length in bytes first, the ISO code at 16.
    const qsizetype arrayAt = 2 + 12 + 4;
    QByteArray note(arrayAt + 2 * kSettingsCount, '\0');
    putLe16(note, 0, 1);
    putLe16(note, 2, 1);
    putLe16(note, 4, 3);
    putLe32(note, 6, kSettingsCount);
    putLe32(note, 10, kOffsetPlaceholder);
    putLe16(note, arrayAt, 2 * kSettingsCount);
    for (int i = 1; i < kSettingsCount; ++i)
        putLe16(note, arrayAt + 2 * i, quint16(0x7100 + i)); // never mistaken for the length
    putLe16(note, arrayAt + 2 * 16, quint16(isoCode));
    Exiv2::DataValue value(reinterpret_cast<const Exiv2::byte *>(note.constData()), long(note.size()));
    data.add(Exiv2::ExifKey("Exif.Photo.MakerNote"), &value);

    QByteArray file = withExif(data);
    const qsizetype noteAt = file.indexOf(note.left(arrayAt));
    const qsizetype tiffAt = file.indexOf(QByteArrayView("Exif\0\0", 6)) + 6;
    if (noteAt < 0 || tiffAt < 6) {
        QTest::qFail("maker note not found in the written file", __FILE__, __LINE__);
        return QByteArray();
    }
    putLe32(file, noteAt + 10, quint32(noteAt + arrayAt - tiffAt));
    return file;
}

} // namespace quorvel::test
