#include "Commands.h"

#include "core/exif/ExifFieldTexts.h"
#include "core/exif/ExifFormat.h"
#include "core/exif/ExifNumberText.h"
#include "core/exif/ExifReader.h"
#include "core/files/FileAccess.h"

#include <QFileInfo>

namespace quorvel::cli {

namespace {

// Tab-separated cells hold no tabs or line breaks.
QString cell(QString text)
{
    for (QChar &c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void printTsvHeader()
{
    out(QStringLiteral("path\tresult\tpresent\tmodel\tdate\texposure_num\texposure_den\tfnumber\tfocal\tiso\t"
                       "list_aperture\tlist_exposure\tlist_iso\tlist_focal\tprint_iso\tsummary"));
}

void printTsvRow(const QString &path, bool result, const ExifFields &f)
{
    const ExifFieldTexts list = ExifFieldTexts::of(f, ExifFieldTexts::Style::List);
    const ExifFieldTexts print = ExifFieldTexts::of(f, ExifFieldTexts::Style::Print);
    QStringList cells{
        path,
        QString::number(result ? 1 : 0),
        QString::number(f.present),
        f.model,
        f.dateTimeOriginal,
        QString::number(f.exposureNumerator),
        QString::number(f.exposureDenominator),
        numbertext::general(f.fNumber, 6),
        numbertext::general(f.focalLength, 6),
        QString::number(f.iso),
        list.aperture,
        list.exposure,
        list.iso,
        list.focalLength,
        print.iso,
        formatExifSummary(f),
    };
    for (QString &c : cells)
        c = cell(c);
    out(cells.join(QLatin1Char('\t')));
}

void printReport(const QString &path, bool result, const ExifFields &f)
{
    const ExifFieldTexts list = ExifFieldTexts::of(f, ExifFieldTexts::Style::List);
    const ExifFieldTexts print = ExifFieldTexts::of(f, ExifFieldTexts::Style::Print);
    const auto row = [](const char *label, const QString &value) {
        out(QStringLiteral("  %1 %2").arg(QString::fromLatin1(label), -14).arg(value));
    };
    out(path);
    row("result", QString::number(result ? 1 : 0));
    row("present", QString::number(f.present));
    row("model", quoted(f.model));
    row("date", quoted(f.dateTimeOriginal));
    row("exposure", QStringLiteral("%1/%2").arg(f.exposureNumerator).arg(f.exposureDenominator));
    row("f-number", numbertext::general(f.fNumber, 6));
    row("focal length", numbertext::general(f.focalLength, 6));
    row("iso", QString::number(f.iso));
    const auto styled = [&](const char *label, const ExifFieldTexts &t) {
        row(label, QStringLiteral("camera %1, date %2, exposure %3, aperture %4, ISO %5, focal %6")
                       .arg(quoted(t.camera), quoted(t.dateTime), quoted(t.exposure), quoted(t.aperture),
                            quoted(t.iso), quoted(t.focalLength)));
    };
    styled("list/filter", list);
    styled("print", print);
    row("summary", quoted(formatExifSummary(f)));
}

} // namespace

void defineInfo(CommandLine &line)
{
    line.describe(QStringLiteral("[--tsv] FILE..."),
                  QStringLiteral("the EXIF fields of each file and their texts in every display style"));
    line.addOption(QCommandLineOption(QStringLiteral("tsv"),
                                      QStringLiteral("one tab-separated line per file, after a header line")));
    line.addArgument(QStringLiteral("FILE"), QStringLiteral("an image file"));
}

// For each file: the reader's result, the six fields as held and their texts
// in every display style, as a report or (--tsv) one tab-separated line each.
int runInfo(const CommandLine &line)
{
    const QStringList files = line.positional();
    const bool tsv = line.isSet(QStringLiteral("tsv"));
    if (files.isEmpty())
        return line.usageError();
    if (tsv)
        printTsvHeader();
    int status = 0;
    for (const QString &path : files) {
        if (const QString why = FileAccess::lookupProblem(path); !why.isEmpty()) {
            err(QStringLiteral("quorvel-tool: %1: %2").arg(path, why));
            status = 1;
        }
        ExifFields fields;
        const bool result = readExifFields(path, fields);
        if (tsv)
            printTsvRow(path, result, fields);
        else
            printReport(path, result, fields);
    }
    return status;
}

} // namespace quorvel::cli
