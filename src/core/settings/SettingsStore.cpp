#include "core/settings/SettingsStore.h"

#include "core/settings/MemorySettingsStore.h"

namespace quorvel {

namespace {
std::unique_ptr<SettingsStore> &storeSlot()
{
    static std::unique_ptr<SettingsStore> store = std::make_unique<MemorySettingsStore>();
    return store;
}
} // namespace

SettingsStore &settingsStore()
{
    return *storeSlot();
}

void installSettingsStore(std::unique_ptr<SettingsStore> store)
{
    if (store)
        storeSlot() = std::move(store);
}

bool parseStoredInt(const QString &text, int *value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (ok && value)
        *value = v;
    return ok;
}

} // namespace quorvel
