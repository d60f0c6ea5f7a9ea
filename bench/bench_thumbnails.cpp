// Thumbnails view: how long until the pictures of a visible page of 15 rows
// of 12-megapixel JPEGs are all shown, beside `vipsthumbnail -s 60x60` over
// the same 15 files, once for photos without stored thumbnails and once for
// the same photos with them; and the longest stall of the event loop while
// the pictures are made.
//
//   bench_thumbnails [RUNS]

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

#include <cstdio>

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

void measure(const char *what, FileListPane &pane, const QString &folder, double vips, double limit, int runs)
{
    std::vector<double> shown;
    double stall = 0;
    fillAndWait(pane, folder); // warm-up
    for (int i = 0; i < runs; ++i) {
        const Run r = fillAndWait(pane, folder);
        shown.push_back(r.shownMs);
        stall = std::max(stall, r.stallMs);
    }
    bench::report(what, bench::median(shown), "vipsthumbnail", vips, limit);
    std::printf("%-48s longest event-loop stall %.1f ms (limit 50) %s\n", "", stall, stall <= 50 ? "OK" : "OVER");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    initExifLibrary();

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

    const QString outPattern = QDir(out).filePath("%s.jpg");
    const double vipsPlain = bench::timeCommandMs("vipsthumbnail", QStringList{"-s", "60x60", "-o", outPattern} + plainFiles, runs);
    const double vipsStored = bench::timeCommandMs("vipsthumbnail", QStringList{"-s", "60x60", "-o", outPattern} + storedFiles, runs);

    FileListPane pane;
    pane.resize(500, 1200);
    pane.show();
    pane.toggleThumbnails(true);
    QCoreApplication::processEvents();
    measure("15 x 12 MP JPEG, no stored thumbnails", pane, plain, vipsPlain, 1.0, runs);
    measure("15 x 12 MP JPEG, stored thumbnails", pane, stored, vipsStored, 0.1, runs);
    return 0;
}
