// Key press to painted, as a user feels it: the program itself runs under
// Xvfb (1920x1080, full screen) on a folder of 24-megapixel JPEGs that this
// benchmark writes; key presses go in through XTest and the middle of the
// screen is read back (XGetImage on a few pixels) until the new picture is
// there. Every picture carries a block of its own colour in the middle, so
// the samples tell which picture is on the screen, or the grey background.
//
// Reported, as medians:
//   - Space to the next photo when it was preloaded;
//   - Backspace to a photo that was not (walking back from the last one);
//   - the interval between new pictures while Space is held at the
//     key-repeat rate, and the grey frames seen meanwhile;
// beside `vipsthumbnail FILE -s 1920x1080` on the same files, timed as a
// process, in the same run.
//
// usage: bench_keypaint [--program PATH] [--files N] [--runs N]
//                       [--hold SECONDS] [--rate PER_SECOND] [--mode 3..7]
//                       [--no-wm]
// Needs Xvfb, libXtst (as xdotool does) and vipsthumbnail; openbox is used
// as the window manager when present.

#include "BenchImages.h"
#include "BenchUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

using namespace quorvel;

namespace {

constexpr int kScreenW = 1920, kScreenH = 1080;
constexpr int kPhotoW = 6000, kPhotoH = 4000;

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

void sleepMs(double ms)
{
    std::this_thread::sleep_for(std::chrono::microseconds(qint64(ms * 1000)));
}

QString modeName(int mode)
{
    switch (mode) {
    case 3: return QStringLiteral("bilinear");
    case 4: return QStringLiteral("bicubic");
    case 5: return QStringLiteral("nearest neighbour");
    case 6: return QStringLiteral("high-quality bilinear");
    case 7: return QStringLiteral("high-quality bicubic");
    default: return QStringLiteral("unknown");
    }
}

QString loadAverage()
{
    double l[3] = {0, 0, 0};
    if (getloadavg(l, 3) != 3)
        return QStringLiteral("?");
    return QStringLiteral("%1 %2 %3").arg(l[0], 0, 'f', 2).arg(l[1], 0, 'f', 2).arg(l[2], 0, 'f', 2);
}

// Colours far enough apart (and from the grey background) to be told apart
// after scaling and JPEG.
std::vector<quint32> markColours()
{
    std::vector<quint32> colours;
    const int levels[] = {30, 80, 130, 180, 230};
    for (int r : levels)
        for (int g : levels)
            for (int b : levels) {
                if (std::abs(r - 127) < 40 && std::abs(g - 127) < 40 && std::abs(b - 127) < 40)
                    continue;
                colours.push_back(quint32(r << 16 | g << 8 | b));
            }
    return colours;
}

// Xvfb on a free display number; stopped by its process id.
class VirtualScreen
{
public:
    ~VirtualScreen() { stop(); }

    bool start()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        std::fflush(stdout);
        std::fflush(stderr);
        m_pid = fork();
        if (m_pid == 0) {
            ::close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            const std::string screen = std::to_string(kScreenW) + "x" + std::to_string(kScreenH) + "x24";
            freopen("/dev/null", "w", stdout);
            freopen("/dev/null", "w", stderr);
            execlp("Xvfb", "Xvfb", "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-displayfd", fd.c_str(),
                   static_cast<char *>(nullptr));
            _exit(127);
        }
        ::close(fds[1]);
        if (m_pid < 0) {
            ::close(fds[0]);
            return false;
        }
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        const auto t0 = Clock::now();
        while (msSince(t0) < 10000 && number.find('\n') == std::string::npos) {
            if (::poll(&p, 1, 200) > 0) {
                char buf[32];
                const ssize_t n = ::read(fds[0], buf, sizeof buf);
                if (n <= 0)
                    break;
                number.append(buf, size_t(n));
            }
        }
        ::close(fds[0]);
        if (number.find('\n') == std::string::npos)
            return false;
        m_name = QStringLiteral(":%1").arg(QString::fromStdString(number).trimmed());
        return true;
    }

    void stop()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

    QString name() const { return m_name; }

private:
    pid_t m_pid = -1;
    QString m_name;
};

enum class Seen { Unknown, Grey, Photo };

struct Sample
{
    Seen seen = Seen::Unknown;
    int photo = -1;
};

class ScreenProbe
{
public:
    ScreenProbe(Display *display, std::vector<quint32> colours)
        : m_display(display)
        , m_root(DefaultRootWindow(display))
        , m_colours(std::move(colours))
    {
    }

    // The average of a few pixels around (x, y), told apart.
    Sample at(int x, int y, int side = 8) const
    {
        XImage *image = XGetImage(m_display, m_root, x - side / 2, y - side / 2, unsigned(side), unsigned(side),
                                  AllPlanes, ZPixmap);
        if (!image)
            return {};
        double r = 0, g = 0, b = 0;
        for (int j = 0; j < side; ++j)
            for (int i = 0; i < side; ++i) {
                const unsigned long p = XGetPixel(image, i, j);
                r += double((p & image->red_mask) >> shiftOf(image->red_mask));
                g += double((p & image->green_mask) >> shiftOf(image->green_mask));
                b += double((p & image->blue_mask) >> shiftOf(image->blue_mask));
            }
        XDestroyImage(image);
        const double n = side * side;
        r /= n, g /= n, b /= n;
        if (std::abs(r - 127) <= 10 && std::abs(g - 127) <= 10 && std::abs(b - 127) <= 10)
            return {Seen::Grey, -1};
        for (size_t k = 0; k < m_colours.size(); ++k) {
            const quint32 c = m_colours[k];
            if (std::abs(r - double(c >> 16 & 255)) <= 20 && std::abs(g - double(c >> 8 & 255)) <= 20
                && std::abs(b - double(c & 255)) <= 20)
                return {Seen::Photo, int(k)};
        }
        return {};
    }

    Sample centre() const { return at(kScreenW / 2, kScreenH / 2); }

private:
    static int shiftOf(unsigned long mask)
    {
        int s = 0;
        while (mask && !(mask & 1)) {
            mask >>= 1;
            ++s;
        }
        return s;
    }

    Display *m_display;
    Window m_root;
    std::vector<quint32> m_colours;
};

class Keyboard
{
public:
    explicit Keyboard(Display *display)
        : m_display(display)
    {
        m_library = dlopen("libXtst.so.6", RTLD_NOW);
        if (m_library)
            m_fakeKey = reinterpret_cast<FakeKey>(dlsym(m_library, "XTestFakeKeyEvent"));
    }
    ~Keyboard()
    {
        if (m_library)
            dlclose(m_library);
    }
    bool isValid() const { return m_fakeKey != nullptr; }

    // Press and release, sent at once.
    void tap(KeySym key)
    {
        const KeyCode code = XKeysymToKeycode(m_display, key);
        m_fakeKey(m_display, code, True, 0);
        m_fakeKey(m_display, code, False, 0);
        XFlush(m_display);
    }

private:
    using FakeKey = int (*)(Display *, unsigned int, int, unsigned long);
    Display *m_display;
    void *m_library = nullptr;
    FakeKey m_fakeKey = nullptr;
};

// Polls the middle of the screen until the photo shows; the milliseconds
// from t0, or a negative value after the timeout. Grey samples are counted.
double waitForPhoto(const ScreenProbe &screen, int photo, Clock::time_point t0, double timeoutMs, int *greySamples = nullptr)
{
    while (msSince(t0) < timeoutMs) {
        const Sample s = screen.centre();
        if (s.seen == Seen::Photo && s.photo == photo)
            return msSince(t0);
        if (s.seen == Seen::Grey && greySamples)
            ++*greySamples;
        sleepMs(0.3);
    }
    return -1;
}

struct Spread
{
    double median = 0, low = 0, high = 0;
    int n = 0;
};

Spread spreadOf(std::vector<double> v)
{
    Spread s;
    if (v.empty())
        return s;
    std::sort(v.begin(), v.end());
    s.median = bench::median(v);
    s.low = v.front();
    s.high = v.back();
    s.n = int(v.size());
    return s;
}

void result(const char *name, double ours, double reference, const char *unit, const QString &limit, int mode)
{
    const QString ref = reference > 0 ? QString::number(reference, 'f', 2) : QStringLiteral("-");
    const QString ratio = reference > 0 ? QString::number(ours / reference, 'f', 3) : QStringLiteral("-");
    std::printf("RESULT\t%s\t%.2f\t%s\t%s\t%s\t%s\tmode %d (%s)\n", name, ours, qPrintable(ref), unit,
                qPrintable(ratio), qPrintable(limit), mode, qPrintable(modeName(mode)));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto value = [&args](const char *name, const QString &fallback) {
        const qsizetype i = args.indexOf(QLatin1String(name));
        return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
    };
    const QString program =
        value("--program", QDir(app.applicationDirPath()).filePath(QStringLiteral("../bin/quorvel")));
    const int runs = std::max(3, value("--runs", QStringLiteral("15")).toInt());
    const double holdMs = std::max(0.5, value("--hold", QStringLiteral("3")).toDouble()) * 1000;
    const double rate = std::clamp(value("--rate", QStringLiteral("25")).toDouble(), 1.0, 100.0);
    const int mode = std::clamp(value("--mode", QStringLiteral("4")).toInt(), 3, 7);
    const bool useWm = !args.contains(QStringLiteral("--no-wm"));
    const double idleMs = 1200;

    const std::vector<quint32> colours = markColours();
    const int holdPresses = int(std::ceil(holdMs * rate / 1000));
    const int files =
        std::clamp(value("--files", QString::number(std::max(runs + 2, holdPresses + 3))).toInt(), runs + 2,
                   int(colours.size()));

    if (!QFileInfo(program).isExecutable()) {
        std::fprintf(stderr, "program not found: %s (give --program)\n", qPrintable(program));
        return 2;
    }
    const QString vips = QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail"));
    if (vips.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        std::fprintf(stderr, "Xvfb and vipsthumbnail are needed (scripts/install-bench-deps.sh)\n");
        return 2;
    }

    std::printf("load average at start   %s\n", qPrintable(loadAverage()));
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("photos"));
    QDir().mkpath(folder);
    std::vector<QString> paths;
    for (int i = 0; i < files; ++i)
        paths.push_back(QDir(folder).filePath(QStringLiteral("p%1.jpg").arg(i, 3, 10, QLatin1Char('0'))));
    {
        std::vector<std::thread> writers;
        std::atomic_bool ok{true};
        for (int t = 0; t < 2; ++t)
            writers.emplace_back([&, t] {
                for (int i = t; i < files; i += 2)
                    if (!bench::writeMarkedTestJpeg(paths[size_t(i)], kPhotoW, kPhotoH, i + 1, colours[size_t(i)]))
                        ok = false;
            });
        for (std::thread &w : writers)
            w.join();
        if (!ok) {
            std::fprintf(stderr, "cannot write the photos\n");
            return 2;
        }
    }
    std::printf("photos                  %d JPEGs of %dx%d, %.1f MB each\n", files, kPhotoW, kPhotoH,
                QFileInfo(paths[0]).size() / 1e6);
    std::printf("interpolation           mode %d (%s), screen %dx%d full screen\n", mode, qPrintable(modeName(mode)),
                kScreenW, kScreenH);

    VirtualScreen xvfb;
    if (!xvfb.start()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 3;
    }
    Display *display = XOpenDisplay(xvfb.name().toLocal8Bit().constData());
    if (!display) {
        std::fprintf(stderr, "cannot open display %s\n", qPrintable(xvfb.name()));
        return 3;
    }
    Keyboard keyboard(display);
    if (!keyboard.isValid()) {
        std::fprintf(stderr, "libXtst.so.6 not found\n");
        return 3;
    }
    const ScreenProbe screen(display, colours);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), xvfb.name());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (const char *xdg : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString d = dir.filePath(QString::fromLatin1(xdg).toLower());
        QDir().mkpath(d);
        QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        env.insert(QString::fromLatin1(xdg), d);
    }
    const QString settings = dir.filePath(QStringLiteral("settings.ini"));
    {
        QFile f(settings);
        if (!f.open(QIODevice::WriteOnly))
            return 2;
        f.write(QStringLiteral("[Algorithms]\nResizeFullScreen=%1\n").arg(mode).toUtf8());
    }
    env.insert(QStringLiteral("QUORVEL_SETTINGS"), settings);

    QProcess wm;
    if (useWm && !QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty()) {
        wm.setProcessEnvironment(env);
        wm.setStandardOutputFile(QProcess::nullDevice());
        wm.setStandardErrorFile(QProcess::nullDevice());
        wm.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        wm.waitForStarted();
        sleepMs(500);
    }
    std::printf("window manager          %s\n", wm.state() == QProcess::Running ? "openbox" : "none");

    QProcess viewer;
    viewer.setProcessEnvironment(env);
    viewer.setStandardOutputFile(QProcess::nullDevice());
    viewer.setStandardErrorFile(QProcess::nullDevice());
    viewer.start(program, {QStringLiteral("--no-splash"), QStringLiteral("--settings"), settings, paths[0]});
    auto finish = [&](int code) {
        if (viewer.state() != QProcess::NotRunning) {
            viewer.terminate();
            if (!viewer.waitForFinished(5000))
                viewer.kill();
            viewer.waitForFinished(2000);
        }
        if (wm.state() != QProcess::NotRunning) {
            wm.terminate();
            wm.waitForFinished(3000);
        }
        XCloseDisplay(display);
        xvfb.stop();
        return code;
    };
    if (!viewer.waitForStarted() || waitForPhoto(screen, 0, Clock::now(), 60000) < 0) {
        std::fprintf(stderr, "the first photo did not appear\n");
        return finish(4);
    }
    sleepMs(1500);
    // The photos are wider than the screen's shape: the view's background
    // shows at the left edge, half-way down, when the view fills the screen
    // (the tool bar and the status line run along the top and the bottom).
    const Sample edge = screen.at(2, kScreenH / 2, 4);
    if (edge.seen != Seen::Grey)
        std::printf("warning                 the left edge is not the view's background: not full screen?\n");

    // Space to the next photo, preloaded meanwhile.
    std::vector<double> preloaded;
    int shown = 0;
    for (int i = 0; i < runs; ++i) {
        sleepMs(idleMs);
        const auto t0 = Clock::now();
        keyboard.tap(XK_space);
        const double ms = waitForPhoto(screen, shown + 1, t0, 10000);
        if (ms < 0) {
            std::fprintf(stderr, "photo %d did not appear after Space\n", shown + 1);
            return finish(5);
        }
        ++shown;
        preloaded.push_back(ms);
    }

    // Backspace from the last photo: the one before is neither preloaded nor
    // the previous one.
    keyboard.tap(XK_End);
    if (waitForPhoto(screen, files - 1, Clock::now(), 10000) < 0) {
        std::fprintf(stderr, "the last photo did not appear after End\n");
        return finish(5);
    }
    shown = files - 1;
    std::vector<double> notPreloaded;
    for (int i = 0; i < runs; ++i) {
        sleepMs(idleMs);
        const auto t0 = Clock::now();
        keyboard.tap(XK_BackSpace);
        const double ms = waitForPhoto(screen, shown - 1, t0, 10000);
        if (ms < 0) {
            std::fprintf(stderr, "photo %d did not appear after Backspace\n", shown - 1);
            return finish(5);
        }
        --shown;
        notPreloaded.push_back(ms);
    }

    // Space held: a press at the key-repeat rate, the screen polled all along.
    keyboard.tap(XK_Home);
    if (waitForPhoto(screen, 0, Clock::now(), 10000) < 0) {
        std::fprintf(stderr, "the first photo did not appear after Home\n");
        return finish(5);
    }
    sleepMs(idleMs);
    const double period = 1000 / rate;
    const int presses = std::min(holdPresses, files - 1);
    std::vector<double> newAt;
    int greyFrames = 0, sent = 0, last = 0;
    bool inGrey = false;
    const auto start = Clock::now();
    for (;;) {
        const double t = msSince(start);
        if (sent < presses && t >= sent * period) {
            keyboard.tap(XK_space);
            ++sent;
        }
        const Sample s = screen.centre();
        if (s.seen == Seen::Photo && s.photo != last) {
            newAt.push_back(t);
            last = s.photo;
            inGrey = false;
        } else if (s.seen == Seen::Grey && !inGrey) {
            ++greyFrames;
            inGrey = true;
        }
        if ((sent == presses && last == presses) || t > presses * period + 10000)
            break;
        sleepMs(0.3);
    }
    const double heldFor = presses * period;
    std::vector<double> intervals;
    double longest = 0;
    for (size_t i = 1; i < newAt.size(); ++i) {
        if (newAt[i] > heldFor)
            break;
        intervals.push_back(newAt[i] - newAt[i - 1]);
        longest = std::max(longest, intervals.back());
    }
    const int shownWhileHeld = int(std::count_if(newAt.begin(), newAt.end(), [&](double t) { return t <= heldFor; }));
    const double lastAfterRelease = newAt.empty() ? -1 : newAt.back() - (presses - 1) * period;

    const int exitCode = finish(0);

    // The reference, on the photos the program loaded without a preload.
    std::vector<double> vipsMs;
    const QString out = dir.filePath(QStringLiteral("tn_%s.jpg"));
    for (int i = 0; i < runs; ++i) {
        const QString &file = paths[size_t(files - 2 - i)];
        const double ms = bench::timeCommandMs(vips, {file, QStringLiteral("-s"),
                                                      QStringLiteral("%1x%2").arg(kScreenW).arg(kScreenH),
                                                      QStringLiteral("-o"), out},
                                               1);
        if (ms > 0)
            vipsMs.push_back(ms);
    }

    const Spread pre = spreadOf(preloaded), cold = spreadOf(notPreloaded), ref = spreadOf(vipsMs),
                 gap = spreadOf(intervals);
    std::printf("next photo, preloaded   median %7.1f ms  (%d runs, %.1f..%.1f)   limit 16 ms\n", pre.median, pre.n,
                pre.low, pre.high);
    std::printf("photo not preloaded     median %7.1f ms  (%d runs, %.1f..%.1f)\n", cold.median, cold.n, cold.low,
                cold.high);
    std::printf("vipsthumbnail -s %dx%d median %7.1f ms  (process, %d runs, %.1f..%.1f)\n", kScreenW, kScreenH,
                ref.median, ref.n, ref.low, ref.high);
    if (ref.median > 0)
        std::printf("not preloaded / vipsthumbnail  %.3f   limit 0.5\n", cold.median / ref.median);
    std::printf("Space held %.1f s at %.0f/s: %d presses, %d new pictures while held, interval median %.1f ms, "
                "longest %.1f ms, %d grey frames; last picture %.1f ms after the last press   limit 50 ms\n",
                heldFor / 1000, rate, presses, shownWhileHeld, gap.median, longest, greyFrames, lastAfterRelease);
    std::printf("load average at end     %s\n", qPrintable(loadAverage()));

    result("keypaint_next_preloaded", pre.median, -1, "ms", QStringLiteral("16ms"), mode);
    result("keypaint_not_preloaded", cold.median, ref.median, "ms", QStringLiteral("0.5"), mode);
    result("keypaint_hold_interval", gap.median, -1, "ms", QStringLiteral("50ms"), mode);
    result("keypaint_hold_grey_frames", greyFrames, -1, "frames", QStringLiteral("0"), mode);
    return exitCode;
}
