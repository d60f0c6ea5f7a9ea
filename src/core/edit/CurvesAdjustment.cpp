#include "core/edit/CurvesAdjustment.h"

#include "core/edit/ToneCurvePresets.h"

namespace quorvel {

bool CurvesAdjustment::choosePreset(int row)
{
    if (row < 0 || row >= ToneCurvePresets::count())
        return false;
    m_row = row;
    m_modified = true;
    const auto &preset = ToneCurvePresets::at(row);
    if (!preset.points.isEmpty())
        m_curve.setPoints(preset.points);
    return true;
}

void CurvesAdjustment::reset()
{
    m_curve.reset();
    m_row = 0;
    m_modified = true;
}

QImage CurvesAdjustment::workingCopy(const QImage &edited) const
{
    QImage working = edited.copy();
    m_curve.apply(working);
    return working;
}

bool CurvesAdjustment::accept(QImage &edited) const
{
    if (!m_modified)
        return false;
    m_curve.apply(edited);
    return true;
}

} // namespace quorvel
