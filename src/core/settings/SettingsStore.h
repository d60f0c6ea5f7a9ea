#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace quorvel {

// The program's persistent settings: named values grouped in sections, as
// integers, texts or opaque byte blocks (window layouts). Reads never fail:
// a value that is missing, or stored with the wrong type, reads as the given
// fallback.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    virtual int readInt(const QString &section, const QString &name, int fallback) const = 0;
    virtual QString readString(const QString &section, const QString &name,
                               const QString &fallback) const = 0;
    virtual QByteArray readBytes(const QString &section, const QString &name) const = 0;
    virtual bool contains(const QString &section, const QString &name) const = 0;

    virtual void writeInt(const QString &section, const QString &name, int value) = 0;
    virtual void writeString(const QString &section, const QString &name, const QString &value) = 0;
    virtual void writeBytes(const QString &section, const QString &name, const QByteArray &value) = 0;
    virtual void remove(const QString &section, const QString &name) = 0;

    // Pushes pending writes to permanent storage.
    virtual void flush() {}
};

// The process-wide store every part of the program reads its settings from.
// Until one is installed, an in-memory store stands in, so nothing ever
// touches the user's settings by accident (tests rely on this).
SettingsStore &settingsStore();
void installSettingsStore(std::unique_ptr<SettingsStore> store);

// Parses a stored integer the way every reader does: optional blanks, an
// optional sign, decimal digits, nothing else, within 32 bits.
bool parseStoredInt(const QString &text, int *value);

} // namespace quorvel
