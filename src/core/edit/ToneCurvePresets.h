#pragma once

#include <QList>
#include <QPointF>
#include <QString>

namespace quorvel {

// The entries of the curves dialog's preset list, in list order. The first
// entry is the prompt and carries no curve.
class ToneCurvePresets
{
public:
    static constexpr int kPromptData = -2;

    struct Preset
    {
        int data;               // the list item's data: -2 for the prompt, else 0..11
        const char *text;       // English text, for translation in context "ToneCurvePresets"
        QList<QPointF> points;  // empty for the prompt
    };

    static int count();
    // Row 0 .. count() - 1; an out-of-range row gives the prompt.
    static const Preset &at(int row);
    // The translated text of a row.
    static QString text(int row);
};

} // namespace quorvel
