#include "core/exif/Exiv2Include.h"
#include "core/files/ThumbnailMaker.h"
#include "core/files/ThumbnailScheduler.h"
#include "core/imaging/Orientation.h"
#include "support/ExifOrientationFiles.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>

using namespace quorvel;

namespace {

QByteArray encode(const QImage &image, const char *format = "JPEG")
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

QImage filled(int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The photo with thumbnail stored in its EXIF block, as cameras write it.
QByteArray withStoredThumbnail(const QByteArray &photo, const QByteArray &thumbnail)
{
    auto image = exiv2::openMemory(photo.constData(), photo.size());
    image->readMetadata();
    Exiv2::ExifData &data = image->exifData();
    data["Exif.Image.Model"] = std::string("Test camera");
    Exiv2::ExifThumb(data).setJpegThumbnail(reinterpret_cast<const Exiv2::byte *>(thumbnail.constData()),
                                            long(thumbnail.size()));
    image->writeMetadata();
    Exiv2::BasicIo &io = image->io();
    io.seek(0, Exiv2::BasicIo::beg);
    const Exiv2::DataBuf bytes = io.read(long(io.size()));
    return QByteArray(reinterpret_cast<const char *>(bytes.pData_), qsizetype(bytes.size_));
}

bool near(QRgb a, QRgb b, int tolerance = 24)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Processes the scheduler's results until no work of the current fill runs.
void settle(ThumbnailScheduler &scheduler)
{
    scheduler.waitForDone();
    QCoreApplication::sendPostedEvents();
}

} // namespace

class TestThumbnails : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placement_data();
    void placement();
    void pictureOnGrey_data();
    void pictureOnGrey();
    void storedThumbnailFits_data();
    void storedThumbnailFits();
    void fromFile_data();
    void fromFile();
    void orientedPhotosAreUpright_data();
    void orientedPhotosAreUpright();
    void atDevicePixels_data();
    void atDevicePixels();
    void candidateRows_data();
    void candidateRows();
    void eachEntryOncePerFill();
    void atMostTwoAtATime();
    void newFillAbandonsOldWork();

private:
    QTemporaryDir m_dir;
};

void TestThumbnails::placement_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("portrait 3000x4000") << QSize(3000, 4000) << QRect(8, 0, 45, 60);
    QTest::newRow("landscape 4000x3000") << QSize(4000, 3000) << QRect(0, 8, 60, 45);
    QTest::newRow("3:2") << QSize(6000, 4000) << QRect(0, 10, 60, 40);
    QTest::newRow("square") << QSize(500, 500) << QRect(0, 0, 60, 60);
    QTest::newRow("smaller than the box is enlarged") << QSize(30, 20) << QRect(0, 10, 60, 40);
    // 60 x 1000 / 1200 = 50: the odd halves round towards the top left.
    QTest::newRow("odd width") << QSize(1000, 1200) << QRect(5, 0, 50, 60);
    QTest::newRow("panorama one pixel high") << QSize(12000, 200) << QRect(0, 30, 60, 1);
    QTest::newRow("empty photo") << QSize(0, 100) << QRect();
}

void TestThumbnails::placement()
{
    QFETCH(QSize, photo);
    QTEST(ThumbnailMaker::placement(photo, ThumbnailMaker::box()), "expected");
}

void TestThumbnails::pictureOnGrey_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QRect>("drawn");
    // The source may be a smaller stand-in for the photo: the photo's size
    // decides the rectangle.
    QTest::newRow("portrait") << QSize(300, 400) << QSize(3000, 4000) << QRect(8, 0, 45, 60);
    QTest::newRow("landscape from a reduced decode") << QSize(500, 375) << QSize(4000, 3000) << QRect(0, 8, 60, 45);
    QTest::newRow("exact size") << QSize(45, 60) << QSize(45, 60) << QRect(8, 0, 45, 60);
}

void TestThumbnails::pictureOnGrey()
{
    QFETCH(QSize, source);
    QFETCH(QSize, photo);
    QFETCH(QRect, drawn);
    const QRgb red = qRgb(220, 20, 30);
    const QImage picture = ThumbnailMaker::makeThumbnail(filled(source.width(), source.height(), red), photo);
    QCOMPARE(picture.size(), QSize(60, 60));
    int wrong = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            const QRgb expected = drawn.contains(x, y) ? red : ThumbnailMaker::kBackground;
            if (picture.pixel(x, y) != (expected | 0xFF000000u))
                ++wrong;
        }
    }
    QCOMPARE(wrong, 0);
}

void TestThumbnails::storedThumbnailFits_data()
{
    QTest::addColumn<QSize>("thumbnail");
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<bool>("fits");
    QTest::newRow("4:3 for 4:3") << QSize(160, 120) << QSize(4000, 3000) << true;
    QTest::newRow("3:2 rounded to whole pixels") << QSize(160, 107) << QSize(6000, 4000) << true;
    QTest::newRow("4:3 with bands for 3:2") << QSize(160, 120) << QSize(6000, 4000) << false;
    QTest::newRow("landscape for a portrait") << QSize(160, 120) << QSize(3000, 4000) << false;
    QTest::newRow("too small, would be enlarged") << QSize(40, 30) << QSize(4000, 3000) << false;
    QTest::newRow("unknown photo size") << QSize(160, 120) << QSize() << false;
}

void TestThumbnails::storedThumbnailFits()
{
    QFETCH(QSize, thumbnail);
    QFETCH(QSize, photo);
    QTEST(ThumbnailMaker::storedThumbnailFits(thumbnail, photo), "fits");
}

void TestThumbnails::fromFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("source");
    QTest::addColumn<QRgb>("centre");
    QTest::addColumn<QRect>("drawn");

    const QRgb blue = qRgb(30, 40, 200), red = qRgb(210, 30, 30), green = qRgb(30, 180, 40);
    const QByteArray redThumb = encode(filled(160, 120, red));
    const int stored = int(ThumbnailMaker::Source::Stored), decoded = int(ThumbnailMaker::Source::Decoded);
    const int none = int(ThumbnailMaker::Source::None);

    // The stored picture is told apart from the photo by its colour.
    QTest::newRow("stored thumbnail of the same proportions")
        << withStoredThumbnail(encode(filled(800, 600, blue)), redThumb) << stored << red << QRect(0, 8, 60, 45);
    QTest::newRow("stored thumbnail with bands is not used")
        << withStoredThumbnail(encode(filled(900, 600, blue)), redThumb) << decoded << blue << QRect(0, 10, 60, 40);
    QTest::newRow("damaged stored thumbnail is not used")
        << withStoredThumbnail(encode(filled(800, 600, blue)), redThumb.left(300)) << decoded << blue
        << QRect(0, 8, 60, 45);
    QTest::newRow("no stored thumbnail: reduced decode")
        << encode(filled(1600, 1200, green)) << decoded << green << QRect(0, 8, 60, 45);
    QTest::newRow("portrait") << encode(filled(300, 400, green)) << decoded << green << QRect(8, 0, 45, 60);
    QTest::newRow("PNG") << encode(filled(90, 60, red), "PNG") << decoded << red << QRect(0, 10, 60, 40);
    QTest::newRow("not an image") << QByteArray("IMG_0001.JPG") << none << QRgb(0) << QRect();
    QTest::newRow("JPEG without its picture data") << encode(filled(800, 600, blue)).left(400) << none << QRgb(0)
                                                   << QRect();
    // A photo cut short shows what decodes; the missing part is grey.
    const QByteArray whole = encode(filled(800, 600, blue));
    QTest::newRow("JPEG cut short") << whole.left(whole.size() * 3 / 4) << decoded << blue << QRect(0, 8, 60, 45);
    QTest::newRow("empty file") << QByteArray() << none << QRgb(0) << QRect();
}

void TestThumbnails::fromFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, source);
    QFETCH(QRgb, centre);
    QFETCH(QRect, drawn);
    const QString path = m_dir.filePath(QStringLiteral("photo.jpg"));
    QVERIFY(test::writeFile(path, bytes));

    const ThumbnailMaker::Result result = ThumbnailMaker::fromFile(path);
    QCOMPARE(int(result.source), source);
    if (source == int(ThumbnailMaker::Source::None)) {
        QVERIFY(result.picture.isNull());
        return;
    }
    QCOMPARE(result.picture.size(), QSize(60, 60));
    QVERIFY(near(result.picture.pixel(30, 30), centre));
    // Grey just outside the photo's rectangle, the photo just inside it.
    const QRgb grey = ThumbnailMaker::kBackground;
    if (drawn.left() > 0) {
        QCOMPARE(result.picture.pixel(drawn.left() - 1, 30), grey);
        QVERIFY(near(result.picture.pixel(drawn.left() + 1, 30), centre));
        QCOMPARE(result.picture.pixel(drawn.right() + 1, 30), grey);
    }
    if (drawn.top() > 0) {
        QCOMPARE(result.picture.pixel(30, drawn.top() - 1), grey);
        QVERIFY(near(result.picture.pixel(30, drawn.top() + 1), centre));
        QCOMPARE(result.picture.pixel(30, drawn.bottom() + 1), grey);
    }
}

// A picture of four coloured quarters: each turn and mirror shows.
static QImage quarters(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, y < h / 2 ? (x < w / 2 ? qRgb(220, 30, 30) : qRgb(30, 200, 30))
                                           : (x < w / 2 ? qRgb(30, 30, 220) : qRgb(230, 230, 40)));
    return image;
}

void TestThumbnails::orientedPhotosAreUpright_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("storedThumbnail");
    QTest::addColumn<bool>("applyOrientation");
    for (int o = 1; o <= 8; ++o) {
        QTest::addRow("orientation %d, stored thumbnail", o) << o << true << true;
        QTest::addRow("orientation %d, decoded", o) << o << false << true;
    }
    QTest::newRow("setting off, stored thumbnail") << 6 << true << false;
    QTest::newRow("setting off, decoded") << 7 << false << false;
}

void TestThumbnails::orientedPhotosAreUpright()
{
    QFETCH(int, orientation);
    QFETCH(bool, storedThumbnail);
    QFETCH(bool, applyOrientation);
    const QImage photo = quarters(240, 160);
    const QByteArray thumbnail = storedThumbnail ? encode(quarters(120, 80)) : QByteArray();
    const QString path = m_dir.filePath(QStringLiteral("oriented.jpg"));
    QVERIFY(test::writeFile(path, test::withOrientation(encode(photo), orientation, thumbnail)));

    const ThumbnailMaker::Result result = ThumbnailMaker::fromFile(path, nullptr, ThumbnailMaker::box(), applyOrientation);
    QCOMPARE(int(result.source),
             int(storedThumbnail ? ThumbnailMaker::Source::Stored : ThumbnailMaker::Source::Decoded));
    const int shown = applyOrientation ? orientation : 1;
    const QImage upright = orientation::turned(photo, shown);
    const QImage expected = ThumbnailMaker::makeThumbnail(upright, upright.size());
    const QRect drawn = ThumbnailMaker::placement(upright.size(), ThumbnailMaker::box());
    for (int qy : {1, 3}) {
        for (int qx : {1, 3}) {
            const QPoint p(drawn.left() + drawn.width() * qx / 4, drawn.top() + drawn.height() * qy / 4);
            QVERIFY2(near(result.picture.pixel(p), expected.pixel(p), 40),
                     qPrintable(QStringLiteral("at %1,%2: %3 for %4")
                                    .arg(p.x()).arg(p.y())
                                    .arg(result.picture.pixel(p), 0, 16)
                                    .arg(expected.pixel(p), 0, 16)));
        }
    }
    // Grey bands beside a portrait, above and below a landscape.
    if (drawn.left() > 0)
        QCOMPARE(result.picture.pixel(drawn.left() - 1, 30), ThumbnailMaker::kBackground);
    if (drawn.top() > 0)
        QCOMPARE(result.picture.pixel(30, drawn.top() - 1), ThumbnailMaker::kBackground);
}

void TestThumbnails::atDevicePixels_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("source");
    QTest::addColumn<QRect>("drawn");
    const QRgb blue = qRgb(30, 40, 200), red = qRgb(210, 30, 30);
    const int stored = int(ThumbnailMaker::Source::Stored), decoded = int(ThumbnailMaker::Source::Decoded);
    // At two device pixels per pixel the box is 120 x 120: a 160 x 120
    // stored picture still serves, an 80 x 60 one would be enlarged.
    QTest::newRow("stored, large enough") << withStoredThumbnail(encode(filled(800, 600, blue)), encode(filled(160, 120, red)))
                                          << stored << QRect(0, 15, 120, 90);
    QTest::newRow("stored too small: decoded") << withStoredThumbnail(encode(filled(800, 600, blue)), encode(filled(80, 60, red)))
                                               << decoded << QRect(0, 15, 120, 90);
    QTest::newRow("portrait decoded") << encode(filled(300, 400, blue)) << decoded << QRect(15, 0, 90, 120);
    // Turned by the EXIF orientation at that size too.
    QTest::newRow("portrait by its orientation, stored")
        << test::withOrientation(encode(filled(800, 600, blue)), 6, encode(filled(160, 120, red))) << stored
        << QRect(15, 0, 90, 120);
    QTest::newRow("portrait by its orientation, decoded") << test::withOrientation(encode(filled(400, 300, blue)), 8)
                                                           << decoded << QRect(15, 0, 90, 120);
}

void TestThumbnails::atDevicePixels()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, source);
    QFETCH(QRect, drawn);
    const QString path = m_dir.filePath(QStringLiteral("photo.jpg"));
    QVERIFY(test::writeFile(path, bytes));
    const QSize box(120, 120);
    const ThumbnailMaker::Result result = ThumbnailMaker::fromFile(path, nullptr, box);
    QCOMPARE(int(result.source), source);
    QCOMPARE(result.picture.size(), box);
    const QRgb grey = ThumbnailMaker::kBackground;
    QVERIFY(result.picture.pixel(drawn.center()) != grey);
    if (drawn.left() > 0)
        QCOMPARE(result.picture.pixel(drawn.left() - 1, 60), grey);
    if (drawn.top() > 0)
        QCOMPARE(result.picture.pixel(60, drawn.top() - 1), grey);
    // The stand-ins are drawn at the same scale.
    QCOMPARE(ThumbnailMaker::placeholder(2).size(), box);
    QCOMPARE(ThumbnailMaker::errorPicture(2).size(), box);
}

void TestThumbnails::candidateRows_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QVector<int>>("expected");
    // The page first, then the row above, then four below.
    QTest::newRow("at the top") << 0 << 3 << 20 << QVector<int>{0, 1, 2, 3, 4, 5, 6};
    QTest::newRow("scrolled") << 5 << 3 << 20 << QVector<int>{5, 6, 7, 4, 8, 9, 10, 11};
    QTest::newRow("near the end") << 15 << 3 << 20 << QVector<int>{15, 16, 17, 14, 18, 19};
    QTest::newRow("page longer than the list") << 0 << 12 << 5 << QVector<int>{0, 1, 2, 3, 4};
    QTest::newRow("no page (hidden list)") << 2 << 0 << 20 << QVector<int>{1, 2, 3, 4, 5};
    QTest::newRow("empty list") << 0 << 10 << 0 << QVector<int>{};
}

void TestThumbnails::candidateRows()
{
    QFETCH(int, top);
    QFETCH(int, page);
    QFETCH(int, rows);
    QTEST(ThumbnailScheduler::candidateRows(top, page, rows), "expected");
}

void TestThumbnails::eachEntryOncePerFill()
{
    ThumbnailScheduler scheduler;
    std::atomic_int calls{0};
    scheduler.setMaker([&calls](const QString &path, const std::atomic_bool *) {
        ++calls;
        return path.endsWith(QLatin1String("bad")) ? QImage() : filled(60, 60, Qt::red);
    });
    QSignalSpy ready(&scheduler, &ThumbnailScheduler::pictureReady);
    scheduler.reset(3);
    const QVector<ThumbnailScheduler::Candidate> candidates{{2, "/p/good"}, {0, "/p/bad"}};
    scheduler.request(candidates);
    settle(scheduler);
    QCOMPARE(ready.count(), 2);
    QCOMPARE(scheduler.state(2), ThumbnailScheduler::Made);
    QCOMPARE(scheduler.state(0), ThumbnailScheduler::Failed);
    QCOMPARE(scheduler.state(1), ThumbnailScheduler::NotMade);
    for (const QList<QVariant> &signal : ready)
        QCOMPARE(signal.at(1).value<QImage>().isNull(), signal.at(0).toInt() == 0);

    // Neither the made picture nor the failed one is tried again...
    scheduler.request(candidates);
    settle(scheduler);
    QCOMPARE(calls.load(), 2);
    // ...until the next fill.
    scheduler.reset(3);
    scheduler.request(candidates);
    settle(scheduler);
    QCOMPARE(calls.load(), 4);
}

void TestThumbnails::atMostTwoAtATime()
{
    ThumbnailScheduler scheduler;
    std::atomic_int calls{0};
    scheduler.setMaker([&calls](const QString &, const std::atomic_bool *) {
        ++calls;
        return filled(60, 60, Qt::red);
    });
    scheduler.reset(6);
    QVector<ThumbnailScheduler::Candidate> candidates;
    for (int i = 0; i < 6; ++i)
        candidates.append({i, QStringLiteral("/p/%1").arg(i)});
    scheduler.request(candidates);
    QCOMPARE(scheduler.running(), 2);
    settle(scheduler);
    QCOMPARE(calls.load(), 2);
    QCOMPARE(scheduler.running(), 0);
    // The first two in the given order were made; the next request goes on.
    QCOMPARE(scheduler.state(0), ThumbnailScheduler::Made);
    QCOMPARE(scheduler.state(1), ThumbnailScheduler::Made);
    QCOMPARE(scheduler.state(2), ThumbnailScheduler::NotMade);
    scheduler.request(candidates);
    QCOMPARE(scheduler.state(2), ThumbnailScheduler::Working);
    QCOMPARE(scheduler.state(3), ThumbnailScheduler::Working);
    settle(scheduler);
    QCOMPARE(calls.load(), 4);
}

void TestThumbnails::newFillAbandonsOldWork()
{
    ThumbnailScheduler scheduler;
    QSemaphore started, gate;
    std::atomic_int sawCancel{0};
    scheduler.setMaker([&](const QString &, const std::atomic_bool *cancel) {
        started.release();
        gate.acquire();
        if (cancel && cancel->load())
            ++sawCancel;
        return filled(60, 60, Qt::red);
    });
    QSignalSpy ready(&scheduler, &ThumbnailScheduler::pictureReady);
    scheduler.reset(4);
    scheduler.request({{0, "/old/a"}, {1, "/old/b"}});
    started.acquire(2); // both pictures of the old folder are being made

    scheduler.reset(4); // the new fill
    gate.release(2);
    settle(scheduler);
    QCOMPARE(sawCancel.load(), 2);
    QCOMPARE(ready.count(), 0);
    QCOMPARE(scheduler.state(0), ThumbnailScheduler::NotMade);
    QCOMPARE(scheduler.running(), 0);

    // The new fill's own work is delivered.
    gate.release(1);
    scheduler.request({{0, "/new/a"}});
    settle(scheduler);
    QCOMPARE(ready.count(), 1);
    QCOMPARE(scheduler.state(0), ThumbnailScheduler::Made);
}

QTEST_MAIN(TestThumbnails)
#include "tst_thumbnails.moc"
