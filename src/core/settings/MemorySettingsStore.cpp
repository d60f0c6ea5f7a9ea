#include "core/settings/MemorySettingsStore.h"

namespace quorvel {

int MemorySettingsStore::readInt(const QString &section, const QString &name, int fallback) const
{
    const auto it = m_values.constFind(key(section, name));
    if (it == m_values.constEnd())
        return fallback;
    if (it->typeId() == QMetaType::Int)
        return it->toInt();
    if (it->typeId() == QMetaType::QString) {
        int v = 0;
        return parseStoredInt(it->toString(), &v) ? v : fallback;
    }
    return fallback;
}

QString MemorySettingsStore::readString(const QString &section, const QString &name,
                                        const QString &fallback) const
{
    const auto it = m_values.constFind(key(section, name));
    if (it == m_values.constEnd())
        return fallback;
    if (it->typeId() == QMetaType::QString)
        return it->toString();
    if (it->typeId() == QMetaType::Int)
        return QString::number(it->toInt());
    return fallback;
}

QByteArray MemorySettingsStore::readBytes(const QString &section, const QString &name) const
{
    const auto it = m_values.constFind(key(section, name));
    if (it == m_values.constEnd() || it->typeId() != QMetaType::QByteArray)
        return {};
    return it->toByteArray();
}

bool MemorySettingsStore::contains(const QString &section, const QString &name) const
{
    return m_values.contains(key(section, name));
}

void MemorySettingsStore::writeInt(const QString &section, const QString &name, int value)
{
    setRaw(section, name, value);
}

void MemorySettingsStore::writeString(const QString &section, const QString &name, const QString &value)
{
    setRaw(section, name, value);
}

void MemorySettingsStore::writeBytes(const QString &section, const QString &name, const QByteArray &value)
{
    setRaw(section, name, value);
}

void MemorySettingsStore::remove(const QString &section, const QString &name)
{
    m_values.remove(key(section, name));
}

void MemorySettingsStore::setRaw(const QString &section, const QString &name, const QVariant &value)
{
    const QString k = key(section, name);
    remember(k);
    m_values.insert(k, value);
}

QVariant MemorySettingsStore::raw(const QString &section, const QString &name) const
{
    return m_values.value(key(section, name));
}

void MemorySettingsStore::clear()
{
    m_values.clear();
    m_order.clear();
}

void MemorySettingsStore::remember(const QString &k)
{
    if (!m_order.contains(k))
        m_order.append(k);
}

} // namespace quorvel
