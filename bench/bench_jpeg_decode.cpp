// Decoding a large baseline JPEG: the codec layer against libjpeg-turbo's
// djpeg writing to /dev/null, on the same file in the same run.
//
// usage: bench_jpeg_decode [JPEG] [--runs N]
// Without a file, a 24-megapixel (6000 x 4000) JPEG is written to a
// temporary folder first.

#include "BenchImages.h"

#include "core/imaging/ImageDecoder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

using namespace quorvel;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 9;
    const qsizetype r = args.indexOf(QStringLiteral("--runs"));
    if (r >= 0 && r + 1 < args.size()) {
        runs = std::max(1, args.at(r + 1).toInt());
        args.remove(r, 2);
    }
    const QString djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    if (djpeg.isEmpty()) {
        std::fprintf(stderr, "djpeg not found (scripts/install-bench-deps.sh installs it)\n");
        return 2;
    }
    QTemporaryDir dir;
    QString file = args.value(0);
    if (file.isEmpty()) {
        file = dir.filePath(QStringLiteral("24mp.jpg"));
        if (!bench::writeTestJpeg(file, 6000, 4000, 1)) {
            std::fprintf(stderr, "cannot write the test JPEG\n");
            return 2;
        }
    }

    // One round each first, so both start with the file in the page cache.
    // Ours is the cold case too: the picture's memory is fresh, not reused.
    const QStringList djpegArgs{QStringLiteral("-outfile"), QStringLiteral("/dev/null"), file};
    QProcess::execute(djpeg, djpegArgs);
    QElapsedTimer cold;
    cold.start();
    if (!ImageDecoder::decodeFile(file, DecodeOptions()).ok()) {
        std::fprintf(stderr, "the codec layer cannot decode %s\n", qPrintable(file));
        return 1;
    }
    const double coldMs = double(cold.nsecsElapsed()) / 1e6;

    QList<double> ours, theirs;
    for (int i = 0; i < runs; ++i) {
        // Interleaved, so drifting machine load hits both alike.
        QElapsedTimer t;
        t.start();
        const DecodeResult result = ImageDecoder::decodeFile(file, DecodeOptions());
        ours.append(double(t.nsecsElapsed()) / 1e6);
        if (!result.ok())
            return 1;
        t.restart();
        if (QProcess::execute(djpeg, djpegArgs) != 0)
            return 1;
        theirs.append(double(t.nsecsElapsed()) / 1e6);
    }
    const bench::Timing o = bench::summarize(ours), d = bench::summarize(theirs);
    std::printf("file            %s\n", qPrintable(file));
    std::printf("runs            %d\n", runs);
    std::printf("quorvel decode  median %8.1f ms   best %8.1f ms\n", o.median, o.best);
    std::printf("djpeg           median %8.1f ms   best %8.1f ms\n", d.median, d.best);
    std::printf("ratio (median)  %.3f   (best) %.3f   target <= 1.15\n", o.median / d.median, o.best / d.best);
    std::printf("first decode    %8.1f ms (fresh picture memory, no buffer to reuse yet)\n", coldMs);
    return 0;
}
