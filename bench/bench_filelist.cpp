// Filling the file list: the short view of 10,000 JPEGs beside `ls -l` of
// the same folder, and the EXIF view of 1,000 JPEGs beside `exiv2 -g` over
// the six keys of the same files.

#include "BenchUtil.h"

#include "core/exif/ExifLibrary.h"
#include "core/files/FolderScanner.h"
#include "ui/files/FileListPane.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
    const double ls = bench::timeCommandMs("ls", {"-l", big});
    bench::report("short view of 10,000 JPEGs (scan and fill)", fill, "ls -l", ls, 1.5);

    FileListPane exifPane;
    if (exifPane.showMode() != 1)
        exifPane.toggleShowMode();
    const double exifFill = bench::timeMs(
        [&] { exifPane.fillList(FolderScanner(exif).scan(FolderScanner::Images), exif, true); }, 5);
    QStringList args;
    for (const char *key : {"Exif.Image.Model", "Exif.Photo.DateTimeOriginal", "Exif.Photo.ExposureTime",
                            "Exif.Photo.FNumber", "Exif.Photo.ISOSpeedRatings", "Exif.Photo.FocalLength"})
        args << "-g" << key;
    args << "-q" << "pr";
    for (const QString &name : QDir(exif).entryList({"*.JPG"}, QDir::Files))
        args << QDir(exif).filePath(name);
    const double exiv2 = bench::timeCommandMs("exiv2", args, 5);
    bench::report("EXIF view of 1,000 JPEGs (scan and fill)", exifFill, "exiv2 -g (6 keys)", exiv2, 1.5);
    return 0;
}
