// Preparing files for a photo lab: N 12-megapixel JPEG photographs made into
// 10x15 cm files at 300 dpi (1772 x 1181, the frame centred and cropped),
// JPEG quality 85, reduced in bicubic (prepare's interpolation), in the same
// run:
//   - in process: PrepareBatch over the files one after the other, for
//     scale (no reference runs in this process);
//   - as processes: quorvel-tool prepare beside vipsthumbnail (lanczos3,
//     the same centre crop) + cjpeg, one file after the other, and two at a
//     time through xargs -P beside our default of one file per core.
//
// usage: bench_prepare [FILES]   (default 24)

#include "BenchUtil.h"

#include "core/print/PrepareBatch.h"
#include "core/settings/AppSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QThread>

using namespace quorvel;

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 24;
    const QString tool = bench::toolPath();
    if (!QFile::exists(tool)) {
        std::fprintf(stderr, "quorvel-tool not found at %s\n", qPrintable(tool));
        return 1;
    }
    QTemporaryDir dir;
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString path = dir.filePath(QStringLiteral("photo_%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
        if (!bench::photoLike(4000, 3000, quint32(i + 1)).save(path, "JPEG", 90))
            return 1;
        files << path;
    }
    const QString out = dir.filePath("ours"), ref = dir.filePath("ref");
    QDir().mkpath(out);
    QDir().mkpath(ref);
    const int runs = 3;
    const int cores = QThread::idealThreadCount();
    const QString mode = bench::modeName(InterpolationBicubic);
    std::printf("%d photographs of 4000 x 3000 into 10x15 cm at 300 dpi (1772 x 1181), quality 85; %d cores\n",
                count, cores);

    PrepareBatch::Options options;
    options.formatIndex = PrepareBatch::formatByKey(QStringLiteral("10x15")).value_or(options.formatIndex);
    const PrepareBatch batch(options);
    const QList<PrepareBatch::Item> items = batch.plan(files, out);
    bool ok = true;
    const double inProcess = bench::timeMs([&] {
        for (const PrepareBatch::Item &item : items)
            ok = batch.run(item).ok() && ok;
    }, runs);
    if (!ok)
        std::printf("some files failed\n");
    bench::result(QStringLiteral("prepare %1 12 MP JPEGs one at a time, in process").arg(count), inProcess, -1,
                  QStringLiteral("ms"), QString(), mode);

    const QStringList ours = QStringList{tool, "prepare", "--format", "10x15", "--quality", "85", "--out", out} + files;
    const QString one = QStringLiteral("vipsthumbnail \"$0\" --size 1772x1181 --smartcrop centre -o \"%1/$(basename "
                                       "\"$0\" .jpg).ppm\" && cjpeg -quality 85 \"%1/$(basename \"$0\" .jpg).ppm\" "
                                       "> \"%1/$(basename \"$0\" .jpg).jpg\"")
                            .arg(ref);
    const auto referenceWith = [&](int parallel) {
        const QString script = QStringLiteral("printf '%s\\n' \"$@\" | xargs -P %1 -I{} sh -c '%2' {}")
                                   .arg(parallel)
                                   .arg(QString(one).replace("'", "'\\''"));
        return QStringList{"sh", "-c", script, "sh"} + files;
    };

    const bench::ProcessTimes serial =
        bench::compareProcesses(ours + QStringList{"--jobs", "1"}, referenceWith(1), runs);
    bench::result(QStringLiteral("prepare --jobs 1, process: quorvel-tool / vipsthumbnail + cjpeg one at a time"),
                  serial.ours, serial.reference, QStringLiteral("ms"), QStringLiteral("1.5"), mode);
    const bench::ProcessTimes parallel = bench::compareProcesses(ours, referenceWith(cores), runs);
    bench::result(QStringLiteral("prepare (%1 jobs), process: quorvel-tool / xargs -P %1 vipsthumbnail + cjpeg").arg(cores),
                  parallel.ours, parallel.reference, QStringLiteral("ms"), QStringLiteral("1.5"), mode);
    return 0;
}
