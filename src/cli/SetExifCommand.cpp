#include "Commands.h"

#include "core/exif/ExifEditRules.h"
#include "core/exif/ExifValueCheck.h"
#include "core/exif/ExifWriter.h"

#include <QDir>
#include <QLocale>

#include <optional>

namespace quorvel::cli {

namespace {

// A number as given on the command line: the whole text must be a decimal
// number ("2.8", "2,8", "1e3"), after an optional prefix ("F", "F/") or
// suffix ("mm") that the field's own display uses. An empty text is 0,
// which removes the field.
std::optional<float> numberArgument(QString text, const QStringList &prefixes, const QStringList &suffixes)
{
    text = text.trimmed();
    if (text.isEmpty())
        return 0.0f;
    for (const QString &p : prefixes) {
        if (text.startsWith(p, Qt::CaseInsensitive)) {
            text = text.mid(p.size()).trimmed();
            break;
        }
    }
    for (const QString &s : suffixes) {
        if (text.endsWith(s, Qt::CaseInsensitive)) {
            text.chop(s.size());
            text = text.trimmed();
            break;
        }
    }
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    return float(value);
}

} // namespace

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
        const auto value = numberArgument(line.value(QStringLiteral("fnumber")), {QStringLiteral("F/"), QStringLiteral("F")}, {});
        if (!value) {
            err(QStringLiteral("quorvel-tool: --fnumber takes a number such as 2.8"));
            return 2;
        }
        fields.fNumber = *value;
        which |= WriteFNumber;
    }
    if (line.isSet(QStringLiteral("focal"))) {
        const auto value = numberArgument(line.value(QStringLiteral("focal")), {}, {QStringLiteral("mm")});
        if (!value) {
            err(QStringLiteral("quorvel-tool: --focal takes a number of millimetres such as 35"));
            return 2;
        }
        fields.focalLength = *value;
        which |= WriteFocalLength;
    }
    if (which == 0)
        return line.usageError(QStringLiteral("name at least one field to set"));
    // Every value is checked before the file is opened.
    const ExifValueCheck::Result values = ExifValueCheck::check(fields, which);
    if (!values.ok()) {
        err(QStringLiteral("quorvel-tool: ") + values.message);
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
