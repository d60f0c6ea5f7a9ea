// quorvel-tool prepare against vipsthumbnail + cjpeg, both as processes in
// the same run: N 12-megapixel JPEG photographs made into 10x15 cm files at
// 300 dpi (1772 x 1181, the frame centred and cropped), JPEG quality 85.
// The reference crops the same way (--smartcrop centre) and encodes with
// cjpeg; one file after the other, and two at a time through xargs -P 2
// beside our default of one file per core.
//
// usage: bench_prepare [FILES]   (default 24)

#include "BenchUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>

using namespace quorvel;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 24;
    const QString tool = QDir(QCoreApplication::applicationDirPath()).filePath("../bin/quorvel-tool");
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
    std::printf("%d photographs of 4000 x 3000 into 10x15 cm at 300 dpi (1772 x 1181), quality 85; %d cores\n",
                count, cores);

    const QStringList ours = QStringList{"prepare", "--format", "10x15", "--quality", "85", "--out", out} + files;
    const QString one = QStringLiteral("vipsthumbnail \"$0\" --size 1772x1181 --smartcrop centre -o \"%1/$(basename "
                                       "\"$0\" .jpg).ppm\" && cjpeg -quality 85 \"%1/$(basename \"$0\" .jpg).ppm\" "
                                       "> \"%1/$(basename \"$0\" .jpg).jpg\"")
                            .arg(ref);
    const auto referenceWith = [&](int parallel) {
        const QString script = QStringLiteral("printf '%s\\n' \"$@\" | xargs -P %1 -I{} sh -c '%2' {}")
                                   .arg(parallel)
                                   .arg(QString(one).replace("'", "'\\''"));
        return bench::timeCommandMs("sh", QStringList{"-c", script, "sh"} + files, runs);
    };

    const double serial = bench::timeCommandMs(tool, ours + QStringList{"--jobs", "1"}, runs);
    bench::report("prepare --jobs 1 / one file at a time", serial, "vipsthumbnail + cjpeg", referenceWith(1), 1.5);
    const double parallel = bench::timeCommandMs(tool, ours, runs);
    const QByteArray label = QStringLiteral("prepare (%1 jobs) / xargs -P %1").arg(cores).toUtf8();
    bench::report(label.constData(), parallel, "vipsthumbnail + cjpeg", referenceWith(cores), 1.5);
    std::printf("per file: ours %.1f ms (one job)\n", serial / count);
    return 0;
}
