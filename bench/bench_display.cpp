// Preparing the display bitmap of a 24-megapixel photograph fitted to
// 1600x1000, in each interpolation mode, in the same run:
//   - in process: the preparation of the decoded picture beside one memcpy
//     of the same pixel buffer (one pass over its pixels);
//   - as processes: the file decoded as the viewer decodes a photo it shows
//     (at the DCT scale that covers the view) and its display bitmap
//     prepared (this program with --once) beside vipsthumbnail decoding and
//     shrinking the same JPEG to the same size (shrink-on-load, then its
//     default kernel, lanczos3);
// and the pixels a pan step at 500 % prepares.
//
//   bench_display [--once JPEG MODE]

#include "BenchUtil.h"

#include "core/imaging/DisplayAhead.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/ImageViewModel.h"
#include "core/settings/AppSettings.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstring>
#include <vector>

using namespace quorvel;

namespace {

const int kModes[] = {InterpolationHighQualityBicubic, InterpolationHighQualityBilinear, InterpolationBicubic,
                      InterpolationBilinear, InterpolationNearest};

// The limits for each mode: in process against one pass over the pixels,
// as processes against vipsthumbnail.
QString inProcessLimit(int mode)
{
    return mode == InterpolationHighQualityBicubic ? QStringLiteral("2.0") : QString();
}

QString processLimit(int mode)
{
    return mode == InterpolationHighQualityBicubic ? QStringLiteral("0.5")
         : mode == InterpolationBilinear            ? QStringLiteral("0.33")
                                                    : QStringLiteral("1.0");
}

// One job as a process, as the viewer shows a photo it has not decoded
// ahead: decoded at the DCT scale that covers the view (vipsthumbnail too
// shrinks a JPEG as it loads it), fitted, prepared.
int once(const QStringList &args)
{
    const DisplayTarget target{QSize(1600, 1000), args.value(1).toInt()};
    DecodeOptions options;
    options.reduceTo = DisplayAhead::reduceBox(target);
    options.reduceToFit = true;
    options.reduceFastest = true;
    const DecodeResult decoded = ImageDecoder::decodeFile(args.value(0), options);
    if (!decoded.ok())
        return 1;
    ImageViewModel model;
    model.resize(target.view);
    model.showImage(decoded.image, decoded.fullSize);
    model.prepareForPaint(target.mode);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList onceArgs;
    const bool onceMode = bench::onceArguments(argc, argv, onceArgs);
    QGuiApplication app(argc, argv);
    if (onceMode)
        return once(onceArgs);
    QTemporaryDir dir;
    const QString jpeg = dir.filePath("24mp.jpg");
    const QImage photo = bench::photoLike(6000, 4000);
    if (!photo.save(jpeg, "JPEG", 90))
        return 1;
    const QImage decoded(jpeg);

    std::vector<uchar> target(size_t(decoded.sizeInBytes()), 1);
    const double memcpyMs = bench::timeMs([&] { std::memcpy(target.data(), decoded.constBits(), target.size()); }, 11);
    std::printf("24 MP buffer, %zu bytes: memcpy %.2f ms\n", target.size(), memcpyMs);

    for (int mode : kModes) {
        ImageViewModel model;
        model.resize(QSize(1600, 1000));
        model.showImage(decoded);
        const double ms = bench::timeMs([&] {
            model.engine().markRebuild();
            model.prepareForPaint(mode);
        });
        bench::result(QStringLiteral("prepare 24 MP fitted to 1600x1000, in process (vs memcpy)"), ms, memcpyMs,
                      QStringLiteral("ms"), inProcessLimit(mode), bench::modeName(mode));
    }
    const QStringList vips{QStringLiteral("vipsthumbnail"), jpeg, QStringLiteral("-s"), QStringLiteral("1600x1000"),
                           QStringLiteral("-o"), dir.filePath(QStringLiteral("t.v"))};
    for (int mode : kModes) {
        const bench::ProcessTimes p = bench::compareProcesses(bench::selfOnce({jpeg, QString::number(mode)}), vips, 5);
        bench::result(QStringLiteral("decode + prepare 24 MP to 1600x1000, process: ours / vipsthumbnail"), p.ours,
                      p.reference, QStringLiteral("ms"), processLimit(mode), bench::modeName(mode));
    }

    ImageViewModel model;
    model.resize(QSize(1600, 1000));
    model.showImage(decoded);
    model.applyZoom(500);
    model.prepareForPaint(InterpolationHighQualityBicubic);
    model.beginDrag(QPoint(800, 500));
    int step = 0;
    const double pan = bench::timeMs([&] {
        ++step;
        model.dragTo(QPoint(800 - (step % 50) * 10, 500));
        model.prepareForPaint(InterpolationHighQualityBicubic);
    });
    std::printf("pan step at 500 %%: %lld pixels prepared (view holds %d)\n",
                static_cast<long long>(model.engine().preparedPixels()), 1600 * 1000);
    bench::result(QStringLiteral("pan step at 500 %, in process"), pan, -1, QStringLiteral("ms"), QString(),
                  bench::modeName(InterpolationHighQualityBicubic));
    return 0;
}
