#include "BenchImages.h"

#include <QFile>
#include <QList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include <turbojpeg.h>

namespace quorvel::bench {

namespace {

bool writeJpeg(const QString &path, int width, int height, int seed, const quint32 *mark)
{
    std::vector<unsigned char> rgb(size_t(width) * size_t(height) * 3);
    uint32_t state = 2463534242u + uint32_t(seed) * 7919u;
    auto noise = [&state]() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return int(state % 17) - 8;
    };
    for (int y = 0; y < height; ++y) {
        unsigned char *row = rgb.data() + size_t(y) * size_t(width) * 3;
        for (int x = 0; x < width; ++x) {
            const double fx = double(x) / width, fy = double(y) / height;
            int r = int(255 * fx);
            int g = int(127 + 120 * std::sin(6.0 * fx + 4.0 * fy + seed));
            int b = int(255 * fy);
            if (((x / 400) + (y / 300)) % 2 == 0) // edges
                r = 255 - r;
            const int n = noise();
            row[x * 3 + 0] = (unsigned char)std::clamp(r + n, 0, 255);
            row[x * 3 + 1] = (unsigned char)std::clamp(g + n, 0, 255);
            row[x * 3 + 2] = (unsigned char)std::clamp(b + n, 0, 255);
        }
    }
    if (mark) {
        const int bw = width / 6, bh = height / 6;
        for (int y = (height - bh) / 2; y < (height + bh) / 2; ++y) {
            unsigned char *row = rgb.data() + size_t(y) * size_t(width) * 3;
            for (int x = (width - bw) / 2; x < (width + bw) / 2; ++x) {
                row[x * 3 + 0] = (unsigned char)(*mark >> 16);
                row[x * 3 + 1] = (unsigned char)(*mark >> 8);
                row[x * 3 + 2] = (unsigned char)*mark;
            }
        }
    }
    tjhandle tj = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    const int rc = tjCompress2(tj, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_420, 90, 0);
    tjDestroy(tj);
    if (rc != 0)
        return false;
    QFile f(path);
    const bool ok = f.open(QIODevice::WriteOnly) && f.write(reinterpret_cast<const char *>(jpeg), qint64(size)) == qint64(size);
    tjFree(jpeg);
    return ok;
}

} // namespace

bool writeTestJpeg(const QString &path, int width, int height, int seed)
{
    return writeJpeg(path, width, height, seed, nullptr);
}

bool writeMarkedTestJpeg(const QString &path, int width, int height, int seed, quint32 mark)
{
    return writeJpeg(path, width, height, seed, &mark);
}

Timing summarize(QList<double> ms)
{
    Timing t;
    if (ms.isEmpty())
        return t;
    std::sort(ms.begin(), ms.end());
    t.best = ms.front();
    t.median = ms[ms.size() / 2];
    return t;
}

} // namespace quorvel::bench
