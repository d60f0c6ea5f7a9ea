// What turning a picture by its EXIF orientation costs: a 24-megapixel
// (6000 x 4000) baseline JPEG tagged with each orientation.
//   - in process: the decode with the turn against the decode of the same
//     picture without it (what the loader pays on top);
//   - as processes: quorvel-tool decode (decode and turn; nothing written)
//     beside vips avg FILE[autorotate] (decode, turn and one pass over the
//     pixels), on the same files in the same run.
// Turns are exact (no interpolation).
//
// usage: bench_orientation [--runs N]

#include "BenchImages.h"
#include "BenchUtil.h"

#include "core/exif/ExifBlockEditor.h"
#include "core/imaging/ImageDecoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

using namespace quorvel;

namespace {

// The JPEG with an EXIF segment holding only the orientation.
bool writeOriented(const QString &plain, const QString &path, int orientation)
{
    QFile in(plain);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray jpeg = in.readAll();
    ExifBlockEditor block;
    if (!block.set(ExifBlockEditor::Dir::Image, 0x0112, ExifBlockEditor::kShort, 1,
                   block.shortValue(quint16(orientation))))
        return false;
    const QByteArray content = QByteArray("Exif\0\0", 6) + block.block();
    QByteArray segment;
    segment.append(char(0xFF)).append(char(0xE1));
    segment.append(char((content.size() + 2) >> 8)).append(char((content.size() + 2) & 0xFF));
    segment.append(content);
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(jpeg.left(2) + segment + jpeg.mid(2)) > 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const qsizetype r = args.indexOf(QStringLiteral("--runs"));
    const int runs = r >= 0 && r + 1 < args.size() ? std::max(1, args.at(r + 1).toInt()) : 7;
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("24mp.jpg"));
    if (!bench::writeTestJpeg(plain, 6000, 4000, 1)) {
        std::fprintf(stderr, "cannot write the test JPEG\n");
        return 2;
    }
    const QString tool = bench::toolPath();
    const QString vips = QStandardPaths::findExecutable(QStringLiteral("vips"));

    DecodeOptions stored;
    DecodeOptions shown;
    shown.applyOrientation = true;
    const double decodeMs = bench::timeMs([&] { ImageDecoder::decodeFile(plain, stored); }, runs);
    std::printf("24 MP decode, orientation not applied: %.1f ms (median of %d)\n", decodeMs, runs);

    for (int o : {2, 3, 5, 6, 8}) {
        const QString path = dir.filePath(QStringLiteral("o%1.jpg").arg(o));
        if (!writeOriented(plain, path, o)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 2;
        }
        const double turnedDecodeMs = bench::timeMs([&] { ImageDecoder::decodeFile(path, shown); }, runs);
        std::printf("orientation %d: decode and turn %6.1f ms, the turn %+6.1f ms (%+5.1f %% of the decode)\n", o,
                    turnedDecodeMs, turnedDecodeMs - decodeMs, 100.0 * (turnedDecodeMs - decodeMs) / decodeMs);
        bench::result(QStringLiteral("decode and turn 24 MP, orientation %1, in process (vs decode alone)").arg(o),
                      turnedDecodeMs, decodeMs, QStringLiteral("ms"), QString());
        const bench::ProcessTimes p = bench::compareProcesses(
            {tool, QStringLiteral("decode"), path},
            vips.isEmpty() ? QStringList() : QStringList{vips, QStringLiteral("avg"), path + QStringLiteral("[autorotate]")},
            runs);
        bench::result(QStringLiteral("decode and turn 24 MP, orientation %1, process: quorvel-tool decode / vips avg")
                          .arg(o),
                      p.ours, p.reference, QStringLiteral("ms"), QStringLiteral("1.5"));
    }
    return 0;
}
