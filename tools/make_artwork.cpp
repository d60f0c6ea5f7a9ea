// Draws the project's own pictures with QPainter: the splash picture, the
// application icon, and sample photographs with camera EXIF written through
// Exiv2.
//
//   quorvel-artwork splash OUT.jpg
//   quorvel-artwork icon ICON_NAME FOLDER   (FOLDER/hicolor/<size>/apps/ICON_NAME.{svg,png})
//   quorvel-artwork samples FOLDER
//   quorvel-artwork manual MANUAL.md OUT.pdf

#include <exiv2/exiv2.hpp>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextDocument>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// A ridge line by midpoint displacement, y values across the width.
std::vector<double> ridge(int width, double base, double roughness, quint32 seed)
{
    QRandomGenerator rng(seed);
    int n = 1;
    while (n < width)
        n *= 2;
    std::vector<double> h(size_t(n) + 1, base);
    h[0] = base + (rng.generateDouble() - 0.5) * roughness;
    h[size_t(n)] = base + (rng.generateDouble() - 0.5) * roughness;
    double amp = roughness;
    for (int step = n; step > 1; step /= 2) {
        for (int i = step / 2; i < n; i += step)
            h[size_t(i)] = (h[size_t(i - step / 2)] + h[size_t(i + step / 2)]) / 2 + (rng.generateDouble() - 0.5) * amp;
        amp *= 0.55;
    }
    h.resize(size_t(width) + 1);
    return h;
}

QPainterPath ridgePath(const std::vector<double> &h, int height)
{
    QPainterPath path;
    path.moveTo(0, height);
    for (size_t x = 0; x < h.size(); ++x)
        path.lineTo(double(x), h[x]);
    path.lineTo(double(h.size() - 1), height);
    path.closeSubpath();
    return path;
}

// Fine sensor-like grain so the pictures compress and look like photographs.
void addGrain(QImage &img, quint32 seed, int strength)
{
    QRandomGenerator rng(seed);
    for (int y = 0; y < img.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int d = int(rng.bounded(2 * strength + 1)) - strength;
            const QRgb p = row[x];
            row[x] = qRgb(qBound(0, qRed(p) + d, 255), qBound(0, qGreen(p) + d, 255), qBound(0, qBlue(p) + d, 255));
        }
    }
}

QImage mountains(int w, int h, quint32 seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h * 0.6);
    sky.setColorAt(0, QColor(38, 52, 110));
    sky.setColorAt(0.55, QColor(214, 120, 90));
    sky.setColorAt(1, QColor(250, 196, 120));
    p.fillRect(img.rect(), sky);
    QRadialGradient sun(w * 0.68, h * 0.42, h * 0.16);
    sun.setColorAt(0, QColor(255, 250, 220));
    sun.setColorAt(0.35, QColor(255, 226, 150));
    sun.setColorAt(1, QColor(255, 200, 120, 0));
    p.fillRect(img.rect(), sun);
    const QColor layers[] = {QColor(120, 92, 120), QColor(82, 64, 96), QColor(50, 42, 64), QColor(28, 30, 40)};
    for (int i = 0; i < 4; ++i) {
        const auto r = ridge(w, h * (0.42 + 0.1 * i), h * (0.32 - 0.05 * i), seed + quint32(i));
        p.fillPath(ridgePath(r, h), layers[i]);
    }
    p.end();
    addGrain(img, seed, 3);
    return img;
}

QImage lighthouse(int w, int h, quint32 seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h * 0.62);
    sky.setColorAt(0, QColor(70, 130, 200));
    sky.setColorAt(1, QColor(190, 220, 240));
    p.fillRect(img.rect(), sky);
    QLinearGradient sea(0, h * 0.62, 0, h);
    sea.setColorAt(0, QColor(40, 90, 140));
    sea.setColorAt(1, QColor(20, 50, 80));
    p.fillRect(QRectF(0, h * 0.62, w, h * 0.38), sea);
    QRandomGenerator rng(seed);
    p.setPen(QPen(QColor(220, 235, 245, 90), 1.2));
    for (int i = 0; i < 160; ++i) {
        const double y = h * 0.63 + rng.generateDouble() * h * 0.37;
        const double x = rng.generateDouble() * w;
        p.drawLine(QPointF(x, y), QPointF(x + 6 + rng.generateDouble() * 14, y));
    }
    // Rocks and the tower.
    QPainterPath rock;
    rock.moveTo(w * 0.15, h * 0.72);
    rock.cubicTo(w * 0.3, h * 0.6, w * 0.7, h * 0.6, w * 0.88, h * 0.74);
    rock.lineTo(w * 0.15, h * 0.74);
    p.fillPath(rock, QColor(70, 60, 55));
    QPolygonF tower;
    tower << QPointF(w * 0.44, h * 0.66) << QPointF(w * 0.47, h * 0.28) << QPointF(w * 0.55, h * 0.28)
          << QPointF(w * 0.58, h * 0.66);
    QLinearGradient shade(w * 0.44, 0, w * 0.58, 0);
    shade.setColorAt(0, QColor(250, 250, 245));
    shade.setColorAt(1, QColor(170, 170, 175));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawPolygon(tower);
    p.setBrush(QColor(190, 40, 40));
    for (int band = 0; band < 3; ++band) {
        const double y0 = h * (0.34 + band * 0.11), y1 = y0 + h * 0.045;
        const double t0 = (y0 - h * 0.28) / (h * 0.38), t1 = (y1 - h * 0.28) / (h * 0.38);
        QPolygonF b;
        b << QPointF(w * (0.47 - 0.03 * t0), y0) << QPointF(w * (0.55 + 0.03 * t0), y0)
          << QPointF(w * (0.55 + 0.03 * t1), y1) << QPointF(w * (0.47 - 0.03 * t1), y1);
        p.drawPolygon(b);
    }
    p.setBrush(QColor(40, 40, 45));
    p.drawRect(QRectF(w * 0.46, h * 0.22, w * 0.10, h * 0.06));
    p.setBrush(QColor(255, 240, 170));
    p.drawRect(QRectF(w * 0.48, h * 0.23, w * 0.06, h * 0.04));
    p.drawPolygon(QPolygonF() << QPointF(w * 0.45, h * 0.22) << QPointF(w * 0.51, h * 0.17)
                              << QPointF(w * 0.57, h * 0.22));
    p.end();
    addGrain(img, seed, 3);
    return img;
}

QImage lake(int w, int h, quint32 seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h * 0.5);
    sky.setColorAt(0, QColor(110, 160, 220));
    sky.setColorAt(1, QColor(225, 235, 245));
    p.fillRect(img.rect(), sky);
    QRandomGenerator rng(seed);
    for (int i = 0; i < 7; ++i) {
        QRadialGradient cloud(rng.bounded(w), h * (0.08 + rng.generateDouble() * 0.25), w * 0.09);
        cloud.setColorAt(0, QColor(255, 255, 255, 200));
        cloud.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(img.rect(), cloud);
    }
    const auto hills = ridge(w, h * 0.42, h * 0.12, seed);
    p.fillPath(ridgePath(hills, h), QColor(60, 110, 60));
    // Conifers along the shore.
    for (int i = 0; i < 60; ++i) {
        const double x = rng.generateDouble() * w;
        const double base = h * 0.52;
        const double th = h * (0.05 + rng.generateDouble() * 0.09);
        QPolygonF tree;
        tree << QPointF(x - th * 0.22, base) << QPointF(x, base - th) << QPointF(x + th * 0.22, base);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20 + rng.bounded(25), 60 + rng.bounded(40), 30 + rng.bounded(20)));
        p.drawPolygon(tree);
    }
    // The water mirrors the upper half, darker.
    const QImage upper = img.copy(0, 0, w, int(h * 0.52)).mirrored(false, true);
    p.setOpacity(0.75);
    p.drawImage(QPointF(0, h * 0.52), upper);
    p.setOpacity(0.35);
    p.fillRect(QRectF(0, h * 0.52, w, h * 0.48), QColor(20, 50, 80));
    p.setOpacity(1);
    p.end();
    addGrain(img, seed, 3);
    return img;
}

QImage flowers(int w, int h, quint32 seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient bg(w * 0.5, h * 0.5, w * 0.7);
    bg.setColorAt(0, QColor(90, 140, 60));
    bg.setColorAt(1, QColor(25, 50, 25));
    p.fillRect(img.rect(), bg);
    QRandomGenerator rng(seed);
    for (int f = 0; f < 9; ++f) {
        const QPointF c(rng.bounded(w), rng.bounded(h));
        const double r = 25 + rng.generateDouble() * 45;
        const QColor petal = QColor::fromHsv(int(rng.bounded(60)) + (f % 2 ? 300 : 20), 200, 235);
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 8; ++k) {
            p.save();
            p.translate(c);
            p.rotate(k * 45 + f * 7);
            QRadialGradient g(QPointF(r * 0.55, 0), r * 0.55);
            g.setColorAt(0, petal.lighter(130));
            g.setColorAt(1, petal.darker(120));
            p.setBrush(g);
            p.drawEllipse(QPointF(r * 0.55, 0), r * 0.5, r * 0.22);
            p.restore();
        }
        p.setBrush(QColor(250, 200, 40));
        p.drawEllipse(c, r * 0.2, r * 0.2);
    }
    p.end();
    addGrain(img, seed, 4);
    return img;
}

QImage beach(int w, int h, quint32 seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h * 0.45);
    sky.setColorAt(0, QColor(80, 170, 230));
    sky.setColorAt(1, QColor(200, 235, 250));
    p.fillRect(img.rect(), sky);
    p.fillRect(QRectF(0, h * 0.45, w, h * 0.2), QColor(30, 140, 170));
    QPainterPath sand;
    sand.moveTo(0, h * 0.62);
    sand.cubicTo(w * 0.3, h * 0.58, w * 0.6, h * 0.7, w, h * 0.64);
    sand.lineTo(w, h);
    sand.lineTo(0, h);
    sand.closeSubpath();
    QLinearGradient sg(0, h * 0.6, 0, h);
    sg.setColorAt(0, QColor(235, 215, 170));
    sg.setColorAt(1, QColor(200, 170, 120));
    p.fillPath(sand, sg);
    // A palm.
    p.setPen(QPen(QColor(110, 80, 50), 10, Qt::SolidLine, Qt::RoundCap));
    QPainterPath trunk;
    trunk.moveTo(w * 0.2, h * 0.9);
    trunk.quadTo(w * 0.22, h * 0.5, w * 0.32, h * 0.3);
    p.drawPath(trunk);
    p.setPen(QPen(QColor(40, 120, 40), 6, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 7; ++k) {
        const double a = (k * 50 + 10) * M_PI / 180;
        QPainterPath leaf;
        leaf.moveTo(w * 0.32, h * 0.3);
        leaf.quadTo(w * 0.32 + std::cos(a) * 60, h * 0.3 - 40, w * 0.32 + std::cos(a) * 110, h * 0.3 + std::sin(a) * 50);
        p.drawPath(leaf);
    }
    p.end();
    addGrain(img, seed, 3);
    return img;
}

struct Exif
{
    const char *make;
    const char *model;
    const char *date;
    int expNum, expDen;
    int fNum, fDen;
    int iso;
    int focalNum, focalDen;
};

bool writeExif(const QString &path, const Exif &e)
{
    try {
        auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        image->readMetadata();
        Exiv2::ExifData &d = image->exifData();
        d["Exif.Image.Make"] = std::string(e.make);
        d["Exif.Image.Model"] = std::string(e.model);
        d["Exif.Image.Orientation"] = uint16_t(1);
        d["Exif.Image.XResolution"] = Exiv2::URational(300, 1);
        d["Exif.Image.YResolution"] = Exiv2::URational(300, 1);
        d["Exif.Image.ResolutionUnit"] = uint16_t(2);
        d["Exif.Photo.DateTimeOriginal"] = std::string(e.date);
        d["Exif.Photo.ExposureTime"] = Exiv2::URational(e.expNum, e.expDen);
        d["Exif.Photo.FNumber"] = Exiv2::URational(e.fNum, e.fDen);
        d["Exif.Photo.ISOSpeedRatings"] = uint16_t(e.iso);
        d["Exif.Photo.FocalLength"] = Exiv2::URational(e.focalNum, e.focalDen);
        image->writeMetadata();
        return true;
    } catch (const Exiv2::AnyError &err) {
        std::fprintf(stderr, "exif: %s\n", err.what());
        return false;
    }
}

bool saveJpeg(const QImage &img, const QString &path)
{
    if (!img.save(path, "JPEG", 86)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

int makeSplash(const QString &out)
{
    const int w = 520, h = 317;
    QImage img = mountains(w, h, 20);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 0, w, h), QColor(10, 12, 30, 110));
    // An aperture of six blades.
    const QPointF c(92, 150);
    for (int k = 0; k < 6; ++k) {
        p.save();
        p.translate(c);
        p.rotate(k * 60);
        QPainterPath blade;
        blade.moveTo(0, -52);
        blade.lineTo(45, -26);
        blade.lineTo(12, 8);
        blade.closeSubpath();
        p.fillPath(blade, QColor::fromHsv(200 + k * 8, 90, 240 - k * 12));
        p.restore();
    }
    p.setPen(QPen(QColor(255, 255, 255, 200), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 58, 58);
    QFont title(QStringLiteral("DejaVu Sans"), 40, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(255, 255, 255));
    p.drawText(QRect(170, 92, 340, 64), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quorvel"));
    QFont sub(QStringLiteral("DejaVu Sans"), 13);
    p.setFont(sub);
    p.setPen(QColor(235, 235, 245));
    p.drawText(QRect(172, 158, 340, 24), Qt::AlignLeft, QStringLiteral("Photo browser and viewer"));
    QFont small(QStringLiteral("DejaVu Sans"), 10);
    p.setFont(small);
    p.drawText(QRect(172, 186, 340, 20), Qt::AlignLeft, QStringLiteral("Version 2.0.6"));
    p.end();
    return saveJpeg(img, out) ? 0 : 1;
}

// The application icon on a canvas of size x size: a rounded tile with the
// six-bladed aperture of the splash picture.
void paintIcon(QPainter &p, double size)
{
    p.setRenderHint(QPainter::Antialiasing);
    const double margin = size / 16;
    const QRectF tile(margin, margin, size - 2 * margin, size - 2 * margin);
    QLinearGradient back(tile.topLeft(), tile.bottomLeft());
    back.setColorAt(0, QColor(52, 70, 140));
    back.setColorAt(1, QColor(18, 38, 74));
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(tile, size * 0.2, size * 0.2);

    const QPointF c(size / 2, size / 2);
    const double r = size * 0.34;
    p.setBrush(QColor(10, 14, 34));
    p.drawEllipse(c, r, r);
    for (int k = 0; k < 6; ++k) {
        p.save();
        p.translate(c);
        p.rotate(k * 60);
        QPainterPath blade;
        blade.moveTo(0, -r * 0.92);
        blade.lineTo(r * 0.8, -r * 0.46);
        blade.lineTo(r * 0.2, r * 0.14);
        blade.closeSubpath();
        p.fillPath(blade, QColor::fromHsv(195 + k * 7, 80 + k * 8, 250 - k * 14));
        p.restore();
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255), std::max(1.0, size * 0.045)));
    p.drawEllipse(c, r, r);
}

// The icon as scalable SVG and as PNGs of the usual theme sizes, laid out as
// the hicolor theme wants them.
int makeIcon(const QString &name, const QString &folder)
{
    const QDir root(folder);
    if (!root.mkpath(QStringLiteral("hicolor/scalable/apps"))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }
    QSvgGenerator svg;
    svg.setFileName(root.filePath(QStringLiteral("hicolor/scalable/apps/%1.svg").arg(name)));
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Quorvel"));
    svg.setDescription(QStringLiteral("The Quorvel application icon"));
    {
        QPainter p(&svg);
        paintIcon(p, 256);
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString sub = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!root.mkpath(sub))
            return 1;
        QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            paintIcon(p, size);
        }
        const QString path = root.filePath(sub + QStringLiteral("/%1.png").arg(name));
        if (!img.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

int makeSamples(const QString &folder)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("More"))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }
    struct Sample
    {
        QString name;
        QImage image;
        bool hasExif;
        Exif exif;
    };
    const std::vector<Sample> samples{
        {QStringLiteral("IMG_0101.JPG"), mountains(640, 427, 7), true,
         {"Canon", "Canon EOS 10D", "2004:07:14 18:32:05", 1, 250, 80, 10, 100, 35, 1}},
        {QStringLiteral("IMG_0102.JPG"), lighthouse(427, 640, 11), true,
         {"Canon", "Canon EOS 10D", "2004:07:15 10:05:41", 1, 60, 56, 10, 400, 50, 1}},
        {QStringLiteral("DSC_2201.JPG"), lake(640, 427, 23), true,
         {"NIKON CORPORATION", "NIKON D70", "2005:05:02 09:12:33", 1, 500, 110, 10, 200, 18, 1}},
        {QStringLiteral("DSC_2202.JPG"), flowers(640, 480, 31), true,
         {"NIKON CORPORATION", "NIKON D70", "2005:05:02 09:40:10", 1, 125, 28, 10, 800, 105, 1}},
        {QStringLiteral("beach.jpg"), beach(640, 400, 41), false, {}},
        {QStringLiteral("More/P1010001.JPG"), lake(480, 360, 57), true,
         {"Panasonic", "DMC-FZ20", "2006:08:21 16:20:00", 10, 8, 40, 10, 80, 72, 10}},
    };
    for (const Sample &s : samples) {
        const QString path = dir.filePath(s.name);
        if (!saveJpeg(s.image, path))
            return 1;
        if (s.hasExif && !writeExif(path, s.exif))
            return 1;
    }

    QFile descriptions(dir.filePath(QStringLiteral("descript.ion")));
    if (!descriptions.open(QIODevice::WriteOnly))
        return 1;
    descriptions.write("IMG_0101.JPG Sunset over the ridges\r\n"
                       "IMG_0102.JPG Lighthouse on the north cape\r\n"
                       "DSC_2201.JPG Morning at the lake\r\n");
    descriptions.close();

    QFile link(dir.filePath(QStringLiteral("More/IMG_0101.JPG.link")));
    if (!link.open(QIODevice::WriteOnly))
        return 1;
    link.write("../IMG_0101.JPG");
    link.close();
    return 0;
}

// The manual beside the program, made from its Markdown text.
int makeManual(const QString &source, const QString &out)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(source));
        return 1;
    }
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    doc.setMarkdown(QString::fromUtf8(in.readAll()));
    QPdfWriter pdf(out);
    pdf.setTitle(QStringLiteral("Quorvel"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(150);
    doc.print(&pdf);
    return QFile::exists(out) ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::XmpParser::initialize();
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("splash"))
        return makeSplash(args[2]);
    if (args.size() == 4 && args[1] == QLatin1String("icon"))
        return makeIcon(args[2], args[3]);
    if (args.size() == 3 && args[1] == QLatin1String("samples"))
        return makeSamples(args[2]);
    if (args.size() == 4 && args[1] == QLatin1String("manual"))
        return makeManual(args[2], args[3]);
    std::fprintf(stderr, "usage: quorvel-artwork splash OUT.jpg | icon NAME FOLDER | samples FOLDER | manual MANUAL.md OUT.pdf\n");
    return 2;
}
