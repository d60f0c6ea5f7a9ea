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
            const auto value = numberArgument(args.at(++i), {QStringLiteral("F/"), QStringLiteral("F")}, {});
            if (!value) {
                err(QStringLiteral("quorvel-tool: --fnumber takes a number such as 2.8"));
                return 2;
            }
            fields.fNumber = *value;
            which |= WriteFNumber;
        } else if (a == QLatin1String("--focal") && hasValue) {
            const auto value = numberArgument(args.at(++i), {}, {QStringLiteral("mm")});
            if (!value) {
                err(QStringLiteral("quorvel-tool: --focal takes a number of millimetres such as 35"));
                return 2;
            }
            fields.focalLength = *value;
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
