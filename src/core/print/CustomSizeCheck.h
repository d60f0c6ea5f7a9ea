#pragma once

#include <QString>

namespace quorvel {

// The check of a typed custom size (the size dialog's OK, and "Next >" in
// step 2 of the wizard): commas become points, then both values must reach
// the entry's minimum (10 pixels, 1 cm, 0.2 inch) and stay within a sane
// maximum. Entries other than the three custom ones always pass.
struct CustomSizeCheck
{
    enum class Field { None, Width, Height };

    bool accepted = true;
    QString widthText;  // the texts with commas replaced, to show again
    QString heightText;
    float width = 0;    // the values as typed, in the entry's unit
    float height = 0;
    QString message;    // why not accepted, translated (caption "Warning")
    Field focus = Field::None; // the field to put the focus in

    static CustomSizeCheck validate(int formatIndex, const QString &width, const QString &height);
};

} // namespace quorvel
