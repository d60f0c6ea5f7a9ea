// Peak memory of the loader while a 24-megapixel image is shown with the
// previous image and the preloaded next image held, against the budget of
// four full-size images plus a display bitmap (a 1920 x 1080 screen).
// Also checks that stepping to the preloaded image and back decodes nothing.
//
// usage: bench_loader_memory        (Linux: reads /proc/self/status)

#include "BenchImages.h"
#include "BenchUtil.h"

#include "core/imaging/ImageLoader.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int w = 6000, h = 4000;
    QTemporaryDir dir;
    QStringList files;
    for (int i = 0; i < 3; ++i) {
        files << dir.filePath(QStringLiteral("img%1.jpg").arg(i));
        if (!bench::writeTestJpeg(files.last(), w, h, i + 1))
            return 2;
    }
    const qint64 imageKb = qint64(w) * h * 4 / 1024;
    const qint64 displayKb = qint64(1920) * 1080 * 4 / 1024;

    ImageLoader loader;
    const qint64 baseKb = statusKb("VmRSS:");
    resetPeak();

    // Show A; the frame preloads B; step to B (from the cache); preload C.
    loader.requestLoad(files[0]);
    if (!waitFor(loader, &ImageLoader::loadDone))
        return 1;
    loader.onLoadDone();
    loader.startPreload(files[1]);
    if (!waitFor(loader, &ImageLoader::preloadFinished))
        return 1;
    if (!loader.requestLoad(files[1]))
        return 1;
    loader.onLoadDone();
    loader.startPreload(files[2]);
    if (!waitFor(loader, &ImageLoader::preloadFinished))
        return 1;
    const int decodes = loader.decodeCount();
    // Back to A and forward to B again: both held, no decode.
    const bool backServed = loader.requestLoad(files[0]);
    const bool forwardServed = loader.requestLoad(files[1]);

    const qint64 peakKb = statusKb("VmHWM:");
    const qint64 grownKb = peakKb - baseKb;
    std::printf("image                 %d x %d, %lld KiB in memory\n", w, h, static_cast<long long>(imageKb));
    std::printf("held now              current %s, previous %s, preloaded %s\n",
                loader.isImagePresent() ? "yes" : "no", loader.hasPreviousImage() ? "yes" : "no",
                loader.hasPreloadedImage() ? "yes" : "no");
    std::printf("decodes               %d for 3 files; back and forward served from cache: %s\n",
                loader.decodeCount(), backServed && forwardServed && loader.decodeCount() == decodes ? "yes" : "NO");
    std::printf("peak growth           %lld KiB = %.2f full-size images\n", static_cast<long long>(grownKb),
                double(grownKb) / double(imageKb));
    std::printf("budget                %lld KiB = 4 images + display bitmap: %s\n",
                static_cast<long long>(4 * imageKb + displayKb), grownKb <= 4 * imageKb + displayKb ? "within" : "EXCEEDED");
    const double budget = double(4 * imageKb + displayKb) / double(imageKb);
    bench::result(QStringLiteral("loader peak memory, current + previous + preloaded 24 MP, in process"),
                  double(grownKb) / double(imageKb), -1, QStringLiteral("images"),
                  QString::number(budget, 'f', 2) + QStringLiteral("images"));
    return 0;
}
