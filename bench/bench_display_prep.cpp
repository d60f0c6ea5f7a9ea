// High-quality display preparation of a 24-megapixel picture for a
// 1920 x 1080 full-screen view (fitted into the 1916 x 1076 client area),
// beside one pass over its pixels: a memory copy of the same buffer, in the
// same process and run, medians of several runs. Every interpolation mode is
// named; the limit (2x the copy) is for the high-quality modes 6 and 7.
// Also the preparation from the 3/8 DCT-scaled first look (2250 x 1500) the
// viewer actually holds. The whole-process figure of the same path (key
// press to painted, beside vipsthumbnail) is bench_keypaint's.
//
// usage: bench_display_prep [RUNS]   (default 9)

#include "BenchUtil.h"

#include "core/imaging/Resampler.h"
#include "core/imaging/ZoomMath.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <cstring>

using namespace quorvel;

namespace {

const char *modeName(int mode)
{
    switch (mode) {
    case 3: return "bilinear";
    case 4: return "bicubic";
    case 5: return "nearest neighbour";
    case 6: return "high-quality bilinear";
    case 7: return "high-quality bicubic";
    default: return "?";
    }
}

QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2)
                                       : QStringLiteral("?");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 9;
    const QImage picture = bench::photoLike(6000, 4000, 7).convertToFormat(QImage::Format_RGB32);
    const QSize fitted = zoom::fitInto(picture.size(), QSize(1916, 1076));
    const QImage firstLook = picture.scaled(2250, 1500, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    std::printf("load average %s; picture 6000 x 4000 (%.1f MB) fitted to %d x %d, %d runs, medians\n",
                qPrintable(loadAverage()), picture.sizeInBytes() / 1e6, fitted.width(), fitted.height(), runs);

    // The copy: one read and one write of every pixel, into memory touched
    // before, as the preparation's own output and scratch memory are.
    QImage copy(picture.size(), picture.format());
    std::memcpy(copy.bits(), picture.constBits(), size_t(picture.sizeInBytes()));
    const double copyMs = bench::timeMs(
        [&] { std::memcpy(copy.bits(), picture.constBits(), size_t(picture.sizeInBytes())); }, runs);
    std::printf("memcpy of the 24 MP buffer              %8.2f ms\n", copyMs);

    QImage out;
    for (int mode : {7, 6, 4, 3, 5}) {
        Resampler::scaleInto(picture, fitted, mode, out); // warm the scratch memory
        const double ms = bench::timeMs([&] { Resampler::scaleInto(picture, fitted, mode, out); }, runs);
        const bool limited = Resampler::isHighQuality(mode);
        std::printf("mode %d %-22s 24 MP   %8.2f ms  ratio to memcpy %5.2f%s\n", mode, modeName(mode), ms,
                    ms / copyMs, limited ? (ms <= 2 * copyMs ? "  (limit 2.00) OK" : "  (limit 2.00) OVER") : "");
        std::printf("RESULT\tdisplay_prep_24mp_mode%d\t%.2f\t%.2f\tms\t%.3f\t%s\tmode %d (%s)\n", mode, ms, copyMs,
                    ms / copyMs, limited ? "2" : "-", mode, modeName(mode));
    }
    for (int mode : {7, 4}) {
        Resampler::scaleInto(firstLook, fitted, mode, out);
        const double ms = bench::timeMs([&] { Resampler::scaleInto(firstLook, fitted, mode, out); }, runs);
        std::printf("mode %d %-22s 3/8 look %7.2f ms  ratio to the 24 MP memcpy %5.2f\n", mode, modeName(mode), ms,
                    ms / copyMs);
    }
    return 0;
}
