#include "ui/print/KindPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace quorvel {

namespace {

// A small landscape: sky, a sun, two hills.
void landscape(QPainter &p, const QRectF &r)
{
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(90, 150, 230));
    sky.setColorAt(1, QColor(190, 220, 250));
    p.fillRect(r, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 60));
    const double s = r.height() * 0.22;
    p.drawEllipse(QRectF(r.right() - s * 1.8, r.top() + s * 0.5, s, s));
    QPainterPath hills;
    hills.moveTo(r.left(), r.bottom());
    hills.lineTo(r.left(), r.top() + r.height() * 0.7);
    hills.quadTo(r.left() + r.width() * 0.3, r.top() + r.height() * 0.35, r.left() + r.width() * 0.55,
                 r.top() + r.height() * 0.72);
    hills.quadTo(r.left() + r.width() * 0.8, r.top() + r.height() * 0.5, r.right(), r.top() + r.height() * 0.75);
    hills.lineTo(r.right(), r.bottom());
    hills.closeSubpath();
    p.setBrush(QColor(70, 140, 60));
    p.drawPath(hills);
}

void printedPhoto(QPainter &p, const QRectF &box)
{
    // A printer with the photograph coming out of it.
    const double w = box.width(), h = box.height();
    const QRectF body(box.left() + w * 0.1, box.top() + h * 0.42, w * 0.8, h * 0.32);
    const QRectF sheet(box.left() + w * 0.22, box.top() + h * 0.04, w * 0.56, h * 0.5);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    landscape(p, sheet.adjusted(w * 0.04, h * 0.05, -w * 0.04, -h * 0.05));
    p.setPen(QPen(QColor(50, 50, 50), 1));
    p.setBrush(QColor(150, 155, 165));
    p.drawRoundedRect(body, 4, 4);
    p.setBrush(QColor(110, 115, 125));
    p.drawRect(QRectF(box.left() + w * 0.2, body.bottom() - h * 0.02, w * 0.6, h * 0.14));
    p.setBrush(QColor(80, 200, 90));
    p.drawEllipse(QRectF(body.right() - w * 0.12, body.top() + h * 0.08, w * 0.05, w * 0.05));
}

void screenWithGlobe(QPainter &p, const QRectF &box)
{
    const double w = box.width(), h = box.height();
    const QRectF monitor(box.left() + w * 0.08, box.top() + h * 0.04, w * 0.84, h * 0.7);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(70, 70, 78));
    p.drawRoundedRect(monitor, 3, 3);
    const QRectF screen = monitor.adjusted(w * 0.05, h * 0.06, -w * 0.05, -h * 0.06);
    p.fillRect(screen, QColor(225, 235, 250));
    const double d = screen.height() * 0.86;
    const QRectF globe(screen.center().x() - d / 2, screen.center().y() - d / 2, d, d);
    p.setBrush(QColor(60, 130, 220));
    p.setPen(QPen(QColor(30, 70, 150), 1));
    p.drawEllipse(globe);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 230, 255), 1));
    p.drawEllipse(globe.adjusted(d * 0.25, 0, -d * 0.25, 0));
    p.drawLine(QPointF(globe.left(), globe.center().y()), QPointF(globe.right(), globe.center().y()));
    p.drawLine(QPointF(globe.center().x(), globe.top()), QPointF(globe.center().x(), globe.bottom()));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(90, 90, 98));
    p.drawRect(QRectF(box.center().x() - w * 0.07, monitor.bottom(), w * 0.14, h * 0.12));
    p.drawRoundedRect(QRectF(box.center().x() - w * 0.22, monitor.bottom() + h * 0.12, w * 0.44, h * 0.07), 2, 2);
}

void phone(QPainter &p, const QRectF &box)
{
    const double h = box.height() * 0.94;
    const double w = h * 0.52;
    const QRectF body(box.center().x() - w / 2, box.top() + box.height() * 0.03, w, h);
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(55, 60, 70));
    p.drawRoundedRect(body, w * 0.15, w * 0.15);
    const QRectF screen(body.left() + w * 0.1, body.top() + h * 0.1, w * 0.8, h * 0.55);
    landscape(p, screen);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 155, 165));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.drawRoundedRect(QRectF(body.left() + w * (0.12 + col * 0.27), body.top() + h * (0.72 + row * 0.11),
                                     w * 0.2, h * 0.07),
                              1.5, 1.5);
        }
    }
}

} // namespace

KindPicture::KindPicture(OutputKind kind, QWidget *parent)
    : QAbstractButton(parent), m_kind(kind)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(sizeHint());
}

void KindPicture::draw(QPainter &painter, const QRectF &box, OutputKind kind)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case OutputKind::Print:
        printedPhoto(painter, box);
        break;
    case OutputKind::Web:
        screenWithGlobe(painter, box);
        break;
    case OutputKind::Mobile:
        phone(painter, box);
        break;
    }
    painter.restore();
}

void KindPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    draw(painter, QRectF(rect()).adjusted(2, 2, -2, -2), m_kind);
}

} // namespace quorvel
