// The image-information export of a folder of 10,000 camera JPEGs (each
// with an EXIF block of about 25 entries and a stored thumbnail, some 20 KB),
// beside opening every file and reading its first 4 KB, in the same run:
//   - in process: the file list filled in its EXIF view and the export
//     written from it, beside a loop that opens each file, reads 4 KB and
//     closes it;
//   - as processes: quorvel-tool export FOLDER OUT beside
//     head -c 4096 over the same files.
//
//   bench_export [COUNT]

#include "BenchExif.h"
#include "BenchUtil.h"

#include "core/exif/ExifFieldTexts.h"
#include "core/exif/ExifLibrary.h"
#include "core/exif/ExifReader.h"
#include "core/exif/ImagesInfoExport.h"
#include "core/files/FileListModel.h"
#include "core/files/FolderScanner.h"
#include "core/files/PathUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace quorvel;

namespace {

// What the export command does: the folder listed in the EXIF view, then
// the export of its rows.
bool exportFolder(const QString &folder, const QString &out)
{
    FileListModel model;
    FileListModel::Providers providers;
    providers.exifRecord = [](const QString &path) {
        ExifRecord record;
        record.read = readExifFields(path, record.fields);
        return record;
    };
    model.setProviders(providers);
    model.setShowMode(1);
    model.fill(FolderScanner(folder).scan(FolderScanner::Images), withTrailingSeparator(folder), QString());
    return exportImagesInfo(out, imagesinfo::listedPaths(model));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    initExifLibrary();
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("photos"));
    const QString out = dir.filePath(QStringLiteral("stat.txt"));
    const QByteArray jpeg = bench::plainJpeg(320, 240);
    qint64 total = 0;
    const QStringList names = bench::writeFiles(folder, count, [&](int i) {
        const QByteArray bytes = bench::cameraJpeg(jpeg, i, true);
        total += bytes.size();
        return bytes;
    });
    if (names.isEmpty()) {
        std::fprintf(stderr, "cannot write the test files\n");
        return 1;
    }
    std::printf("%d JPEGs, %.1f KB each on average\n", count, total / 1024.0 / count);
    QStringList paths;
    for (const QString &name : names)
        paths << QDir(folder).filePath(name);

    bool ok = true;
    qint64 bytes = 0;
    const double oursMs = bench::timeMs([&] { ok = exportFolder(folder, out) && ok; }, 5);
    const double headMs = bench::timeMs([&] {
        for (const QString &path : paths)
            bytes += bench::readHead(path);
    }, 5);
    if (!ok) {
        std::fprintf(stderr, "the export failed\n");
        return 1;
    }
    bench::result(QStringLiteral("export of %1 JPEGs, in process (vs first 4 KB of each)").arg(count), oursMs, headMs,
                  QStringLiteral("ms"), QStringLiteral("2.0"));

    const bench::ProcessTimes p = bench::compareProcesses(
        {bench::toolPath(), QStringLiteral("export"), folder, out},
        {QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("cd \"$1\" && exec head -q -c 4096 -- * > /dev/null"),
         QStringLiteral("sh"), folder},
        5);
    bench::result(QStringLiteral("export of %1 JPEGs, process: quorvel-tool export / head -c 4096").arg(count), p.ours,
                  p.reference, QStringLiteral("ms"), QStringLiteral("2.0"));
    return 0;
}
