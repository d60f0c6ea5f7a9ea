// The image-information export of a folder of camera JPEGs (10,000 by
// default, each with an EXIF block of about 25 entries and a stored
// thumbnail, some 28 KB), beside opening every file and reading its first
// 4 KB, in the same run:
//   - in process: readExifFields over every file beside a loop that opens
//     each file, reads 4 KB and closes it; then the file list filled in its
//     EXIF view and the export written from it (each file read once);
//   - as processes: quorvel-tool export FOLDER OUT beside head -c 4096 over
//     the same files (one process reading them all), warm: every file in the
//     page cache; cold-ish: before every run of either command the files'
//     pages are dropped from the page cache (posix_fadvise), while the
//     folder and inode caches stay warm;
//   - quorvel-tool stats FOLDER the same way, warm.
// Medians of several runs; the files are written and synced before any
// timing, so that their write-back does not fall into it.
//
//   bench_export [COUNT]
//   bench_export --once evict FOLDER    (the prepare step of the cold runs)

#include "BenchExif.h"
#include "BenchUtil.h"

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

#include <fcntl.h>
#include <unistd.h>

using namespace quorvel;

namespace {

// What the export command does: the folder listed in the EXIF view, then
// the export of its rows with the fields the list read.
bool exportFolder(const QString &folder, const QString &out)
{
    FileListModel model;
    FileListModel::Providers providers;
    providers.exifRecord = [](const QString &path) {
        ExifRecord record;
        record.read = readListedExifFields(path, record.fields);
        return record;
    };
    model.setProviders(providers);
    model.setShowMode(1);
    model.fill(FolderScanner(folder).scan(FolderScanner::Images), withTrailingSeparator(folder), QString());
    return exportListedFiles(out, imagesinfo::listedFiles(model));
}

// Drops the page cache of every file in folder (clean pages only; they were
// synced after writing).
int evict(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files)) {
        const int fd = ::open(QFile::encodeName(dir.filePath(name)).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList once;
    if (bench::onceArguments(argc, argv, once))
        return once.size() == 2 && once.first() == QLatin1String("evict") ? evict(once.at(1)) : 2;

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
    ::sync();
    std::printf("%d JPEGs, %.1f KB each on average\n", count, total / 1024.0 / count);
    QStringList paths;
    for (const QString &name : names)
        paths << QDir(folder).filePath(name);

    const int runs = 7;
    const QString name = QStringLiteral("%1 JPEGs").arg(count);

    // In process, warm: the read of the six fields alone, then the whole
    // list fill and export.
    int withFields = 0;
    const double readMs = bench::timeMs([&] {
        withFields = 0;
        for (const QString &path : paths) {
            ExifFields fields;
            withFields += readExifFields(path, fields) && fields.present ? 1 : 0;
        }
    }, runs);
    qint64 bytes = 0;
    const double headMs = bench::timeMs([&] {
        for (const QString &path : paths)
            bytes += bench::readHead(path);
    }, runs);
    if (withFields != count) {
        std::fprintf(stderr, "%d of %d files gave their fields\n", withFields, count);
        return 1;
    }
    bench::result(QStringLiteral("readExifFields of %1, in process / open + 4 KB read + close").arg(name), readMs,
                  headMs, QStringLiteral("ms"), QStringLiteral("2.0"), QStringLiteral("warm cache, one thread"));
    bool ok = true;
    const double exportMs = bench::timeMs([&] { ok = exportFolder(folder, out) && ok; }, runs);
    if (!ok) {
        std::fprintf(stderr, "the export failed\n");
        return 1;
    }
    bench::result(QStringLiteral("list fill + export of %1, in process / open + 4 KB read + close").arg(name),
                  exportMs, headMs, QStringLiteral("ms"), QStringLiteral("2.0"), QStringLiteral("warm cache"));

    // As processes.
    const QStringList exportCommand{bench::toolPath(), QStringLiteral("export"), folder, out};
    const QStringList headCommand{QStringLiteral("sh"), QStringLiteral("-c"),
                                  QStringLiteral("cd \"$1\" && exec head -q -c 4096 -- * > /dev/null"),
                                  QStringLiteral("sh"), folder};
    const bench::ProcessTimes warm = bench::compareProcesses(exportCommand, headCommand, runs);
    bench::result(QStringLiteral("export of %1, process: quorvel-tool export / head -c 4096").arg(name), warm.ours,
                  warm.reference, QStringLiteral("ms"), QStringLiteral("2.0"), QStringLiteral("warm cache"));
    const bench::ProcessTimes cold = bench::compareProcesses(exportCommand, headCommand, runs,
                                                             bench::selfOnce({QStringLiteral("evict"), folder}));
    bench::result(QStringLiteral("export of %1, process: quorvel-tool export / head -c 4096").arg(name), cold.ours,
                  cold.reference, QStringLiteral("ms"), QStringLiteral("2.0"),
                  QStringLiteral("cold-ish: file pages dropped"));
    const bench::ProcessTimes stats =
        bench::compareProcesses({bench::toolPath(), QStringLiteral("stats"), folder}, headCommand, runs);
    bench::result(QStringLiteral("statistics of %1, process: quorvel-tool stats / head -c 4096").arg(name), stats.ours,
                  stats.reference, QStringLiteral("ms"), QString(), QStringLiteral("warm cache"));
    return 0;
}
