// Thumbnails of camera raw files (reduced in high-quality bilinear), a page
// of 15, in the same run, one file after the other, one thread:
//   - in process: made from the previews the files carry (what the
//     thumbnails view does) beside the same page made by a half-size decode
//     of the sensor data;
//   - as processes: the page from the previews (this program with --once)
//     beside exiv2 -ep1 extracting the same previews to files.
//
//   bench_rawthumbs [RAW_FILE...]
//   bench_rawthumbs --once RAW_FILE...
// Without files, the Canon CRW samples of the shared test data are used
// ($QUORVEL_TESTDATA, else ../shared/testdata).

#include "BenchUtil.h"

#include "core/files/ThumbnailMaker.h"
#include "core/imaging/ImageDecoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace quorvel;

namespace {

constexpr int kPage = 15;

QStringList sampleFiles()
{
    QString root = qEnvironmentVariable("QUORVEL_TESTDATA");
    if (root.isEmpty())
        root = QStringLiteral(QUORVEL_BENCH_SOURCE_DIR "/../shared/testdata");
    const QDir raw(root + QStringLiteral("/raw"));
    QStringList files;
    for (const QString &name : raw.entryList({QStringLiteral("*.CRW")}, QDir::Files, QDir::Name))
        files << raw.filePath(name);
    return files;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList onceArgs;
    const bool onceMode = bench::onceArguments(argc, argv, onceArgs);
    QCoreApplication app(argc, argv);
    if (onceMode) {
        for (const QString &path : onceArgs)
            ThumbnailMaker::fromFile(path);
        return 0;
    }
    QStringList sources = app.arguments().mid(1);
    if (sources.isEmpty())
        sources = sampleFiles();
    if (sources.isEmpty()) {
        std::fprintf(stderr, "no raw files: give some, or set QUORVEL_TESTDATA\n");
        return 77; // skipped, as bench/run-all.sh reads it
    }
    // A page of 15 distinct files, copied from the sources in turn.
    QTemporaryDir dir;
    QStringList page;
    for (int i = 0; i < kPage; ++i) {
        const QString &from = sources[i % sources.size()];
        const QString to = dir.filePath(QStringLiteral("IMG_%1.%2").arg(i, 4, 10, QLatin1Char('0')).arg(QFileInfo(from).suffix()));
        if (!QFile::copy(from, to))
            return 1;
        page << to;
    }

    int fromPreview = 0;
    const double previewMs = bench::timeMs([&] {
        fromPreview = 0;
        for (const QString &path : page)
            fromPreview += ThumbnailMaker::fromFile(path).source == ThumbnailMaker::Source::Preview;
    }, 5);
    const double halfMs = bench::timeMs([&] {
        for (const QString &path : page) {
            DecodeOptions options;
            options.reduceTo = ThumbnailMaker::box();
            const DecodeResult r = ImageDecoder::decodeFile(path, options);
            if (r.ok())
                ThumbnailMaker::makeThumbnail(r.image, r.fullSize.isEmpty() ? r.image.size() : r.fullSize);
        }
    }, 5);

    std::printf("raw thumbnails, page of %d files (%s), %d of them from a preview\n", kPage,
                qPrintable(QFileInfo(sources.first()).suffix()), fromPreview);
    const QString mode = bench::modeName(6);
    bench::result(QStringLiteral("raw thumbnails, page of 15, in process: previews / half-size decode"), previewMs,
                  halfMs, QStringLiteral("ms"), QString(), mode);
    const QString extracted = dir.filePath(QStringLiteral("previews"));
    QDir().mkpath(extracted);
    const bench::ProcessTimes p = bench::compareProcesses(
        bench::selfOnce(page),
        QStringList{QStringLiteral("exiv2"), QStringLiteral("-q"), QStringLiteral("-f"), QStringLiteral("-ep1"),
                    QStringLiteral("-l"), extracted} + page,
        5);
    bench::result(QStringLiteral("raw thumbnails, page of 15, process: ours / exiv2 -ep1"), p.ours, p.reference,
                  QStringLiteral("ms"), QString(), mode);
    return 0;
}
