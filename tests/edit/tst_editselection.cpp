#include "core/edit/EditSelection.h"

#include <QTest>

using namespace quorvel;

class TestEditSelection : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void trackerRules_data();
    void trackerRules();
    void modeSelections();
    void crop_data();
    void crop();
};

void TestEditSelection::trackerRules_data()
{
    QTest::addColumn<bool>("moving");
    QTest::addColumn<QRect>("proposed");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QRect>("expected"); // previous is (100, 100, 200, 150)

    const QRect previous(100, 100, 200, 150);
    QTest::newRow("move inside") << true << QRect(10, 20, 200, 150) << 1.0 << QRect(10, 20, 200, 150);
    QTest::newRow("move past the left and top is shifted back")
        << true << QRect(-30, -5, 200, 150) << 1.0 << QRect(0, 0, 200, 150);
    QTest::newRow("move past the right and bottom is shifted back")
        << true << QRect(700, 500, 200, 150) << 1.0 << QRect(600, 450, 200, 150);
    QTest::newRow("resize past the right edge stops at it")
        << false << QRect(100, 100, 900, 150) << 1.0 << QRect(100, 100, 700, 150);
    QTest::newRow("resize past the top edge stops at it")
        << false << QRect(100, -40, 200, 290) << 1.0 << QRect(100, 0, 200, 250);
    QTest::newRow("resize through the opposite edge is normalised")
        << false << EditSelection::fromEdges(300, 250, 150, 120) << 1.0 << QRect(150, 120, 150, 130);
    QTest::newRow("10 screen pixels are enough") << false << QRect(100, 100, 10, 10) << 1.0 << QRect(100, 100, 10, 10);
    QTest::newRow("9 screen pixels are undone") << false << QRect(100, 100, 9, 50) << 1.0 << previous;
    QTest::newRow("small on screen when zoomed out") << false << QRect(100, 100, 40, 40) << 0.2 << previous;
    QTest::newRow("few image pixels when zoomed in") << false << QRect(100, 100, 4, 4) << 2.5 << QRect(100, 100, 4, 4);
    QTest::newRow("resize entirely outside is undone") << false << QRect(900, 700, 50, 50) << 1.0 << previous;
    QTest::newRow("no zoom yet") << false << QRect(0, 0, 100, 100) << 0.0 << previous;
}

void TestEditSelection::trackerRules()
{
    QFETCH(bool, moving);
    QFETCH(QRect, proposed);
    QFETCH(double, zoom);
    QFETCH(QRect, expected);

    EditSelection selection(QSize(800, 600));
    QVERIFY(selection.resize(QRect(100, 100, 200, 150), 1.0));
    const bool accepted = moving ? selection.move(proposed, zoom) : selection.resize(proposed, zoom);
    QCOMPARE(selection.rect(), expected);
    QCOMPARE(accepted, expected != QRect(100, 100, 200, 150));
}

void TestEditSelection::modeSelections()
{
    EditSelection selection(QSize(64, 48));
    QCOMPARE(selection.rect(), QRect(0, 0, 64, 48));
    QVERIFY(selection.coversWholeImage());
    selection.clear();
    QVERIFY(selection.rect().isEmpty());
    // In red-eye mode the first rectangle is drawn from nothing.
    QVERIFY(selection.resize(QRect(5, 5, 20, 12), 1.0));
    QVERIFY(!selection.coversWholeImage());
    selection.selectAll();
    QVERIFY(selection.coversWholeImage());
}

void TestEditSelection::crop_data()
{
    QTest::addColumn<QRect>("selection");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QRect>("kept"); // the part of the source that remains
    QTest::newRow("whole image changes nothing") << QRect(0, 0, 40, 30) << false << QRect(0, 0, 40, 30);
    QTest::newRow("reversed whole image changes nothing")
        << EditSelection::fromEdges(40, 30, 0, 0) << false << QRect(0, 0, 40, 30);
    QTest::newRow("beyond the image is the whole image") << QRect(-5, -5, 60, 60) << false << QRect(0, 0, 40, 30);
    QTest::newRow("empty selection changes nothing") << QRect() << false << QRect(0, 0, 40, 30);
    QTest::newRow("inner rectangle") << QRect(3, 4, 20, 10) << true << QRect(3, 4, 20, 10);
    QTest::newRow("partly outside keeps the inside") << QRect(30, 20, 20, 20) << true << QRect(30, 20, 10, 10);
}

void TestEditSelection::crop()
{
    QFETCH(QRect, selection);
    QFETCH(bool, changed);
    QFETCH(QRect, kept);

    QImage source(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x * 5, y * 7, 99));
    QImage image = source;
    QCOMPARE(EditSelection::crop(image, selection), changed);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image, source.copy(kept));
}

QTEST_GUILESS_MAIN(TestEditSelection)
#include "tst_editselection.moc"
