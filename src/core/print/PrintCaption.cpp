#include "core/print/PrintCaption.h"

#include "core/common/Rounding.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace quorvel {

QFont CaptionStyle::defaultFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    return font;
}

QFont PrintCaption::fontForHeight(QFont font, int height)
{
    height = std::max(1, height);
    font.setPixelSize(height);
    const QFontMetricsF metrics(font);
    const double line = metrics.ascent() + metrics.descent();
    if (line > 0)
        font.setPixelSize(std::max(1, int(roundHalfDown(double(height) * height / line))));
    return font;
}

bool PrintCaption::drawsIn(const QRectF &box) const
{
    return !m_style.text.isEmpty() && m_style.height > 0 && box.width() >= 1 && box.height() >= 1;
}

QRectF PrintCaption::boundingRect(const QRectF &box, Qt::Alignment alignment) const
{
    return layOut(box, alignment, nullptr);
}

void PrintCaption::draw(QPainter &painter, const QRectF &box, Qt::Alignment alignment) const
{
    layOut(box, alignment, &painter);
}

QRectF PrintCaption::layOut(const QRectF &box, Qt::Alignment alignment, QPainter *painter) const
{
    if (!drawsIn(box))
        return QRectF();
    const QFont font = fontForHeight(m_style.font, m_style.height);
    QString text = m_style.text;
    text.remove(QLatin1Char('\r'));
    if (m_style.singleLine) {
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text = QFontMetricsF(font).elidedText(text, Qt::ElideMiddle, box.width());
    } else {
        text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    }

    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(m_style.singleLine ? QTextOption::NoWrap : QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);

    std::vector<QTextLine> lines;
    double total = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        total += line.height();
        lines.push_back(line);
        // Lines far below the box can never show.
        if (total > box.height() + 4 * line.height() && !(alignment & Qt::AlignBottom))
            break;
    }
    layout.endLayout();

    double y = box.top();
    if (alignment & Qt::AlignBottom)
        y = box.bottom() - total;
    else if (alignment & Qt::AlignVCenter)
        y = box.top() + (box.height() - total) / 2;

    QRectF bounds;
    for (QTextLine &line : lines) {
        const double w = line.naturalTextWidth();
        double x = box.left();
        if (alignment & Qt::AlignRight)
            x = box.right() - w;
        else if (alignment & Qt::AlignHCenter)
            x = box.left() + (box.width() - w) / 2;
        line.setPosition(QPointF(x, y));
        bounds = bounds.united(QRectF(x, y, w, line.height()));
        y += line.height();
    }

    if (painter) {
        painter->save();
        painter->setClipRect(box, Qt::IntersectClip);
        painter->setPen(m_style.colour);
        layout.draw(painter, QPointF(0, 0));
        painter->restore();
    }
    return bounds;
}

} // namespace quorvel
