#include "core/imaging/AllChannelsLayout.h"
#include "core/imaging/ChannelTreatment.h"
#include "core/imaging/ImageViewModel.h"
#include "core/settings/AppSettings.h"

#include <QTest>

#include <random>

using namespace quorvel;

namespace {

const QRgb kClipped = qRgb(255, 200, 10);
const QRgb kBlueish = qRgb(100, 150, 254);

// Left half one colour, right half another.
QImage halves(int w, int h, QRgb left, QRgb right)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(right);
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        std::fill(row, row + w / 2, left);
    }
    return img;
}

// The first pixel of image that differs from expected, as text; empty when
// all match.
QString firstMismatch(const QImage &image, const std::function<QRgb(int, int)> &expected)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != expected(x, y))
                return QStringLiteral("(%1,%2): %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(image.pixel(x, y), 8, 16)
                    .arg(expected(x, y), 8, 16);
    return QString();
}

QRgb grey(int v)
{
    return qRgb(v, v, v);
}

} // namespace

class TestChannels : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pixelTreatments_data();
    void pixelTreatments();
    void fullImagePassesMatchThePixelRule_data();
    void fullImagePassesMatchThePixelRule();
    void allChannelsGeometry_data();
    void allChannelsGeometry();
    void modeSequences_data();
    void modeSequences();
    void overexposureIsRefusedWhileChannelsShow_data();
    void overexposureIsRefusedWhileChannelsShow();
    void clipboardTakes_data();
    void clipboardTakes();
    void fullResolutionPassReportsProgress();
};

// Treatment codes of the tables: 2..4 a channel, 0/1/5 channels that keep
// the colour, -1 the overexposure marking.
void TestChannels::pixelTreatments_data()
{
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<int>("treatment");
    QTest::addColumn<QRgb>("expected");
    QTest::newRow("clipped red: overexposed") << kClipped << -1 << qRgb(255, 0, 0);
    QTest::newRow("clipped red: red channel") << kClipped << 2 << qRgb(255, 0, 0);
    QTest::newRow("clipped red: green channel") << kClipped << 3 << grey(200);
    QTest::newRow("clipped red: blue channel") << kClipped << 4 << grey(10);
    QTest::newRow("254 grey not overexposed") << grey(254) << -1 << grey(254);
    QTest::newRow("blue 255 overexposed") << qRgb(0, 0, 255) << -1 << qRgb(255, 0, 0);
    QTest::newRow("clipped green channel") << qRgb(3, 255, 7) << 3 << qRgb(0, 255, 0);
    QTest::newRow("clipped blue channel") << kBlueish << 4 << grey(254);
    QTest::newRow("white: blue clipped") << grey(255) << 4 << qRgb(0, 0, 255);
    QTest::newRow("none keeps colour") << kClipped << 0 << kClipped;
    QTest::newRow("all keeps colour") << kClipped << 1 << kClipped;
    QTest::newRow("transparent made opaque") << qRgba(12, 34, 56, 0) << 5 << qRgb(12, 34, 56);
    QTest::newRow("alpha ignored by the marking") << qRgba(1, 2, 3, 255) << -1 << qRgb(1, 2, 3);
}

void TestChannels::pixelTreatments()
{
    QFETCH(QRgb, pixel);
    QFETCH(int, treatment);
    QFETCH(QRgb, expected);
    const QRgb out = treatment < 0 ? ChannelTreatment::overexposurePixel(pixel)
                                   : ChannelTreatment::channelPixel(pixel, treatment);
    QCOMPARE(out, expected);
}

void TestChannels::fullImagePassesMatchThePixelRule_data()
{
    QTest::addColumn<int>("treatment");
    QTest::addColumn<QSize>("size");
    for (const QSize size : {QSize(37, 11), QSize(1201, 613)}) { // below and above the parallel threshold
        const QByteArray s = QByteArray::number(size.width()) + "x" + QByteArray::number(size.height());
        QTest::newRow(("red " + s).constData()) << 2 << size;
        QTest::newRow(("green " + s).constData()) << 3 << size;
        QTest::newRow(("blue " + s).constData()) << 4 << size;
        QTest::newRow(("overexposure " + s).constData()) << -1 << size;
    }
}

void TestChannels::fullImagePassesMatchThePixelRule()
{
    QFETCH(int, treatment);
    QFETCH(QSize, size);
    // Noise with plenty of clipped values, in an image whose rows are padded
    // (a view into a wider image), so strides and bands both show.
    QImage wide(size.width() + 3, size.height(), QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < wide.height(); ++y)
        for (int x = 0; x < wide.width(); ++x) {
            const quint32 r = random();
            wide.setPixel(x, y, qRgb((r & 0xFF) | (r >> 31 ? 0xF0 : 0), (r >> 8) & 0xFF, (r >> 16) & 0xFF));
        }
    const QImage source = wide.copy(0, 0, size.width(), size.height());
    const QImage before = source.copy();
    const auto rule = [&](int x, int y) {
        const QRgb p = before.pixel(x, y);
        return treatment < 0 ? ChannelTreatment::overexposurePixel(p) : ChannelTreatment::channelPixel(p, treatment);
    };

    const QImage copy = treatment < 0 ? ChannelTreatment::overexposureCopy(source)
                                      : ChannelTreatment::channelCopy(source, treatment);
    QCOMPARE(copy.size(), size);
    QCOMPARE(firstMismatch(copy, rule), QString());
    QCOMPARE(source, before); // the copy leaves its source alone

    QImage inPlace = source;
    if (treatment < 0)
        ChannelTreatment::applyOverexposure(inPlace);
    else
        ChannelTreatment::applyChannel(inPlace, treatment);
    QCOMPARE(firstMismatch(inPlace, rule), QString());
    QCOMPARE(source, before); // shared data was detached, not written through
}

void TestChannels::allChannelsGeometry_data()
{
    QTest::addColumn<QSize>("bitmap");
    QTest::addColumn<QSize>("cell");
    QTest::addColumn<QSize>("fitted");
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<QPoint>("bottomRight");
    // 400x300 into 197x147 cells: the height limits, 196 wide, 1 pixel spare.
    QTest::newRow("400x300") << QSize(400, 300) << QSize(197, 147) << QSize(196, 147) << QPoint(0, 0)
                             << QPoint(203, 153);
    QTest::newRow("odd 401x301") << QSize(401, 301) << QSize(197, 147) << QSize(196, 147) << QPoint(0, 0)
                                 << QPoint(203, 153);
    // A view-sized part of a zoomed image: centred across in its cell.
    QTest::newRow("1600x1000") << QSize(1600, 1000) << QSize(797, 497) << QSize(795, 497) << QPoint(1, 0)
                               << QPoint(804, 503);
    QTest::newRow("tall 300x800") << QSize(300, 800) << QSize(147, 397) << QSize(147, 392) << QPoint(0, 2)
                                  << QPoint(153, 405);
    QTest::newRow("too small for cells") << QSize(6, 40) << QSize(0, 17) << QSize() << QPoint() << QPoint();
}

void TestChannels::allChannelsGeometry()
{
    QFETCH(QSize, bitmap);
    QFETCH(QSize, cell);
    QFETCH(QSize, fitted);
    QFETCH(QPoint, topLeft);
    QFETCH(QPoint, bottomRight);
    const AllChannelsLayout::Geometry g = AllChannelsLayout::geometry(bitmap, bitmap);
    QCOMPARE(g.cell, cell);
    QCOMPARE(g.fitted, fitted);
    QCOMPARE(g.origins[0], topLeft);
    QCOMPARE(g.origins[3], bottomRight);

    // The four cells on grey; a bitmap too small for cells is only grey.
    const QImage composed = AllChannelsLayout::compose(halves(bitmap.width(), bitmap.height(), kClipped, kClipped),
                                                       InterpolationBicubic);
    QCOMPARE(composed.size(), bitmap);
    QCOMPARE(composed.pixel(bitmap.width() / 2, bitmap.height() / 4), AllChannelsLayout::kBackground);
    if (fitted.isEmpty()) {
        QCOMPARE(firstMismatch(composed, [](int, int) { return AllChannelsLayout::kBackground; }), QString());
        return;
    }
    const QPoint middle(fitted.width() / 2, fitted.height() / 2);
    QCOMPARE(composed.pixel(g.origins[0] + middle), kClipped);
    QCOMPARE(composed.pixel(g.origins[1] + middle), qRgb(255, 0, 0));
    QCOMPARE(composed.pixel(g.origins[2] + middle), grey(200));
    QCOMPARE(composed.pixel(g.origins[3] + middle), grey(10));
}

// Each sequence runs on a 400x300 image, left half (255,200,10), right half
// (100,150,254), in a view that fits it at 66.5 % ("full" shows it at 100 %,
// where it can be panned). "next" loads the mirrored image; "clear" drops
// the image. The result names what the view shows: "plain", "red", "green",
// "blue", "over" (overexposure marked) or "cells" (all channels), and the
// check marks of A, R, G, B and F3.
void TestChannels::modeSequences_data()
{
    QTest::addColumn<QString>("commands");
    QTest::addColumn<QString>("shows");
    QTest::addColumn<QString>("checks");
    QTest::newRow("R") << "R" << "red" << "A";
    QTest::newRow("R then zoom ends it") << "R zoomin" << "plain" << "A";
    QTest::newRow("Shift+R survives zoom") << "Shift+R zoomin" << "red" << "R";
    QTest::newRow("R then pan ends it") << "full R pan" << "plain" << "A";
    QTest::newRow("Shift+R survives pan") << "full Shift+R pan" << "red" << "R";
    QTest::newRow("R then next image ends it") << "R next" << "plain" << "A";
    QTest::newRow("Shift+G on the next image") << "Shift+G next" << "green" << "G";
    QTest::newRow("F3") << "F3" << "over" << "A";
    QTest::newRow("F3 twice") << "F3 F3" << "plain" << "A";
    QTest::newRow("F3 then zoom ends it") << "F3 zoomout" << "plain" << "A";
    QTest::newRow("Shift+F3 on the next image") << "Shift+F3 next" << "over" << "A F3";
    QTest::newRow("Shift+F3, next, F3 clears") << "Shift+F3 next F3" << "plain" << "A";
    QTest::newRow("Shift+F3 twice") << "Shift+F3 Shift+F3" << "plain" << "A";
    QTest::newRow("Alt+F3") << "Alt+F3" << "cells" << "A";
    QTest::newRow("Alt+F3 twice") << "Alt+F3 Alt+F3" << "plain" << "A";
    QTest::newRow("Alt+F3 after Shift+G") << "Shift+G Alt+F3" << "cells" << "A";
    QTest::newRow("Alt+F3 then zoom") << "Alt+F3 zoomin" << "plain" << "A";
    QTest::newRow("A ends Shift+B") << "Shift+B A" << "plain" << "A";
    QTest::newRow("plain G ends Shift+R") << "Shift+R G" << "green" << "A";
    QTest::newRow("G again keeps Shift+G") << "Shift+G G" << "green" << "G";
    QTest::newRow("Shift+B after Shift+R") << "Shift+R Shift+B" << "blue" << "B";
    QTest::newRow("Shift+R ends Shift+F3") << "Shift+F3 Shift+R" << "red" << "R";
    // Marking the full-size copy ends its channel: one treatment at a time,
    // and the next image gets the one the menu shows.
    QTest::newRow("Shift+F3 ends Shift+R") << "Shift+R Shift+F3 next" << "over" << "A F3";
    QTest::newRow("modes wait for an image") << "clear Shift+B next" << "blue" << "B";
    QTest::newRow("A without an image") << "Shift+B clear A next" << "plain" << "A";
}

void TestChannels::modeSequences()
{
    QFETCH(QString, commands);
    QFETCH(QString, shows);
    QFETCH(QString, checks);

    const QImage first = halves(400, 300, kClipped, kBlueish);
    const QImage second = halves(400, 300, kBlueish, kClipped);
    QImage current = first;
    ImageViewModel model;
    model.resize(QSize(304, 204));
    model.showImage(first);
    QCOMPARE(model.zoom(), 66.5f);
    DisplayEngine &engine = model.engine();

    for (const QString &command : commands.split(' ')) {
        const bool shift = command.startsWith("Shift+");
        const QString key = shift ? command.mid(6) : command;
        if (key == "A")
            QVERIFY(engine.setChannel(channel::None, shift));
        else if (key == "R")
            engine.setChannel(channel::Red, shift);
        else if (key == "G")
            engine.setChannel(channel::Green, shift);
        else if (key == "B")
            engine.setChannel(channel::Blue, shift);
        else if (key == "F3")
            QVERIFY(engine.toggleOverexposure(shift));
        else if (key == "Alt+F3")
            QVERIFY(engine.toggleAllChannels());
        else if (key == "zoomin")
            QVERIFY(model.zoomIn());
        else if (key == "zoomout")
            QVERIFY(model.zoomOut());
        else if (key == "full")
            QVERIFY(model.fullSize());
        else if (key == "pan") {
            QVERIFY(model.beginDrag(QPoint(150, 100)));
            QVERIFY(model.dragTo(QPoint(160, 105)));
            model.endDrag();
        } else if (key == "next") {
            current = current == first ? second : first;
            model.showImage(current);
        } else if (key == "clear") {
            model.clear();
        } else {
            QFAIL(qPrintable("unknown command " + command));
        }
        // The modes' invariants hold after every step.
        const ChannelModes &m = engine.modes();
        QVERIFY(!(m.fullResolutionChannel() != channel::None && m.fullResolutionOverexposure()));
        QVERIFY(!(m.fullResolution().isOn() && m.displayChannel() != channel::None));
        QCOMPARE(!engine.processedImage().isNull(), m.fullResolution().isOn() && model.hasImage());
    }

    const ChannelModes &m = engine.modes();
    QStringList marks;
    if (m.allColoursChecked())
        marks << "A";
    for (auto [c, name] : {std::pair{channel::Red, "R"}, {channel::Green, "G"}, {channel::Blue, "B"}})
        if (m.channelChecked(c))
            marks << name;
    if (m.overexposureChecked())
        marks << "F3";
    QCOMPARE(marks.join(' '), checks);

    model.prepareForPaint(InterpolationBicubic);
    const QImage &bitmap = engine.displayBitmap();
    QVERIFY(!bitmap.isNull());
    const int w = bitmap.width(), h = bitmap.height();
    const QPoint left(w / 4, h / 2), right(3 * w / 4, h / 2);
    const QRgb leftColour = current.pixel(100, 150), rightColour = current.pixel(300, 150);
    if (shows == "cells") {
        const AllChannelsLayout::Geometry g = AllChannelsLayout::geometry(bitmap.size(), bitmap.size());
        const QPoint inLeftHalf(g.fitted.width() / 4, g.fitted.height() / 2);
        QCOMPARE(bitmap.pixel(w / 2, h / 4), AllChannelsLayout::kBackground);
        QCOMPARE(bitmap.pixel(g.origins[0] + inLeftHalf), leftColour);
        QCOMPARE(bitmap.pixel(g.origins[1] + inLeftHalf), ChannelTreatment::channelPixel(leftColour, channel::Red));
        QCOMPARE(bitmap.pixel(g.origins[3] + inLeftHalf), ChannelTreatment::channelPixel(leftColour, channel::Blue));
        return;
    }
    const auto treat = [&](QRgb p) {
        if (shows == "over")
            return ChannelTreatment::overexposurePixel(p);
        const int c = shows == "red" ? 2 : shows == "green" ? 3 : shows == "blue" ? 4 : 0;
        return ChannelTreatment::channelPixel(p, c);
    };
    QCOMPARE(bitmap.pixel(left), treat(leftColour));
    QCOMPARE(bitmap.pixel(right), treat(rightColour));
}

void TestChannels::overexposureIsRefusedWhileChannelsShow_data()
{
    QTest::addColumn<int>("c");
    QTest::addColumn<bool>("allChannels");
    QTest::newRow("red") << int(channel::Red) << false;
    QTest::newRow("blue") << int(channel::Blue) << false;
    QTest::newRow("all channels") << int(channel::None) << true;
}

void TestChannels::overexposureIsRefusedWhileChannelsShow()
{
    QFETCH(int, c);
    QFETCH(bool, allChannels);
    DisplayEngine engine;
    engine.setImage(halves(40, 30, kClipped, kBlueish));
    if (allChannels)
        engine.toggleAllChannels();
    else
        engine.setChannel(c, false);
    const int shown = engine.modes().displayChannel();
    for (bool shift : {false, true}) {
        QVERIFY(!engine.toggleOverexposure(shift));
        QCOMPARE(engine.modes().displayChannel(), shown);
        QVERIFY(!engine.modes().displayOverexposure());
        QVERIFY(!engine.modes().fullResolutionOverexposure());
        QVERIFY(engine.processedImage().isNull());
    }
}

void TestChannels::clipboardTakes_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("treatment"); // as in pixelTreatments; 0 the image itself
    QTest::newRow("nothing") << "" << 0;
    QTest::newRow("Shift+B") << "Shift+B" << 4;
    QTest::newRow("Shift+R") << "Shift+R" << 2;
    QTest::newRow("Shift+F3") << "Shift+F3" << -1;
    QTest::newRow("B on the display only") << "B" << 0;
    QTest::newRow("F3 on the display only") << "F3" << 0;
    QTest::newRow("all channels") << "Alt+F3" << 0;
}

void TestChannels::clipboardTakes()
{
    QFETCH(QString, command);
    QFETCH(int, treatment);
    const QImage image = halves(640, 480, kClipped, kBlueish);
    ImageViewModel model;
    model.resize(QSize(804, 604));
    model.showImage(image);
    DisplayEngine &engine = model.engine();
    const bool shift = command.startsWith("Shift+");
    const QString key = shift ? command.mid(6) : command;
    if (key == "B")
        engine.setChannel(channel::Blue, shift);
    else if (key == "R")
        engine.setChannel(channel::Red, shift);
    else if (key == "F3")
        engine.toggleOverexposure(shift);
    else if (key == "Alt+F3")
        engine.toggleAllChannels();
    model.zoomIn(); // the copy does not depend on the zoom

    const QImage copied = engine.imageForCopy();
    const auto expected = [&](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return treatment == 0  ? p
               : treatment < 0 ? ChannelTreatment::overexposurePixel(p)
                               : ChannelTreatment::channelPixel(p, treatment);
    };
    QCOMPARE(copied.size(), image.size()); // always full resolution
    QCOMPARE(firstMismatch(copied, expected), QString());

    // The copy on the clipboard stays as it was when the engine goes on to
    // another treatment or image (it reuses the memory of its own copy only).
    engine.setChannel(channel::Green, true);
    model.showImage(halves(640, 480, kBlueish, kClipped));
    engine.toggleOverexposure(true);
    QCOMPARE(firstMismatch(copied, expected), QString());
}

void TestChannels::fullResolutionPassReportsProgress()
{
    DisplayEngine engine;
    QList<int> reported;
    engine.setProgress([&](int percent) { reported << percent; });
    engine.setImage(halves(1500, 1000, kClipped, kBlueish)); // no treatment: no pass
    QVERIFY(reported.isEmpty());
    QVERIFY(engine.setChannel(channel::Green, true));
    QVERIFY(!reported.isEmpty());
    QCOMPARE(reported.last(), 100);
    QVERIFY(std::is_sorted(reported.begin(), reported.end()));
    QCOMPARE(engine.processedImage().pixel(10, 10), grey(200));
}

QTEST_GUILESS_MAIN(TestChannels)
#include "tst_channels.moc"
