#pragma once

#include "core/print/LengthUnit.h"

#include <QAbstractSpinBox>

namespace quorvel {

// A typed length with spin arrows. The text stays as the user typed it;
// one step moves it by a tenth (cm, inches) or by one (pixels, mm), rounds
// it to a tenth and writes it back, unless the result would fall below the
// field's minimum.
class LengthSpinBox : public QAbstractSpinBox
{
    Q_OBJECT
public:
    explicit LengthSpinBox(double minimum, QWidget *parent = nullptr);

    QString value() const;
    void setValue(const QString &text);
    LengthUnit unit() const { return m_unit; }
    void setUnit(LengthUnit unit) { m_unit = unit; }

    void stepBy(int steps) override;

Q_SIGNALS:
    // The text changed, by typing or by a step.
    void changed();

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

private:
    double m_minimum;
    LengthUnit m_unit = LengthUnit::Centimetres;
};

} // namespace quorvel
