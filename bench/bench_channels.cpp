// A full-resolution channel treatment of a 24-megapixel photograph (the copy
// made and treated in one pass) beside a plain memcpy of the same image
// buffer into memory already in use, and beside a fresh copy of the image
// (new memory, as QImage::copy makes it).

#include "BenchUtil.h"

#include "core/imaging/ChannelTreatment.h"
#include "core/imaging/DisplayEngine.h"

#include <QGuiApplication>

#include <cstring>
#include <vector>

using namespace quorvel;

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QImage photo = bench::photoLike(6000, 4000);
    const size_t bytes = size_t(photo.sizeInBytes());

    std::vector<uchar> target(bytes, 1);
    const double memcpyMs = bench::timeMs([&] { std::memcpy(target.data(), photo.constBits(), bytes); }, 11);
    const double freshCopyMs = bench::timeMs([&] {
        QImage copy = photo.copy();
        copy.bits();
    }, 11);
    std::printf("24 MP buffer %zu bytes: memcpy %.2f ms, fresh QImage copy %.2f ms\n", bytes, memcpyMs, freshCopyMs);

    DisplayEngine engine;
    engine.setImage(photo);
    // From the plain image: the copy needs new memory.
    const double fresh = bench::timeMs([&] {
        engine.setChannel(channel::None, false);
        engine.setChannel(channel::Red, true);
    }, 11);
    bench::report("A, Shift+R: red channel into new memory", fresh, "fresh copy", freshCopyMs, 4.0);
    bench::report("A, Shift+R: red channel into new memory", fresh, "memcpy", memcpyMs, 4.0);

    // Another channel, or the next image of the same size: the earlier
    // copy's memory is taken again.
    int flip = 0;
    const double channelMs = bench::timeMs([&] { engine.setChannel(++flip % 2 ? channel::Green : channel::Blue, true); },
                                           11);
    bench::report("Shift+G / Shift+B alternately", channelMs, "memcpy", memcpyMs, 4.0);
    const double nextMs = bench::timeMs([&] { engine.setImage(photo); }, 11);
    bench::report("next image with Shift+B on", nextMs, "memcpy", memcpyMs, 4.0);
    engine.setChannel(channel::None, false);
    engine.toggleOverexposure(true);
    const double overMs = bench::timeMs([&] { engine.setImage(photo); }, 11);
    bench::report("next image with Shift+F3 on", overMs, "memcpy", memcpyMs, 4.0);

    // The treatment alone, in place on an image already in memory.
    QImage work = photo.copy();
    const double inPlaceMs = bench::timeMs([&] { ChannelTreatment::applyChannel(work, channel::Green); }, 11);
    bench::report("green channel in place (no allocation)", inPlaceMs, "memcpy", memcpyMs, 4.0);
    return 0;
}
