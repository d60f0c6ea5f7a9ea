// The print compositions: a 10x15 cm output at 300 dpi framed from a
// 24-megapixel photograph, and an index print of 30 12-megapixel photographs
// on two 10x15 cm pages at 300 dpi. Our figures are composition alone (the
// pictures are already in memory); the reference tools decode and encode
// files as well, so their figures bound the whole job rather than match our
// part of it. A third figure per task adds Qt's own JPEG reading and
// writing around our composition, for an end-to-end comparison until the
// project's decoders are in place.

#include "BenchUtil.h"

#include "core/imaging/Resampler.h"
#include "core/print/IndexComposer.h"
#include "core/print/PrintComposer.h"
#include "core/print/PrintFileWriter.h"
#include "core/print/PrintFrame.h"
#include "core/print/PrintParameters.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>

using namespace quorvel;

namespace {

void line(const char *what, double ms)
{
    std::printf("%-62s %9.2f ms\n", what, ms);
}

void reference(const char *what, double ms)
{
    if (ms < 0)
        std::printf("%-62s not available\n", what);
    else
        std::printf("%-62s %9.2f ms\n", what, ms);
}

PrintComposition framing(const QImage &photo, const PrintParameters &params, int mode)
{
    PrintFrame frame;
    frame.setImageSize(photo.size());
    frame.setOutputSize(params.outputSize());
    frame.reset();
    PrintComposition c;
    c.imageSize = photo.size();
    c.frame = frame.rect();
    c.output = params.outputSize();
    c.border = params.toPixels(QStringLiteral("0.3"), LengthUnit::Centimetres);
    c.margin = params.toPixels(QStringLiteral("0.5"), LengthUnit::Centimetres);
    c.caption.text = QStringLiteral("Kolka, July 2004  F5.6 1/250 ISO100");
    c.caption.height = params.toPixels(QStringLiteral("0.8"), LengthUnit::Centimetres);
    c.interpolation = mode;
    c.dpi = params.effectiveDpi();
    return c;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const int runs = 5;

    // --- Final step: 10x15 cm at 300 dpi from 24 megapixels.
    std::printf("10x15 cm at 300 dpi from a 24-megapixel photograph\n");
    const QImage photo = bench::photoLike(6000, 4000);
    const QString photoFile = dir.filePath("24mp.jpg");
    if (!photo.save(photoFile, "JPEG", 90))
        return 1;
    PrintParameters params(2, false);
    params.orientForImage(photo.size());
    for (int mode : {InterpolationHighQualityBicubic, InterpolationHighQualityBilinear, InterpolationBicubic,
                     InterpolationBilinear, InterpolationNearest}) {
        const PrintComposition c = framing(photo, params, mode);
        const double ms = bench::timeMs([&] { PrintComposer::compose(photo, c); }, runs);
        const QByteArray label = QStringLiteral("  compose 1795x1205, mode %1").arg(mode).toUtf8();
        line(label.constData(), ms);
    }
    {
        const PrintComposition c = framing(photo, params, InterpolationHighQualityBicubic);
        const QString out = dir.filePath("ours.jpg");
        const double ms = bench::timeMs(
            [&] {
                const QImage decoded(photoFile);
                PrintComposer::compose(decoded, c).save(out, "JPEG", 90);
            },
            3);
        line("  Qt read + compose (mode 7) + Qt write", ms);
    }
    const QString ppm = dir.filePath("ref.ppm");
    {
        // What "Create file..." does: the file decoded at the size the frame
        // needs, composed, given its EXIF and resolution, encoded at 85.
        const PrintComposition c = framing(photo, params, InterpolationHighQualityBicubic);
        const QString out = dir.filePath("writer.jpg");
        const double ours = bench::timeMs(
            [&] { PrintFileWriter::write(PrintSource::fromFile(photoFile), c, out, 85); }, runs);
        line("  file writer: decode + compose (mode 7) + encode at 85", ours);
        const double ref = bench::timeCommandMs(
            "sh", {"-c", QStringLiteral("vipsthumbnail '%1' --size 1795x1205 -o '%2' && cjpeg -quality 85 '%2' > '%3'")
                             .arg(photoFile, ppm, dir.filePath("ref85.jpg"))},
            runs);
        bench::report("  file writer against the reference", ours, "vipsthumbnail + cjpeg -quality 85", ref, 1.5);
    }
    reference("  vipsthumbnail (decode, shrink) + cjpeg (encode)",
              bench::timeCommandMs("sh", {"-c", QStringLiteral("vipsthumbnail '%1' --size 1795x1205 -o '%2' && "
                                                               "cjpeg -quality 90 '%2' > '%3'")
                                                .arg(photoFile, ppm, dir.filePath("ref.jpg"))},
                                   runs));

    // --- Index print: 30 photographs of 12 megapixels on two pages.
    std::printf("\nindex print of 30 12-megapixel photographs, two 10x15 cm pages at 300 dpi\n");
    PrintParameters page(2, true);
    const IndexLayout layout =
        IndexLayout::fromFields(page, QStringLiteral("0"), LengthUnit::Centimetres, QStringLiteral("3.0"),
                                QStringLiteral("2.0"), QStringLiteral("0.4"), QStringLiteral("0.7"));
    // Three different pictures stand for the 30; the work per cell is the same.
    QList<QImage> sources;
    QStringList files;
    for (quint32 seed = 1; seed <= 3; ++seed) {
        sources.append(bench::photoLike(4000, 3000, seed));
        const QString f = dir.filePath(QStringLiteral("src_%1.jpg").arg(seed));
        if (!sources.last().save(f, "JPEG", 90))
            return 1;
        files.append(f);
    }
    QStringList names, paths;
    for (int i = 0; i < 30; ++i) {
        names.append(QStringLiteral("img_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
        const QString p = dir.filePath(names.last());
        QFile::copy(files[i % 3], p);
        paths.append(p);
    }
    IndexPageStyle style;
    style.names.height = page.toPixels(QStringLiteral("0.3"), LengthUnit::Centimetres);
    style.text.text = QStringLiteral("Summer 2004");
    style.text.height = page.toPixels(QStringLiteral("0.8"), LengthUnit::Centimetres);
    style.margin = page.toPixels(QStringLiteral("0.2"), LengthUnit::Centimetres);
    style.interpolation = InterpolationHighQualityBicubic;

    const auto pages = [&](const IndexPictureSource &source) {
        for (int list = 1; list <= layout.listCount(30); ++list)
            IndexComposer::compose(layout, list, names, style, source);
    };
    // Pictures handed over at twice the cell size, as a decoder scaling in
    // the DCT domain would give them.
    QList<QImage> reduced;
    for (const QImage &s : sources)
        reduced.append(Resampler::scaled(s, QSize(708, 531), InterpolationBilinear));
    const IndexPictureSource small = [&](int item, QSize) {
        return IndexCellPicture{reduced[item % 3], QSize(4000, 3000)};
    };
    const IndexPictureSource full = [&](int item, QSize) { return IndexCellPicture{sources[item % 3], {}}; };
    line("  compose both pages from pictures at about the cell size", bench::timeMs([&] { pages(small); }, runs));
    line("  compose both pages, reducing each 12 MP picture in memory", bench::timeMs([&] { pages(full); }, 3));
    // Qt's reader scales JPEG files in the DCT domain when asked for a
    // smaller size.
    const IndexPictureSource fromFiles = [&](int item, QSize cell) {
        QImageReader reader(paths[item]);
        const QSize size = reader.size();
        reader.setScaledSize(size.scaled(cell * 2, Qt::KeepAspectRatio));
        return IndexCellPicture{reader.read(), size};
    };
    const auto endToEnd = [&] {
        for (int list = 1; list <= layout.listCount(30); ++list) {
            const QString out = dir.filePath(QStringLiteral("index_%1.jpg").arg(list));
            IndexComposer::compose(layout, list, names, style, fromFiles).save(out, "JPEG", 90);
        }
    };
    line("  Qt read (scaled on load) + compose + Qt write", bench::timeMs(endToEnd, 3));
    QStringList montage{"-define", "jpeg:size=708x531"};
    montage << paths;
    montage << QStringList{"-tile", "3x5", "-geometry", "354x236+23+41", "-background", "white", "-quality", "90",
                           dir.filePath("montage_%d.jpg")};
    reference("  ImageMagick montage (decode with size hint, lay out, encode)",
              bench::timeCommandMs("montage", montage, 3));
    return 0;
}
