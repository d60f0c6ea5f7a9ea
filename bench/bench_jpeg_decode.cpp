// Decoding a large baseline JPEG, on the same file in the same run:
//   - in process: the codec layer (ImageDecoder::decodeFile) beside
//     libjpeg-turbo's own decode into the same pixel layout (tjDecompress2
//     to BGRX), both in this process, interleaved;
//   - as processes: quorvel-tool decode beside djpeg writing to /dev/null.
// Both decode the same way: the accurate integer IDCT (islow) and smooth
// ("fancy") chroma upsampling, libjpeg's defaults. quorvel-tool decode
// without --out keeps no picture, as djpeg keeps none: its rows pass
// through a strip; the in-process figures decode into a whole picture, as
// the viewer does.
//
// usage: bench_jpeg_decode [JPEG] [--runs N]
// Without a file, a 24-megapixel (6000 x 4000) JPEG is written to a
// temporary folder first.

#include "BenchImages.h"
#include "BenchUtil.h"

#include "core/imaging/ImageDecoder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <turbojpeg.h>

#include <cstdio>
#include <vector>

using namespace quorvel;

namespace {

// libjpeg-turbo alone: the file read and decoded into BGRX, as a baseline
// for what the codec layer adds.
bool turboDecode(const QString &path, std::vector<unsigned char> &pixels)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray jpeg = f.readAll();
    tjhandle tj = tjInitDecompress();
    int w = 0, h = 0, sub = 0, cs = 0;
    const auto *data = reinterpret_cast<const unsigned char *>(jpeg.constData());
    bool ok = tjDecompressHeader3(tj, data, (unsigned long)jpeg.size(), &w, &h, &sub, &cs) == 0;
    if (ok) {
        pixels.resize(size_t(w) * size_t(h) * 4);
        ok = tjDecompress2(tj, data, (unsigned long)jpeg.size(), pixels.data(), w, 0, h, TJPF_BGRX, 0) == 0;
    }
    tjDestroy(tj);
    return ok;
}

} // namespace

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
    std::printf("file %s, %.1f MB, %d runs\n", qPrintable(file), QFile(file).size() / 1e6, runs);

    // The first decode in this process: the picture's memory is fresh, as it
    // is for every decode of a new process.
    QElapsedTimer cold;
    cold.start();
    if (!ImageDecoder::decodeFile(file, DecodeOptions()).ok()) {
        std::fprintf(stderr, "the codec layer cannot decode %s\n", qPrintable(file));
        return 1;
    }
    const double coldMs = double(cold.nsecsElapsed()) / 1e6;

    std::vector<unsigned char> pixels;
    if (!turboDecode(file, pixels))
        return 1;
    std::vector<double> ours, theirs;
    for (int i = 0; i < runs; ++i) {
        // Interleaved, so drifting machine load hits both alike.
        QElapsedTimer t;
        t.start();
        if (!ImageDecoder::decodeFile(file, DecodeOptions()).ok())
            return 1;
        ours.push_back(double(t.nsecsElapsed()) / 1e6);
        t.restart();
        if (!turboDecode(file, pixels))
            return 1;
        theirs.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    bench::result(QStringLiteral("decode 24 MP JPEG, in process, islow+fancy (vs tjDecompress2)"), bench::median(ours),
                  bench::median(theirs), QStringLiteral("ms"), QString());
    bench::result(QStringLiteral("decode 24 MP JPEG, in process, first decode"), coldMs, -1, QStringLiteral("ms"),
                  QString());

    const bench::ProcessTimes p = bench::compareProcesses(
        {bench::toolPath(), QStringLiteral("decode"), file},
        {djpeg, QStringLiteral("-outfile"), QStringLiteral("/dev/null"), file}, runs);
    bench::result(QStringLiteral("decode 24 MP JPEG, process, islow+fancy: quorvel-tool decode / djpeg"), p.ours, p.reference,
                  QStringLiteral("ms"), QStringLiteral("1.0"));
    return 0;
}
