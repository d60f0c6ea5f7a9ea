#include "core/print/LengthUnit.h"

#include <QCoreApplication>

namespace quorvel {

QString lengthUnitText(LengthUnit unit)
{
    switch (unit) {
    case LengthUnit::Pixels:
        return QCoreApplication::translate("LengthUnit", "Pixels");
    case LengthUnit::Centimetres:
        return QCoreApplication::translate("LengthUnit", "Cm");
    case LengthUnit::Inches:
        return QCoreApplication::translate("LengthUnit", "Inch");
    case LengthUnit::Millimetres:
        return QCoreApplication::translate("LengthUnit", "Mm");
    }
    return QString();
}

const QList<LengthUnit> &lengthUnitListOrder()
{
    static const QList<LengthUnit> order{LengthUnit::Pixels, LengthUnit::Centimetres,
                                         LengthUnit::Millimetres, LengthUnit::Inches};
    return order;
}

int lengthUnitStartRow(int storedUnitCode)
{
    const auto &order = lengthUnitListOrder();
    for (int row = 0; row < order.size(); ++row)
        if (int(order[row]) == storedUnitCode)
            return row;
    return 0;
}

} // namespace quorvel
