#include "ImagingFixtures.h"

#include "core/imaging/ImageLoader.h"
#include "core/settings/AppSettings.h"
#include "support/ExifOrientationFiles.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <mutex>

using namespace quorvel;

namespace {

// A decoder standing in for the codec layer: records what it decodes and
// with which options, gives each path a picture of its own colour, fails for
// paths containing "bad", and can hold decodes until released.
class FakeDecoder
{
public:
    ImageLoader::DecodeFunction function()
    {
        return [this](const QString &path, const DecodeOptions &options) {
            std::unique_lock lock(m_mutex);
            m_decoded.append(path);
            m_options.append(options);
            m_gateOpen.wait(lock, [this] { return !m_holding; });
            if (path.contains(QLatin1String("bad")))
                return DecodeResult::failure(DecoderKind::Jpeg, QStringLiteral("damaged"));
            DecodeResult r;
            r.decoder = DecoderKind::Jpeg;
            r.image = QImage(4, 4, QImage::Format_RGB32);
            r.image.fill(colourFor(path));
            return r;
        };
    }

    static QRgb colourFor(const QString &path) { return qRgb(int(qHash(path) % 256), 7, 9); }

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
    DecodeOptions lastOptions() const
    {
        std::lock_guard lock(m_mutex);
        return m_options.isEmpty() ? DecodeOptions() : m_options.last();
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_gateOpen;
    bool m_holding = false;
    QStringList m_decoded;
    QList<DecodeOptions> m_options;
};

// Plays the frame: on each load-done runs the loader's part and, when the
// loader is done, starts the preload of next (if set).
struct Frame
{
    explicit Frame(ImageLoader &l, const QString &nextPath = QString()) : loader(l), next(nextPath) {}

    ImageLoader &loader;
    QString next;
    int shown = 0;
    int notLoaded = 0;
    int passing = 0;

    void connect()
    {
        QObject::connect(&loader, &ImageLoader::loadDone, &loader, [this] { handleLoadDone(); });
    }
    void handleLoadDone()
    {
        switch (loader.onLoadDone()) {
        case ImageLoader::DoneOutcome::NewLoadStarted:
            return;
        case ImageLoader::DoneOutcome::ShowPassing:
            ++passing;
            return;
        case ImageLoader::DoneOutcome::Finished:
            break;
        }
        if (loader.isImagePresent())
            ++shown;
        else
            ++notLoaded;
        if (!next.isEmpty())
            loader.startPreload(next);
    }
    // The view's show file: a cache hit is handled as a finished load.
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

} // namespace

class TestImageLoader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void requestsDuringALoadCollapse();
    void preloadedNextIsServedWithoutDecoding();
    void previousImageSwapsBack();
    void emptyCacheForcesAReload();
    void rawFilesAreNeverPreloaded_data();
    void rawFilesAreNeverPreloaded();
    void failedLoadPublishesNothing();
    void failedPreloadFallsBackToALoad();
    void requestWaitsForARunningPreload();
    void preloadDiscardedWhenAnotherFileIsShown();
    void settingsAreReadWhenALoadStarts();
    void clearAllEmptiesTheCurrentSlot();
    void rawProgressIsReported();
    void rawPreviewIsShownFirst_data();
    void rawPreviewIsShownFirst();
    void realFilesThroughTheCodecLayer();
    void damagedPicturesKeepTheirMarkThroughTheCache();
    void orientationFollowsTheSetting_data();
    void orientationFollowsTheSetting();
};

void TestImageLoader::init()
{
    globalSettings().resetToDefaults();
}

void TestImageLoader::requestsDuringALoadCollapse()
{
    FakeDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    Frame frame{loader};
    frame.connect();
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    QSignalSpy busy(&loader, &ImageLoader::busyChanged);

    fake.hold();
    frame.show(QStringLiteral("/f/A.jpg"));
    QVERIFY(loader.isBusy());
    QCOMPARE(loader.currentPath(), ImageLoader::loadingPath());
    frame.show(QStringLiteral("/f/B.jpg"));
    frame.show(QStringLiteral("/f/C.jpg"));
    frame.show(QStringLiteral("/f/D.jpg"));
    QCOMPARE(loader.pendingPath(), QStringLiteral("/f/D.jpg"));
    fake.release();

    QVERIFY(QTest::qWaitFor([&] { return done.count() == 2; }, 5000));
    QVERIFY(waitIdle(loader));
    // B and C were passed before a decode could start; only D, the last,
    // follows A. A is not abandoned: a key held faster than pictures decode
    // must still see one with every decode, so A is shown in passing (it is
    // newer than what was on screen) while D loads.
    QCOMPARE(fake.decoded(), QStringList({"/f/A.jpg", "/f/D.jpg"}));
    QCOMPARE(frame.passing, 1);
    QCOMPARE(frame.shown, 1);
    QCOMPARE(loader.currentPath(), QStringLiteral("/f/D.jpg"));
    QCOMPARE(loader.previousPath(), QStringLiteral("/f/A.jpg"));
    QVERIFY(loader.isImagePresent());
    QCOMPARE(loader.currentImage().pixel(0, 0), FakeDecoder::colourFor(QStringLiteral("/f/D.jpg")));
    QVERIFY(loader.pendingPath().isEmpty());
    QList<bool> busyStates;
    for (const QList<QVariant> &args : busy)
        busyStates.append(args.first().toBool());
    QCOMPARE(busyStates, (QList<bool>{true, false, true, false}));
}

void TestImageLoader::preloadedNextIsServedWithoutDecoding()
{
    FakeDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    Frame frame{loader, QStringLiteral("/f/B.jpg")};
    frame.connect();
    QSignalSpy preloaded(&loader, &ImageLoader::preloadFinished);

    frame.show(QStringLiteral("/f/A.jpg"));
    QVERIFY(preloaded.wait(5000));
    QCOMPARE(loader.preloadedPath(), QStringLiteral("/f/B.jpg"));
    QVERIFY(loader.hasPreloadedImage());
    QCOMPARE(loader.decodeCount(), 2);

    frame.next.clear();
    QVERIFY(loader.requestLoad(QStringLiteral("/f/B.jpg")));
    QVERIFY(!loader.isBusy()); // no load thread
    QCOMPARE(loader.decodeCount(), 2);
    QCOMPARE(loader.currentPath(), QStringLiteral("/f/B.jpg"));
    QCOMPARE(loader.previousPath(), QStringLiteral("/f/A.jpg"));
    QCOMPARE(loader.loadedPath(), QStringLiteral("/f/B.jpg"));
    QVERIFY(loader.isImagePresent());
    QVERIFY(loader.preloadedPath().isEmpty());
    QCOMPARE(loader.currentImage().pixel(0, 0), FakeDecoder::colourFor(QStringLiteral("/f/B.jpg")));
}

void TestImageLoader::previousImageSwapsBack()
{
    FakeDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    Frame frame{loader};
    frame.connect();
    QSignalSpy done(&loader, &ImageLoader::loadDone);

    frame.show(QStringLiteral("/f/A.jpg"));
    QVERIFY(done.wait(5000));
    frame.show(QStringLiteral("/f/B.jpg"));
    QVERIFY(done.wait(5000));
    QCOMPARE(loader.decodeCount(), 2);

    // Back and forth between the two costs nothing.
    for (int i = 0; i < 3; ++i) {
        QVERIFY(loader.requestLoad(QStringLiteral("/f/A.jpg")));
        QCOMPARE(loader.currentImage().pixel(0, 0), FakeDecoder::colourFor(QStringLiteral("/f/A.jpg")));
        QCOMPARE(loader.previousPath(), QStringLiteral("/f/B.jpg"));
        QVERIFY(loader.requestLoad(QStringLiteral("/f/B.jpg")));
        QCOMPARE(loader.currentPath(), QStringLiteral("/f/B.jpg"));
    }
    QCOMPARE(loader.decodeCount(), 2);
    QCOMPARE(done.count(), 2);
}

void TestImageLoader::emptyCacheForcesAReload()
{
    FakeDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    Frame frame{loader, QStringLiteral("/f/C.jpg")};
    frame.connect();
    QSignalSpy done(&loader, &ImageLoader::loadDone);

    frame.show(QStringLiteral("/f/A.jpg"));
    QVERIFY(done.wait(5000));
    QVERIFY(waitIdle(loader));
    frame.show(QStringLiteral("/f/B.jpg"));
    QVERIFY(done.wait(5000));
    QVERIFY(waitIdle(loader));

    loader.emptyCache();
    QCOMPARE(loader.previousPath(), ImageLoader::emptiedCachePath());
    QVERIFY(!loader.hasPreviousImage());
    QVERIFY(loader.preloadedPath().isEmpty());
    QVERIFY(!loader.hasPreloadedImage());
    QVERIFY(loader.isImagePresent()); // the current image stays
    const int before = loader.decodeCount();

    QVERIFY(!loader.requestLoad(QStringLiteral("/f/A.jpg")));
    QVERIFY(done.wait(5000));
    QVERIFY(loader.decodeCount() > before);
    QCOMPARE(fake.decoded().at(before), QStringLiteral("/f/A.jpg"));
    QVERIFY(waitIdle(loader));
    // The next file, preloaded after A, is decoded anew as well.
    frame.next.clear();
    QCOMPARE(loader.preloadedPath(), QStringLiteral("/f/C.jpg"));
    QVERIFY(loader.hasPreloadedImage());
    loader.emptyCache();
    const int beforeC = loader.decodeCount();
    QVERIFY(!loader.requestLoad(QStringLiteral("/f/C.jpg")));
    QVERIFY(done.wait(5000));
    QCOMPARE(loader.decodeCount(), beforeC + 1);
}

void TestImageLoader::rawFilesAreNeverPreloaded_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("NEF in capitals") << "/f/DSC_0001.NEF";
    QTest::newRow("crw") << "/f/crw_0101.crw";
    QTest::newRow("pef") << "/f/IMGP0001.PEF";
}

void TestImageLoader::rawFilesAreNeverPreloaded()
{
    QFETCH(QString, path);
    FakeDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    QVERIFY(!loader.startPreload(path));
    QVERIFY(!loader.isPreloading());
    QVERIFY(loader.preloadedPath().isEmpty());
    QCOMPARE(loader.decodeCount(), 0);

    // Shown, it goes through a load thread, with progress reports.
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    QSignalSpy progress(&loader, &ImageLoader::rawDecodeProgress);
    QVERIFY(!loader.requestLoad(path));
    QVERIFY(done.wait(5000));
    QCOMPARE(fake.decoded(), QStringList{path});
    QVERIFY(progress.count() >= 1);
    QCOMPARE(progress.first().first().toInt(), 0);
}

void TestImageLoader::failedLoadPublishesNothing()
{
    FakeDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    Frame frame{loader};
    frame.connect();
    QSignalSpy done(&loader, &ImageLoader::loadDone);

    frame.show(QStringLiteral("/f/A.jpg"));
    QVERIFY(done.wait(5000));
    frame.show(QStringLiteral("/f/bad.jpg"));
    QVERIFY(done.wait(5000));
    QCOMPARE(frame.notLoaded, 1);
    QVERIFY(!loader.isImagePresent());
    QVERIFY(loader.currentImage().isNull());
    QVERIFY(loader.loadedPath().isEmpty());
    QCOMPARE(loader.lastError(), QStringLiteral("damaged"));
    // The image shown before is still the previous one.
    QCOMPARE(loader.previousPath(), QStringLiteral("/f/A.jpg"));
    QVERIFY(loader.requestLoad(QStringLiteral("/f/A.jpg")));
    QVERIFY(loader.isImagePresent());
}

void TestImageLoader::failedPreloadFallsBackToALoad()
{
    FakeDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    QSignalSpy preloaded(&loader, &ImageLoader::preloadFinished);
    QVERIFY(loader.startPreload(QStringLiteral("/f/bad.jpg")));
    QVERIFY(preloaded.wait(5000));
    QVERIFY(loader.preloadedPath().isEmpty());
    QVERIFY(!fake.lastOptions().nameFallback); // the preload tries the content's decoder only
    QVERIFY(!loader.requestLoad(QStringLiteral("/f/bad.jpg")));
    QVERIFY(loader.isBusy());
    QVERIFY(fake.lastOptions().nameFallback || QTest::qWaitFor([&] { return fake.lastOptions().nameFallback; }));
    QVERIFY(waitIdle(loader));
}

void TestImageLoader::requestWaitsForARunningPreload()
{
    FakeDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    fake.hold();
    QVERIFY(loader.startPreload(QStringLiteral("/f/B.jpg")));
    QVERIFY(loader.isPreloading());
    QVERIFY(!loader.startPreload(QStringLiteral("/f/C.jpg"))); // one preload at a time
    // The request does not hold the caller until the preload is done (a key
    // held would otherwise be handled press by press instead of skipping
    // ahead): the loader is busy with it, and the preload hands it over as
    // a load without a decode of its own.
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    QVERIFY(!loader.requestLoad(QStringLiteral("/f/B.jpg")));
    QVERIFY(loader.isBusy());
    fake.release();
    QVERIFY(done.wait(5000));
    QCOMPARE(loader.onLoadDone(), ImageLoader::DoneOutcome::Finished);
    QVERIFY(loader.isImagePresent());
    QCOMPARE(loader.decodeCount(), 1);
    QCOMPARE(loader.currentPath(), QStringLiteral("/f/B.jpg"));
    QCOMPARE(loader.currentImage().pixel(0, 0), FakeDecoder::colourFor(QStringLiteral("/f/B.jpg")));

    // A preload that fails meanwhile is followed by a load of the file.
    fake.hold();
    QVERIFY(loader.startPreload(QStringLiteral("/f/bad.jpg")));
    QVERIFY(!loader.requestLoad(QStringLiteral("/f/bad.jpg")));
    fake.release();
    QVERIFY(done.wait(5000));
    QCOMPARE(loader.decodeCount(), 3);
    QVERIFY(fake.lastOptions().nameFallback);
    QVERIFY(!loader.lastError().isEmpty());
}

void TestImageLoader::preloadDiscardedWhenAnotherFileIsShown()
{
    FakeDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    fake.hold();
    QVERIFY(loader.startPreload(QStringLiteral("/f/B.jpg")));
    QVERIFY(!loader.requestLoad(QStringLiteral("/f/C.jpg")));
    QVERIFY(loader.preloadedPath().isEmpty());
    fake.release();
    QVERIFY(done.wait(5000));
    QVERIFY(waitIdle(loader));
    // The preload's late result is not kept: B is decoded when asked for.
    QVERIFY(!loader.hasPreloadedImage());
    loader.onLoadDone();
    QVERIFY(!loader.requestLoad(QStringLiteral("/f/B.jpg")));
    QVERIFY(done.wait(5000));
    QCOMPARE(loader.decodeCount(), 3);
}

void TestImageLoader::settingsAreReadWhenALoadStarts()
{
    FakeDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    globalSettings().useCms = 1;
    globalSettings().hqRawConv = 1;
    fake.hold();
    QVERIFY(!loader.requestLoad(QStringLiteral("/f/A.jpg")));
    globalSettings().useCms = 0; // changed while decoding: applies next time
    fake.release();
    QVERIFY(done.wait(5000));
    QVERIFY(fake.lastOptions().useCms);
    QVERIFY(fake.lastOptions().hqRaw);
    QVERIFY(fake.lastOptions().nameFallback);
    loader.onLoadDone();
    QVERIFY(!loader.requestLoad(QStringLiteral("/f/B.jpg")));
    QVERIFY(done.wait(5000));
    QVERIFY(!fake.lastOptions().useCms);
}

void TestImageLoader::clearAllEmptiesTheCurrentSlot()
{
    FakeDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    Frame frame{loader};
    frame.connect();
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    QSignalSpy cleared(&loader, &ImageLoader::cleared);
    frame.show(QStringLiteral("/f/A.jpg"));
    QVERIFY(done.wait(5000));
    QVERIFY(loader.isImagePresent());
    loader.clearAll();
    QVERIFY(!loader.isImagePresent());
    QVERIFY(loader.currentImage().isNull());
    QCOMPARE(cleared.count(), 1);
}

void TestImageLoader::rawProgressIsReported()
{
    ImageLoader loader;
    loader.setDecodeFunction([](const QString &, const DecodeOptions &options) {
        for (int p = 0; p <= 100; p += 10) {
            if (options.progress)
                options.progress(p);
        }
        DecodeResult r;
        r.decoder = DecoderKind::Raw;
        r.image = QImage(2, 2, QImage::Format_RGB32);
        r.image.fill(Qt::white);
        return r;
    });
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    QSignalSpy progress(&loader, &ImageLoader::rawDecodeProgress);
    QVERIFY(!loader.requestLoad(QStringLiteral("/f/a.crw")));
    QVERIFY(done.wait(5000));
    QVERIFY(progress.count() >= 1);
    // Reports may be coalesced, but arrive in order, before load-done, and
    // end with the last one.
    int last = -1;
    for (const QList<QVariant> &args : progress) {
        QVERIFY(args.first().toInt() >= last);
        last = args.first().toInt();
    }
    QCOMPARE(last, 100);
}

void TestImageLoader::rawPreviewIsShownFirst_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("movedOn");     // another file is asked for while A loads
    QTest::addColumn<bool>("previewShown");
    QTest::newRow("raw file") << "/f/A.NEF" << false << true;
    QTest::newRow("raw file left at once") << "/f/A.NEF" << true << false;
    QTest::newRow("not a raw file") << "/f/A.jpg" << false << false;
}

void TestImageLoader::rawPreviewIsShownFirst()
{
    QFETCH(QString, path);
    QFETCH(bool, movedOn);
    QFETCH(bool, previewShown);
    FakeDecoder fake;
    ImageLoader loader;
    loader.setDecodeFunction(fake.function());
    std::atomic<int> previews{0};
    loader.setPreviewFunction([&](const QString &, const DecodeOptions &options) {
        ++previews;
        DecodeResult r;
        r.decoder = DecoderKind::Raw;
        r.upright = true;
        r.image = QImage(2, 2, QImage::Format_RGB32);
        r.image.fill(Qt::green);
        Q_UNUSED(options);
        return r;
    });
    Frame frame{loader};
    frame.connect();
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    QSignalSpy preview(&loader, &ImageLoader::previewReady);
    fake.hold();
    frame.show(path);
    if (movedOn)
        frame.show(QStringLiteral("/f/B.jpg"));
    // The preview is handed over while the whole picture is still decoding.
    if (previewShown) {
        QVERIFY(preview.wait(5000));
        QVERIFY(loader.isBusy());
        QCOMPARE(loader.previewImage().pixel(0, 0), QColor(Qt::green).rgb());
        QVERIFY(!loader.isImagePresent());
    } else {
        QTest::qWait(50);
    }
    fake.release();
    QVERIFY(done.wait(5000));
    if (movedOn)
        QVERIFY(done.wait(5000));
    QVERIFY(waitIdle(loader));
    QCOMPARE(preview.count(), previewShown ? 1 : 0);
    // The whole picture replaces it.
    QVERIFY(loader.previewImage().isNull());
    QVERIFY(loader.isImagePresent());
    QCOMPARE(loader.currentImage().pixel(0, 0), FakeDecoder::colourFor(movedOn ? QStringLiteral("/f/B.jpg") : path));
    QCOMPARE(previews.load(), path.endsWith(QLatin1String(".NEF")) ? 1 : 0);
}

void TestImageLoader::realFilesThroughTheCodecLayer()
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.jpg"));
    const QString b = dir.filePath(QStringLiteral("b.jpg"));
    const QString broken = dir.filePath(QStringLiteral("c.jpg"));
    const QByteArray jpeg = fixtures::writeJpeg(fixtures::bands(64, 32), {});
    QVERIFY(test::writeFile(a, jpeg));
    QVERIFY(test::writeFile(b, jpeg));
    QVERIFY(test::writeFile(broken, jpeg.left(jpeg.indexOf("\xFF\xDA"))));

    ImageLoader loader;
    Frame frame{loader, b};
    frame.connect();
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    frame.show(a);
    QVERIFY(done.wait(5000));
    QVERIFY(waitIdle(loader));
    QVERIFY(loader.isImagePresent());
    QCOMPARE(loader.currentImage().size(), QSize(64, 32));
    QCOMPARE(loader.currentImage().format(), QImage::Format_RGB32);
    QVERIFY(loader.hasPreloadedImage());
    frame.next = broken;
    QVERIFY(loader.requestLoad(b)); // from the preload
    QCOMPARE(loader.decodeCount(), 2);
    frame.handleLoadDone(); // preloads the broken file
    QVERIFY(waitIdle(loader));
    QVERIFY(loader.preloadedPath().isEmpty());
    frame.show(broken);
    QVERIFY(done.wait(5000));
    QVERIFY(!loader.isImagePresent());
    QVERIFY(loader.currentImage().isNull());
    QVERIFY(!loader.lastError().isEmpty());
}

void TestImageLoader::damagedPicturesKeepTheirMarkThroughTheCache()
{
    FakeDecoder fake;
    ImageLoader loader;
    // Paths with "part" decode partly.
    const ImageLoader::DecodeFunction whole = fake.function();
    loader.setDecodeFunction([whole](const QString &path, const DecodeOptions &options) {
        DecodeResult r = whole(path, options);
        r.partial = path.contains(QLatin1String("part"));
        return r;
    });
    const QString a = QStringLiteral("/f/A.jpg"), b = QStringLiteral("/f/B-part.jpg"), c = QStringLiteral("/f/C-part.jpg");
    Frame frame{loader, b};
    frame.connect();
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    frame.show(a);
    QVERIFY(done.wait(5000));
    QVERIFY(waitIdle(loader));
    QVERIFY(!loader.isCurrentPartial());
    frame.next = c;
    frame.show(b); // served by the preload
    QCOMPARE(loader.currentPath(), b);
    QVERIFY(loader.isCurrentPartial());
    QVERIFY(waitIdle(loader));
    frame.show(a); // the previous image, swapped back
    QCOMPARE(loader.currentPath(), a);
    QVERIFY(!loader.isCurrentPartial());
    frame.show(b); // and forth
    QVERIFY(loader.isCurrentPartial());
    loader.clearAll();
    QVERIFY(!loader.isCurrentPartial());
    frame.next.clear();
    QVERIFY(waitIdle(loader));
    if (!loader.requestLoad(c)) // preloaded, or loaded afresh
        QVERIFY(done.wait(5000));
    QCOMPARE(loader.currentPath(), c);
    QVERIFY(loader.isCurrentPartial());
}

void TestImageLoader::orientationFollowsTheSetting_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("on") << 1 << QSize(32, 64);
    QTest::newRow("off") << 0 << QSize(64, 32);
}

void TestImageLoader::orientationFollowsTheSetting()
{
    QFETCH(int, setting);
    QFETCH(QSize, shown);
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.jpg"));
    const QString b = dir.filePath(QStringLiteral("b.jpg"));
    const QByteArray jpeg = test::withOrientation(fixtures::writeJpeg(fixtures::bands(64, 32), {}), 6);
    QVERIFY(test::writeFile(a, jpeg));
    QVERIFY(test::writeFile(b, jpeg));
    globalSettings().rotateByExif = setting;
    ImageLoader loader;
    Frame frame{loader, b};
    frame.connect();
    QSignalSpy done(&loader, &ImageLoader::loadDone);
    frame.show(a);
    QVERIFY(done.wait(5000));
    QVERIFY(waitIdle(loader));
    QCOMPARE(loader.currentImage().size(), shown);
    QVERIFY(loader.requestLoad(b)); // the preload turns it alike
    QCOMPARE(loader.currentImage().size(), shown);
}

QTEST_GUILESS_MAIN(TestImageLoader)
#include "tst_imageloader.moc"
