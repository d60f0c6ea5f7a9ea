// Lossless rotation and EXIF edits of a 24-megapixel JPEG, beside the
// reference tools on the same file in the same run:
//   rotate:    in process, ImageTransform::transformImageFile beside
//              libjpeg-turbo's tjTransform (read, turn, write);
//              as processes, quorvel-tool rotate --right beside
//              jpegtran -rotate 90 -perfect -copy all
//   EXIF edit: in process, writeExifFields beside Exiv2 (open, set,
//              writeMetadata); as processes, quorvel-tool set-exif --fnumber
//              beside exiv2 -M"set Exif.Photo.FNumber 28/10" mo
// Each edit run starts from a fresh copy of the file; copying is not timed.
// The edit changes a value of the same size as the one it replaces.
//
// usage: bench_savepipeline [TEMP_FOLDER]

#include "BenchImages.h"
#include "BenchUtil.h"

#include "core/edit/ImageTransform.h"
#include "core/exif/ExifWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <exiv2/exiv2.hpp>
#include <turbojpeg.h>

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

// Median over kRuns runs of fn, each after prepare (not timed); negative
// when fn fails.
double timeRuns(const std::function<void()> &prepare, const std::function<bool()> &fn)
{
    std::vector<double> ms;
    for (int i = 0; i < kRuns + 1; ++i) {
        prepare();
        QElapsedTimer t;
        t.start();
        if (!fn())
            return -1;
        if (i > 0) // the first run warms the caches
            ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return bench::median(ms);
}

// What jpegtran does, in this process.
bool turboRotate(const QString &from, const QString &to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray jpeg = in.readAll();
    tjhandle tj = tjInitTransform();
    unsigned char *out = nullptr;
    unsigned long outSize = 0;
    tjtransform xform{};
    xform.op = TJXOP_ROT90;
    xform.options = TJXOPT_PERFECT;
    const bool ok = tjTransform(tj, reinterpret_cast<const unsigned char *>(jpeg.constData()), (unsigned long)jpeg.size(),
                                1, &out, &outSize, &xform, 0) == 0;
    tjDestroy(tj);
    bool written = false;
    if (ok) {
        QFile f(to);
        written = f.open(QIODevice::WriteOnly) && f.write(reinterpret_cast<const char *>(out), qint64(outSize)) == qint64(outSize);
    }
    tjFree(out);
    return written;
}

bool exiv2Edit(const QString &path)
{
    try {
        auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        image->readMetadata();
        image->exifData()["Exif.Photo.FNumber"] = Exiv2::URational(28, 10);
        image->writeMetadata();
        return true;
    } catch (const Exiv2::AnyError &) {
        return false;
    }
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
    std::printf("24 MP JPEG, %.1f MB, %d runs each\n", QFile(source).size() / 1e6, kRuns);

    const QString work = dir.filePath(QStringLiteral("work.jpg"));
    const QString out = dir.filePath(QStringLiteral("out.jpg"));
    const auto prepareRotate = [&] { QFile::remove(out); };
    const double oursRotate = timeRuns(prepareRotate, [&] {
        return ImageTransform::transformImageFile(source, out, TransformCode::Rotate90, TransformQuestions()).ok();
    });
    const double turboRotateMs = timeRuns(prepareRotate, [&] { return turboRotate(source, out); });
    bench::result(QStringLiteral("rotate 24 MP JPEG, in process (vs tjTransform)"), oursRotate, turboRotateMs,
                  QStringLiteral("ms"), QString());
    const bench::ProcessTimes rotate = bench::compareProcesses(
        {bench::toolPath(), QStringLiteral("rotate"), QStringLiteral("--right"), source, out},
        {QStringLiteral("jpegtran"), QStringLiteral("-rotate"), QStringLiteral("90"), QStringLiteral("-perfect"),
         QStringLiteral("-copy"), QStringLiteral("all"), QStringLiteral("-outfile"), out, source},
        kRuns, {QStringLiteral("rm"), QStringLiteral("-f"), out});
    bench::result(QStringLiteral("rotate 24 MP JPEG, process: quorvel-tool rotate / jpegtran"), rotate.ours,
                  rotate.reference, QStringLiteral("ms"), QString());

    const auto prepareEdit = [&] { freshCopy(source, work); };
    ExifFields edited;
    edited.fNumber = 2.8f;
    const double oursEdit = timeRuns(prepareEdit, [&] { return writeExifFields(work, edited, WriteFNumber).ok(); });
    const double exiv2Ms = timeRuns(prepareEdit, [&] { return exiv2Edit(work); });
    bench::result(QStringLiteral("EXIF edit of a 24 MP JPEG, in process (vs Exiv2)"), oursEdit, exiv2Ms,
                  QStringLiteral("ms"), QString());
    const bench::ProcessTimes edit = bench::compareProcesses(
        {bench::toolPath(), QStringLiteral("set-exif"), work, QStringLiteral("--fnumber"), QStringLiteral("2.8")},
        {QStringLiteral("exiv2"), QStringLiteral("-M"), QStringLiteral("set Exif.Photo.FNumber 28/10"),
         QStringLiteral("mo"), work},
        kRuns, {QStringLiteral("cp"), source, work});
    bench::result(QStringLiteral("EXIF edit of a 24 MP JPEG, process: quorvel-tool set-exif / exiv2 -M"), edit.ours,
                  edit.reference, QStringLiteral("ms"), QStringLiteral("1.0"));
    return 0;
}
