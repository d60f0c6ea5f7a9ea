#include "core/imaging/DisplayAhead.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/ImageLoader.h"
#include "core/imaging/ImageViewModel.h"
#include "core/imaging/ZoomMath.h"
#include "core/settings/AppSettings.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <condition_variable>
#include <mutex>

using namespace quorvel;

namespace {

constexpr QSize kFull(1600, 1200);

// Stands in for the codec layer: every picture is 1600 x 1200 and can be
// delivered reduced as a JPEG can; decodes can be held, and a held decode
// that is cancelled meanwhile fails as the real decoders do.
class ScalingDecoder
{
public:
    ImageLoader::DecodeFunction function()
    {
        return [this](const QString &path, const DecodeOptions &options) {
            std::unique_lock lock(m_mutex);
            m_decoded.append(path);
            m_reduceTo.append(options.reduceTo);
            m_gateOpen.wait(lock, [this] { return !m_holding; });
            if (options.cancelled() || path.contains(QLatin1String("broken")))
                return DecodeResult::failure(DecoderKind::Jpeg, QStringLiteral("decoding cancelled"));
            DecodeResult r;
            r.decoder = DecoderKind::Jpeg;
            QSize size = kFull;
            if (!options.reduceTo.isEmpty()) {
                const QSize cover = options.reduceToFit ? zoom::fitInto(kFull, options.reduceTo) : options.reduceTo;
                // The DCT scales: 1/8 .. 8/8.
                for (int m = 1; m <= 8; ++m) {
                    size = QSize(kFull.width() * m / 8, kFull.height() * m / 8);
                    if (size.width() >= cover.width() && size.height() >= cover.height())
                        break;
                }
                if (size != kFull)
                    r.fullSize = kFull;
            }
            r.image = QImage(size, QImage::Format_RGB32);
            r.image.fill(colourFor(path));
            return r;
        };
    }

    static QRgb colourFor(const QString &path) { return qRgb(int(qHash(path) % 256), 40, 80); }

    void hold()
    {
        std::lock_guard lock(m_mutex);
        m_holding = true;
    }
    void release()
    {
        {
            std::lock_guard lock(m_mutex);
            m_holding = false;
        }
        m_gateOpen.notify_all();
    }
    QStringList decoded() const
    {
        std::lock_guard lock(m_mutex);
        return m_decoded;
    }
    QSize lastReduceTo() const
    {
        std::lock_guard lock(m_mutex);
        return m_reduceTo.isEmpty() ? QSize() : m_reduceTo.last();
    }
    QSize reduceToOf(const QString &path) const
    {
        std::lock_guard lock(m_mutex);
        const qsizetype i = m_decoded.indexOf(path);
        return i < 0 ? QSize() : m_reduceTo.at(i);
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_gateOpen;
    bool m_holding = false;
    QStringList m_decoded;
    QList<QSize> m_reduceTo;
};

// The frame's part: load-done handling and the preload of the next file.
struct Frame
{
    explicit Frame(ImageLoader &l, const QString &nextPath = QString()) : loader(l), next(nextPath) {}

    ImageLoader &loader;
    QString next;
    int shown = 0;
    QList<QRgb> passing;
    // What the last finished load left on screen.
    QImage shownImage;
    PreparedDisplay shownAhead;
    bool shownDraft = false;

    void connect()
    {
        QObject::connect(&loader, &ImageLoader::loadDone, &loader, [this] { handleLoadDone(); });
        QObject::connect(&loader, &ImageLoader::passingReady, &loader, [this] { notePassing(); });
    }
    void notePassing()
    {
        passing.append(loader.passingImage().pixel(0, 0));
    }
    void handleLoadDone()
    {
        switch (loader.onLoadDone()) {
        case ImageLoader::DoneOutcome::NewLoadStarted:
            return;
        case ImageLoader::DoneOutcome::ShowPassing:
            notePassing();
            return;
        case ImageLoader::DoneOutcome::Finished:
            break;
        }
        if (loader.isImagePresent()) {
            ++shown;
            shownImage = loader.currentImage();
            shownAhead = loader.currentAhead();
            shownDraft = loader.isCurrentDraft();
        }
        if (!next.isEmpty())
            loader.startPreload(next);
    }
    void show(const QString &path)
    {
        if (loader.requestLoad(path))
            handleLoadDone();
    }
};

bool waitIdle(ImageLoader &loader)
{
    return QTest::qWaitFor([&] { return !loader.isBusy() && !loader.isPreloading(); }, 5000);
}

const QSize kView(404, 304); // a 400 x 300 client area: 1600 x 1200 fits at 25 %
// A 200 x 150 client area: a load and a draft both take the 1/8 scale.
const QSize kSmallView(204, 154);

// A loader on the fake decoder for steps close together: requests count as
// keys in motion while they come within a second (slow machines too).
struct KeysInMotion
{
    ScalingDecoder fake;
    ImageLoader loader;
    const DisplayTarget target{kView, 4};
    QSignalSpy done{&loader, &ImageLoader::loadDone};

    KeysInMotion()
    {
        loader.setDecodeFunction(fake.function());
        loader.setMotionInterval(1000);
        loader.setDisplayTarget(target);
    }
};

} // namespace

class TestFirstLook : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { globalSettings().resetToDefaults(); }
    void firstLookGivesWayToTheWholePicture_data();
    void firstLookGivesWayToTheWholePicture();
    void jpegDecodedAtTheScaleThatCoversTheView_data();
    void jpegDecodedAtTheScaleThatCoversTheView();
    void displayPreparedAheadIsTaken_data();
    void displayPreparedAheadIsTaken();
    void passedPictureShownWhileTheNewestLoads();
    void draftLeftOnScreenIsRefined_data();
    void draftLeftOnScreenIsRefined();
    void draftsAheadWhileTheKeysMove();
    void lateCacheHitHandlingKeepsThePicture();
    void twoFilesAheadWhileTheViewIsKnown_data();
    void twoFilesAheadWhileTheViewIsKnown();
    void threeDraftsAheadWhileTheKeysMove();
};

void TestFirstLook::firstLookGivesWayToTheWholePicture_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("needsWhole");
    QTest::newRow("fitted") << "none" << false;
    QTest::newRow("zoom out") << "zoomOut" << false;
    QTest::newRow("zoom in beyond the first look") << "zoomIn" << true;
    QTest::newRow("full size") << "fullSize" << true;
    QTest::newRow("full-resolution channel") << "channel" << true;
    QTest::newRow("display channel") << "displayChannel" << false;
}

void TestFirstLook::firstLookGivesWayToTheWholePicture()
{
    QFETCH(QString, action);
    QFETCH(bool, needsWhole);
    ScalingDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    loader.setDisplayTarget({kView, 4});
    Frame frame{loader, QStringLiteral("/f/B.jpg")};
    frame.connect();
    QSignalSpy done(&loader, &ImageLoader::loadDone);

    frame.show(QStringLiteral("/f/A.jpg"));
    QVERIFY(done.wait(5000));
    QVERIFY(waitIdle(loader));
    QCOMPARE(fake.lastReduceTo(), QSize(400, 300));
    QVERIFY(loader.isCurrentReduced());
    QCOMPARE(loader.currentImage().size(), QSize(400, 300));
    QCOMPARE(loader.currentFullSize(), kFull);

    ImageViewModel model;
    model.resize(kView);
    model.showImage(loader.currentImage(), loader.currentFullSize(), loader.currentAhead());
    // Zoom and facts are the whole picture's.
    QCOMPARE(model.zoom(), 25.0f);
    QCOMPARE(model.engine().imageSize(), kFull);
    QVERIFY(model.engine().isReduced());

    DisplayEngine &engine = model.engine();
    if (action == QLatin1String("zoomOut"))
        QVERIFY(model.zoomOut());
    else if (action == QLatin1String("zoomIn"))
        QVERIFY(model.zoomIn());
    else if (action == QLatin1String("fullSize"))
        QVERIFY(model.fullSize());
    else if (action == QLatin1String("channel"))
        QVERIFY(engine.setChannel(channel::Red, true));
    else if (action == QLatin1String("displayChannel"))
        QVERIFY(engine.setChannel(channel::Red, false));
    const float zoomBefore = model.zoom();
    QCOMPARE(engine.needsFullResolution(), needsWhole);
    if (!needsWhole)
        return;

    QSignalSpy whole(&loader, &ImageLoader::fullResolutionReady);
    const int decodes = loader.decodeCount();
    QVERIFY(loader.requestFullResolution());
    QVERIFY(!loader.requestFullResolution()); // one decode at a time
    QVERIFY(whole.wait(5000));
    QCOMPARE(loader.decodeCount(), decodes + 1);
    QCOMPARE(fake.lastReduceTo(), QSize());
    QVERIFY(!loader.isCurrentReduced());
    QCOMPARE(loader.currentImage().size(), kFull);
    engine.setFullResolution(loader.currentImage());
    QCOMPARE(engine.image().size(), kFull);
    QVERIFY(!engine.needsFullResolution());
    QCOMPARE(model.zoom(), zoomBefore);
    model.prepareForPaint(4);
    QVERIFY(!engine.displayBitmap().isNull());

    // On to the preloaded next photo and back: the whole picture is not kept
    // for the previous one, and stepping back still costs no decode.
    QVERIFY(loader.requestLoad(QStringLiteral("/f/B.jpg")));
    frame.next.clear();
    frame.handleLoadDone();
    QVERIFY(loader.isCurrentReduced());
    const int afterStep = loader.decodeCount();
    QVERIFY(loader.requestLoad(QStringLiteral("/f/A.jpg")));
    QCOMPARE(loader.decodeCount(), afterStep);
    QVERIFY(loader.isCurrentReduced());
    QCOMPARE(loader.currentImage().size(), QSize(400, 300));
}

void TestFirstLook::jpegDecodedAtTheScaleThatCoversTheView_data()
{
    QTest::addColumn<QSize>("view");
    QTest::addColumn<QSize>("firstLook");
    // 1600 x 1200 into the client area (the view less 2 pixels a side).
    QTest::newRow("a quarter covers 400 x 300") << QSize(404, 304) << QSize(400, 300);
    // 3/8 would cover 500 x 375; a half decodes faster.
    QTest::newRow("half rather than 3/8 for 500 x 375") << QSize(504, 404) << QSize(800, 600);
    QTest::newRow("half covers 800 x 600") << QSize(804, 604) << QSize(800, 600);
    QTest::newRow("an eighth for a thumbnail-sized view") << QSize(150, 150) << QSize(200, 150);
    QTest::newRow("a view as large as the picture: whole") << QSize(1700, 1300) << QSize(1600, 1200);
}

void TestFirstLook::jpegDecodedAtTheScaleThatCoversTheView()
{
    QFETCH(QSize, view);
    QFETCH(QSize, firstLook);
    QTemporaryDir dir;
    QImage picture(kFull, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    const QString path = dir.filePath(QStringLiteral("p.jpg"));
    QVERIFY(picture.save(path, "JPEG", 90));

    ImageLoader loader;
    loader.setDisplayTarget({view, 7});
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    QVERIFY(!loader.requestLoad(path));
    QVERIFY(done.wait(5000));
    QCOMPARE(loader.onLoadDone(), ImageLoader::DoneOutcome::Finished);
    QCOMPARE(loader.currentImage().size(), firstLook);
    QCOMPARE(loader.currentFullSize(), kFull);
    QCOMPARE(loader.isCurrentReduced(), firstLook != kFull);
    QVERIFY(!loader.currentAhead().isNull());

    if (firstLook != kFull) {
        QSignalSpy whole(&loader, &ImageLoader::fullResolutionReady);
        QVERIFY(loader.requestFullResolution());
        QVERIFY(whole.wait(5000));
        QCOMPARE(loader.currentImage().size(), kFull);
    }
    // Without a target nothing is reduced.
    loader.emptyCache();
    loader.clearAll();
    loader.setDisplayTarget({});
    QVERIFY(!loader.requestLoad(path));
    QVERIFY(done.wait(5000));
    loader.onLoadDone();
    QCOMPARE(loader.currentImage().size(), kFull);
    QVERIFY(loader.currentAhead().isNull());
}

void TestFirstLook::displayPreparedAheadIsTaken_data()
{
    QTest::addColumn<int>("paintMode");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("taken");
    QTest::newRow("same view and mode") << 4 << false << true;
    QTest::newRow("high-quality mode") << 7 << false << true;
    QTest::newRow("mode changed since") << 3 << false << false;
    QTest::newRow("zoom locked in the view") << 4 << true << false;
}

void TestFirstLook::displayPreparedAheadIsTaken()
{
    QFETCH(int, paintMode);
    QFETCH(bool, locked);
    QFETCH(bool, taken);
    const int targetMode = paintMode == 7 ? 7 : 4;
    ScalingDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    loader.setDisplayTarget({kView, targetMode});
    Frame frame{loader, QStringLiteral("/f/B.jpg")};
    frame.connect();
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    QSignalSpy preloaded(&loader, &ImageLoader::preloadFinished);
    frame.show(QStringLiteral("/f/A.jpg"));
    QVERIFY(done.wait(5000));
    QVERIFY(preloaded.wait(5000));

    // The preloaded next photo comes with its display bitmap.
    QVERIFY(loader.requestLoad(QStringLiteral("/f/B.jpg")));
    const PreparedDisplay ahead = loader.currentAhead();
    QVERIFY(!ahead.isNull());

    ImageViewModel model;
    model.resize(kView);
    if (locked)
        model.toggleLock(); // at the zoom before any picture, not the fit
    model.showImage(loader.currentImage(), loader.currentFullSize(), ahead);
    model.prepareForPaint(paintMode);
    const DisplayEngine &engine = model.engine();
    QCOMPARE(engine.aheadTakenCount(), taken ? 1 : 0);
    QCOMPARE(engine.preparationCount(), taken ? 0 : 1);
    if (taken) {
        QCOMPARE(engine.displayBitmap().cacheKey(), ahead.bitmap.cacheKey());
        // The same bitmap the view would have made itself.
        ImageViewModel own;
        own.resize(kView);
        own.showImage(loader.currentImage(), loader.currentFullSize());
        own.prepareForPaint(paintMode);
        QCOMPARE(own.engine().displayBitmap(), engine.displayBitmap());
        QCOMPARE(own.engine().displayPosition(), engine.displayPosition());
    }
    // Later paints reuse what is there.
    model.prepareForPaint(paintMode);
    QCOMPARE(engine.preparationCount(), taken ? 0 : 1);
}

void TestFirstLook::passedPictureShownWhileTheNewestLoads()
{
    ScalingDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    loader.setDisplayTarget({kSmallView, 4});
    Frame frame{loader};
    frame.connect();
    const QStringList files{"/f/A.jpg", "/f/B.jpg", "/f/C.jpg"};

    // A key held: A loads, B and C are pressed before it is ready. They are
    // decoded on the preload threads meanwhile.
    fake.hold();
    frame.show(files[0]);
    QVERIFY(QTest::qWaitFor([&] { return fake.decoded().size() == 1; }, 5000));
    frame.show(files[1]);
    frame.show(files[2]);
    QVERIFY(QTest::qWaitFor([&] { return fake.decoded().size() == 3; }, 5000));
    fake.release();
    QVERIFY(QTest::qWaitFor([&] { return frame.shown == 1; }, 5000));
    QVERIFY(waitIdle(loader));
    QCOMPARE(loader.currentPath(), files[2]);
    QCOMPARE(loader.currentImage().pixel(0, 0), fake.colourFor(files[2]));
    QVERIFY(!loader.currentAhead().bitmap.isNull());
    QCOMPARE(fake.decoded().size(), 3); // C was taken from its preload
    // B and C, asked for while A loaded, were decoded as drafts; at this view
    // the draft's DCT scale is a load's, so C, left on screen, is refined by
    // preparing its display again, without a decode.
    QCOMPARE(fake.reduceToOf(files[0]), DisplayAhead::reduceBox(loader.displayTarget()));
    QCOMPARE(fake.reduceToOf(files[1]), DisplayAhead::draftBox(loader.displayTarget()));
    QCOMPARE(fake.reduceToOf(files[2]), DisplayAhead::draftBox(loader.displayTarget()));
    QVERIFY(frame.shownDraft);
    QVERIFY(QTest::qWaitFor([&] { return !loader.isCurrentDraft(); }, 5000));
    QVERIFY(!loader.currentAhead().draft);
    QCOMPARE(fake.decoded().size(), 3);
    // Whatever finished first was shown in passing, but never a picture
    // older than the one on screen.
    int last = -1;
    for (QRgb colour : std::as_const(frame.passing)) {
        int index = -1;
        for (int i = 0; i < files.size(); ++i)
            if (fake.colourFor(files[i]) == colour)
                index = i;
        QVERIFY2(index > last, "an older picture followed a newer one");
        last = index;
    }
    QVERIFY(loader.lastError().isEmpty());

    // Asked for again while it loads: it is decoded once.
    fake.hold();
    frame.show(QStringLiteral("/f/D.jpg"));
    frame.show(QStringLiteral("/f/E.jpg"));
    frame.show(QStringLiteral("/f/D.jpg"));
    fake.release();
    QVERIFY(QTest::qWaitFor([&] { return frame.shown == 2; }, 5000));
    QVERIFY(waitIdle(loader));
    QCOMPARE(fake.decoded().count(QStringLiteral("/f/D.jpg")), 1);
    QCOMPARE(loader.currentPath(), QStringLiteral("/f/D.jpg"));
    QVERIFY(loader.isImagePresent());
}

void TestFirstLook::draftLeftOnScreenIsRefined_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("view");
    QTest::addColumn<bool>("decodedAgain");
    // 1600 x 1200 into a 500 x 400 client area: a load decodes it at 4/8
    // (800 x 600; 3/8 would cover, but a half is faster), a draft at 1/8
    // (200 x 150).
    QTest::newRow("bicubic, draft at a smaller scale") << 4 << QSize(504, 404) << true;
    QTest::newRow("high-quality bicubic, draft at a smaller scale") << 7 << QSize(504, 404) << true;
    QTest::newRow("high-quality bilinear, draft at a smaller scale") << 6 << QSize(504, 404) << true;
    QTest::newRow("bilinear, draft at a smaller scale") << 3 << QSize(504, 404) << true;
    // Into 200 x 150 both take 1/8: only the display is prepared again.
    QTest::newRow("bicubic, draft at the load's scale") << 4 << kSmallView << false;
    QTest::newRow("high-quality bicubic, draft at the load's scale") << 7 << kSmallView << false;
}

void TestFirstLook::draftLeftOnScreenIsRefined()
{
    QFETCH(int, mode);
    QFETCH(QSize, view);
    QFETCH(bool, decodedAgain);
    QTemporaryDir dir;
    QStringList files;
    for (int i = 0; i < 3; ++i) {
        QImage picture(kFull, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb((x * (i + 1)) % 256, (y * 3) % 256, ((x ^ y) + 40 * i) % 256));
        files.append(dir.filePath(QStringLiteral("p%1.jpg").arg(i)));
        QVERIFY(picture.save(files.last(), "JPEG", 90));
    }
    const DisplayTarget target{view, mode};

    // What a load of the last file shows.
    ImageLoader normal;
    normal.setDisplayTarget(target);
    QSignalSpy normalDone(&normal, &ImageLoader::loadDone);
    QVERIFY(!normal.requestLoad(files[2]));
    QVERIFY(normalDone.wait(5000));
    QCOMPARE(normal.onLoadDone(), ImageLoader::DoneOutcome::Finished);
    QVERIFY(!normal.isCurrentDraft());
    QVERIFY(!normal.currentAhead().draft);
    const QImage loaded = normal.currentImage();
    const PreparedDisplay loadedAhead = normal.currentAhead();

    // A key held: the second and third files are asked for while the first
    // loads, and decoded as drafts.
    std::mutex mutex;
    QStringList decoded;
    ImageLoader loader;
    loader.setDecodeFunction([&](const QString &path, const DecodeOptions &options) {
        {
            std::lock_guard lock(mutex);
            decoded.append(path);
        }
        return ImageDecoder::decodeFile(path, options);
    });
    loader.setDisplayTarget(target);
    Frame frame{loader};
    frame.connect();
    QSignalSpy refined(&loader, &ImageLoader::refined);
    frame.show(files[0]);
    frame.show(files[1]);
    frame.show(files[2]);
    QVERIFY(QTest::qWaitFor([&] { return frame.shown == 1; }, 5000));
    QCOMPARE(loader.currentPath(), files[2]);

    // The keys stopped at a draft: shown as it came, whatever the mode.
    QVERIFY(frame.shownDraft);
    QVERIFY(frame.shownAhead.draft);
    QCOMPARE(frame.shownImage.size(), decodedAgain ? QSize(200, 150) : loaded.size());
    if (decodedAgain && mode != InterpolationBilinear)
        QVERIFY(frame.shownAhead.bitmap != loadedAhead.bitmap);
    ImageViewModel model;
    model.resize(view);
    model.showImage(frame.shownImage, kFull, frame.shownAhead);
    model.prepareForPaint(mode);
    QCOMPARE(model.engine().aheadTakenCount(), 1);
    // Smaller than the view, by design: no whole picture is decoded for it,
    // unless the view shows more.
    QVERIFY(!model.engine().needsFullResolution());
    {
        ImageViewModel zoomed;
        zoomed.resize(view);
        zoomed.showImage(frame.shownImage, kFull, frame.shownAhead);
        QVERIFY(zoomed.fullSize());
        QVERIFY(zoomed.engine().needsFullResolution());
    }

    // Then refined: the picture and its display are a load's, pixel for pixel.
    QVERIFY(QTest::qWaitFor([&] { return refined.count() == 1; }, 5000));
    QVERIFY(!loader.isCurrentDraft());
    QCOMPARE(loader.currentImage(), loaded);
    QCOMPARE(loader.currentAhead().bitmap, loadedAhead.bitmap);
    QCOMPARE(loader.currentAhead().position, loadedAhead.position);
    {
        std::lock_guard lock(mutex);
        QCOMPARE(decoded.count(files[2]), decodedAgain ? 2 : 1);
    }
    model.engine().setRefined(loader.currentImage(), loader.currentAhead());
    model.prepareForPaint(mode);
    ImageViewModel own;
    own.resize(view);
    own.showImage(loaded, kFull);
    own.prepareForPaint(mode);
    QCOMPARE(model.engine().displayBitmap(), own.engine().displayBitmap());
    QCOMPARE(model.engine().displayPosition(), own.engine().displayPosition());

    // Stepping back costs no decode; the previous picture is still the one
    // the keys passed.
    QVERIFY(waitIdle(loader));
    const qsizetype before = decoded.size();
    QVERIFY(loader.requestLoad(loader.previousPath()));
    QCOMPARE(decoded.size(), before);
}

void TestFirstLook::draftsAheadWhileTheKeysMove()
{
    KeysInMotion keys;
    auto &[fake, loader, target, done] = keys;
    auto file = [](int i) { return QStringLiteral("/f/%1.jpg").arg(i); };
    auto step = [&](int i) {
        if (!loader.requestLoad(file(i)))
            return false;
        return loader.onLoadDone() == ImageLoader::DoneOutcome::Finished;
    };

    // A single step: decoded, and decoded ahead, as loads are.
    QVERIFY(!loader.requestLoad(file(1)));
    QVERIFY(done.wait(5000));
    QCOMPARE(loader.onLoadDone(), ImageLoader::DoneOutcome::Finished);
    QVERIFY(!loader.isInMotion());
    QCOMPARE(loader.preloadAhead({file(2), file(3)}), 2);
    QVERIFY(waitIdle(loader));
    QCOMPARE(fake.reduceToOf(file(3)), DisplayAhead::reduceBox(target));

    // Steps close together: what is decoded ahead meanwhile is a draft.
    QVERIFY(step(2));
    QVERIFY(loader.isInMotion());
    QVERIFY(!loader.isCurrentDraft());
    QCOMPARE(loader.preloadAhead({file(3), file(4)}), 1);
    QVERIFY(waitIdle(loader));
    QCOMPARE(fake.reduceToOf(file(4)), DisplayAhead::draftBox(target));
    QVERIFY(step(3));
    QCOMPARE(loader.preloadAhead({file(4), file(5)}), 1);
    QVERIFY(waitIdle(loader));
    QVERIFY(step(4));
    QVERIFY(loader.isCurrentDraft());
    QVERIFY(loader.currentAhead().draft);
    QCOMPARE(loader.preloadAhead({file(5), file(6)}), 1);
    QVERIFY(waitIdle(loader));
    QCOMPARE(loader.decodeCount(), 6);
    // Not refined while the keys move: the next step is likely to pass it.
    QVERIFY(!loader.isRefinePending());

    // At rest: the draft on screen is refined, the drafts ahead are decoded
    // again as loads would, and the next step shows one at once.
    QVERIFY(QTest::qWaitFor([&] { return !loader.isInMotion(); }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return !loader.isCurrentDraft() && !loader.isPreloading(); }, 5000));
    QVERIFY(!loader.currentAhead().draft);
    QCOMPARE(fake.decoded().count(file(5)), 2);
    QCOMPARE(fake.decoded().count(file(6)), 2);
    QCOMPARE(fake.reduceToOf(file(5)), DisplayAhead::draftBox(target));
    QCOMPARE(fake.lastReduceTo(), DisplayAhead::reduceBox(target));
    const int decodes = loader.decodeCount();
    QVERIFY(step(5));
    QVERIFY(!loader.isCurrentDraft());
    QCOMPARE(loader.decodeCount(), decodes);
    // And back: the previous picture, refined when the keys came to rest,
    // costs no decode.
    QVERIFY(step(4));
    QVERIFY(!loader.isCurrentDraft());
    QCOMPARE(loader.decodeCount(), decodes);
}

void TestFirstLook::lateCacheHitHandlingKeepsThePicture()
{
    // A photo served from the cache has its load-done handling queued; a key
    // pressed meanwhile starts a load. The late handling must neither show
    // "no picture" nor end the load's wait.
    ScalingDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    Frame frame{loader, QStringLiteral("/f/B.jpg")};
    frame.connect();
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    QSignalSpy preloaded(&loader, &ImageLoader::preloadFinished);
    frame.show(QStringLiteral("/f/A.jpg"));
    QVERIFY(done.wait(5000));
    QVERIFY(preloaded.wait(5000));
    frame.next.clear();

    QVERIFY(loader.requestLoad(QStringLiteral("/f/B.jpg")));
    fake.hold();
    QVERIFY(!loader.requestLoad(QStringLiteral("/f/C.jpg")));
    QCOMPARE(loader.onLoadDone(), ImageLoader::DoneOutcome::NewLoadStarted);
    QVERIFY(loader.isBusy());
    fake.release();
    QVERIFY(done.wait(5000));
    QCOMPARE(loader.currentPath(), QStringLiteral("/f/C.jpg"));
    QVERIFY(loader.isImagePresent());
}

void TestFirstLook::twoFilesAheadWhileTheViewIsKnown_data()
{
    QTest::addColumn<bool>("target");
    QTest::addColumn<int>("ahead");
    QTest::newRow("view known: two, at screen size") << true << 2;
    QTest::newRow("no view: one whole picture") << false << 1;
}

void TestFirstLook::twoFilesAheadWhileTheViewIsKnown()
{
    QFETCH(bool, target);
    QFETCH(int, ahead);
    ScalingDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    if (target)
        loader.setDisplayTarget({kView, 4});
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    QVERIFY(!loader.requestLoad(QStringLiteral("/f/1.jpg")));
    QVERIFY(done.wait(5000));
    QCOMPARE(loader.onLoadDone(), ImageLoader::DoneOutcome::Finished);
    QCOMPARE(loader.preloadAhead({QStringLiteral("/f/2.jpg"), QStringLiteral("/f/3.jpg")}), ahead);
    QVERIFY(waitIdle(loader));
    QCOMPARE(loader.decodeCount(), 1 + ahead);

    // A step on: the file after it is held already, one more is started.
    QVERIFY(loader.requestLoad(QStringLiteral("/f/2.jpg")));
    QCOMPARE(loader.preloadAhead({QStringLiteral("/f/3.jpg"), QStringLiteral("/f/4.jpg")}), 1);
    QVERIFY(waitIdle(loader));
    QCOMPARE(loader.decodeCount(), 2 + ahead);
    QCOMPARE(loader.requestLoad(QStringLiteral("/f/3.jpg")), true);
    QCOMPARE(loader.decodeCount(), 2 + ahead);
    QCOMPARE(loader.hasPreloadedImage(), ahead == 2);

    // Somewhere else: what was held is dropped.
    QVERIFY(!loader.requestLoad(QStringLiteral("/f/9.jpg")));
    QVERIFY(!loader.hasPreloadedImage());
    QVERIFY(loader.preloadedPath().isEmpty());
    QVERIFY(done.wait(5000));
}

void TestFirstLook::threeDraftsAheadWhileTheKeysMove()
{
    KeysInMotion keys;
    auto &[fake, loader, target, done] = keys;
    auto file = [](int i) { return QStringLiteral("/f/%1.jpg").arg(i); };
    QVERIFY(!loader.requestLoad(file(1)));
    QVERIFY(done.wait(5000));
    QCOMPARE(loader.onLoadDone(), ImageLoader::DoneOutcome::Finished);
    QVERIFY(!loader.requestLoad(file(2)));
    QVERIFY(done.wait(5000));
    QCOMPARE(loader.onLoadDone(), ImageLoader::DoneOutcome::Finished);
    QVERIFY(loader.isInMotion());

    // Three files ahead, two decoding at once, the nearest first; the third
    // starts when a thread is free, without waiting for a key.
    fake.hold();
    QCOMPARE(loader.preloadAhead({file(3), file(4), file(5)}), 2);
    QVERIFY(QTest::qWaitFor([&] { return fake.decoded().size() == 4; }, 5000));
    QStringList started = fake.decoded().mid(2);
    started.sort();
    fake.release();
    QCOMPARE(started, (QStringList{file(3), file(4)}));
    QVERIFY(QTest::qWaitFor([&] { return fake.decoded().contains(file(5)); }, 5000));
    QVERIFY(waitIdle(loader));
    QCOMPARE(fake.reduceToOf(file(5)), DisplayAhead::draftBox(target));
    const int decodes = loader.decodeCount();
    QCOMPARE(decodes, 5);
    for (int i = 3; i <= 5; ++i) {
        QVERIFY2(loader.requestLoad(file(i)), qPrintable(file(i)));
        QCOMPARE(loader.onLoadDone(), ImageLoader::DoneOutcome::Finished);
    }
    QCOMPARE(loader.decodeCount(), decodes);

    // A file that cannot be decoded is tried once, not again with every
    // thread that comes free while the keys move.
    QCOMPARE(loader.preloadAhead({file(6), QStringLiteral("/f/broken.jpg"), file(7)}), 2);
    QVERIFY(waitIdle(loader));
    QTest::qWait(50);
    QVERIFY(waitIdle(loader));
    QCOMPARE(fake.decoded().count(QStringLiteral("/f/broken.jpg")), 1);
    QVERIFY(fake.decoded().contains(file(7)));

    // The keys come to rest while drafts are still being decoded ahead: two
    // are kept, and every draft among them is decoded again as a load would,
    // also those that finish after the keys stopped.
    fake.hold();
    QVERIFY(loader.requestLoad(file(6)));
    QCOMPARE(loader.onLoadDone(), ImageLoader::DoneOutcome::Finished);
    QCOMPARE(loader.preloadAhead({file(7), file(8), file(9)}), 2);
    QVERIFY(QTest::qWaitFor([&] { return !loader.isInMotion(); }, 5000));
    fake.release();
    QVERIFY(QTest::qWaitFor([&] { return !loader.isCurrentDraft(); }, 5000));
    QVERIFY(waitIdle(loader));
    QCOMPARE(fake.decoded().count(file(7)), 2);
    QCOMPARE(fake.decoded().count(file(8)), 2);
    QCOMPARE(fake.decoded().count(file(9)), 1);
    QCOMPARE(fake.lastReduceTo(), DisplayAhead::reduceBox(target));
    QVERIFY(loader.requestLoad(file(7)));
    QCOMPARE(loader.onLoadDone(), ImageLoader::DoneOutcome::Finished);
    QVERIFY(!loader.isCurrentDraft());
    QCOMPARE(loader.preloadAhead({file(8), file(9), file(10)}), 1);
    QVERIFY(waitIdle(loader));
    QVERIFY(!fake.decoded().contains(file(10)));

    // Emptied: what was being decoded ahead is not taken up again.
    fake.hold();
    QVERIFY(loader.requestLoad(file(8)));
    QCOMPARE(loader.onLoadDone(), ImageLoader::DoneOutcome::Finished);
    QVERIFY(loader.isInMotion());
    const int emptied = loader.preloadAhead({file(9), file(11), file(12)});
    loader.emptyCache();
    fake.release();
    QCOMPARE(emptied, 2);
    QVERIFY(waitIdle(loader));
    QTest::qWait(50);
    QVERIFY(!loader.isPreloading());
    QVERIFY(!loader.hasPreloadedImage());
    QCOMPARE(fake.decoded().count(file(11)), 1);
    QCOMPARE(fake.decoded().count(file(12)), 1);
}

QTEST_GUILESS_MAIN(TestFirstLook)
#include "tst_firstlook.moc"
