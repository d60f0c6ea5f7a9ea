#pragma once

#include "core/settings/SettingsStore.h"

#include <QSettings>

#include <memory>

namespace quorvel {

// The real settings store over QSettings: the registry on Windows, an INI
// file in the user's configuration folder on Linux, or an INI file of the
// caller's choice.
class QSettingsStore : public SettingsStore
{
public:
    // The user's own settings, organisation "Quorvel", application "Quorvel".
    QSettingsStore();
    // Settings kept in the given INI file instead.
    explicit QSettingsStore(const QString &iniFile);
    ~QSettingsStore() override;

    int readInt(const QString &section, const QString &name, int fallback) const override;
    QString readString(const QString &section, const QString &name,
                       const QString &fallback) const override;
    QByteArray readBytes(const QString &section, const QString &name) const override;
    bool contains(const QString &section, const QString &name) const override;

    void writeInt(const QString &section, const QString &name, int value) override;
    void writeString(const QString &section, const QString &name, const QString &value) override;
    void writeBytes(const QString &section, const QString &name, const QByteArray &value) override;
    void remove(const QString &section, const QString &name) override;
    void flush() override;

    QString fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

// The environment variable that points the program at another settings file.
inline constexpr char kSettingsFileEnv[] = "QUORVEL_SETTINGS";

} // namespace quorvel
