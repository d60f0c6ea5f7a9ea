#pragma once

#include "core/print/LengthUnit.h"

#include <QWidget>

#include <optional>

class QComboBox;

namespace quorvel {

class LengthSpinBox;

// A length of the print dialogs: the typed value with its spin arrows and
// the unit list (Pixels, Cm, Mm, Inch), which starts on the user's default
// unit.
class LengthField : public QWidget
{
    Q_OBJECT
public:
    LengthField(double minimum, int defaultUnits, QWidget *parent = nullptr);

    QString value() const;
    void setValue(const QString &text);
    // The chosen unit; none when the list has no selection.
    std::optional<LengthUnit> unit() const;
    void setUnit(LengthUnit unit);

    LengthSpinBox *spinBox() const { return m_spin; }
    QComboBox *unitList() const { return m_units; }

Q_SIGNALS:
    void changed();

private:
    LengthSpinBox *m_spin = nullptr;
    QComboBox *m_units = nullptr;
};

} // namespace quorvel
