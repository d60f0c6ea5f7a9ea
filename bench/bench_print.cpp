// The print compositions: a 10x15 cm output at 300 dpi framed from a
// 24-megapixel photograph, and an index print of 30 12-megapixel photographs
// on two 10x15 cm pages at 300 dpi, in the same run:
//   - in process: the composition alone (the pictures already in memory) in
//     each interpolation mode, beside Qt's smooth scaling of the same picture
//     to the same size; the file writer (decode at the size needed, compose,
//     encode at 85) and Qt's reading and writing around our composition,
//     for scale;
//   - as processes: quorvel-tool prepare (the same file writer, bicubic)
//     beside vipsthumbnail + cjpeg -quality 85 (lanczos3) on the same file.
// The index print as processes is bench_indexprint.

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
    const PrintComposition sized = framing(photo, params, InterpolationBicubic);
    QImage smooth;
    const double qtSmooth = bench::timeMs([&] {
        smooth = photo.copy(QRect(sized.frame.left, sized.frame.top, sized.frame.width(), sized.frame.height()))
            .scaled(sized.output, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }, runs);
    for (int mode : {InterpolationHighQualityBicubic, InterpolationHighQualityBilinear, InterpolationBicubic,
                     InterpolationBilinear, InterpolationNearest}) {
        const PrintComposition c = framing(photo, params, mode);
        const double ms = bench::timeMs([&] { PrintComposer::compose(photo, c); }, runs);
        bench::result(QStringLiteral("compose 10x15 cm at 300 dpi from 24 MP, in process (vs Qt smooth scaling)"), ms,
                      qtSmooth, QStringLiteral("ms"), QString(), bench::modeName(mode));
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
        bench::result(QStringLiteral("Qt read + compose + Qt write, in process"), ms, -1, QStringLiteral("ms"), QString(),
                      bench::modeName(InterpolationHighQualityBicubic));
    }
    const QString ppm = dir.filePath("ref.ppm");
    {
        // What "Create file..." does: the file decoded at the size the frame
        // needs, composed, given its EXIF and resolution, encoded at 85.
        const PrintComposition c = framing(photo, params, InterpolationHighQualityBicubic);
        const QString out = dir.filePath("writer.jpg");
        const double ours = bench::timeMs(
            [&] { PrintFileWriter::write(PrintSource::fromFile(photoFile), c, out, 85); }, runs);
        bench::result(QStringLiteral("file writer: decode + compose + encode at 85, in process"), ours, -1,
                      QStringLiteral("ms"), QString(), bench::modeName(InterpolationHighQualityBicubic));
    }
    {
        const QString outDir = dir.filePath("prepared");
        QDir().mkpath(outDir);
        const bench::ProcessTimes p = bench::compareProcesses(
            {bench::toolPath(), "prepare", "--format", "10x15", "--quality", "85", "--jobs", "1", "--out", outDir,
             photoFile},
            {"sh", "-c",
             QStringLiteral("vipsthumbnail '%1' --size 1772x1181 --smartcrop centre -o '%2' && cjpeg -quality 85 '%2' > "
                            "'%3'")
                 .arg(photoFile, ppm, dir.filePath("ref85.jpg"))},
            runs);
        bench::result(QStringLiteral("10x15 cm file from 24 MP, process: quorvel-tool prepare / vipsthumbnail + cjpeg"),
                      p.ours, p.reference, QStringLiteral("ms"), QStringLiteral("1.5"),
                      bench::modeName(InterpolationBicubic));
    }

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
    const QString indexMode = bench::modeName(style.interpolation);
    bench::result(QStringLiteral("index print: compose both pages from pictures at about the cell size, in process"),
                  bench::timeMs([&] { pages(small); }, runs), -1, QStringLiteral("ms"), QString(), indexMode);
    bench::result(QStringLiteral("index print: compose both pages reducing each 12 MP picture, in process"),
                  bench::timeMs([&] { pages(full); }, 3), -1, QStringLiteral("ms"), QString(), indexMode);
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
    bench::result(QStringLiteral("index print: Qt read (scaled on load) + compose + Qt write, in process"),
                  bench::timeMs(endToEnd, 3), -1, QStringLiteral("ms"), QString(), indexMode);
    return 0;
}
