// Preparing the display bitmap of a 24-megapixel photograph fitted to
// 1600x1000, beside vipsthumbnail decoding and shrinking the same JPEG; and
// the pixels a pan step at 500 % prepares.

#include "BenchUtil.h"

#include "core/imaging/ImageViewModel.h"
#include "core/settings/AppSettings.h"

#include <QGuiApplication>
#include <QTemporaryDir>

using namespace quorvel;

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString jpeg = dir.filePath("24mp.jpg");
    const QImage photo = bench::photoLike(6000, 4000);
    if (!photo.save(jpeg, "JPEG", 90))
        return 1;
    const QImage decoded(jpeg);

    const double vips = bench::timeCommandMs("vipsthumbnail", {jpeg, "-s", "1600x1000", "-o", dir.filePath("t.jpg")});

    for (int mode : {InterpolationHighQualityBicubic, InterpolationHighQualityBilinear, InterpolationBicubic,
                     InterpolationBilinear, InterpolationNearest}) {
        ImageViewModel model;
        model.resize(QSize(1600, 1000));
        model.showImage(decoded);
        const double ms = bench::timeMs([&] {
            model.engine().markRebuild();
            model.prepareForPaint(mode);
        });
        const double limit = mode == InterpolationHighQualityBicubic ? 0.5 : mode == InterpolationBilinear ? 1.0 / 3 : 1.0;
        const QByteArray label = QStringLiteral("prepare 24 MP fitted to 1600x1000, mode %1").arg(mode).toUtf8();
        bench::report(label.constData(), ms, "vipsthumbnail", vips, limit);
    }

    ImageViewModel model;
    model.resize(QSize(1600, 1000));
    model.showImage(decoded);
    model.applyZoom(500);
    model.prepareForPaint(InterpolationHighQualityBicubic);
    model.beginDrag(QPoint(800, 500));
    int step = 0;
    const double pan = bench::timeMs([&] {
        ++step;
        model.dragTo(QPoint(800 - (step % 50) * 10, 500));
        model.prepareForPaint(InterpolationHighQualityBicubic);
    });
    std::printf("pan step at 500 %%: %.2f ms, %lld pixels prepared (view holds %d)\n", pan,
                static_cast<long long>(model.engine().preparedPixels()), 1600 * 1000);
    return 0;
}
