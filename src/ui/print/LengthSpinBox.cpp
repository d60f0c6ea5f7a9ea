#include "ui/print/LengthSpinBox.h"

#include "core/print/LengthConversion.h"

#include <QLineEdit>

namespace quorvel {

LengthSpinBox::LengthSpinBox(double minimum, QWidget *parent)
    : QAbstractSpinBox(parent), m_minimum(minimum)
{
    setAccelerated(true);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textChanged, this, &LengthSpinBox::changed);
}

QString LengthSpinBox::value() const
{
    return lineEdit()->text();
}

void LengthSpinBox::setValue(const QString &text)
{
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

void LengthSpinBox::stepBy(int steps)
{
    const int direction = steps < 0 ? -1 : 1;
    for (int i = 0; i < std::abs(steps); ++i) {
        const auto next = LengthConversion::spinStep(value(), m_unit, direction, m_minimum);
        if (!next)
            break;
        setValue(*next);
    }
}

QAbstractSpinBox::StepEnabled LengthSpinBox::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

QValidator::State LengthSpinBox::validate(QString &, int &) const
{
    // Any text may be typed; what is not a number counts as nothing.
    return QValidator::Acceptable;
}

void LengthSpinBox::fixup(QString &) const
{
}

} // namespace quorvel
