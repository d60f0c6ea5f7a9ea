#include "core/edit/EditedImage.h"
#include "core/edit/SaveRules.h"
#include "core/imaging/DecodeTypes.h"
#include "core/imaging/ImageDecoder.h"
#include "core/print/IndexPrintForm.h"
#include "core/print/IndexPrintJob.h"
#include "core/settings/AppSettings.h"
#include "support/ExifOrientationFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

namespace {

// A JPEG source of the given size in one colour.
QString writeSource(const QDir &dir, const QString &name, QSize size, QRgb colour)
{
    EditedImage image;
    image.format = EditedImage::Format::Jpeg;
    image.pixels = QImage(size, QImage::Format_RGB32);
    image.pixels.fill(colour);
    const QString path = dir.filePath(name);
    if (!SaveRules::saveNewJpeg(image, path, 90).ok())
        return QString();
    return path;
}

// The index print's defaults on "10x15 cm" portrait at 300 dpi, lengths
// in cm.
IndexPrintForm defaultForm()
{
    IndexPrintForm form;
    form.parameters.setFormatIndex(2);
    form.parameters.setDpiText(QStringLiteral("300"));
    form.frameWidth = {QStringLiteral("0"), LengthUnit::Centimetres};
    form.margin = {QStringLiteral("0.2"), LengthUnit::Centimetres};
    form.textHeight = {QStringLiteral("0.8"), LengthUnit::Centimetres};
    return form;
}

// The JFIF header's density: unit and horizontal and vertical values.
QList<int> jfifDensity(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(18);
    if (head.size() < 18 || head.mid(6, 5) != QByteArray("JFIF\0", 5))
        return {};
    const auto u8 = [&](int i) { return int(quint8(head[i])); };
    return {u8(13), u8(14) * 256 + u8(15), u8(16) * 256 + u8(17)};
}

QStringList filesIn(const QDir &dir)
{
    return dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class TestIndexPrintJob : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formLayout();
    void listNavigation_data();
    void listNavigation();
    void settings_data();
    void settings();
    void writesEveryList();
    void writesCurrentListOnly();
    void noFileWithoutCells_data();
    void noFileWithoutCells();
    void failureStopsTheRun();
    void cancelledBeforeTheFirstPage();
    void damagedSourceStopsItsList();
    void orientedSourcesAreUpright_data();
    void orientedSourcesAreUpright();
};

void TestIndexPrintJob::formLayout()
{
    // The dialog's starting state: portrait 10x15 with photolab scaling.
    const IndexPrintForm form = defaultForm();
    const IndexLayout layout = form.layout();
    QCOMPARE(layout.page(), QSize(1205, 1795));
    QCOMPARE(layout.cellSize(), QSize(354, 236));
    QCOMPARE(layout.spacingY(), 83);
    QCOMPARE(layout.columns(), 3);
    QCOMPARE(layout.rows(), 5);
    QCOMPARE(form.quantityText(), QStringLiteral("15"));
    const IndexPageStyle style = form.style();
    QCOMPARE(style.names.height, 35); // 0.3 cm at 300 dpi
    QCOMPARE(style.margin, 24);
    QCOMPARE(style.dpi, 300);
}

void TestIndexPrintJob::listNavigation_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<QString>("steps"); // '>' and '<' in order
    QTest::addColumn<QString>("shown");

    QTest::newRow("empty list") << 0 << ">>" << "1/1";
    QTest::newRow("30 items forward") << 30 << ">" << "2/2";
    QTest::newRow("stops at the last list") << 30 << ">>>>" << "2/2";
    QTest::newRow("back to the first") << 30 << "><<<" << "1/2";
    QTest::newRow("31 items make three lists") << 31 << ">>" << "3/3";
}

void TestIndexPrintJob::listNavigation()
{
    QFETCH(int, items);
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    IndexPrintForm form = defaultForm();
    for (int i = 0; i < items; ++i)
        form.sources.append({QStringLiteral("/photos/img_%1.jpg").arg(i)});
    for (QChar step : steps) {
        if (step == QLatin1Char('>'))
            form.nextList();
        else
            form.previousList();
    }
    QCOMPARE(form.listText(), shown);
}

void TestIndexPrintJob::settings_data()
{
    QTest::addColumn<int>("storedFormat");
    QTest::addColumn<int>("format");

    QTest::newRow("a paper format") << 14 << 14;
    QTest::newRow("last paper format") << 34 << 34;
    QTest::newRow("a phone format is not in the list") << 35 << 2;
    QTest::newRow("custom pixels is not in the list") << 48 << 2;
}

void TestIndexPrintJob::settings()
{
    QFETCH(int, storedFormat);
    QFETCH(int, format);
    AppSettings stored;
    stored.indexPrintFormat = storedFormat;
    stored.printIndexWidth = QStringLiteral("2,5");
    stored.printMinIntervalY = QStringLiteral("1");
    stored.printShowNames = 0;
    stored.defaultUnits = UnitCentimetres;
    stored.printFrameWidth = QStringLiteral("0.5");

    IndexPrintForm form;
    form.load(stored);
    QCOMPARE(form.parameters.formatIndex(), format);
    QVERIFY(form.parameters.firstIsWidth());
    QVERIFY(form.parameters.photolab());
    QCOMPARE(form.frameWidth.unit, std::optional<LengthUnit>(LengthUnit::Centimetres));
    QCOMPARE(form.showNames, false);

    // What the user typed goes back as typed.
    form.cellHeight = QStringLiteral("2.7");
    form.showNames = true;
    AppSettings written;
    form.save(written);
    QCOMPARE(written.indexPrintFormat, format);
    QCOMPARE(written.printIndexWidth, QStringLiteral("2,5"));
    QCOMPARE(written.printIndexHeight, QStringLiteral("2.7"));
    QCOMPARE(written.printMinIntervalY, QStringLiteral("1"));
    QCOMPARE(written.printFrameWidth, QStringLiteral("0.5"));
    QCOMPARE(written.printShowNames, 1);
}

void TestIndexPrintJob::writesEveryList()
{
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QDir dir(temp.path());
    QDir().mkpath(dir.filePath("out"));
    const QString wide = writeSource(dir, "wide.jpg", QSize(1200, 600), qRgb(200, 30, 30));
    const QString high = writeSource(dir, "high.jpg", QSize(300, 600), qRgb(30, 30, 200));
    QVERIFY(!wide.isEmpty() && !high.isEmpty());
    QFile::copy(wide, dir.filePath("missing.jpg"));
    QFile broken(dir.filePath("broken.jpg"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();

    IndexPrintForm form = defaultForm();
    for (int i = 0; i < 30; ++i)
        form.sources.append({i == 3 ? broken.fileName() : ((i % 15) % 2 ? high : wide)});
    const QString chosen = dir.filePath("out/index.jpg");
    QVERIFY(form.asksForAllLists());
    const QList<IndexLayout::PlannedFile> files = form.plan(chosen, true);
    QCOMPARE(files.size(), 2);

    QList<int> progress;
    const IndexPrintJob::Outcome outcome = form.job(85).run(files, [&](int n) { progress << n; });
    QVERIFY(outcome.failure.ok());
    QVERIFY(!outcome.cancelled);
    QCOMPARE(outcome.written, 2);
    QCOMPARE(progress, (QList<int>{0, 1}));
    // Only the two pages are left in the folder: no temporary files.
    QCOMPARE(filesIn(QDir(dir.filePath("out"))), (QStringList{"index_1.jpg", "index_2.jpg"}));

    const IndexLayout layout = form.layout();
    for (const IndexLayout::PlannedFile &file : files) {
        DecodeResult page = ImageDecoder::decodeFile(file.path, DecodeOptions{});
        QVERIFY2(page.ok(), qPrintable(file.path));
        QCOMPARE(page.image.size(), QSize(1205, 1795));
        // Written at the resolution the page was laid out at: dots per inch.
        QCOMPARE(jfifDensity(file.path), (QList<int>{1, 300, 300}));
        // The wide picture fills the first cell's width, centred in its
        // height; the high one fills the second cell's height.
        const QRect first = layout.cell(0);
        const QPoint centre = first.center();
        QVERIFY(qRed(page.image.pixel(centre)) > 150 && qBlue(page.image.pixel(centre)) < 100);
        QCOMPARE(page.image.pixel(first.left() + 2, first.top() + 2), qRgb(255, 255, 255));
        const QRect second = layout.cell(1);
        QVERIFY(qBlue(page.image.pixel(second.center())) > 150);
        QCOMPARE(page.image.pixel(second.left() + 2, second.center().y()), qRgb(255, 255, 255));
    }
    // The file that cannot be read leaves its cell white on the first page.
    DecodeResult firstPage = ImageDecoder::decodeFile(files[0].path, DecodeOptions{});
    QCOMPARE(firstPage.image.pixel(layout.cell(3).center()), qRgb(255, 255, 255));
}

void TestIndexPrintJob::writesCurrentListOnly()
{
    QTemporaryDir temp;
    const QDir dir(temp.path());
    const QString source = writeSource(dir, "a.jpg", QSize(400, 300), qRgb(20, 160, 20));
    IndexPrintForm form = defaultForm();
    for (int i = 0; i < 20; ++i)
        form.sources.append({source});
    form.nextList();
    const QString chosen = dir.filePath("sheet.jpg");
    const QList<IndexLayout::PlannedFile> files = form.plan(chosen, false);
    QCOMPARE(files.size(), 1);
    QCOMPARE(files[0].list, 2);
    QCOMPARE(files[0].path, chosen);
    // A page laid out at 200 dpi is written with 200 dpi, so that it prints
    // at the paper's size.
    form.parameters.setDpiText(QStringLiteral("200"));
    QCOMPARE(form.job(85).run(form.plan(chosen, false)).written, 1);
    QCOMPARE(jfifDensity(chosen), (QList<int>{1, 200, 200}));

    // The second list holds five pictures: the sixth cell stays white.
    DecodeResult page = ImageDecoder::decodeFile(chosen, DecodeOptions{});
    QVERIFY(page.ok());
    const IndexLayout layout = form.layout();
    QVERIFY(qGreen(page.image.pixel(layout.cell(4).center())) > 120);
    QCOMPARE(page.image.pixel(layout.cell(5).center()), qRgb(255, 255, 255));
}

void TestIndexPrintJob::noFileWithoutCells_data()
{
    QTest::addColumn<QString>("cellWidth");
    QTest::addColumn<QString>("cellHeight");
    QTest::addColumn<QString>("frame");

    QTest::newRow("cell wider than the page") << "11" << "2.0" << "0";
    QTest::newRow("cell higher than the page") << "3.0" << "16" << "0";
    QTest::newRow("empty width") << "" << "2.0" << "0";
    QTest::newRow("width not a number") << "abc" << "2.0" << "0";
    QTest::newRow("negative height") << "3.0" << "-2" << "0";
    QTest::newRow("absurd width") << "99999999" << "2.0" << "0";
    QTest::newRow("frame eats the page") << "3.0" << "2.0" << "6";
}

void TestIndexPrintJob::noFileWithoutCells()
{
    QFETCH(QString, cellWidth);
    QFETCH(QString, cellHeight);
    QFETCH(QString, frame);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    const QString source = writeSource(dir, "a.jpg", QSize(400, 300), qRgb(20, 160, 20));
    IndexPrintForm form = defaultForm();
    form.cellWidth = cellWidth;
    form.cellHeight = cellHeight;
    form.frameWidth.text = frame;
    form.sources.append({source, source});

    QCOMPARE(form.listText(), QStringLiteral("-"));
    QVERIFY(!form.asksForAllLists());
    const QList<IndexLayout::PlannedFile> files = form.plan(dir.filePath("index.jpg"), true);
    QVERIFY(files.isEmpty());
    // Even a plan made elsewhere writes nothing with such a layout.
    const IndexPrintJob::Outcome outcome = form.job(85).run({{1, dir.filePath("index.jpg")}});
    QCOMPARE(outcome.written, 0);
    QVERIFY(!outcome.failure.ok());
    QCOMPARE(filesIn(dir), QStringList{"a.jpg"});
}

void TestIndexPrintJob::failureStopsTheRun()
{
    QTemporaryDir temp;
    const QDir dir(temp.path());
    const QString source = writeSource(dir, "a.jpg", QSize(400, 300), qRgb(20, 160, 20));
    IndexPrintForm form = defaultForm();
    for (int i = 0; i < 40; ++i)
        form.sources.append({source});
    // The second page's name is taken by a folder: the first page is
    // written, the second fails, the third is not tried.
    QVERIFY(QDir().mkpath(dir.filePath("index_2.jpg")));
    const QList<IndexLayout::PlannedFile> files = form.plan(dir.filePath("index.jpg"), true);
    QCOMPARE(files.size(), 3);
    const IndexPrintJob::Outcome outcome = form.job(85).run(files);
    QCOMPARE(outcome.written, 1);
    QVERIFY(!outcome.failure.ok());
    QVERIFY(QFileInfo(dir.filePath("index_1.jpg")).isFile());
    QVERIFY(QFileInfo(dir.filePath("index_2.jpg")).isDir());
    QVERIFY(!QFileInfo::exists(dir.filePath("index_3.jpg")));
    QCOMPARE(filesIn(dir), (QStringList{"a.jpg", "index_1.jpg"}));
}

void TestIndexPrintJob::cancelledBeforeTheFirstPage()
{
    QTemporaryDir temp;
    const QDir dir(temp.path());
    const QString source = writeSource(dir, "a.jpg", QSize(400, 300), qRgb(20, 160, 20));
    IndexPrintForm form = defaultForm();
    for (int i = 0; i < 20; ++i)
        form.sources.append({source});
    std::atomic_bool cancel{false};
    const IndexPrintJob::Outcome outcome =
        form.job(85).run(form.plan(dir.filePath("index.jpg"), true), [&](int) { cancel = true; }, &cancel);
    QVERIFY(outcome.cancelled);
    QCOMPARE(outcome.written, 0);
    QCOMPARE(filesIn(dir), QStringList{"a.jpg"});
}

// A sheet never shows a damaged photo's grey remains as its picture: the
// list that holds it is not written, and the message names the file.
void TestIndexPrintJob::damagedSourceStopsItsList()
{
    QTemporaryDir temp;
    const QDir dir(temp.path());
    const QString good = writeSource(dir, "a.jpg", QSize(400, 300), qRgb(20, 160, 20));
    QImage busy(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            busy.setPixel(x, y, qRgb((x * 37 + y * 11) & 0xFF, (x * y) & 0xFF, 90));
    EditedImage image;
    image.format = EditedImage::Format::Jpeg;
    image.pixels = busy;
    const QString damaged = dir.filePath("b.jpg");
    QVERIFY(SaveRules::saveNewJpeg(image, damaged, 90).ok());
    const QByteArray whole = test::readFile(damaged);
    const qsizetype scan = whole.indexOf("\xFF\xDA");
    QVERIFY(test::writeFile(damaged, whole.left(scan + (whole.size() - scan) / 2)));

    IndexPrintForm form = defaultForm();
    for (int i = 0; i < 20; ++i)
        form.sources.append({i == 17 ? damaged : good});
    const QList<IndexLayout::PlannedFile> files = form.plan(dir.filePath("index.jpg"), true);
    QCOMPARE(files.size(), 2);
    const IndexPrintJob::Outcome outcome = form.job(85).run(files);
    QCOMPARE(outcome.written, 1);
    QCOMPARE(outcome.failure.status, SaveResult::Damaged);
    QVERIFY(outcome.failure.message.contains(QDir::toNativeSeparators(damaged)));
    QCOMPARE(filesIn(dir), (QStringList{"a.jpg", "b.jpg", "index_1.jpg"}));
}

void TestIndexPrintJob::orientedSourcesAreUpright_data()
{
    QTest::addColumn<bool>("applyOrientation");
    QTest::addColumn<int>("drawnWidth");
    // 400 x 300 stored, turned to 300 x 400: fitted into 354 x 236 cells.
    QTest::newRow("turned as shown") << true << 177;
    QTest::newRow("setting off") << false << 315;
}

void TestIndexPrintJob::orientedSourcesAreUpright()
{
    QFETCH(bool, applyOrientation);
    QFETCH(int, drawnWidth);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    const QString plain = writeSource(dir, "plain.jpg", QSize(400, 300), qRgb(200, 30, 30));
    const QString source = dir.filePath("turned.jpg");
    QVERIFY(test::writeFile(source, test::withOrientation(test::readFile(plain), 6)));

    IndexPrintForm form = defaultForm();
    form.sources.append({source});
    IndexPrintJob job = form.job(85);
    job.applyOrientation = applyOrientation;
    const QImage page = job.composeList(1);
    QVERIFY(!page.isNull());
    const QRect cell = job.layout.cell(0);
    const QRect drawn = IndexComposer::fittedRect(cell, applyOrientation ? QSize(300, 400) : QSize(400, 300));
    QCOMPARE(drawn.width(), drawnWidth);
    const auto red = [](QRgb p) { return qRed(p) > 150 && qGreen(p) < 90; };
    QVERIFY(red(page.pixel(drawn.center())));
    QVERIFY(red(page.pixel(drawn.left() + 3, drawn.center().y())));
    QCOMPARE(page.pixel(drawn.left() - 3, drawn.center().y()), qRgb(255, 255, 255));
    QCOMPARE(page.pixel(drawn.right() + 3, drawn.center().y()), qRgb(255, 255, 255));
}

QTEST_MAIN(TestIndexPrintJob)
#include "tst_indexprintjob.moc"
