#include "ui/frame/CommandIcons.h"

#include "ui/frame/CommandIds.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace quorvel {

namespace {

// Pictures are drawn on a 16 x 16 design grid, scaled to the size asked for.
using DrawFunction = void (*)(QPainter &);

const QColor kInk(60, 64, 72);
const QColor kBlue(45, 110, 200);
const QColor kAccent(230, 150, 30);

QPen ink(qreal width = 1.4, QColor colour = kInk)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void arrow(QPainter &p, bool left, bool bar)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    QPolygonF tri;
    if (left)
        tri << QPointF(4, 8) << QPointF(12, 3) << QPointF(12, 13);
    else
        tri << QPointF(12, 8) << QPointF(4, 3) << QPointF(4, 13);
    p.drawPolygon(tri);
    if (bar)
        p.drawRect(left ? QRectF(2, 3, 2, 10) : QRectF(12, 3, 2, 10));
}

void magnifier(QPainter &p, int sign)
{
    p.setPen(ink(1.6));
    p.setBrush(QColor(230, 240, 255));
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    p.setPen(ink(2.4));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    p.setPen(ink(1.4, kBlue));
    if (sign != 0)
        p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
    if (sign > 0)
        p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
}

void letter(QPainter &p, const QString &text, QColor colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 16, 16.5), Qt::AlignCenter, text);
}

void folderShape(QPainter &p)
{
    p.setPen(ink(1.0));
    p.setBrush(QColor(245, 200, 90));
    QPainterPath path;
    path.moveTo(1.5, 4);
    path.lineTo(6, 4);
    path.lineTo(7.5, 5.5);
    path.lineTo(14.5, 5.5);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    p.drawPath(path);
}

void drawAddFolder(QPainter &p)
{
    folderShape(p);
    p.setPen(ink(1.8, QColor(30, 140, 60)));
    p.drawLine(QPointF(8, 9.5), QPointF(13, 9.5));
    p.drawLine(QPointF(10.5, 7), QPointF(10.5, 12));
}

void drawFavourite(QPainter &p)
{
    folderShape(p);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 1.8 : 4.0;
        const double a = -M_PI / 2 + i * M_PI / 5;
        star << QPointF(9.5 + r * std::cos(a), 9.8 + r * std::sin(a));
    }
    p.setPen(ink(0.7, QColor(150, 90, 0)));
    p.setBrush(QColor(255, 235, 80));
    p.drawPolygon(star);
}

void drawEditor(QPainter &p)
{
    p.setPen(ink(1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 9, 13));
    p.setPen(ink(2.2, kAccent));
    p.drawLine(QPointF(6, 12), QPointF(13.5, 4.5));
    p.setPen(ink(1.0));
    p.drawLine(QPointF(5, 13), QPointF(6, 12));
}

void drawFullScreen(QPainter &p)
{
    p.setPen(ink(1.0));
    p.setBrush(QColor(230, 240, 255));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(ink(1.5, kBlue));
    for (const auto &c : {QPointF(4, 5), QPointF(12, 5), QPointF(4, 11), QPointF(12, 11)}) {
        const double dx = c.x() < 8 ? 2.5 : -2.5, dy = c.y() < 8 ? 2 : -2;
        p.drawLine(c, c + QPointF(dx, 0));
        p.drawLine(c, c + QPointF(0, dy));
    }
}

void drawPrint(QPainter &p)
{
    p.setPen(ink(1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(190, 195, 205));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
}

void drawIndexPrint(QPainter &p)
{
    p.setPen(ink(0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(QColor(120, 170, 230));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRect(QRectF(3 + c * 3.7, 3 + r * 3.7, 2.6, 2.6));
}

void drawRotate(QPainter &p)
{
    p.setPen(ink(1.8, kBlue));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 3, 10, 10), 30 * 16, 270 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF() << QPointF(11, 1.5) << QPointF(15, 5.5) << QPointF(10, 6.5));
}

void drawDelete(QPainter &p)
{
    p.setPen(ink(2.4, QColor(200, 40, 40)));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void drawRename(QPainter &p)
{
    p.setPen(ink(1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 4.5, 13, 7));
    p.setPen(ink(1.2, kBlue));
    p.drawLine(QPointF(4, 6.5), QPointF(4, 9.5));
    p.drawLine(QPointF(6, 8), QPointF(11, 8));
}

void drawVersions(QPainter &p)
{
    p.setPen(ink(0.9));
    for (int i = 2; i >= 0; --i) {
        p.setBrush(i == 0 ? Qt::white : QColor(210, 215, 225));
        p.drawRect(QRectF(2.5 + i * 2, 1.5 + i * 2, 8, 9));
    }
}

void drawWallpaper(QPainter &p)
{
    p.setPen(ink(1.0));
    p.setBrush(QColor(140, 190, 240));
    p.drawRect(QRectF(1.5, 2.5, 13, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 140, 70));
    p.drawPolygon(QPolygonF() << QPointF(2, 11) << QPointF(6, 6) << QPointF(9, 9) << QPointF(11, 7) << QPointF(14, 11));
    p.setPen(ink(1.2));
    p.drawLine(QPointF(6, 14), QPointF(10, 14));
    p.drawLine(QPointF(8, 12), QPointF(8, 14));
}

void drawStatistics(QPainter &p)
{
    p.setPen(ink(1.0));
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.setPen(Qt::NoPen);
    const double h[] = {5, 9, 12, 7};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i % 2 ? kBlue : kAccent);
        p.drawRect(QRectF(2.5 + i * 3, 14 - h[i], 2.3, h[i]));
    }
}

void drawHistogram(QPainter &p)
{
    p.setPen(Qt::NoPen);
    const QColor colours[] = {QColor(220, 60, 60, 200), QColor(60, 170, 60, 200), QColor(60, 90, 220, 200)};
    for (int c = 0; c < 3; ++c) {
        QPainterPath path;
        path.moveTo(1, 14.5);
        for (int x = 0; x <= 14; ++x)
            path.lineTo(1 + x, 14.5 - (4 + 8 * std::exp(-std::pow((x - 4 - 3 * c) / 2.5, 2))));
        path.lineTo(15, 14.5);
        path.closeSubpath();
        p.setBrush(colours[c]);
        p.drawPath(path);
    }
}

void drawAllColours(QPainter &p)
{
    QConicalGradient g(QPointF(8, 8), 90);
    for (int i = 0; i <= 6; ++i)
        g.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 220, 240));
    p.setPen(ink(0.8));
    p.setBrush(g);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
}

void drawRed(QPainter &p)
{
    letter(p, QStringLiteral("R"), QColor(210, 40, 40));
}

void drawGreen(QPainter &p)
{
    letter(p, QStringLiteral("G"), QColor(30, 150, 50));
}

void drawBlue(QPainter &p)
{
    letter(p, QStringLiteral("B"), QColor(40, 80, 210));
}

void drawAllChannels(QPainter &p)
{
    p.setPen(Qt::NoPen);
    const QColor c[] = {QColor(150, 150, 150), QColor(210, 40, 40), QColor(30, 150, 50), QColor(40, 80, 210)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(c[i]);
        p.drawRect(QRectF(1.5 + (i % 2) * 7, 1.5 + (i / 2) * 7, 6, 6));
    }
}

void drawOverexposure(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setClipRect(QRectF(1.5, 1.5, 13, 13));
    p.setPen(ink(1.6, QColor(255, 60, 60)));
    for (int k = -12; k < 16; k += 4)
        p.drawLine(QPointF(k, 16), QPointF(k + 16, 0));
}

void drawFirst(QPainter &p) { arrow(p, true, true); }
void drawPrevious(QPainter &p) { arrow(p, true, false); }
void drawNext(QPainter &p) { arrow(p, false, false); }
void drawLast(QPainter &p) { arrow(p, false, true); }
void drawZoomIn(QPainter &p) { magnifier(p, 1); }
void drawZoomOut(QPainter &p) { magnifier(p, -1); }

void drawFullSize(QPainter &p)
{
    magnifier(p, 0);
    QFont font = p.font();
    font.setPixelSize(5);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kBlue);
    p.drawText(QRectF(2, 4, 9, 5), Qt::AlignCenter, QStringLiteral("1:1"));
}

void drawFitWidth(QPainter &p)
{
    p.setPen(ink(1.0));
    p.setBrush(QColor(230, 240, 255));
    p.drawRect(QRectF(2.5, 3.5, 11, 9));
    p.setPen(ink(1.4, kBlue));
    p.drawLine(QPointF(4, 8), QPointF(12, 8));
    p.drawLine(QPointF(4, 8), QPointF(6, 6));
    p.drawLine(QPointF(4, 8), QPointF(6, 10));
    p.drawLine(QPointF(12, 8), QPointF(10, 6));
    p.drawLine(QPointF(12, 8), QPointF(10, 10));
}

void drawLock(QPainter &p)
{
    p.setPen(ink(1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 1.5, 7, 9), 0, 180 * 16);
    p.drawLine(QPointF(4.5, 6), QPointF(4.5, 7.5));
    p.drawLine(QPointF(11.5, 6), QPointF(11.5, 7.5));
    p.setPen(ink(1.0));
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(3, 7.5, 10, 7), 1.2, 1.2);
}

void drawAbout(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(8, 8), 7, 7);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 4.6), 1.2, 1.2);
    p.drawRoundedRect(QRectF(7, 6.8, 2, 6), 0.8, 0.8);
}

void drawRefresh(QPainter &p)
{
    p.setPen(ink(1.8, QColor(30, 140, 60)));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 290 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 140, 60));
    p.drawPolygon(QPolygonF() << QPointF(9, 0.5) << QPointF(13.5, 3) << QPointF(9, 6));
}

struct IconInfo
{
    int id;
    const char *themeName;
    DrawFunction draw;
};

const IconInfo kIcons[] = {
    {cmd::AddCurrentFolder, "bookmark-new", drawAddFolder},
    {cmd::GoToFavourite, "user-bookmarks", drawFavourite},
    {cmd::EditExternal, "document-edit", drawEditor},
    {cmd::FullScreen, "view-fullscreen", drawFullScreen},
    {cmd::PrepareFile, "document-print", drawPrint},
    {cmd::IndexPrint, "document-print-preview", drawIndexPrint},
    {cmd::RotateFlip, "object-rotate-right", drawRotate},
    {cmd::DeleteFile, "edit-delete", drawDelete},
    {cmd::RenameFile, "edit-rename", drawRename},
    {cmd::VersionControl, "document-save-as", drawVersions},
    {cmd::Wallpaper, "preferences-desktop-wallpaper", drawWallpaper},
    {cmd::ExifStatistics, "document-properties", drawStatistics},
    {cmd::FirstImage, "go-first", drawFirst},
    {cmd::PreviousImage, "go-previous", drawPrevious},
    {cmd::NextImage, "go-next", drawNext},
    {cmd::LastImage, "go-last", drawLast},
    {cmd::ZoomIn, "zoom-in", drawZoomIn},
    {cmd::ZoomOut, "zoom-out", drawZoomOut},
    {cmd::FullSize, "zoom-original", drawFullSize},
    {cmd::FitWidth, "zoom-fit-width", drawFitWidth},
    {cmd::LockZoom, "object-locked", drawLock},
    {cmd::Histogram, nullptr, drawHistogram},
    {cmd::AllColours, nullptr, drawAllColours},
    {cmd::ChannelRed, nullptr, drawRed},
    {cmd::ChannelGreen, nullptr, drawGreen},
    {cmd::ChannelBlue, nullptr, drawBlue},
    {cmd::AllChannels, nullptr, drawAllChannels},
    {cmd::Overexposure, nullptr, drawOverexposure},
    {cmd::About, "help-about", drawAbout},
    {cmd::RefreshList, "view-refresh", drawRefresh},
};

const IconInfo *infoFor(int id)
{
    for (const IconInfo &info : kIcons) {
        if (info.id == id)
            return &info;
    }
    return nullptr;
}

// Paints a design-grid picture at any size, sharp at any pixel ratio.
class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(DrawFunction draw) : m_draw(draw) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setRenderHint(QPainter::TextAntialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.35);
        m_draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pm(size * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter painter(&pm);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QIconEngine *clone() const override { return new DrawnIconEngine(m_draw); }

private:
    DrawFunction m_draw;
};

} // namespace

QIcon drawnCommandIcon(int commandId)
{
    const IconInfo *info = infoFor(commandId);
    return info ? QIcon(new DrawnIconEngine(info->draw)) : QIcon();
}

QIcon commandIcon(int commandId)
{
    const IconInfo *info = infoFor(commandId);
    if (!info)
        return QIcon();
    if (info->themeName && QIcon::hasThemeIcon(QString::fromLatin1(info->themeName)))
        return QIcon::fromTheme(QString::fromLatin1(info->themeName));
    return drawnCommandIcon(commandId);
}

} // namespace quorvel
