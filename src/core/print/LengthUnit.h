#pragma once

#include "core/settings/AppSettings.h"

#include <QList>
#include <QString>

namespace quorvel {

// The unit of a typed length in the print dialogs. The values are the unit
// lists' item data and the codes stored in "DefaultUnits".
enum class LengthUnit : int {
    Pixels = UnitPixels,
    Centimetres = UnitCentimetres,
    Inches = UnitInches,
    Millimetres = UnitMillimetres,
};

// "Pixels", "Cm", "Inch", "Mm", translated.
QString lengthUnitText(LengthUnit unit);

// The order of every unit list: Pixels, Cm, Mm, Inch.
const QList<LengthUnit> &lengthUnitListOrder();

// The row a unit list starts on for the stored "DefaultUnits" code; the
// first row when no unit has that code.
int lengthUnitStartRow(int storedUnitCode);

} // namespace quorvel
