#pragma once

#include "core/settings/SettingsStore.h"

#include <QHash>
#include <QVariant>

namespace quorvel {

// A settings store that lives in memory only: for tests, and as the stand-in
// before the real store is installed.
class MemorySettingsStore : public SettingsStore
{
public:
    int readInt(const QString &section, const QString &name, int fallback) const override;
    QString readString(const QString &section, const QString &name,
                       const QString &fallback) const override;
    QByteArray readBytes(const QString &section, const QString &name) const override;
    bool contains(const QString &section, const QString &name) const override;

    void writeInt(const QString &section, const QString &name, int value) override;
    void writeString(const QString &section, const QString &name, const QString &value) override;
    void writeBytes(const QString &section, const QString &name, const QByteArray &value) override;
    void remove(const QString &section, const QString &name) override;

    // Stores any value as it is, so tests can plant values of the wrong type.
    void setRaw(const QString &section, const QString &name, const QVariant &value);
    QVariant raw(const QString &section, const QString &name) const;
    // Every key written, "Section/Name", in the order of first writing.
    QStringList writeOrder() const { return m_order; }
    void clear();

private:
    static QString key(const QString &section, const QString &name) { return section + u'/' + name; }
    void remember(const QString &k);

    QHash<QString, QVariant> m_values;
    QStringList m_order;
};

} // namespace quorvel
