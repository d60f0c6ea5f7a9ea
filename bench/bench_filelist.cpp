// Filling the file list, over the same folders in the same run:
//   - the short view of 10,000 JPEGs: in process, the pane's scan and fill
//     beside reading the folder and the status of each entry (what ls -l
//     does); as processes, quorvel-tool scan beside ls -l;
//   - the EXIF view of 1,000 JPEGs: in process, the pane's scan and fill
//     beside Exiv2 reading the six keys of each file; as processes,
//     quorvel-tool stats (the EXIF view's fill and the statistics over it)
//     beside exiv2 -g over the six keys.

#include "BenchExif.h"
#include "BenchUtil.h"

#include "core/exif/ExifLibrary.h"
#include "core/files/FolderScanner.h"
#include "ui/files/FileListPane.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <exiv2/exiv2.hpp>

using namespace quorvel;

namespace {

// One small JPEG with camera EXIF, copied count times into folder.
bool makeFolder(const QString &folder, int count)
{
    QDir().mkpath(folder);
    const QString first = QDir(folder).filePath("IMG_00000.JPG");
    if (!bench::photoLike(160, 120).save(first, "JPEG", 80))
        return false;
    try {
        auto image = Exiv2::ImageFactory::open(QFile::encodeName(first).toStdString());
        image->readMetadata();
        Exiv2::ExifData &d = image->exifData();
        d["Exif.Image.Model"] = std::string("Canon EOS 10D");
        d["Exif.Photo.DateTimeOriginal"] = std::string("2004:07:14 18:32:05");
        d["Exif.Photo.ExposureTime"] = Exiv2::URational(1, 250);
        d["Exif.Photo.FNumber"] = Exiv2::URational(80, 10);
        d["Exif.Photo.ISOSpeedRatings"] = uint16_t(100);
        d["Exif.Photo.FocalLength"] = Exiv2::URational(35, 1);
        image->writeMetadata();
    } catch (const Exiv2::AnyError &) {
        return false;
    }
    const QByteArray bytes = [&] {
        QFile f(first);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QByteArray descriptions;
    for (int i = 1; i < count; ++i) {
        QFile f(QDir(folder).filePath(QStringLiteral("IMG_%1.JPG").arg(i, 5, 10, QChar(u'0'))));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return false;
        if (i % 10 == 0)
            descriptions += QStringLiteral("IMG_%1.JPG A day at the sea\r\n").arg(i, 5, 10, QChar(u'0')).toUtf8();
    }
    QFile d(QDir(folder).filePath("descript.ion"));
    return d.open(QIODevice::WriteOnly) && d.write(descriptions) == descriptions.size();
}

// The entries of the folder and the status of each, as ls -l reads them.
int listWithStatus(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    DIR *d = opendir(path.constData());
    if (!d)
        return -1;
    int n = 0;
    struct stat st;
    while (const dirent *e = readdir(d))
        n += fstatat(dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0;
    closedir(d);
    return n;
}

void fillExifView(FileListPane &pane, const QString &folder)
{
    pane.fillList(FolderScanner(folder).scan(FolderScanner::Images), folder, true);
}

FileListPane *exifPane()
{
    auto *pane = new FileListPane;
    if (pane->showMode() != 1)
        pane->toggleShowMode();
    return pane;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    initExifLibrary();
    QTemporaryDir dir;
    const QString big = dir.filePath("big");
    const QString exif = dir.filePath("exif");
    if (!makeFolder(big, 10000) || !makeFolder(exif, 1000)) {
        std::fprintf(stderr, "cannot make the test folders\n");
        return 1;
    }

    FileListPane shortPane;
    if (shortPane.showMode() != 0)
        shortPane.toggleShowMode();
    const double fill = bench::timeMs([&] {
        shortPane.fillList(FolderScanner(big).scan(FolderScanner::Images), big, true);
    });
    int entries = 0;
    const double listed = bench::timeMs([&] { entries = listWithStatus(big); });
    bench::result(QStringLiteral("short view of 10,000 JPEGs, in process (vs readdir + stat)"), fill, listed,
                  QStringLiteral("ms"), QString());
    const bench::ProcessTimes shortView = bench::compareProcesses({bench::toolPath(), QStringLiteral("scan"), big},
                                                                  {QStringLiteral("ls"), QStringLiteral("-l"), big}, 7);
    bench::result(QStringLiteral("short view of 10,000 JPEGs, process: quorvel-tool scan / ls -l"), shortView.ours,
                  shortView.reference, QStringLiteral("ms"), QStringLiteral("1.5"));

    std::unique_ptr<FileListPane> pane(exifPane());
    const double exifFill = bench::timeMs([&] { fillExifView(*pane, exif); }, 5);
    QStringList files;
    for (const QString &name : QDir(exif).entryList({"*.JPG"}, QDir::Files))
        files << QDir(exif).filePath(name);
    const double exiv2InProcess = bench::timeMs([&] {
        for (const QString &f : files)
            entries += bench::exiv2SixKeys(f);
    }, 5);
    bench::result(QStringLiteral("EXIF view of 1,000 JPEGs, in process (vs Exiv2, six keys)"), exifFill, exiv2InProcess,
                  QStringLiteral("ms"), QString());
    QStringList exiv2{QStringLiteral("exiv2"), QStringLiteral("-q")};
    for (const char *key : bench::kSixKeys)
        exiv2 << QStringLiteral("-g") << QString::fromLatin1(key);
    exiv2 << QStringLiteral("pr") << files;
    const bench::ProcessTimes exifView =
        bench::compareProcesses({bench::toolPath(), QStringLiteral("stats"), exif}, exiv2, 5);
    bench::result(QStringLiteral("EXIF view of 1,000 JPEGs, process: quorvel-tool stats / exiv2 -g"), exifView.ours,
                  exifView.reference, QStringLiteral("ms"), QStringLiteral("1.5"));
    std::printf("(%d entries)\n", entries);
    return 0;
}
