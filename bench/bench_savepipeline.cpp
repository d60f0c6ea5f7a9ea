// Lossless rotation and EXIF edits of a 24-megapixel JPEG, beside the
// reference tools on the same file in the same run:
//   rotate:    quorvel's transformImageFile  vs  jpegtran -rotate 90 -perfect -copy all
//   EXIF edit: quorvel's writeExifFields     vs  exiv2 -M"set Exif.Photo.FNumber 28/10" mo
// Each run starts from a fresh copy of the file; copying is not timed.

#include "BenchImages.h"

#include "core/edit/ImageTransform.h"
#include "core/exif/ExifWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

using namespace quorvel;

namespace {

constexpr int kRuns = 9;

bool freshCopy(const QString &from, const QString &to)
{
    QFile::remove(to);
    return QFile::copy(from, to);
}

// Median and best over kRuns runs of fn, each after prepare (not timed).
bench::Timing timeRuns(const std::function<void()> &prepare, const std::function<bool()> &fn)
{
    QList<double> ms;
    for (int i = 0; i < kRuns + 1; ++i) {
        prepare();
        QElapsedTimer t;
        t.start();
        if (!fn())
            return bench::Timing{-1, -1};
        if (i > 0) // the first run warms the caches
            ms.append(t.nsecsElapsed() / 1e6);
    }
    return bench::summarize(ms);
}

bool run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, args);
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

void report(const char *what, const bench::Timing &ours, const char *tool, const bench::Timing &theirs)
{
    std::printf("%-10s quorvel  median %8.1f ms  best %8.1f ms\n", what, ours.median, ours.best);
    if (theirs.median < 0) {
        std::printf("%-10s %s could not be run\n", what, tool);
        return;
    }
    std::printf("%-10s %-8s median %8.1f ms  best %8.1f ms\n", what, tool, theirs.median, theirs.best);
    std::printf("%-10s ratio quorvel / %s (median): %.2f\n\n", what, tool, ours.median / theirs.median);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir(QCoreApplication::arguments().value(1, QDir::tempPath()) + QStringLiteral("/bench-save-XXXXXX"));
    const QString source = dir.filePath(QStringLiteral("source.jpg"));
    if (!bench::writeTestJpeg(source, 6000, 4000, 7)) {
        std::fprintf(stderr, "cannot write the test picture\n");
        return 1;
    }
    // A camera-like EXIF block, so that the edit changes an existing FNumber.
    ExifFields fields;
    fields.model = QStringLiteral("Bench Camera");
    fields.dateTimeOriginal = QStringLiteral("2020:01:02 03:04:05");
    fields.iso = 200;
    fields.fNumber = 4.0f;
    fields.focalLength = 50.0f;
    if (!writeExifFields(source, fields).ok()) {
        std::fprintf(stderr, "cannot prepare the EXIF block\n");
        return 1;
    }
    std::printf("24 MP JPEG, %.1f MB, %d runs each\n\n", QFile(source).size() / 1e6, kRuns);

    const QString work = dir.filePath(QStringLiteral("work.jpg"));
    const QString out = dir.filePath(QStringLiteral("out.jpg"));
    const auto prepareRotate = [&] { QFile::remove(out); };
    const bench::Timing oursRotate = timeRuns(prepareRotate, [&] {
        return ImageTransform::transformImageFile(source, out, TransformCode::Rotate90, TransformQuestions()).ok();
    });
    const bench::Timing jpegtran = timeRuns(prepareRotate, [&] {
        return run(QStringLiteral("jpegtran"), {QStringLiteral("-rotate"), QStringLiteral("90"), QStringLiteral("-perfect"),
                                                QStringLiteral("-copy"), QStringLiteral("all"), QStringLiteral("-outfile"),
                                                out, source});
    });
    report("rotate", oursRotate, "jpegtran", jpegtran);

    const auto prepareEdit = [&] { freshCopy(source, work); };
    ExifFields edited;
    edited.fNumber = 2.8f;
    const bench::Timing oursEdit = timeRuns(prepareEdit, [&] { return writeExifFields(work, edited, WriteFNumber).ok(); });
    const bench::Timing exiv2 = timeRuns(prepareEdit, [&] {
        return run(QStringLiteral("exiv2"), {QStringLiteral("-M"), QStringLiteral("set Exif.Photo.FNumber 28/10"),
                                             QStringLiteral("mo"), work});
    });
    report("EXIF edit", oursEdit, "exiv2", exiv2);
    return 0;
}
