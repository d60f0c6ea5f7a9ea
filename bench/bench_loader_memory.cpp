// Peak memory of the loader while 24-megapixel images are stepped through
// with the previous image and the preloaded next images held: decoded whole
// (against four full-size images plus a display bitmap), and with a
// 1920 x 1080 full-screen view known (against 1.5 full-size images plus the
// screen-sized renditions). Also checks that stepping to the preloaded
// image and back decodes nothing.
//
// usage: bench_loader_memory        (Linux: reads /proc/self/status)

#include "BenchImages.h"
#include "BenchUtil.h"

#include "core/imaging/ImageLoader.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace quorvel;

namespace {

qint64 statusKb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Peak resident size since the last reset.
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

template<typename Signal>
bool waitFor(ImageLoader &loader, Signal signal)
{
    QEventLoop loop;
    QObject::connect(&loader, signal, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, [&] { loop.exit(1); });
    return loop.exec() == 0;
}

// One way of holding pictures, in a process of its own so that peaks do not
// mix: "whole" decodes every picture whole (no view known, or a locked zoom),
// "screen" tells the loader of a 1920 x 1080 full-screen view (pictures kept
// at the DCT scale that covers it, two files decoded ahead) and asks for
// the whole current picture once, as a zoom does.
int runScenario(bool screen)
{
    const int w = 6000, h = 4000;
    QTemporaryDir dir;
    QStringList files;
    for (int i = 0; i < 4; ++i) {
        files << dir.filePath(QStringLiteral("img%1.jpg").arg(i));
        if (!bench::writeTestJpeg(files.last(), w, h, i + 1))
            return 2;
    }
    const qint64 imageKb = qint64(w) * h * 4 / 1024;
    const qint64 displayKb = qint64(1920) * 1080 * 4 / 1024;

    ImageLoader loader;
    if (screen)
        loader.setDisplayTarget({QSize(1920, 1080), 7});
    const qint64 baseKb = statusKb("VmRSS:");
    resetPeak();
    auto preload = [&](int from) {
        if (screen)
            return loader.preloadAhead({files.value(from), files.value(from + 1)}) > 0;
        return loader.startPreload(files[from]);
    };
    auto waitPreloads = [&] {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!loader.isPreloading())
                loop.quit();
        });
        poll.start(5);
        loop.exec();
    };

    // Show A; the frame preloads B (and C); step to B (from the cache).
    loader.requestLoad(files[0]);
    if (!waitFor(loader, &ImageLoader::loadDone))
        return 1;
    loader.onLoadDone();
    preload(1);
    waitPreloads();
    if (!loader.requestLoad(files[1]))
        return 1;
    loader.onLoadDone();
    // Zoomed in on B: its whole picture is decoded behind.
    bool whole = !loader.isCurrentReduced();
    if (screen && loader.requestFullResolution())
        whole = waitFor(loader, &ImageLoader::fullResolutionReady);
    preload(2);
    waitPreloads();
    const int decodes = loader.decodeCount();
    // Back to A and forward to B again: both held, no decode.
    const bool backServed = loader.requestLoad(files[0]);
    const bool forwardServed = loader.requestLoad(files[1]);
    // On to C, preloaded.
    const bool nextServed = loader.requestLoad(files[2]);
    loader.onLoadDone();

    const qint64 peakKb = statusKb("VmHWM:");
    const qint64 grownKb = peakKb - baseKb;
    const QSize shown = loader.currentImage().size();
    std::printf("mode                  %s\n", screen ? "screen: 1920x1080 full-screen view known, mode 7 (high-quality bicubic)"
                                                      : "whole: no view known, every picture decoded whole");
    std::printf("image                 %d x %d, %lld KiB in memory; held at %d x %d\n", w, h,
                static_cast<long long>(imageKb), shown.width(), shown.height());
    std::printf("held now              current %s, previous %s, preloaded %s; whole picture after zoom %s\n",
                loader.isImagePresent() ? "yes" : "no", loader.hasPreviousImage() ? "yes" : "no",
                loader.hasPreloadedImage() ? "yes" : "no", whole ? "yes" : "NO");
    std::printf("decodes               %d; back, forward and next served from cache: %s\n", loader.decodeCount(),
                backServed && forwardServed && nextServed && loader.decodeCount() == decodes ? "yes" : "NO");
    std::printf("peak growth           %lld KiB = %.2f full-size images\n", static_cast<long long>(grownKb),
                double(grownKb) / double(imageKb));
    if (screen) {
        // Four screen-sized renditions (current, previous, two ahead), each a
        // reduced picture (at most 2250 x 1500 here) and its display bitmap.
        const qint64 renditionsKb = 4 * (qint64(2250) * 1500 * 4 / 1024 + displayKb);
        const qint64 budget = imageKb * 3 / 2 + renditionsKb;
        std::printf("limit                 %lld KiB = 1.5 images + 4 screen renditions: %s\n",
                    static_cast<long long>(budget), grownKb <= budget ? "within" : "EXCEEDED");
        bench::result(QStringLiteral("loader peak memory, stepping through 24 MP full screen, in process"),
                      double(grownKb) / double(imageKb), -1, QStringLiteral("images"),
                      QString::number(double(budget) / double(imageKb), 'f', 2) + QStringLiteral("images"),
                      QStringLiteral("mode 7 (high-quality bicubic)"));
    } else {
        std::printf("budget                %lld KiB = 4 images + display bitmap: %s\n",
                    static_cast<long long>(4 * imageKb + displayKb),
                    grownKb <= 4 * imageKb + displayKb ? "within" : "EXCEEDED");
        bench::result(QStringLiteral("loader peak memory, whole pictures (no view known), in process"),
                      double(grownKb) / double(imageKb), -1, QStringLiteral("images"),
                      QString::number(double(4 * imageKb + displayKb) / double(imageKb), 'f', 2) + QStringLiteral("images"));
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int i = args.indexOf(QStringLiteral("--scenario"));
    if (i >= 0 && i + 1 < args.size())
        return runScenario(args.at(i + 1) == QLatin1String("screen"));
    int status = 0;
    for (const char *scenario : {"whole", "screen"}) {
        std::fflush(stdout);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(app.applicationFilePath(), {QStringLiteral("--scenario"), QString::fromLatin1(scenario)});
        if (!child.waitForFinished(300000) || child.exitCode() != 0)
            status = 1;
    }
    return status;
}
