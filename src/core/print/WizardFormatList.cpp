#include "core/print/WizardFormatList.h"

#include "core/print/FormatCatalogue.h"
#include "core/settings/AppSettings.h"

#include <QCoreApplication>

namespace quorvel {

QList<WizardFormatList::Entry> WizardFormatList::entries(OutputKind kind, int defaultUnits)
{
    const FormatCatalogue catalogue;
    QList<Entry> list;
    const auto shortNames = [&](int from, int to) {
        for (int i = from; i <= to; ++i)
            list.append({catalogue.at(i).shortName, i});
    };
    const auto longNames = [&](int from, int to) {
        for (int i = from; i <= to; ++i)
            list.append({catalogue.at(i).longName, i});
    };
    switch (kind) {
    case OutputKind::Print:
        // Whoever measures in inches finds the inch papers first.
        if (defaultUnits == UnitInches) {
            longNames(15, 34);
            shortNames(0, 14);
            shortNames(FormatCatalogue::kCustomInch, FormatCatalogue::kCustomInch);
            shortNames(FormatCatalogue::kCustomCm, FormatCatalogue::kCustomCm);
        } else {
            shortNames(0, 14);
            longNames(15, 34);
            shortNames(FormatCatalogue::kCustomCm, FormatCatalogue::kCustomCm);
            shortNames(FormatCatalogue::kCustomInch, FormatCatalogue::kCustomInch);
        }
        break;
    case OutputKind::Web:
        longNames(44, 47);
        list.append({QCoreApplication::translate("WizardFormatList", "Wallpaper"), kWallpaper});
        longNames(FormatCatalogue::kCustomPixels, FormatCatalogue::kCustomPixels);
        break;
    case OutputKind::Mobile:
        longNames(35, 43);
        break;
    }
    return list;
}

int WizardFormatList::initialRow(const QList<Entry> &entries, int format)
{
    for (int row = 0; row < entries.size(); ++row) {
        if (entries[row].data == format)
            return row;
    }
    return entries.isEmpty() ? -1 : 0;
}

int WizardFormatList::formatOf(int data)
{
    if (data == kWallpaper)
        return FormatCatalogue::kCustomPixels;
    return FormatCatalogue::isValidIndex(data) ? data : -1;
}

bool WizardFormatList::hasSizeFields(int format)
{
    return FormatCatalogue::isCustom(format);
}

} // namespace quorvel

namespace quorvel {

QSize WizardFormatList::desktopPixels(const QList<Screen> &screens)
{
    // Each screen's corner and size scaled by its own ratio; the desktop is
    // the rectangle around them all.
    QRect desktop;
    for (const Screen &screen : screens) {
        const qreal ratio = screen.devicePixelRatio > 0 ? screen.devicePixelRatio : 1.0;
        const QRect g = screen.geometry;
        const QRect device(QPoint(qRound(g.x() * ratio), qRound(g.y() * ratio)),
                           QSize(qRound(g.width() * ratio), qRound(g.height() * ratio)));
        desktop = desktop.united(device);
    }
    return desktop.size();
}

} // namespace quorvel
