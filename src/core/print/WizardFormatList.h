#pragma once

#include "core/print/OutputFormat.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace quorvel {

// The format list of the wizard's second step: the catalogue's entries for
// the kind of output chosen in the first step, in the order the user's
// default units call for, with "Wallpaper" among the web sizes.
class WizardFormatList
{
public:
    // The item data of "Wallpaper": the pixel custom size, filled with the
    // size of the whole desktop.
    static constexpr int kWallpaper = 4800;

    struct Entry
    {
        QString text;
        int data = 0; // a catalogue index, or kWallpaper
    };

    // The list for a kind; defaultUnits is the stored "DefaultUnits" code.
    static QList<Entry> entries(OutputKind kind, int defaultUnits);

    // The row the list opens on: the entry of the kind's last format, the
    // first row when the list does not hold it.
    static int initialRow(const QList<Entry> &entries, int format);

    // The catalogue index an entry stands for: "Wallpaper" is the pixel
    // custom size; -1 for data outside the catalogue.
    static int formatOf(int data);

    // Whether the width and height fields are shown: for the custom sizes.
    static bool hasSizeFields(int format);

    // One screen as the window system gives it: its place in the desktop in
    // device-independent pixels, and how many device pixels each of them is.
    struct Screen
    {
        QRect geometry;
        qreal devicePixelRatio = 1.0;
    };
    // The size "Wallpaper" fills in: the desktop of all screens in device
    // pixels (at a scale factor of 2 a 3840 x 2160 screen, not 1920 x 1080).
    // Empty without screens.
    static QSize desktopPixels(const QList<Screen> &screens);
};

} // namespace quorvel
