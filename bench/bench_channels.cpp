// Full-resolution channel treatments of a 24-megapixel photograph, in the
// same run:
//   - in process: each treatment beside a plain memcpy of the same image
//     buffer into memory already in use (one pass over its pixels), and the
//     first one also beside a fresh copy of the image (new memory, as
//     QImage::copy makes it);
//   - as processes: a JPEG decoded and its red channel shown (this program
//     with --once) beside vips extract_band taking the red band of the same
//     file.
//
//   bench_channels [--once JPEG]

#include "BenchImages.h"
#include "BenchUtil.h"

#include "core/imaging/ChannelTreatment.h"
#include "core/imaging/DisplayEngine.h"
#include "core/imaging/ImageDecoder.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstring>
#include <vector>

using namespace quorvel;

namespace {

int once(const QString &jpeg)
{
    const DecodeResult decoded = ImageDecoder::decodeFile(jpeg, DecodeOptions());
    if (!decoded.ok())
        return 1;
    DisplayEngine engine;
    engine.setImage(decoded.image);
    engine.setChannel(channel::Red, true);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList onceArgs;
    const bool onceMode = bench::onceArguments(argc, argv, onceArgs);
    QGuiApplication app(argc, argv);
    if (onceMode)
        return once(onceArgs.value(0));
    const QImage photo = bench::photoLike(6000, 4000);
    const size_t bytes = size_t(photo.sizeInBytes());

    std::vector<uchar> target(bytes, 1);
    const double memcpyMs = bench::timeMs([&] { std::memcpy(target.data(), photo.constBits(), bytes); }, 11);
    const double freshCopyMs = bench::timeMs([&] {
        QImage copy = photo.copy();
        copy.bits();
    }, 11);
    std::printf("24 MP buffer %zu bytes: memcpy %.2f ms, fresh QImage copy %.2f ms\n", bytes, memcpyMs, freshCopyMs);

    const QString ms = QStringLiteral("ms");
    DisplayEngine engine;
    engine.setImage(photo);
    // From the plain image: the copy needs new memory.
    const double fresh = bench::timeMs([&] {
        engine.setChannel(channel::None, false);
        engine.setChannel(channel::Red, true);
    }, 11);
    bench::result(QStringLiteral("A, Shift+R: red channel into new memory, in process (vs fresh copy)"), fresh,
                  freshCopyMs, ms, QStringLiteral("4.0"));
    bench::result(QStringLiteral("A, Shift+R: red channel into new memory, in process (vs memcpy)"), fresh, memcpyMs,
                  ms, QStringLiteral("4.0"));

    // Another channel, or the next image of the same size: the earlier
    // copy's memory is taken again.
    int flip = 0;
    const double channelMs = bench::timeMs([&] { engine.setChannel(++flip % 2 ? channel::Green : channel::Blue, true); },
                                           11);
    bench::result(QStringLiteral("Shift+G / Shift+B alternately, in process (vs memcpy)"), channelMs, memcpyMs, ms,
                  QStringLiteral("4.0"));
    const double nextMs = bench::timeMs([&] { engine.setImage(photo); }, 11);
    bench::result(QStringLiteral("next image with Shift+B on, in process (vs memcpy)"), nextMs, memcpyMs, ms,
                  QStringLiteral("4.0"));
    engine.setChannel(channel::None, false);
    engine.toggleOverexposure(true);
    const double overMs = bench::timeMs([&] { engine.setImage(photo); }, 11);
    bench::result(QStringLiteral("next image with Shift+F3 on, in process (vs memcpy)"), overMs, memcpyMs, ms,
                  QStringLiteral("4.0"));

    // The treatment alone, in place on an image already in memory.
    QImage work = photo.copy();
    const double inPlaceMs = bench::timeMs([&] { ChannelTreatment::applyChannel(work, channel::Green); }, 11);
    bench::result(QStringLiteral("green channel in place (no allocation), in process (vs memcpy)"), inPlaceMs,
                  memcpyMs, ms, QStringLiteral("4.0"));

    // As processes: decode and treat, beside vips taking the red band.
    QTemporaryDir dir;
    const QString jpeg = dir.filePath(QStringLiteral("24mp.jpg"));
    if (!bench::writeTestJpeg(jpeg, 6000, 4000, 1))
        return 1;
    const bench::ProcessTimes p = bench::compareProcesses(
        bench::selfOnce({jpeg}),
        {QStringLiteral("vips"), QStringLiteral("extract_band"), jpeg, dir.filePath(QStringLiteral("red.v")),
         QStringLiteral("0")},
        5);
    bench::result(QStringLiteral("decode 24 MP JPEG + red channel, process: ours / vips extract_band"), p.ours,
                  p.reference, ms, QString());
    return 0;
}
