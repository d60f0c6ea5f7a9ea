#include "core/exif/ExifIntegrity.h"

#include "core/exif/ExifLibrary.h"
#include "core/exif/Exiv2Include.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace quorvel::exifintegrity {

namespace {

bool edited(const std::string &key)
{
    static const QSet<QByteArray> keys = {
        "Exif.Image.Model",           "Exif.Photo.Model",       "Exif.Image.DateTimeOriginal",
        "Exif.Photo.DateTimeOriginal", "Exif.Image.ISOSpeedRatings", "Exif.Photo.ISOSpeedRatings",
        "Exif.Image.FNumber",         "Exif.Photo.FNumber",     "Exif.Image.FocalLength",
        "Exif.Photo.FocalLength",     "Exif.Image.ExifTag",
    };
    return keys.contains(QByteArray::fromStdString(key));
}

// One line per entry: key, type, count and the value's bytes.
bool describe(const QByteArray &block, QStringList &lines)
{
    initExifLibrary();
    try {
        Exiv2::ExifData data;
        const Exiv2::ByteOrder order = Exiv2::ExifParser::decode(
            data, reinterpret_cast<const Exiv2::byte *>(block.constData()), uint32_t(block.size()));
        for (const Exiv2::Exifdatum &d : data) {
            if (edited(d.key()))
                continue;
            std::vector<Exiv2::byte> bytes(d.size());
            if (!bytes.empty())
                d.copy(bytes.data(), order);
            lines.append(QStringLiteral("%1 %2 %3 %4")
                             .arg(QString::fromStdString(d.key()))
                             .arg(int(d.typeId()))
                             .arg(qulonglong(d.count()))
                             .arg(QString::fromLatin1(
                                 QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()))
                                     .toHex())));
        }
    } catch (...) {
        return false;
    }
    std::sort(lines.begin(), lines.end());
    return true;
}

} // namespace

QString changedEntries(const QByteArray &before, const QByteArray &after)
{
    QStringList a, b;
    if (!describe(before, a) || !describe(after, b))
        return QStringLiteral("EXIF data cannot be decoded");
    // A new Exif directory comes with its version entry.
    const QString version = QStringLiteral("Exif.Photo.ExifVersion ");
    const auto isVersion = [&](const QString &line) { return line.startsWith(version); };
    if (std::none_of(a.begin(), a.end(), isVersion))
        b.removeIf(isVersion);
    if (a == b)
        return QString();
    const auto keyOf = [](const QString &line) { return line.section(QLatin1Char(' '), 0, 0); };
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (i >= a.size())
            return keyOf(b[i]);
        if (i >= b.size() || a[i] != b[i])
            return keyOf(a[i]);
    }
    return QString();
}

} // namespace quorvel::exifintegrity
