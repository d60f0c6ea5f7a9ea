#include "core/edit/ToneCurvePresets.h"

#include <QCoreApplication>

namespace quorvel {

namespace {

using Preset = ToneCurvePresets::Preset;

const QList<Preset> &presets()
{
    static const QList<Preset> list{
        {ToneCurvePresets::kPromptData, QT_TRANSLATE_NOOP("ToneCurvePresets", "Click here to select..."), {}},
        {0, QT_TRANSLATE_NOOP("ToneCurvePresets", "None"), {{0, 0}, {255, 255}}},
        {1, QT_TRANSLATE_NOOP("ToneCurvePresets", "Little dark"), {{0, 0}, {122, 102}, {255, 255}}},
        {2, QT_TRANSLATE_NOOP("ToneCurvePresets", "Dark"), {{0, 0}, {122, 82}, {255, 255}}},
        {3, QT_TRANSLATE_NOOP("ToneCurvePresets", "Dark more"), {{0, 0}, {122, 62}, {255, 255}}},
        {4, QT_TRANSLATE_NOOP("ToneCurvePresets", "Little bright"), {{0, 0}, {122, 142}, {255, 255}}},
        {5, QT_TRANSLATE_NOOP("ToneCurvePresets", "Bright"), {{0, 0}, {122, 162}, {255, 255}}},
        {6, QT_TRANSLATE_NOOP("ToneCurvePresets", "Bright more"), {{0, 0}, {122, 182}, {255, 255}}},
        {7, QT_TRANSLATE_NOOP("ToneCurvePresets", "High contrast"), {{0, 0}, {60, 45}, {184, 220}, {255, 255}}},
        {8, QT_TRANSLATE_NOOP("ToneCurvePresets", "Low contrast"), {{0, 0}, {60, 80}, {184, 140}, {255, 255}}},
        {9, QT_TRANSLATE_NOOP("ToneCurvePresets", "Lighten shadows"), {{0, 0}, {35, 60}, {75, 90}, {255, 255}}},
        {10, QT_TRANSLATE_NOOP("ToneCurvePresets", "Darken highlights"), {{0, 0}, {184, 171}, {220, 200}, {255, 255}}},
        {11, QT_TRANSLATE_NOOP("ToneCurvePresets", "Invert"), {{0, 255}, {122, 122}, {255, 0}}},
    };
    return list;
}

} // namespace

int ToneCurvePresets::count()
{
    return int(presets().size());
}

const ToneCurvePresets::Preset &ToneCurvePresets::at(int row)
{
    const auto &list = presets();
    return row >= 0 && row < list.size() ? list[row] : list[0];
}

QString ToneCurvePresets::text(int row)
{
    return QCoreApplication::translate("ToneCurvePresets", at(row).text);
}

} // namespace quorvel
