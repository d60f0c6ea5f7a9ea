#include "Commands.h"

#include "core/exif/ExifDateTime.h"
#include "core/exif/ExifEditRules.h"
#include "core/exif/ExifWriter.h"

#include <QDir>

namespace quorvel::cli {

// Sets or (with an empty text) removes EXIF fields of a JPEG file in place
// of the EXIF editor. Fields not named stay exactly as they are.
int runSetExif(const QStringList &args)
{
    const QString usage = QStringLiteral(
        "usage: quorvel-tool set-exif FILE [--model T] [--date \"YYYY:MM:DD hh:mm:ss\"] [--iso N] [--fnumber X] "
        "[--focal X]");
    QString path;
    ExifFields fields;
    int which = 0;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--model") && hasValue) {
            fields.model = args.at(++i);
            which |= WriteModel;
        } else if (a == QLatin1String("--date") && hasValue) {
            fields.dateTimeOriginal = args.at(++i);
            DateTimeRecord record;
            if (!fields.dateTimeOriginal.isEmpty() && !parseExifDateTime(fields.dateTimeOriginal, record)) {
                err(QStringLiteral("quorvel-tool: the date must read \"YYYY:MM:DD hh:mm:ss\""));
                return 2;
            }
            which |= WriteDate;
        } else if (a == QLatin1String("--iso") && hasValue) {
            const QString iso = args.at(++i);
            const auto check = ExifEditRules::checkIso(iso);
            if (check != ExifEditRules::IsoCheck::Ok) {
                err(QStringLiteral("quorvel-tool: ") + ExifEditRules::isoMessage(check));
                return 2;
            }
            fields.iso = iso.isEmpty() ? 0 : iso.toInt();
            which |= WriteIso;
        } else if (a == QLatin1String("--fnumber") && hasValue) {
            fields.fNumber = ExifEditRules::parseAperture(args.at(++i));
            which |= WriteFNumber;
        } else if (a == QLatin1String("--focal") && hasValue) {
            fields.focalLength = ExifEditRules::parseFocal(args.at(++i));
            which |= WriteFocalLength;
        } else if (path.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            path = QDir::fromNativeSeparators(a);
        } else {
            err(usage);
            return 2;
        }
    }
    if (path.isEmpty() || which == 0) {
        err(usage);
        return 2;
    }
    const ExifWriteResult result = writeExifFields(path, fields, which);
    if (!result.ok()) {
        err(QStringLiteral("quorvel-tool: %1: %2")
                .arg(QDir::toNativeSeparators(path), result.message().replace(QLatin1Char('\n'), QLatin1String(": "))));
        return 1;
    }
    return 0;
}

} // namespace quorvel::cli
