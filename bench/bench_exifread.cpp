// Reading the six EXIF fields of many small JPEGs, over the same files in
// the same run:
//   - in process: readExifFields beside Exiv2 reading the six keys, and
//     beside opening each file and reading its first 4 KB;
//   - as processes: quorvel-tool info --tsv beside exiv2 -g for the six keys.
//
//   bench_exifread [COUNT] [--from FILE]
//
// COUNT files (10000 by default) are written to a temporary folder: small
// JPEGs with a typical camera EXIF block of about 25 entries, or with
// --from, copies of FILE (a real camera file, maker notes and all).

#include "BenchExif.h"
#include "BenchUtil.h"

#include "core/exif/ExifLibrary.h"
#include "core/exif/ExifReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

using namespace quorvel;

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
    initExifLibrary();

    QTemporaryDir dir;
    QByteArray source;
    if (!from.isEmpty()) {
        QFile f(from);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(from));
            return 1;
        }
        source = f.readAll();
    }
    const QByteArray jpeg = bench::plainJpeg();
    qint64 totalBytes = 0;
    const QStringList names = bench::writeFiles(dir.path(), count, [&](int i) {
        const QByteArray bytes = source.isEmpty() ? bench::cameraJpeg(jpeg, i) : source;
        totalBytes += bytes.size();
        return bytes;
    });
    if (names.isEmpty()) {
        std::fprintf(stderr, "cannot write the test files\n");
        return 1;
    }
    QStringList paths;
    for (const QString &name : names)
        paths << dir.filePath(name);
    const QString what = from.isEmpty() ? QStringLiteral("generated") : QFileInfo(from).fileName();
    std::printf("%d files, %.1f KB each on average (%s)\n", count, totalBytes / 1024.0 / count, qPrintable(what));

    long long check = 0;
    const auto ours = [&] {
        for (const QString &path : paths) {
            ExifFields fields;
            if (readExifFields(path, fields))
                check += fields.present + fields.iso;
        }
    };
    const auto theirs = [&] {
        for (const QString &path : paths)
            check += bench::exiv2SixKeys(path);
    };
    const auto heads = [&] {
        for (const QString &path : paths)
            check += bench::readHead(path);
    };
    const double oursMs = bench::timeMs(ours, 3);
    const double exiv2Ms = bench::timeMs(theirs, 3);
    const double headMs = bench::timeMs(heads, 3);
    const QString label = QStringLiteral("six EXIF fields of %1 JPEGs, in process").arg(count);
    bench::result(label + QStringLiteral(" (vs Exiv2)"), oursMs, exiv2Ms, QStringLiteral("ms"), QString());
    bench::result(label + QStringLiteral(" (vs first 4 KB of each)"), oursMs, headMs, QStringLiteral("ms"), QString());

    // As processes, over the same files named in the folder.
    const auto inFolder = [&](const QStringList &command) {
        return QStringList{QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("cd \"$1\" || exit 1; shift; exec \"$@\" *"),
                           QStringLiteral("sh"), dir.path()}
            + command;
    };
    QStringList exiv2Command{exiv2, QStringLiteral("-q")};
    for (const char *key : bench::kSixKeys)
        exiv2Command << QStringLiteral("-g") << QString::fromLatin1(key);
    const bench::ProcessTimes p =
        bench::compareProcesses(inFolder({bench::toolPath(), QStringLiteral("info"), QStringLiteral("--tsv")}),
                                inFolder(exiv2Command), 3);
    bench::result(QStringLiteral("six EXIF fields of %1 JPEGs, process: quorvel-tool info / exiv2 -g").arg(count),
                  p.ours, p.reference, QStringLiteral("ms"), QString());
    std::printf("(check %lld)\n", check);
    return 0;
}
