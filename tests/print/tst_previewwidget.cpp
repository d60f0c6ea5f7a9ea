#include "ui/print/PreviewWidget.h"

#include <QTest>

using namespace quorvel;

class TestPreviewWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fitsAtNineTenths();
    void toolGetsTheMouseOutsideDragMode();
    void dragModeMovesThePicture();
};

namespace {
QImage picture()
{
    QImage img(400, 300, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    return img;
}
} // namespace

void TestPreviewWidget::fitsAtNineTenths()
{
    PreviewWidget ctrl;
    ctrl.resize(220, 165);
    ctrl.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ctrl));
    ctrl.setImage(picture());
    const qreal dpr = ctrl.pixelRatio();
    // The whole picture would fit at 220/400; the box takes nine tenths.
    QCOMPARE(ctrl.preview().zoom(), float(0.9 * 55.0));
    const QRect r = ctrl.preview().imageRect();
    QVERIFY(QRect(0, 0, qRound(220 * dpr), qRound(165 * dpr)).contains(r));
    QVERIFY(ctrl.zoomIn());
    QVERIFY(ctrl.preview().zoom() > 49.5f);
    ctrl.fit();
    QCOMPARE(ctrl.preview().zoom(), float(0.9 * 55.0));
}

void TestPreviewWidget::toolGetsTheMouseOutsideDragMode()
{
    PreviewWidget ctrl;
    ctrl.resize(200, 150);
    ctrl.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ctrl));
    ctrl.setImage(picture());
    QList<QPointF> presses, moves, releases;
    PreviewWidget::Tool tool;
    tool.press = [&](QPointF at) {
        presses << at;
        return true;
    };
    tool.move = [&](QPointF at) { moves << at; };
    tool.release = [&](QPointF at) { releases << at; };
    ctrl.setTool(tool);
    QTest::mousePress(&ctrl, Qt::LeftButton, {}, QPoint(50, 40));
    QTest::mouseMove(&ctrl, QPoint(80, 60));
    QTest::mouseRelease(&ctrl, Qt::LeftButton, {}, QPoint(80, 60));
    QCOMPARE(presses.size(), 1);
    QCOMPARE(releases.size(), 1);
    QCOMPARE(presses.first(), QPointF(50, 40) * ctrl.pixelRatio());

    ctrl.setDragMode(true);
    QTest::mousePress(&ctrl, Qt::LeftButton, {}, QPoint(50, 40));
    QTest::mouseRelease(&ctrl, Qt::LeftButton, {}, QPoint(50, 40));
    QCOMPARE(presses.size(), 1); // drag mode keeps the mouse for itself
}

void TestPreviewWidget::dragModeMovesThePicture()
{
    PreviewWidget ctrl;
    ctrl.resize(200, 150);
    ctrl.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ctrl));
    ctrl.setImage(picture());
    ctrl.setDragMode(true);
    const QRect before = ctrl.preview().imageRect();
    QTest::mousePress(&ctrl, Qt::LeftButton, {}, QPoint(50, 40));
    QTest::mouseMove(&ctrl, QPoint(70, 45));
    QTest::mouseRelease(&ctrl, Qt::LeftButton, {}, QPoint(70, 45));
    const QPoint moved = ctrl.preview().imageRect().topLeft() - before.topLeft();
    QCOMPARE(moved, (QPointF(20, 5) * ctrl.pixelRatio()).toPoint());
}

QTEST_MAIN(TestPreviewWidget)
#include "tst_previewwidget.moc"
