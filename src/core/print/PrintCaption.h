#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace quorvel {

// A text drawn onto a print (the caption of the final step, the text of an
// index print, the names under its pictures): the text, its font, the height
// of a line in output pixels and its colour.
struct CaptionStyle
{
    QString text;
    QFont font = defaultFont();
    int height = 0; // pixels; 0 draws nothing
    QColor colour = Qt::black;
    // One line only: a text wider than its box is shortened in the middle
    // with an ellipsis instead of wrapping (a file name keeps its end).
    bool singleLine = false;

    // The dialogs' starting face, a serif.
    static QFont defaultFont();
};

// Lays a caption out in a box and draws it: the text wraps at word
// boundaries (inside a word when one word is wider than the box), or stays
// on one line elided in the middle for a single-line style; each line is
// placed by the horizontal alignment, the block of lines by the vertical
// one, and what does not fit the box is clipped.
class PrintCaption
{
public:
    explicit PrintCaption(const CaptionStyle &style) : m_style(style) {}

    // The font at which a line of text (ascent plus descent) is the given
    // number of pixels high.
    static QFont fontForHeight(QFont font, int height);

    // Whether anything would be drawn: text, a height, and a box with room.
    bool drawsIn(const QRectF &box) const;
    // The rectangle the laid-out lines occupy (before clipping); empty when
    // nothing is drawn.
    QRectF boundingRect(const QRectF &box, Qt::Alignment alignment) const;
    void draw(QPainter &painter, const QRectF &box, Qt::Alignment alignment) const;

private:
    QRectF layOut(const QRectF &box, Qt::Alignment alignment, QPainter *painter) const;

    CaptionStyle m_style;
};

} // namespace quorvel
