// Thumbnails view: how long until the pictures of a visible page of 15 rows
// of 12-megapixel JPEGs are all shown (reduced in high-quality bilinear),
// once for photos without stored thumbnails and once for the same photos
// with them, in the same run:
//   - in process: the pane filled and waited for, beside libjpeg-turbo
//     decoding the same 15 files at its smallest scale (1/8) in this
//     process, one after the other;
//   - as processes: the pane filled and waited for (this program with
//     --once) beside vipsthumbnail -s 60x60 over the same 15 files (its
//     default kernel, lanczos3);
// and the longest stall of the event loop while the pictures are made.
//
//   bench_thumbnails [RUNS]
//   bench_thumbnails --once FOLDER

#include "BenchImages.h"
#include "BenchUtil.h"

#include "core/exif/ExifLibrary.h"
#include "core/files/FolderScanner.h"
#include "core/files/ThumbnailMaker.h"
#include "core/files/ThumbnailScheduler.h"
#include "ui/files/FileListPane.h"
#include "ui/files/ThumbnailDisplay.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <exiv2/exiv2.hpp>
#include <turbojpeg.h>

#include <cstdio>
#include <vector>

using namespace quorvel;

namespace {

constexpr int kFiles = 15;

// Puts a 160 x 120 thumbnail of the photo into its EXIF block, as cameras do.
bool addStoredThumbnail(const QString &path)
{
    QImage photo(path);
    if (photo.isNull())
        return false;
    QByteArray thumb;
    QBuffer buffer(&thumb);
    buffer.open(QIODevice::WriteOnly);
    photo.scaled(160, 120, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(&buffer, "JPEG", 85);
    try {
        auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        image->readMetadata();
        Exiv2::ExifData &data = image->exifData();
        data["Exif.Image.Model"] = std::string("Bench camera");
        Exiv2::ExifThumb(data).setJpegThumbnail(reinterpret_cast<const Exiv2::byte *>(thumb.constData()),
                                                long(thumb.size()));
        image->writeMetadata();
    } catch (const Exiv2::AnyError &) {
        return false;
    }
    return true;
}

struct Run
{
    double shownMs = 0;   // from the fill until the last picture is in its row
    double stallMs = 0;   // longest time the event loop did not run
};

// Fills the pane with the folder (thumbnails mode is on) and waits in the
// event loop until every row has its picture.
Run fillAndWait(FileListPane &pane, const QString &folder)
{
    Run run;
    ThumbnailScheduler &scheduler = pane.thumbnails()->scheduler();
    QEventLoop loop;
    int made = 0;
    const auto conn = QObject::connect(&scheduler, &ThumbnailScheduler::pictureReady, &loop, [&] {
        if (++made == kFiles)
            QTimer::singleShot(0, &loop, &QEventLoop::quit); // after the row is repainted
    });
    // A 2 ms tick: the longest gap between ticks bounds every stall.
    QElapsedTimer ticks;
    QTimer ticker;
    ticker.setInterval(2);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        run.stallMs = std::max(run.stallMs, ticks.nsecsElapsed() / 1e6);
        ticks.restart();
    });
    QElapsedTimer clock;
    QTimer::singleShot(0, &loop, [&] {
        clock.start();
        pane.fillList(FolderScanner(folder).scan(FolderScanner::Images), folder, true);
    });
    ticks.start();
    ticker.start();
    loop.exec();
    run.shownMs = clock.nsecsElapsed() / 1e6;
    ticker.stop();
    QObject::disconnect(conn);
    return run;
}

// libjpeg-turbo alone: each file read and decoded at 1/8 scale.
double turboEighths(const QStringList &files, int runs)
{
    tjhandle tj = tjInitDecompress();
    std::vector<unsigned char> pixels;
    const double ms = bench::timeMs([&] {
        for (const QString &path : files) {
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QByteArray jpeg = f.readAll();
            const auto *data = reinterpret_cast<const unsigned char *>(jpeg.constData());
            int w = 0, h = 0, sub = 0, cs = 0;
            if (tjDecompressHeader3(tj, data, (unsigned long)jpeg.size(), &w, &h, &sub, &cs) != 0)
                continue;
            const int sw = (w + 7) / 8, sh = (h + 7) / 8;
            pixels.resize(size_t(sw) * size_t(sh) * 4);
            tjDecompress2(tj, data, (unsigned long)jpeg.size(), pixels.data(), sw, 0, sh, TJPF_BGRX, 0);
        }
    }, runs);
    tjDestroy(tj);
    return ms;
}

FileListPane *thumbnailPane()
{
    auto *pane = new FileListPane;
    pane->resize(500, 1200);
    pane->show();
    pane->toggleThumbnails(true);
    QCoreApplication::processEvents();
    return pane;
}

void measure(const QString &what, FileListPane &pane, const QString &folder, const QStringList &files,
             const QStringList &vips, const QString &limit, int runs)
{
    std::vector<double> shown;
    double stall = 0;
    fillAndWait(pane, folder); // warm-up
    for (int i = 0; i < runs; ++i) {
        const Run r = fillAndWait(pane, folder);
        shown.push_back(r.shownMs);
        stall = std::max(stall, r.stallMs);
    }
    const QString mode = bench::modeName(6);
    bench::result(what + QStringLiteral(", in process (vs tjDecompress2 at 1/8)"), bench::median(shown),
                  turboEighths(files, runs), QStringLiteral("ms"), QString(), mode);
    const bench::ProcessTimes p = bench::compareProcesses(bench::selfOnce({folder}), vips + files, runs);
    bench::result(what + QStringLiteral(", process: ours / vipsthumbnail"), p.ours, p.reference, QStringLiteral("ms"),
                  limit, mode);
    bench::result(what + QStringLiteral(", longest event-loop stall"), stall, -1, QStringLiteral("ms"),
                  QStringLiteral("50ms"));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStringList onceArgs;
    const bool onceMode = bench::onceArguments(argc, argv, onceArgs);
    QApplication app(argc, argv);
    initExifLibrary();
    if (onceMode) {
        std::unique_ptr<FileListPane> pane(thumbnailPane());
        fillAndWait(*pane, onceArgs.value(0));
        return 0;
    }
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    QTemporaryDir dir;
    const QString plain = dir.filePath("plain");
    const QString stored = dir.filePath("stored");
    const QString out = dir.filePath("out");
    QDir().mkpath(plain);
    QDir().mkpath(stored);
    QDir().mkpath(out);
    QStringList plainFiles, storedFiles;
    for (int i = 0; i < kFiles; ++i) {
        const QString name = QStringLiteral("IMG_%1.JPG").arg(i, 4, 10, QChar(u'0'));
        const QString p = QDir(plain).filePath(name), s = QDir(stored).filePath(name);
        if (!bench::writeTestJpeg(p, 4000, 3000, i) || !QFile::copy(p, s) || !addStoredThumbnail(s)) {
            std::fprintf(stderr, "cannot write the test photos\n");
            return 1;
        }
        plainFiles << p;
        storedFiles << s;
    }

    // One file at a time on this thread, for scale.
    const double onePlain = bench::timeMs([&] { ThumbnailMaker::fromFile(plainFiles.first()); });
    const double oneStored = bench::timeMs([&] { ThumbnailMaker::fromFile(storedFiles.first()); });
    std::printf("one picture of a 12 MP JPEG: reduced decode %.2f ms, from the stored thumbnail %.3f ms (%.0fx)\n",
                onePlain, oneStored, onePlain / oneStored);
    bench::result(QStringLiteral("one thumbnail of a 12 MP JPEG, in process: stored / reduced decode"), oneStored,
                  onePlain, QStringLiteral("ms"), QString(), bench::modeName(6));

    const QStringList vips{QStringLiteral("vipsthumbnail"), QStringLiteral("-s"), QStringLiteral("60x60"),
                           QStringLiteral("-o"), QDir(out).filePath("%s.jpg")};
    std::unique_ptr<FileListPane> pane(thumbnailPane());
    measure(QStringLiteral("15 x 12 MP JPEG, no stored thumbnails"), *pane, plain, plainFiles, vips,
            QStringLiteral("1.0"), runs);
    measure(QStringLiteral("15 x 12 MP JPEG, stored thumbnails"), *pane, stored, storedFiles, vips,
            QStringLiteral("0.1"), runs);
    return 0;
}
