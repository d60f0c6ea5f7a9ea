// Reading the six EXIF fields of many small JPEGs: readExifFields against
// "exiv2 -g" for the same six keys over the same files in one process.
//
//   bench_exifread [COUNT] [--from FILE]
//
// COUNT files (10000 by default) are written to a temporary folder: small
// JPEGs with a typical camera EXIF block of about 25 entries, or with
// --from, copies of FILE (a real camera file, maker notes and all). Each
// side runs three times after a warm-up; the best run counts.

#include "core/exif/ExifLibrary.h"
#include "core/exif/ExifReader.h"
#include "core/exif/Exiv2Include.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

const char *const kKeys[] = {"Exif.Image.Model",    "Exif.Photo.DateTimeOriginal", "Exif.Photo.ExposureTime",
                             "Exif.Photo.FNumber",  "Exif.Photo.FocalLength",      "Exif.Photo.ISOSpeedRatings"};

QByteArray plainJpeg()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 80);
    return bytes;
}

void add(Exiv2::ExifData &data, const char *key, const char *type, const std::string &value)
{
    auto v = Exiv2::Value::create(Exiv2::TypeInfo::typeId(type));
    v->read(value);
    data.add(Exiv2::ExifKey(key), v.get());
}

// A camera-like EXIF block; the values change from file to file.
QByteArray cameraJpeg(const QByteArray &jpeg, int i)
{
    Exiv2::ExifData d;
    add(d, "Exif.Image.Make", "Ascii", "NIKON CORPORATION");
    add(d, "Exif.Image.Model", "Ascii", "NIKON D" + std::to_string(50 + i % 50));
    add(d, "Exif.Image.Orientation", "Short", "1");
    add(d, "Exif.Image.XResolution", "Rational", "300/1");
    add(d, "Exif.Image.YResolution", "Rational", "300/1");
    add(d, "Exif.Image.ResolutionUnit", "Short", "2");
    add(d, "Exif.Image.Software", "Ascii", "Ver.1.00");
    add(d, "Exif.Image.DateTime", "Ascii", "2005:03:18 02:55:18");
    add(d, "Exif.Photo.ExposureTime", "Rational", "10/" + std::to_string(100 + i % 4000));
    add(d, "Exif.Photo.FNumber", "Rational", std::to_string(18 + i % 200) + "/10");
    add(d, "Exif.Photo.ExposureProgram", "Short", "2");
    add(d, "Exif.Photo.ISOSpeedRatings", "Short", std::to_string(100 << (i % 5)));
    add(d, "Exif.Photo.ExifVersion", "Undefined", "48 50 50 49");
    add(d, "Exif.Photo.DateTimeOriginal", "Ascii", "2005:03:18 02:55:" + std::to_string(10 + i % 50));
    add(d, "Exif.Photo.DateTimeDigitized", "Ascii", "2005:03:18 02:55:18");
    add(d, "Exif.Photo.ExposureBiasValue", "SRational", "0/6");
    add(d, "Exif.Photo.MaxApertureValue", "Rational", "30/10");
    add(d, "Exif.Photo.MeteringMode", "Short", "5");
    add(d, "Exif.Photo.Flash", "Short", "0");
    add(d, "Exif.Photo.FocalLength", "Rational", std::to_string(180 + i % 2000) + "/10");
    add(d, "Exif.Photo.ColorSpace", "Short", "1");
    add(d, "Exif.Photo.PixelXDimension", "Long", "64");
    add(d, "Exif.Photo.PixelYDimension", "Long", "48");
    add(d, "Exif.Photo.WhiteBalance", "Short", "0");
    add(d, "Exif.Photo.FocalLengthIn35mmFilm", "Short", "75");
    auto image = quorvel::exiv2::openMemory(jpeg.constData(), jpeg.size());
    image->setExifData(d);
    image->writeMetadata();
    Exiv2::BasicIo &io = image->io();
    io.seek(0, Exiv2::BasicIo::beg);
    QByteArray bytes(qsizetype(io.size()), Qt::Uninitialized);
    io.read(reinterpret_cast<Exiv2::byte *>(bytes.data()), long(bytes.size()));
    return bytes;
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

struct Run
{
    double seconds = 0;
    long long check = 0;
};

Run readOurs(const QStringList &paths)
{
    QElapsedTimer timer;
    timer.start();
    Run run;
    for (const QString &path : paths) {
        quorvel::ExifFields fields;
        if (quorvel::readExifFields(path, fields))
            run.check += fields.present + fields.iso + fields.exposureDenominator;
    }
    run.seconds = timer.nsecsElapsed() / 1e9;
    return run;
}

Run readExiv2(const QString &exiv2, const QString &folder, const QStringList &names)
{
    QStringList args{QStringLiteral("-q")};
    for (const char *key : kKeys)
        args << QStringLiteral("-g") << QString::fromLatin1(key);
    args += names;
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(exiv2, args);
    process.waitForFinished(-1);
    Run run;
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.check = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString from;
    const qsizetype fromAt = args.indexOf(QStringLiteral("--from"));
    if (fromAt >= 0 && fromAt + 1 < args.size()) {
        from = args.at(fromAt + 1);
        args.remove(fromAt, 2);
    }
    const int count = args.isEmpty() ? 10000 : args.first().toInt();
    const QString exiv2 = QStandardPaths::findExecutable(QStringLiteral("exiv2"));
    if (count <= 0 || exiv2.isEmpty()) {
        std::fprintf(stderr, "usage: bench_exifread [COUNT] [--from FILE]  (needs exiv2: scripts/install-bench-deps.sh)\n");
        return 2;
    }
    quorvel::initExifLibrary();

    QTemporaryDir dir;
    QStringList names, paths;
    QByteArray source;
    if (!from.isEmpty()) {
        QFile f(from);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(from));
            return 1;
        }
        source = f.readAll();
    }
    const QByteArray jpeg = plainJpeg();
    qint64 totalBytes = 0;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("f%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
        const QByteArray bytes = source.isEmpty() ? cameraJpeg(jpeg, i) : source;
        if (!writeAll(dir.filePath(name), bytes)) {
            std::fprintf(stderr, "cannot write the test files\n");
            return 1;
        }
        totalBytes += bytes.size();
        names << name;
        paths << dir.filePath(name);
    }
    std::printf("%d files, %.1f KB each on average (%s)\n", count, totalBytes / 1024.0 / count,
                from.isEmpty() ? "generated" : qPrintable(QFileInfo(from).fileName()));

    // Warm-up: both sides find the files in the page cache.
    const long long expected = readOurs(paths).check;
    readExiv2(exiv2, dir.path(), names);

    Run ours{1e9, 0}, theirs{1e9, 0};
    for (int round = 0; round < 3; ++round) {
        const Run a = readOurs(paths);
        const Run b = readExiv2(exiv2, dir.path(), names);
        if (a.check != expected || b.check != 0) {
            std::fprintf(stderr, "inconsistent results (exiv2 exit %lld)\n", b.check);
            return 1;
        }
        ours.seconds = std::min(ours.seconds, a.seconds);
        theirs.seconds = std::min(theirs.seconds, b.seconds);
    }
    const double oursRate = count / ours.seconds;
    const double theirsRate = count / theirs.seconds;
    std::printf("readExifFields          %8.3f s  %9.0f files/s\n", ours.seconds, oursRate);
    std::printf("exiv2 -g (6 keys)       %8.3f s  %9.0f files/s\n", theirs.seconds, theirsRate);
    std::printf("ratio (ours / exiv2)    %8.2f\n", oursRate / theirsRate);
    return 0;
}
