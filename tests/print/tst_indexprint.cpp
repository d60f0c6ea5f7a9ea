#include "core/print/IndexComposer.h"
#include "core/print/IndexLayout.h"
#include "core/print/IndexPreview.h"
#include "core/print/IndexSourceList.h"
#include "core/print/PrintParameters.h"

#include <QPainter>
#include <QTest>

using namespace quorvel;

namespace {

const QRgb kRed = qRgb(220, 20, 20);

bool near(QRgb a, QRgb b, int tolerance = 12)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

int darkPixels(const QImage &img, const QRect &area)
{
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += qGray(img.pixel(x, y)) < 128;
    return n;
}

bool allWhite(const QImage &img, const QRect &area)
{
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

// A small page: 300 x 400 pixels, cells 80 x 60, spacing 10 and 30: three
// columns 30 apart, four rows, twelve cells.
IndexLayout smallLayout()
{
    return IndexLayout(QSize(300, 400), 0, QSize(80, 60), 10, 30);
}

QImage solid(QSize size, QRgb colour)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

} // namespace

class TestIndexPrint : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layout_data();
    void layout();
    void layoutFromFields_data();
    void layoutFromFields();
    void lists_data();
    void lists();
    void plannedFiles_data();
    void plannedFiles();
    void sourceListEditing();
    void fittedRect_data();
    void fittedRect();
    void composeList();
    void composeNames();
    void longNamesStayOnOneLine();
    void composeWithoutCells();
    void preview();
};

void TestIndexPrint::layout_data()
{
    QTest::addColumn<QSize>("page");
    QTest::addColumn<int>("frame");
    QTest::addColumn<QSize>("cell");
    QTest::addColumn<int>("gapX");
    QTest::addColumn<int>("gapY");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("stepX");
    QTest::addColumn<QRect>("lastCell");
    // 10x15 cm portrait with photolab scaling at 300 dpi, cells 3 x 2 cm,
    // spacing 0.4 and 0.7 cm.
    QTest::newRow("10x15 page") << QSize(1205, 1795) << 0 << QSize(354, 236) << 47 << 83 << 3 << 5 << 71
                                << QRect(850, 1276, 354, 236);
    QTest::newRow("frame keeps the edges free") << QSize(1205, 1795) << 100 << QSize(354, 236) << 47 << 83 << 2 << 5
                                                << 297 << QRect(751, 1376, 354, 236);
    QTest::newRow("single column at the left frame edge") << QSize(500, 1000) << 20 << QSize(300, 200) << 47 << 83
                                                          << 1 << 3 << 0 << QRect(20, 586, 300, 200);
    QTest::newRow("cell exactly as wide as the page") << QSize(300, 400) << 0 << QSize(300, 400) << 10 << 10 << 1
                                                      << 1 << 0 << QRect(0, 0, 300, 400);
    QTest::newRow("cell wider than the page") << QSize(1205, 1795) << 0 << QSize(1300, 236) << 47 << 83 << 0 << 0 << 0
                                              << QRect();
    QTest::newRow("cell higher than the page") << QSize(1205, 1795) << 0 << QSize(354, 1800) << 47 << 83 << 0 << 0
                                               << 0 << QRect();
    QTest::newRow("frame wider than half the page") << QSize(1205, 1795) << 700 << QSize(354, 236) << 47 << 83 << 0
                                                    << 0 << 0 << QRect();
    QTest::newRow("cell without width") << QSize(1205, 1795) << 0 << QSize(0, 236) << 0 << 83 << 0 << 0 << 0
                                        << QRect();
    QTest::newRow("cell without height") << QSize(1205, 1795) << 0 << QSize(354, 0) << 47 << 0 << 0 << 0 << 0
                                         << QRect();
}

void TestIndexPrint::layout()
{
    QFETCH(QSize, page);
    QFETCH(int, frame);
    QFETCH(QSize, cell);
    QFETCH(int, gapX);
    QFETCH(int, gapY);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, stepX);
    QFETCH(QRect, lastCell);
    const IndexLayout l(page, frame, cell, gapX, gapY);
    QCOMPARE(l.columns(), columns);
    QCOMPARE(l.rows(), rows);
    QCOMPARE(l.cellsPerList(), columns * rows);
    QCOMPARE(l.isValid(), columns * rows > 0);
    QCOMPARE(l.spacingX(), stepX);
    if (!l.isValid()) {
        QCOMPARE(l.listText(1, 5), QStringLiteral("-"));
        QCOMPARE(l.listCount(5), 0);
        return;
    }
    QCOMPARE(l.cell(0), QRect(QPoint(frame, frame), cell));
    QCOMPARE(l.cell(l.cellsPerList() - 1), lastCell);
    // Every cell lies on the page inside the frame width, none overlap.
    const QRect inside = QRect(QPoint(0, 0), page).adjusted(frame, frame, -frame, -frame);
    for (int i = 0; i < l.cellsPerList(); ++i) {
        QVERIFY(inside.contains(l.cell(i)));
        if (i > 0)
            QVERIFY(!l.cell(i).intersects(l.cell(i - 1)));
    }
}

void TestIndexPrint::layoutFromFields_data()
{
    QTest::addColumn<QString>("cellWidth");
    QTest::addColumn<QString>("cellHeight");
    QTest::addColumn<QString>("gapX");
    QTest::addColumn<QString>("gapY");
    QTest::addColumn<int>("perList");
    QTest::addColumn<QString>("quantity");
    QTest::newRow("the dialog's defaults") << "3.0" << "2.0" << "0.4" << "0.7" << 15 << "15";
    QTest::newRow("decimal comma") << "3,0" << "2,0" << "0,4" << "0,7" << 15 << "15";
    QTest::newRow("no spacing") << "3.0" << "2.0" << "0" << "0" << 21 << "21";
    QTest::newRow("cell wider than the page") << "11" << "2.0" << "0.4" << "0.7" << 0 << "0";
    QTest::newRow("empty cell width") << "" << "2.0" << "0.4" << "0.7" << 0 << "0";
    QTest::newRow("cell width not a number") << "wide" << "2.0" << "0.4" << "0.7" << 0 << "0";
    QTest::newRow("negative cell height") << "3.0" << "-2" << "0.4" << "0.7" << 0 << "0";
    QTest::newRow("absurd spacing") << "3.0" << "2.0" << "99999999999" << "0.7" << 5 << "5";
}

void TestIndexPrint::layoutFromFields()
{
    QFETCH(QString, cellWidth);
    QFETCH(QString, cellHeight);
    QFETCH(QString, gapX);
    QFETCH(QString, gapY);
    QFETCH(int, perList);
    QFETCH(QString, quantity);
    PrintParameters params(2, true); // 10x15 cm, portrait, photolab on, 300 dpi
    QCOMPARE(params.outputSize(), QSize(1205, 1795));
    const IndexLayout l = IndexLayout::fromFields(params, QStringLiteral("0"), LengthUnit::Centimetres, cellWidth,
                                                  cellHeight, gapX, gapY);
    QCOMPARE(l.cellsPerList(), perList);
    QCOMPARE(l.quantityText(), quantity);
    if (perList == 15) {
        QCOMPARE(l.cellSize(), QSize(354, 236));
        QCOMPARE(l.spacingY(), 83);
    }
}

void TestIndexPrint::lists_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("lists");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("onList");
    QTest::addColumn<QString>("text");
    // Fifteen cells per list.
    QTest::newRow("empty source list") << 0 << 1 << 1 << 0 << 0 << "1/1";
    QTest::newRow("one item") << 1 << 1 << 1 << 0 << 1 << "1/1";
    QTest::newRow("exactly one list") << 15 << 1 << 1 << 0 << 15 << "1/1";
    QTest::newRow("one more") << 16 << 2 << 2 << 15 << 1 << "2/2";
    QTest::newRow("30 items, first list") << 30 << 1 << 2 << 0 << 15 << "1/2";
    QTest::newRow("30 items, second list") << 30 << 2 << 2 << 15 << 15 << "2/2";
    QTest::newRow("20 items, second list not full") << 20 << 2 << 2 << 15 << 5 << "2/2";
    QTest::newRow("shown number is limited") << 20 << 7 << 2 << 90 << 0 << "2/2";
}

void TestIndexPrint::lists()
{
    QFETCH(int, items);
    QFETCH(int, list);
    QFETCH(int, lists);
    QFETCH(int, first);
    QFETCH(int, onList);
    QFETCH(QString, text);
    const IndexLayout l(QSize(1205, 1795), 0, QSize(354, 236), 47, 83);
    QCOMPARE(l.listCount(items), lists);
    QCOMPARE(l.firstItem(list), first);
    QCOMPARE(l.itemsOnList(list, items), onList);
    QCOMPARE(l.listText(list, items), text);
    QCOMPARE(l.boundedList(list + 1, items), std::min(list + 1, lists)); // ">"
    QCOMPARE(l.boundedList(list - 1, items), std::max(1, std::min(list - 1, lists))); // "<"
}

void TestIndexPrint::plannedFiles_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("allLists");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QStringList>("files"); // "list:path"
    QTest::newRow("30 items, all lists") << 30 << 1 << true << true
                                         << QStringList{"1:/out/index_1.jpg", "2:/out/index_2.jpg"};
    QTest::newRow("30 items, current list only") << 30 << 2 << false << true << QStringList{"2:/out/index.jpg"};
    QTest::newRow("one list is never numbered") << 15 << 1 << true << false << QStringList{"1:/out/index.jpg"};
    QTest::newRow("31 items make three") << 31 << 1 << true << true
                                         << QStringList{"1:/out/index_1.jpg", "2:/out/index_2.jpg",
                                                        "3:/out/index_3.jpg"};
    QTest::newRow("nothing without items") << 0 << 1 << true << false << QStringList{};
}

void TestIndexPrint::plannedFiles()
{
    QFETCH(int, items);
    QFETCH(int, current);
    QFETCH(bool, allLists);
    QFETCH(bool, asks);
    QFETCH(QStringList, files);
    const IndexLayout l(QSize(1205, 1795), 0, QSize(354, 236), 47, 83);
    QCOMPARE(l.asksForAllLists(items), asks);
    QStringList planned;
    for (const auto &f : l.plan(QStringLiteral("/out/index.jpg"), items, current, allLists))
        planned << QStringLiteral("%1:%2").arg(f.list).arg(f.path);
    QCOMPARE(planned, files);
    // A layout without cells writes nothing.
    const IndexLayout none(QSize(1205, 1795), 0, QSize(1300, 236), 47, 83);
    QVERIFY(none.plan(QStringLiteral("/out/index.jpg"), items, current, allLists).isEmpty());
}

void TestIndexPrint::sourceListEditing()
{
    IndexSourceList list = IndexSourceList::fromSelectionText(QStringLiteral("/a/one.jpg;/a/two.tif;/b/three.bmp;"));
    QCOMPARE(list.displayNames(), (QStringList{"one.jpg", "two.tif", "three.bmp"}));

    list.append({QStringLiteral("/c/four.jpg"), QString()});
    QCOMPARE(list.count(), 4);
    QCOMPARE(list.moveUp(0), 0); // at the top: nothing
    QCOMPARE(list.moveDown(3), 3); // at the bottom: nothing
    QCOMPARE(list.moveDown(0), 1);
    QCOMPARE(list.displayNames(), (QStringList{"two.tif", "one.jpg", "three.bmp", "four.jpg"}));
    QCOMPARE(list.moveUp(3), 2);
    QCOMPARE(list.displayNames(), (QStringList{"two.tif", "one.jpg", "four.jpg", "three.bmp"}));

    QCOMPARE(list.remove(2), 1); // the one before becomes selected
    QCOMPARE(list.remove(0), 0); // or the first
    QCOMPARE(list.paths(), (QStringList{"/a/one.jpg", "/b/three.bmp"}));
    QCOMPARE(list.remove(5), -1);
    QCOMPARE(list.moveUp(-1), -1);
    QCOMPARE(list.remove(1), 0);
    QCOMPARE(list.remove(0), -1); // empty now
    QVERIFY(list.isEmpty());
}

void TestIndexPrint::fittedRect_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("expected");
    // The cell (100, 50, 80, 60).
    QTest::newRow("wide picture: width fills") << QSize(4000, 2000) << QRect(100, 60, 80, 40);
    QTest::newRow("high picture: height fills") << QSize(2000, 3000) << QRect(120, 50, 40, 60);
    QTest::newRow("same proportions") << QSize(400, 300) << QRect(100, 50, 80, 60);
    QTest::newRow("small picture is enlarged") << QSize(8, 3) << QRect(100, 65, 80, 30);
    QTest::newRow("odd fitted size: integer halves") << QSize(3000, 2001) << QRect(100, 54, 80, 53);
    QTest::newRow("no picture") << QSize() << QRect();
}

void TestIndexPrint::fittedRect()
{
    QFETCH(QSize, picture);
    QFETCH(QRect, expected);
    QCOMPARE(IndexComposer::fittedRect(QRect(100, 50, 80, 60), picture), expected);
}

void TestIndexPrint::composeList()
{
    const IndexLayout l = smallLayout();
    QCOMPARE(l.cellsPerList(), 12);
    QStringList names;
    for (int i = 0; i < 14; ++i)
        names << QStringLiteral("img_%1.jpg").arg(i);

    // The second list holds items 12 and 13: a wide picture handed over
    // already reduced (its original is 4:1), and one that cannot be decoded.
    QList<int> asked;
    QList<QSize> cells;
    const IndexPictureSource source = [&](int item, QSize cell) {
        asked << item;
        cells << cell;
        if (item == 12)
            return IndexCellPicture{solid(QSize(160, 40), kRed), QSize(4000, 1000)};
        return IndexCellPicture{};
    };
    IndexPageStyle style;
    style.showNames = false;
    style.dpi = 600;
    const QImage page = IndexComposer::compose(l, 2, names, style, source);
    QCOMPARE(asked, (QList<int>{12, 13}));
    QCOMPARE(cells, (QList<QSize>{QSize(80, 60), QSize(80, 60)}));
    QCOMPARE(page.size(), QSize(300, 400));
    QCOMPARE(qRound(page.dotsPerMeterX() * 0.0254), 600);

    const QRect drawn = IndexComposer::fittedRect(l.cell(0), QSize(4000, 1000));
    QCOMPARE(drawn, QRect(0, 20, 80, 20));
    for (int y = drawn.top(); y <= drawn.bottom(); ++y)
        for (int x = drawn.left(); x <= drawn.right(); ++x)
            QVERIFY(near(page.pixel(x, y), kRed));
    // Around the picture, the failed cell and the empty rest stay white.
    QVERIFY(allWhite(page, QRect(0, 0, 80, 20)));
    QVERIFY(allWhite(page, QRect(0, 40, 300, 360)));
    QVERIFY(allWhite(page, QRect(80, 0, 220, 40)));
}

void TestIndexPrint::composeNames()
{
    const IndexLayout l = smallLayout();
    const QStringList names{"first.jpg", "second.jpg"};
    const IndexPictureSource none = [](int, QSize) { return IndexCellPicture{}; };
    IndexPageStyle style;
    style.names.height = 12;
    style.text.text = QStringLiteral("Summer 2004");
    style.text.height = 20;
    style.margin = 10;

    const QImage page = IndexComposer::compose(l, 1, names, style, none);
    // A name under each of the two items, also when the file failed;
    // nothing under the empty cells.
    const QRect name0 = IndexLayout::nameBox(l.cell(0), 12);
    QCOMPARE(name0, QRect(0, 75, 80, 22));
    QVERIFY(darkPixels(page, name0) > 0);
    QVERIFY(darkPixels(page, IndexLayout::nameBox(l.cell(1), 12)) > 0);
    QCOMPARE(darkPixels(page, IndexLayout::nameBox(l.cell(2), 12)), 0);
    QCOMPARE(darkPixels(page, l.cell(0)), 0);
    // The page text sits at the bottom, above the margin.
    QVERIFY(darkPixels(page, QRect(0, 400 - 10 - 20, 300, 20)) > 0);
    QCOMPARE(darkPixels(page, QRect(0, 390, 300, 10)), 0);

    style.showNames = false;
    const QImage plain = IndexComposer::compose(l, 1, names, style, none);
    QCOMPARE(darkPixels(plain, name0), 0);
}

// A name wider than its cell is shortened on its one line; a second line
// would be cut in half by the space under the cell.
void TestIndexPrint::longNamesStayOnOneLine()
{
    const IndexLayout l = smallLayout();
    const QStringList names{"a very long name from the camera 0001.jpg"};
    const IndexPictureSource none = [](int, QSize) { return IndexCellPicture{}; };
    IndexPageStyle style;
    style.names.height = 12;
    const QImage page = IndexComposer::compose(l, 1, names, style, none);
    const QRect box = IndexLayout::nameBox(l.cell(0), 12);
    QVERIFY(darkPixels(page, QRect(box.x(), box.y(), box.width(), 13)) > 0);
    QCOMPARE(darkPixels(page, QRect(box.x(), box.y() + 14, 300, box.height() - 14)), 0);
    QCOMPARE(darkPixels(page, QRect(box.right() + 1, box.y(), 300, box.height())), 0);
}

void TestIndexPrint::composeWithoutCells()
{
    const IndexLayout none(QSize(300, 400), 0, QSize(400, 60), 10, 30);
    int asked = 0;
    const IndexPictureSource source = [&](int, QSize) {
        ++asked;
        return IndexCellPicture{};
    };
    QVERIFY(IndexComposer::compose(none, 1, {"a.jpg"}, IndexPageStyle(), source).isNull());
    QCOMPARE(asked, 0);
}

void TestIndexPrint::preview()
{
    // The 300 x 400 page at half size in a 250 x 200 area: 150 x 200 at (50, 0).
    const IndexLayout l = smallLayout();
    QCOMPARE(IndexPreview::pageRect(QRect(0, 0, 250, 200), l.page()), QRect(50, 0, 150, 200));
    const QStringList names{"a.jpg", "b.jpg"};
    IndexPageStyle style;
    style.showNames = false;

    QImage view(250, 200, QImage::Format_RGB32);
    view.fill(Qt::darkBlue);
    {
        QPainter p(&view);
        IndexPreview::paint(p, view.rect(), l, 1, names, style, {});
    }
    QCOMPARE(view.pixel(10, 10), QColor(Qt::darkBlue).rgb()); // outside the page
    QCOMPARE(view.pixel(50, 38), qRgb(0x64, 0x64, 0x64));     // the page's outline, between rows
    // Cell 0 (0, 0, 80, 60) is at (50, 0, 40, 30) on screen: outlined black,
    // grey inside. Cell 2 (220, 0) holds no item: white inside.
    QCOMPARE(view.pixel(70, 0), qRgb(0, 0, 0));
    QCOMPARE(view.pixel(70, 15), QColor(Qt::lightGray).rgb());
    QCOMPARE(view.pixel(180, 15), qRgb(255, 255, 255));

    // With pictures: asked at the cell size on screen; a failure (cell 1 at
    // 105 on screen) is outlined red inside the black outline.
    QList<QSize> asked;
    const IndexPictureSource source = [&](int item, QSize cell) {
        asked << cell;
        return item == 0 ? IndexCellPicture{solid(QSize(40, 30), kRed), {}} : IndexCellPicture{};
    };
    {
        QPainter p(&view);
        IndexPreview::paint(p, view.rect(), l, 1, names, style, source);
    }
    QCOMPARE(asked, (QList<QSize>{QSize(40, 30), QSize(40, 30)}));
    QVERIFY(near(view.pixel(70, 15), kRed));
    QCOMPARE(view.pixel(125, 0), qRgb(0, 0, 0));
    QCOMPARE(view.pixel(125, 1), qRgb(255, 0, 0));
}

QTEST_MAIN(TestIndexPrint)
#include "tst_indexprint.moc"
