// Thumbnails of camera raw files: a page of 15 made from the previews the
// files carry (what the thumbnails view does now) beside the same page made
// by a half-size decode of the sensor data (what it did before), both in
// this process, in the same run, one after the other, one thread.
//
//   bench_rawthumbs [RAW_FILE...]
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
    QCoreApplication app(argc, argv);
    QStringList sources = app.arguments().mid(1);
    if (sources.isEmpty())
        sources = sampleFiles();
    if (sources.isEmpty()) {
        std::fprintf(stderr, "no raw files: give some, or set QUORVEL_TESTDATA\n");
        return 1;
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

    std::printf("raw thumbnails, page of %d files (%s), in-process, one thread, median of 5:\n", kPage,
                qPrintable(QFileInfo(sources.first()).suffix()));
    std::printf("  from embedded previews: %8.1f ms  (%d of %d from a preview)\n", previewMs, fromPreview, kPage);
    std::printf("  half-size raw decode:   %8.1f ms\n", halfMs);
    std::printf("  ratio (half-size / preview): %.1f\n", previewMs > 0 ? halfMs / previewMs : 0.0);
    return 0;
}
