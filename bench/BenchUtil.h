#pragma once

// Small helpers shared by the benchmarks: wall-clock timing of our own code
// and of a reference command, medians over repeated runs, and test pictures.

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace quorvel::bench {

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median wall time in milliseconds of fn over runs runs (after one warm-up).
inline double timeMs(const std::function<void()> &fn, int runs = 7)
{
    fn();
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        fn();
        t.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(t);
}

// Median wall time in milliseconds of a command (after one warm-up run);
// negative when the command cannot be run or fails.
inline double timeCommandMs(const QString &program, const QStringList &args, int runs = 7)
{
    auto once = [&]() -> double {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        p.start(program, args);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return -1;
        return timer.nsecsElapsed() / 1e6;
    };
    if (once() < 0)
        return -1;
    std::vector<double> t;
    for (int i = 0; i < runs; ++i)
        t.push_back(once());
    return median(t);
}

// A photograph-like test picture: smooth gradients with fine detail and
// noise, so that JPEG files made from it have realistic sizes.
inline QImage photoLike(int w, int h, quint32 seed = 1)
{
    QImage img(w, h, QImage::Format_RGB32);
    quint32 state = seed * 2654435761u + 1;
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            state = state * 1664525u + 1013904223u;
            const int n = int(state >> 28) - 8;
            const int r = (x * 255 / w + n + ((x / 37 + y / 29) % 2) * 20) & 255;
            const int g = (y * 255 / h + n) & 255;
            const int b = ((x + y) * 255 / (w + h) + 2 * n) & 255;
            row[x] = qRgb(r, g, b);
        }
    }
    return img;
}

inline void report(const char *what, double ours, const char *refName, double ref, double limitRatio)
{
    if (ref <= 0) {
        std::printf("%-48s ours %8.2f ms   %s: not available\n", what, ours, refName);
        return;
    }
    const double ratio = ours / ref;
    std::printf("%-48s ours %8.2f ms   %s %8.2f ms   ratio %.3f (limit %.2f) %s\n", what, ours, refName, ref, ratio,
                limitRatio, ratio <= limitRatio ? "OK" : "OVER");
}

} // namespace quorvel::bench
