#include "Commands.h"

#include "core/print/PrepareBatch.h"

#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>
#include <QThread>
#include <QThreadPool>

#include <atomic>

namespace quorvel::cli {

void definePrepare(CommandLine &line)
{
    line.describe(QStringLiteral("--format KEY [--dpi N] [--photolab] [--quality Q] [--frame WIDTH --frame-colour C] "
                                 "[--text T] [--cms] [--jobs N] --out DIR FILE... | --list-formats"),
                  QStringLiteral("prepare files for a photo lab, the web or a phone as the wizard does, without it"));
    line.addOption(QCommandLineOption(QStringLiteral("format"), QStringLiteral("the output format's key (see --list-formats)"),
                                      QStringLiteral("KEY")));
    line.addOption(QCommandLineOption(QStringLiteral("dpi"), QStringLiteral("the resolution in dots per inch"),
                                      QStringLiteral("N")));
    line.addOption(QCommandLineOption(QStringLiteral("photolab"), QStringLiteral("the photo lab's own sizes")));
    line.addOption(QCommandLineOption(QStringLiteral("quality"), QStringLiteral("JPEG quality, 30 to 100"),
                                      QStringLiteral("Q")));
    line.addOption(QCommandLineOption(QStringLiteral("frame"),
                                      QStringLiteral("border width with an optional unit: 0.3 (cm), 3mm, 0.1in, 20px"),
                                      QStringLiteral("WIDTH")));
    line.addOption(QCommandLineOption(QStringList{QStringLiteral("frame-colour"), QStringLiteral("frame-color")},
                                      QStringLiteral("the border's colour, such as white or #202020"), QStringLiteral("C")));
    line.addOption(QCommandLineOption(QStringLiteral("text"), QStringLiteral("a caption"), QStringLiteral("T")));
    line.addOption(QCommandLineOption(QStringLiteral("cms"), QStringLiteral("convert embedded colour profiles to sRGB")));
    line.addOption(QCommandLineOption(QStringLiteral("jobs"), QStringLiteral("files prepared at once, 1 to 64"),
                                      QStringLiteral("N")));
    line.addOption(QCommandLineOption(QStringLiteral("out"), QStringLiteral("the folder the files are written to"),
                                      QStringLiteral("DIR")));
    line.addOption(QCommandLineOption(QStringLiteral("list-formats"), QStringLiteral("list the formats' keys, names and sizes")));
    line.addArgument(QStringLiteral("FILE"), QStringLiteral("the pictures to prepare"));
}

// The prepare-file wizard's pipeline over many files: each is framed as the
// final step frames it at first and written into DIR under the name the
// final step proposes. Progress goes to standard error; the exit status is 1
// when any file failed (the others are still written).
int runPrepare(const CommandLine &parser)
{
    const auto usageError = [&parser](const QString &why) { return parser.usageError(why); };
    const QString format = QStringLiteral("format"), dpi = QStringLiteral("dpi"), photolab = QStringLiteral("photolab"),
                  quality = QStringLiteral("quality"), frame = QStringLiteral("frame"),
                  frameColour = QStringLiteral("frame-colour"), text = QStringLiteral("text"), cms = QStringLiteral("cms"),
                  jobs = QStringLiteral("jobs"), out = QStringLiteral("out"), listFormats = QStringLiteral("list-formats");

    if (parser.isSet(listFormats)) {
        for (const QString &line : PrepareBatch::formatListing())
            cli::out(line);
        return 0;
    }

    PrepareBatch::Options options;
    if (!parser.isSet(format))
        return usageError(QStringLiteral("--format KEY is needed (--list-formats shows the keys)"));
    const auto index = PrepareBatch::formatByKey(parser.value(format));
    if (!index)
        return usageError(QStringLiteral("no format \"%1\" (--list-formats shows the keys)").arg(parser.value(format)));
    options.formatIndex = *index;
    if (parser.isSet(dpi)) {
        bool ok = false;
        const int value = parser.value(dpi).toInt(&ok);
        if (!ok || value < 1)
            return usageError(QStringLiteral("--dpi takes a whole number of dots per inch"));
        options.dpiText = QString::number(value);
    }
    options.photolab = parser.isSet(photolab);
    if (parser.isSet(quality)) {
        bool ok = false;
        options.quality = parser.value(quality).toInt(&ok);
        if (!ok || options.quality < 30 || options.quality > 100)
            return usageError(QStringLiteral("--quality takes a number from 30 to 100"));
    }
    if (parser.isSet(frame)) {
        const auto length = PrepareBatch::parseLength(parser.value(frame));
        if (!length)
            return usageError(QStringLiteral("--frame takes a length such as 0.3, 3mm, 0.1in or 20px"));
        options.fields.frameWidth = length->first;
        options.fields.frameWidthUnit = length->second;
    }
    if (parser.isSet(frameColour)) {
        const QColor colour = QColor::fromString(parser.value(frameColour));
        if (!colour.isValid())
            return usageError(QStringLiteral("--frame-colour takes a colour such as white or #202020"));
        options.fields.frameColour = colour;
    }
    options.fields.text = parser.value(text);
    options.useCms = parser.isSet(cms);
    int threads = QThread::idealThreadCount();
    if (parser.isSet(jobs)) {
        bool ok = false;
        threads = parser.value(jobs).toInt(&ok);
        if (!ok || threads < 1 || threads > 64)
            return usageError(QStringLiteral("--jobs takes a number from 1 to 64"));
    }
    if (!parser.isSet(out))
        return usageError(QStringLiteral("--out DIR is needed"));
    const QString folder = QDir::fromNativeSeparators(parser.value(out));
    QStringList files;
    for (const QString &f : parser.positional())
        files.append(QDir::fromNativeSeparators(f));
    if (files.isEmpty())
        return usageError(QStringLiteral("no files to prepare"));

    const PrepareBatch batch(options);
    // An output beyond the largest picture would come out smaller than
    // asked: say so and what fits instead, and make nothing.
    const PrintParameters parameters = batch.parameters();
    if (parameters.sizeLimit().exceeded) {
        QString message = parameters.sizeLimitMessage();
        message.replace(QLatin1Char('\n'), QLatin1Char(' '));
        err(QStringLiteral("quorvel-tool: ") + message);
        return 2;
    }
    if (!QDir().mkpath(folder)) {
        err(QStringLiteral("quorvel-tool: the folder %1 cannot be made").arg(QDir::toNativeSeparators(folder)));
        return 1;
    }

    const QList<PrepareBatch::Item> items = batch.plan(files, folder);
    QMutex printing;
    std::atomic_int failed{0};
    int done = 0;
    QElapsedTimer clock;
    clock.start();
    QThreadPool pool;
    pool.setMaxThreadCount(threads);
    for (const PrepareBatch::Item &item : items) {
        pool.start([&, item] {
            const SaveResult result = batch.run(item);
            const QMutexLocker lock(&printing);
            ++done;
            const QString position = QStringLiteral("[%1/%2] ").arg(done).arg(items.size());
            if (result.ok()) {
                err(position + QDir::toNativeSeparators(item.source) + QStringLiteral(" -> ")
                    + QDir::toNativeSeparators(item.target));
            } else {
                ++failed;
                QString why = result.message.isEmpty() ? QStringLiteral("failed") : result.message;
                why.replace(QLatin1Char('\n'), QStringLiteral(": "));
                err(position + QDir::toNativeSeparators(item.source) + QStringLiteral(": ") + why);
            }
        });
    }
    pool.waitForDone();
    err(QStringLiteral("%1 of %2 files prepared in %3 s")
            .arg(items.size() - failed.load())
            .arg(items.size())
            .arg(clock.elapsed() / 1000.0, 0, 'f', 1));
    return failed.load() > 0 ? 1 : 0;
}

} // namespace quorvel::cli
