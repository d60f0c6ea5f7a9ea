// An index print as the dialog makes it: 30 photographs of 12 megapixels
// (4000x3000 JPEG files) on two 10x15 cm pages at 300 dpi, with the names
// under the pictures, through IndexPrintJob (each file decoded at the scale
// its cell needs, fitted, the pages composed and written as JPEG through a
// temporary file), in bicubic and in high-quality bicubic, in the same run:
//   - in process: the job, for scale (no reference runs in this process);
//   - as processes: the job (this program with --once) beside ImageMagick's
//     montage making the same grid from the same files. Both decode each
//     file at the scale the cell needs (montage through its JPEG size hint).
//
//   bench_indexprint [--once MODE OUT FILE...]

#include "BenchUtil.h"

#include "core/print/IndexPrintForm.h"
#include "core/print/IndexPrintJob.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

using namespace quorvel;

namespace {

IndexPrintForm makeForm(const QStringList &paths)
{
    IndexPrintForm form;
    form.sources.append(paths);
    form.frameWidth = {QStringLiteral("0"), LengthUnit::Centimetres};
    form.margin = {QStringLiteral("0.2"), LengthUnit::Centimetres};
    form.textHeight = {QStringLiteral("0.8"), LengthUnit::Centimetres};
    form.text = QStringLiteral("Summer 2004");
    return form;
}

// One job as a process: the pages for the files into OUT/index.jpg.
int once(const QStringList &args)
{
    IndexPrintForm form = makeForm(args.mid(2));
    form.interpolation = args.value(0).toInt();
    const QList<IndexLayout::PlannedFile> files = form.plan(QDir(args.value(1)).filePath(QStringLiteral("index.jpg")), true);
    return form.job(85).run(files).written == files.size() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList onceArgs;
    const bool onceMode = bench::onceArguments(argc, argv, onceArgs);
    QGuiApplication app(argc, argv);
    if (onceMode)
        return once(onceArgs);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const int runs = 5;

    // Three different photographs stand for the 30; the work per file is the
    // same, and the files are read from disk each time.
    QStringList made;
    for (quint32 seed = 1; seed <= 3; ++seed) {
        const QString f = dir.filePath(QStringLiteral("made_%1.jpg").arg(seed));
        if (!bench::photoLike(4000, 3000, seed).save(f, "JPEG", 90))
            return 1;
        made.append(f);
    }
    QStringList paths;
    for (int i = 0; i < 30; ++i) {
        const QString p = dir.filePath(QStringLiteral("img_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
        QFile::copy(made[i % 3], p);
        paths.append(p);
    }
    IndexPrintForm form = makeForm(paths);
    const IndexLayout layout = form.layout();
    std::printf("index print of 30 12-megapixel JPEGs: page %dx%d, cells %dx%d, %dx%d per list, %d lists\n",
                layout.page().width(), layout.page().height(), layout.cellSize().width(),
                layout.cellSize().height(), layout.columns(), layout.rows(), layout.listCount(30));

    const QDir out(dir.filePath(QStringLiteral("out")));
    QDir().mkpath(out.path());
    const QString chosen = out.filePath(QStringLiteral("index.jpg"));
    const QList<IndexLayout::PlannedFile> files = form.plan(chosen, true);
    // montage fails without a font file for its labels.
    QProcess fcMatch;
    fcMatch.start(QStringLiteral("fc-match"), {QStringLiteral("-f"), QStringLiteral("%{file}"), QStringLiteral("serif")});
    fcMatch.waitForFinished();
    const QString font = QString::fromLocal8Bit(fcMatch.readAllStandardOutput()).trimmed();

    for (int mode : {InterpolationBicubic, InterpolationHighQualityBicubic}) {
        form.interpolation = mode;
        const IndexPrintJob job = form.job(85);
        bool ok = true;
        const double ours = bench::timeMs([&] { ok = job.run(files).written == files.size() && ok; }, runs);
        if (!ok)
            std::printf("  the job failed\n");

        // The same grid for montage: 3 columns, 5 rows per page, the cells
        // with the spacings around them, the names under the pictures, and
        // the same hint to decode at about the cell size.
        const int padX = layout.spacingX() / 2, padY = layout.spacingY() / 2;
        QStringList montage{QStringLiteral("-define"),
                            QStringLiteral("jpeg:size=%1x%2").arg(layout.cellSize().width()).arg(layout.cellSize().height())};
        if (!font.isEmpty())
            montage << QStringLiteral("-font") << font;
        montage << QStringLiteral("-label") << QStringLiteral("%f") << QStringLiteral("-pointsize")
                << QString::number(form.style().names.height);
        montage << paths;
        montage << QStringList{QStringLiteral("-tile"),
                               QStringLiteral("%1x%2").arg(layout.columns()).arg(layout.rows()),
                               QStringLiteral("-geometry"),
                               QStringLiteral("%1x%2+%3+%4")
                                   .arg(layout.cellSize().width())
                                   .arg(layout.cellSize().height())
                                   .arg(padX)
                                   .arg(padY),
                               QStringLiteral("-background"),
                               QStringLiteral("white"),
                               QStringLiteral("-quality"),
                               QStringLiteral("85"),
                               out.filePath(QStringLiteral("montage_%d.jpg"))};
        bench::result(QStringLiteral("index print of 30 12 MP JPEGs, two pages, in process"), ours, -1,
                      QStringLiteral("ms"), QString(), bench::modeName(mode));
        const bench::ProcessTimes p = bench::compareProcesses(
            bench::selfOnce(QStringList{QString::number(mode), out.path()} + paths),
            QStringList{QStringLiteral("montage")} + montage, runs);
        bench::result(QStringLiteral("index print of 30 12 MP JPEGs, two pages, process: ours / montage"), p.ours,
                      p.reference, QStringLiteral("ms"), QStringLiteral("1.0"), bench::modeName(mode));
    }
    return 0;
}
