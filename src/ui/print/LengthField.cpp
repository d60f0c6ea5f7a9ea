#include "ui/print/LengthField.h"

#include "ui/print/LengthSpinBox.h"

#include <QComboBox>
#include <QHBoxLayout>

namespace quorvel {

LengthField::LengthField(double minimum, int defaultUnits, QWidget *parent)
    : QWidget(parent)
{
    m_spin = new LengthSpinBox(minimum, this);
    m_units = new QComboBox(this);
    for (LengthUnit u : lengthUnitListOrder())
        m_units->addItem(lengthUnitText(u), int(u));
    m_units->setCurrentIndex(lengthUnitStartRow(defaultUnits));
    if (const auto u = unit())
        m_spin->setUnit(*u);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_spin, 1);
    layout->addWidget(m_units);

    connect(m_spin, &LengthSpinBox::changed, this, &LengthField::changed);
    connect(m_units, &QComboBox::currentIndexChanged, this, [this] {
        if (const auto u = unit())
            m_spin->setUnit(*u);
        Q_EMIT changed();
    });
}

QString LengthField::value() const
{
    return m_spin->value();
}

void LengthField::setValue(const QString &text)
{
    m_spin->setValue(text);
}

std::optional<LengthUnit> LengthField::unit() const
{
    if (m_units->currentIndex() < 0)
        return std::nullopt;
    return LengthUnit(m_units->currentData().toInt());
}

void LengthField::setUnit(LengthUnit unit)
{
    const int row = m_units->findData(int(unit));
    if (row >= 0)
        m_units->setCurrentIndex(row);
}

} // namespace quorvel
