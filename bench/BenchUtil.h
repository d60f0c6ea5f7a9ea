#pragma once

// Small helpers shared by the benchmarks: wall-clock timing of our own code
// in this process, timing of whole processes (ours beside the reference
// tool's, through hyperfine), medians over repeated runs, test pictures, and
// the RESULT lines bench/run-all.sh gathers into its table.
//
// Every figure is printed twice: a line for people, and one line
//   RESULT<TAB>name<TAB>ours<TAB>reference<TAB>unit<TAB>ratio<TAB>limit<TAB>mode
// for the table ("-" where a column has no value). A limit that ends with the
// unit ("5ms") bounds our figure itself; a plain number bounds the ratio.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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
// negative when the command cannot be run or fails. The fallback when
// hyperfine is missing; QProcess adds a little of its own time.
inline double timeCommandMs(const QString &program, const QStringList &args, int runs = 7)
{
    auto once = [&]() -> double {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        p.start(program, args);
        if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
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

// One argument quoted for hyperfine's command splitting (POSIX shell words).
inline QString shellQuoted(const QString &arg)
{
    if (!arg.isEmpty() && std::all_of(arg.begin(), arg.end(), [](QChar c) {
            return c.isLetterOrNumber() || QStringLiteral("/._-=+,:@%").contains(c);
        }))
        return arg;
    QString quoted = arg;
    quoted.replace(QLatin1String("'"), QLatin1String("'\\''"));
    return u'\'' + quoted + u'\'';
}

inline QString commandText(const QStringList &command)
{
    QStringList words;
    for (const QString &arg : command)
        words.append(shellQuoted(arg));
    return words.join(u' ');
}

// Whole-process medians in milliseconds; negative when a command could not
// be run or failed.
struct ProcessTimes
{
    double ours = -1;
    double reference = -1;
};

// Runs both commands as processes (no shell between: a command that needs
// one says "sh -c ..." itself), runs times each after a warm-up, and gives
// their medians. prepare, when given, runs (untimed) before every run of
// either, e.g. to put a fresh copy of a file in place. Uses hyperfine; where
// it is missing, QProcess timing (which cannot prepare).
inline ProcessTimes compareProcesses(const QStringList &ours, const QStringList &reference, int runs,
                                     const QStringList &prepare = {})
{
    ProcessTimes times;
    const QString hyperfine = QStandardPaths::findExecutable(QStringLiteral("hyperfine"));
    if (hyperfine.isEmpty()) {
        times.ours = timeCommandMs(ours.first(), ours.mid(1), runs);
        if (!reference.isEmpty())
            times.reference = timeCommandMs(reference.first(), reference.mid(1), runs);
        return times;
    }
    QTemporaryDir dir;
    const QString json = dir.filePath(QStringLiteral("times.json"));
    QStringList args{QStringLiteral("-N"), QStringLiteral("--style"), QStringLiteral("none"), QStringLiteral("--warmup"),
                     QStringLiteral("1"), QStringLiteral("--runs"), QString::number(std::max(2, runs)),
                     QStringLiteral("--export-json"), json};
    if (!prepare.isEmpty())
        args << QStringLiteral("--prepare") << commandText(prepare);
    // Each command alone, so that a failing reference leaves our figure.
    const auto medianOf = [&](const QStringList &command) -> double {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(hyperfine, args + QStringList{commandText(command)});
        if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return -1;
        QFile f(json);
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        const QJsonArray results = QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("results")).toArray();
        return results.isEmpty() ? -1 : results.first().toObject().value(QStringLiteral("median")).toDouble(-0.001) * 1000;
    };
    times.ours = medianOf(ours);
    if (!reference.isEmpty())
        times.reference = medianOf(reference);
    return times;
}

// This benchmark program run as one process doing one job: main() handles
// "--once" first (see onceArguments).
inline QStringList selfOnce(const QStringList &args)
{
    return QStringList{QCoreApplication::applicationFilePath(), QStringLiteral("--once")} + args;
}

// The arguments after "--once" when the program was started for one job.
inline bool onceArguments(int argc, char **argv, QStringList &args)
{
    if (argc < 2 || QByteArray(argv[1]) != "--once")
        return false;
    for (int i = 2; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    return true;
}

// quorvel-tool of the same build.
inline QString toolPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../bin/quorvel-tool"));
}

// The interpolation mode's name as the settings dialog offers it.
inline QString modeName(int mode)
{
    switch (mode) {
    case 3: return QStringLiteral("bilinear");
    case 4: return QStringLiteral("bicubic");
    case 5: return QStringLiteral("nearest neighbour");
    case 6: return QStringLiteral("high-quality bilinear");
    case 7: return QStringLiteral("high-quality bicubic");
    default: return QStringLiteral("mode %1").arg(mode);
    }
}

inline QString number(double v)
{
    return v < 0 ? QStringLiteral("-") : QString::number(v, 'f', v < 10 ? 3 : 2);
}

// One figure: the line for people and the RESULT line. reference < 0 means
// none; limit "" means none.
inline void result(const QString &name, double ours, double reference, const QString &unit, const QString &limit,
                   const QString &mode = QString())
{
    const bool hasRatio = ours >= 0 && reference > 0;
    const double ratio = hasRatio ? ours / reference : -1;
    QString verdict;
    if (!limit.isEmpty() && ours >= 0) {
        const bool absolute = limit.endsWith(unit);
        const double bound = (absolute ? limit.chopped(unit.size()) : limit).toDouble();
        if (absolute || hasRatio)
            verdict = (absolute ? ours : ratio) <= bound ? QStringLiteral("OK") : QStringLiteral("OVER");
    }
    QString line = QStringLiteral("%1  ours %2 %3").arg(name, -58).arg(number(ours), 9).arg(unit);
    if (reference >= 0)
        line += QStringLiteral("   reference %1 %2   ratio %3").arg(number(reference), 9).arg(unit, number(ratio));
    if (!limit.isEmpty())
        line += QStringLiteral("   limit %1 %2").arg(limit, verdict);
    if (!mode.isEmpty())
        line += QStringLiteral("   [%1]").arg(mode);
    std::printf("%s\n", qPrintable(line));
    std::printf("RESULT\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", qPrintable(name), qPrintable(number(ours)),
                qPrintable(number(reference)), qPrintable(unit), qPrintable(hasRatio ? QString::number(ratio, 'f', 3) : QStringLiteral("-")),
                qPrintable(limit.isEmpty() ? QStringLiteral("-") : limit), qPrintable(mode.isEmpty() ? QStringLiteral("-") : mode));
    std::fflush(stdout);
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

} // namespace quorvel::bench
