#include "core/settings/BrowsingSettings.h"

#include "core/settings/SettingsStore.h"

#include <QtGlobal>

namespace quorvel::settings {

namespace {
const QString kMain = QStringLiteral("Main");
const QString kColumns = QStringLiteral("RightPaneColumns");
} // namespace

int slideshowSeconds(const SettingsStore &store)
{
    const int seconds = store.readInt(kMain, QStringLiteral("SlideshowInterval"), kSlideshowDefaultSeconds);
    return qBound(kSlideshowMinSeconds, seconds, kSlideshowMaxSeconds);
}

void setSlideshowSeconds(SettingsStore &store, int seconds)
{
    store.writeInt(kMain, QStringLiteral("SlideshowInterval"), qBound(kSlideshowMinSeconds, seconds, kSlideshowMaxSeconds));
}

QString sortColumnKey(const SettingsStore &store)
{
    return store.readString(kColumns, QStringLiteral("SortColumn"), QString());
}

bool sortDescending(const SettingsStore &store)
{
    return store.readInt(kColumns, QStringLiteral("SortDescending"), 0) != 0;
}

void setSort(SettingsStore &store, const QString &columnKey, bool descending)
{
    store.writeString(kColumns, QStringLiteral("SortColumn"), columnKey);
    store.writeInt(kColumns, QStringLiteral("SortDescending"), descending ? 1 : 0);
}

} // namespace quorvel::settings
