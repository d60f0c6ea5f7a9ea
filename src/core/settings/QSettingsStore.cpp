#include "core/settings/QSettingsStore.h"

#include <QStringList>

namespace quorvel {

namespace {
QString key(const QString &section, const QString &name)
{
    return section + u'/' + name;
}
} // namespace

QSettingsStore::QSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Quorvel"), QStringLiteral("Quorvel")))
{
}

QSettingsStore::QSettingsStore(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

QSettingsStore::~QSettingsStore()
{
    m_settings->sync();
}

int QSettingsStore::readInt(const QString &section, const QString &name, int fallback) const
{
    const QVariant v = m_settings->value(key(section, name));
    if (!v.isValid())
        return fallback;
    switch (v.typeId()) {
    case QMetaType::Int:
        return v.toInt();
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        // Registry numbers are 32 bits; anything wider is not one of ours.
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        return ok && n >= INT_MIN && n <= INT_MAX ? int(n) : fallback;
    }
    case QMetaType::QString: {
        int n = 0;
        return parseStoredInt(v.toString(), &n) ? n : fallback;
    }
    default:
        return fallback;
    }
}

QString QSettingsStore::readString(const QString &section, const QString &name,
                                   const QString &fallback) const
{
    const QVariant v = m_settings->value(key(section, name));
    if (!v.isValid())
        return fallback;
    switch (v.typeId()) {
    case QMetaType::QString:
        return v.toString();
    case QMetaType::QStringList:
        // An INI line edited by hand with bare commas comes back as a list.
        return v.toStringList().join(u',');
    default:
        return fallback;
    }
}

QByteArray QSettingsStore::readBytes(const QString &section, const QString &name) const
{
    const QVariant v = m_settings->value(key(section, name));
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : QByteArray();
}

bool QSettingsStore::contains(const QString &section, const QString &name) const
{
    return m_settings->contains(key(section, name));
}

void QSettingsStore::writeInt(const QString &section, const QString &name, int value)
{
    m_settings->setValue(key(section, name), value);
}

void QSettingsStore::writeString(const QString &section, const QString &name, const QString &value)
{
    m_settings->setValue(key(section, name), value);
}

void QSettingsStore::writeBytes(const QString &section, const QString &name, const QByteArray &value)
{
    m_settings->setValue(key(section, name), value);
}

void QSettingsStore::remove(const QString &section, const QString &name)
{
    m_settings->remove(key(section, name));
}

void QSettingsStore::flush()
{
    m_settings->sync();
}

QString QSettingsStore::fileName() const
{
    return m_settings->fileName();
}

} // namespace quorvel
