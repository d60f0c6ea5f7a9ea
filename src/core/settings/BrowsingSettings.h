#pragma once

#include <QString>

namespace quorvel {

class SettingsStore;

// Values of the file list and the viewer that live beside the settings
// record in the same store.
namespace settings {

// Seconds a slideshow shows each picture ("Main"/"SlideshowInterval").
inline constexpr int kSlideshowDefaultSeconds = 4;
inline constexpr int kSlideshowMinSeconds = 1;
inline constexpr int kSlideshowMaxSeconds = 3600;
int slideshowSeconds(const SettingsStore &store);
void setSlideshowSeconds(SettingsStore &store, int seconds);

// The file list's sort column, by its key ("DateFld"), and whether the order
// is reversed ("RightPaneColumns"/"SortColumn" and "SortDescending"). An
// empty key is the file name.
QString sortColumnKey(const SettingsStore &store);
bool sortDescending(const SettingsStore &store);
void setSort(SettingsStore &store, const QString &columnKey, bool descending);

} // namespace settings
} // namespace quorvel
