#include "core/common/Rounding.h"

#include <QTest>

using namespace quorvel;

class TestRounding : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void halfRoundsDown_data();
    void halfRoundsDown();
    void fitIntoBox_data();
    void fitIntoBox();
};

void TestRounding::halfRoundsDown_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<qlonglong>("expected");
    QTest::newRow("2.5") << 2.5 << 2LL;
    QTest::newRow("2.51") << 2.51 << 3LL;
    QTest::newRow("2.49") << 2.49 << 2LL;
    QTest::newRow("whole") << 7.0 << 7LL;
    QTest::newRow("-2.5") << -2.5 << -3LL;
    QTest::newRow("-2.4") << -2.4 << -2LL;
    QTest::newRow("0.5") << 0.5 << 0LL;
}

void TestRounding::halfRoundsDown()
{
    QFETCH(double, x);
    QFETCH(qlonglong, expected);
    QCOMPARE(roundHalfDown(x), expected);
}

void TestRounding::fitIntoBox_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("portrait in a square") << QSize(3000, 4000) << QSize(60, 60) << QSize(45, 60);
    QTest::newRow("landscape in a square") << QSize(4000, 3000) << QSize(60, 60) << QSize(60, 45);
    QTest::newRow("same ratio") << QSize(800, 600) << QSize(400, 300) << QSize(400, 300);
    QTest::newRow("exact half rounds down") << QSize(5, 2) << QSize(100, 1) << QSize(2, 1);
    QTest::newRow("upscale") << QSize(10, 10) << QSize(60, 30) << QSize(30, 30);
    QTest::newRow("empty picture") << QSize(0, 10) << QSize(60, 60) << QSize(0, 0);
}

void TestRounding::fitIntoBox()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, box);
    QFETCH(QSize, expected);
    QCOMPARE(quorvel::fitIntoBox(picture, box), expected);
}

QTEST_GUILESS_MAIN(TestRounding)
#include "tst_rounding.moc"
