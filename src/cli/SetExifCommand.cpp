#include "Commands.h"

#include "core/exif/ExifDateTime.h"
#include "core/exif/ExifEditRules.h"
#include "core/exif/ExifWriter.h"

#include <QDir>

namespace quorvel::cli {

void defineSetExif(CommandLine &line)
{
    line.describe(QStringLiteral("FILE [--model T] [--date T] [--iso N] [--fnumber X] [--focal X]"),
                  QStringLiteral("set (an empty text removes) EXIF fields of a JPEG; the picture data is not touched"));
    line.addOption(QCommandLineOption(QStringLiteral("model"), QStringLiteral("the camera model"), QStringLiteral("T")));
    line.addOption(QCommandLineOption(QStringLiteral("date"), QStringLiteral("the original date, \"YYYY:MM:DD hh:mm:ss\""),
                                      QStringLiteral("T")));
    line.addOption(QCommandLineOption(QStringLiteral("iso"), QStringLiteral("the ISO speed"), QStringLiteral("N")));
    line.addOption(QCommandLineOption(QStringLiteral("fnumber"), QStringLiteral("the f-number"), QStringLiteral("X")));
    line.addOption(
        QCommandLineOption(QStringLiteral("focal"), QStringLiteral("the focal length in millimetres"), QStringLiteral("X")));
    line.addArgument(QStringLiteral("FILE"), QStringLiteral("the JPEG file, changed in place"));
}

// Sets or (with an empty text) removes EXIF fields of a JPEG file in place
// of the EXIF editor. Fields not named stay exactly as they are.
int runSetExif(const CommandLine &line)
{
    if (line.positional().size() != 1)
        return line.usageError();
    const QString path = QDir::fromNativeSeparators(line.positional().first());
    ExifFields fields;
    int which = 0;
    if (line.isSet(QStringLiteral("model"))) {
        fields.model = line.value(QStringLiteral("model"));
        which |= WriteModel;
    }
    if (line.isSet(QStringLiteral("date"))) {
        fields.dateTimeOriginal = line.value(QStringLiteral("date"));
        DateTimeRecord record;
        if (!fields.dateTimeOriginal.isEmpty() && !parseExifDateTime(fields.dateTimeOriginal, record)) {
            err(QStringLiteral("quorvel-tool: the date must read \"YYYY:MM:DD hh:mm:ss\""));
            return 2;
        }
        which |= WriteDate;
    }
    if (line.isSet(QStringLiteral("iso"))) {
        const QString iso = line.value(QStringLiteral("iso"));
        const auto check = ExifEditRules::checkIso(iso);
        if (check != ExifEditRules::IsoCheck::Ok) {
            err(QStringLiteral("quorvel-tool: ") + ExifEditRules::isoMessage(check));
            return 2;
        }
        fields.iso = iso.isEmpty() ? 0 : iso.toInt();
        which |= WriteIso;
    }
    if (line.isSet(QStringLiteral("fnumber"))) {
        fields.fNumber = ExifEditRules::parseAperture(line.value(QStringLiteral("fnumber")));
        which |= WriteFNumber;
    }
    if (line.isSet(QStringLiteral("focal"))) {
        fields.focalLength = ExifEditRules::parseFocal(line.value(QStringLiteral("focal")));
        which |= WriteFocalLength;
    }
    if (which == 0)
        return line.usageError(QStringLiteral("name at least one field to set"));
    const ExifWriteResult result = writeExifFields(path, fields, which);
    if (!result.ok()) {
        err(QStringLiteral("quorvel-tool: %1: %2")
                .arg(QDir::toNativeSeparators(path), result.message().replace(QLatin1Char('\n'), QLatin1String(": "))));
        return 1;
    }
    return 0;
}

} // namespace quorvel::cli
