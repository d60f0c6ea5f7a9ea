#pragma once

#include <QList>
#include <QRect>

class QDockWidget;
class QMainWindow;

namespace quorvel {

class SettingsStore;
struct AppSettings;

// Persistence of the main window's docking layout and pane sizes.
namespace paneLayout {

inline constexpr int kTreePaneId = 123;
inline constexpr int kFilesPaneId = 124;

// Section holding one pane's sizes, "BarState-SCBar-123".
QString paneSection(int paneId);

// Writes the dock layout under "BarStates" and the size of each pane (in its
// current docking state) under its own section. Panes are found by their
// "paneId" property.
void save(const QMainWindow &window, SettingsStore &store);
// Restores what save wrote; returns false when nothing usable was stored.
bool restore(QMainWindow &window, const SettingsStore &store);

// The stored window rectangle, made usable: a rectangle with a width or
// height below the minimum, or one that no screen shows enough of to grab,
// gives way to the default size on the first screen.
QRect usableWindowRect(const AppSettings &settings, const QList<QRect> &screens);

// Whether a window rectangle was ever stored (else this is the first start).
bool hasStoredWindowRect(const SettingsStore &store);
// The window at the first start: four fifths of the screen's width and
// height, centred on it.
QRect firstStartRect(const QRect &screen);

} // namespace paneLayout
} // namespace quorvel
