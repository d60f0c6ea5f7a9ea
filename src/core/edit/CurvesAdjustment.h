#pragma once

#include "core/edit/ToneCurve.h"

#include <QImage>

namespace quorvel {

// What the "Image adjustment" dialog decides, without its widgets: the
// chosen preset, the curve, the modified flag, the preview picture and the
// result. The dialog forwards its list, "Reset" and OK to it.
class CurvesAdjustment
{
public:
    // The list on its first entry, the straight curve, not modified.
    CurvesAdjustment() = default;

    // A selection change of the preset list. Any choice marks the dialog as
    // modified; the prompt entry keeps the current curve. Returns false and
    // changes nothing for a row outside the list.
    bool choosePreset(int row);

    // The straight curve again and the list back on its first entry; this
    // too counts as a change.
    void reset();

    int presetRow() const { return m_row; }
    bool isModified() const { return m_modified; }
    const ToneCurve &curve() const { return m_curve; }

    // The working copy for the preview: the edited image with the curve
    // applied (an unchanged copy for a straight curve).
    QImage workingCopy(const QImage &edited) const;

    // OK: when modified, applies the curve to the edited image and returns
    // true (the dialog accepts); otherwise leaves it alone and returns false
    // (the dialog ends as cancelled).
    bool accept(QImage &edited) const;

private:
    ToneCurve m_curve;
    int m_row = 0;
    bool m_modified = false;
};

} // namespace quorvel
