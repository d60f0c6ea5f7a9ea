#pragma once

#include "core/print/OutputFormat.h"

#include <QAbstractButton>

namespace quorvel {

// The pictures beside the three choices of the wizard's first step: a
// printed photograph, a screen with the world on it, a phone. Clicking one
// chooses its kind.
class KindPicture : public QAbstractButton
{
    Q_OBJECT
public:
    explicit KindPicture(OutputKind kind, QWidget *parent = nullptr);

    OutputKind kind() const { return m_kind; }
    QSize sizeHint() const override { return QSize(96, 72); }

    // The picture alone, for any size.
    static void draw(QPainter &painter, const QRectF &box, OutputKind kind);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    OutputKind m_kind;
};

} // namespace quorvel
