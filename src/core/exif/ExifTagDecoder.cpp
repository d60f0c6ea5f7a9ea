#include "core/exif/ExifTagDecoder.h"

#include "core/exif/ExifFormat.h"
#include "core/exif/Exiv2Include.h"

#include <QStringDecoder>

#include <climits>
#include <cmath>
#include <cstring>

namespace quorvel::exiftags {

namespace {

enum Tag : uint16_t {
    Model = 0x0110,
    ExposureTime = 0x829A,
    FNumber = 0x829D,
    IsoSpeedRatings = 0x8827,
    DateTimeOriginal = 0x9003,
    FocalLength = 0x920A,
    MakerNoteTag = 0x927C,
};

int ifd0Id()
{
    static const int id = Exiv2::ExifKey("Exif.Image.Model").ifdId();
    return id;
}

int exifIfdId()
{
    static const int id = Exiv2::ExifKey("Exif.Photo.ExposureTime").ifdId();
    return id;
}

// The entry with tag in the IFD where the standard places it, else in the
// other main-image IFD; nullptr when neither has one.
const Exiv2::Exifdatum *findEntry(const Exiv2::ExifData &data, uint16_t tag, bool inIfd0)
{
    const int preferred = inIfd0 ? ifd0Id() : exifIfdId();
    const int other = inIfd0 ? exifIfdId() : ifd0Id();
    const Exiv2::Exifdatum *fallback = nullptr;
    for (const Exiv2::Exifdatum &d : data) {
        if (d.tag() != tag)
            continue;
        const int ifd = d.ifdId();
        if (ifd == preferred)
            return &d;
        if (ifd == other && !fallback)
            fallback = &d;
    }
    return fallback;
}

// The entry when it has the expected type and holds at least one value.
const Exiv2::Exifdatum *typedEntry(const Exiv2::ExifData &data, uint16_t tag, bool inIfd0, int typeCode)
{
    const Exiv2::Exifdatum *d = findEntry(data, tag, inIfd0);
    if (!d || int(d->typeId()) != typeCode || d->count() <= 0 || d->size() <= 0)
        return nullptr;
    return d;
}

QString datumText(const Exiv2::Exifdatum &d)
{
    QByteArray bytes(d.size(), Qt::Uninitialized);
    d.copy(reinterpret_cast<Exiv2::byte *>(bytes.data()), Exiv2::littleEndian);
    return asciiText(std::move(bytes));
}

bool firstRational(const Exiv2::Exifdatum &d, uint32_t &numerator, uint32_t &denominator)
{
    const auto *value = dynamic_cast<const Exiv2::URationalValue *>(&d.value());
    if (!value || value->value_.empty())
        return false;
    numerator = value->value_.front().first;
    denominator = value->value_.front().second;
    return true;
}

} // namespace

QString asciiText(QByteArray bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

void setExposure(quint32 num, quint32 den, ExifFields &out)
{
    if (den == 0 || num > INT_MAX || den > INT_MAX)
        return;
    int n = int(num), m = int(den);
    reduceFraction(n, m);
    out.exposureNumerator = n;
    out.exposureDenominator = m;
    out.present = 1;
}

void setFocalLength(quint32 num, quint32 den, ExifFields &out)
{
    if (den == 0)
        return;
    // Truncated to tenths, not rounded: 18.75 mm is held as 18.7.
    out.focalLength = float(std::trunc(double(num) / double(den) * 10.0) * 0.1);
    out.present = 1;
}

void setFNumber(quint32 num, quint32 den, ExifFields &out)
{
    if (den == 0)
        return;
    out.fNumber = float(double(num) / double(den));
    out.present = 1;
}

void decodeSixTags(const Exiv2::ExifData &data, ExifFields &out)
{
    if (const auto *d = typedEntry(data, Model, true, kTypeAscii)) {
        out.model = datumText(*d);
        out.present = 1;
    }
    uint32_t num = 0, den = 0;
    if (const auto *d = typedEntry(data, ExposureTime, false, kTypeRational); d && firstRational(*d, num, den))
        setExposure(num, den, out);
    if (const auto *d = typedEntry(data, FocalLength, false, kTypeRational); d && firstRational(*d, num, den))
        setFocalLength(num, den, out);
    if (const auto *d = typedEntry(data, FNumber, false, kTypeRational); d && firstRational(*d, num, den))
        setFNumber(num, den, out);
    if (const auto *d = typedEntry(data, DateTimeOriginal, false, kTypeAscii)) {
        out.dateTimeOriginal = datumText(*d);
        out.present = 1;
    }
    if (const auto *d = typedEntry(data, IsoSpeedRatings, false, kTypeShort)) {
        const auto *value = dynamic_cast<const Exiv2::UShortValue *>(&d->value());
        if (value && !value->value_.empty()) {
            out.iso = int(value->value_.front());
            out.present = 1;
        }
    }
}

MakerNote findMakerNote(const Exiv2::ExifData &data)
{
    MakerNote note;
    const Exiv2::Exifdatum *d = findEntry(data, MakerNoteTag, false);
    if (!d || d->size() <= 0)
        return note;
    note.exists = true;
    note.typeCode = int(d->typeId());
    if (note.typeCode == kTypeUndefined) {
        note.bytes = QByteArray(d->size(), Qt::Uninitialized);
        d->copy(reinterpret_cast<Exiv2::byte *>(note.bytes.data()), Exiv2::littleEndian);
    }
    return note;
}

} // namespace quorvel::exiftags
