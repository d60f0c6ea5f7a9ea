#include "core/settings/ProfileStringList.h"

#include "core/settings/SettingsStore.h"

#include <QDir>
#include <QSet>

namespace quorvel {

namespace {
const QString kSeparator = QStringLiteral(";;");
}

ProfileStringList::ProfileStringList(QString section, QString name)
    : m_section(std::move(section))
    , m_name(std::move(name))
{
}

ProfileStringList ProfileStringList::favourites()
{
    return ProfileStringList(QStringLiteral("Favourites"), QStringLiteral("StrBody"));
}

ProfileStringList ProfileStringList::editors()
{
    return ProfileStringList(QStringLiteral("Editors"), QStringLiteral("StrBody"));
}

QStringList ProfileStringList::parse(const QString &stored)
{
    QStringList out;
    QSet<QString> seen;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = stored.indexOf(kSeparator, from);
        if (at < 0)
            break;
        const QString piece = stored.mid(from, at - from);
        if (!seen.contains(piece)) {
            seen.insert(piece);
            out.append(piece);
        }
        from = at + kSeparator.size();
    }
    return out;
}

QString ProfileStringList::serialise(const QStringList &entries)
{
    QString out;
    for (const QString &e : entries) {
        if (!e.isEmpty())
            out += e + kSeparator;
    }
    return out;
}

bool ProfileStringList::isStorable(const QString &text)
{
    return !text.isEmpty() && !text.contains(kSeparator) && !text.endsWith(u';');
}

void ProfileStringList::load(const SettingsStore &store)
{
    m_entries = parse(store.readString(m_section, m_name, QString()));
}

void ProfileStringList::load()
{
    load(settingsStore());
}

void ProfileStringList::save(SettingsStore &store) const
{
    store.writeString(m_section, m_name, serialise(m_entries));
}

void ProfileStringList::save() const
{
    save(settingsStore());
}

bool ProfileStringList::addUnique(const QString &text)
{
    if (!isStorable(text) || m_entries.contains(text))
        return false;
    m_entries.append(text);
    return true;
}

bool ProfileStringList::removeAt(qsizetype index)
{
    if (index < 0 || index >= m_entries.size())
        return false;
    m_entries.removeAt(index);
    return true;
}

void ProfileStringList::clear()
{
    m_entries.clear();
}

QString ProfileStringList::at(qsizetype index) const
{
    return index >= 0 && index < m_entries.size() ? m_entries.at(index) : QString();
}

QString ProfileStringList::favouriteFolderText(const QString &folder)
{
    QString text = QDir::toNativeSeparators(folder);
    const QChar sep = QDir::separator();
    while (text.size() > 1 && text.endsWith(sep)) {
        // "C:\" and "\\" stay as they are: they are roots.
        if (text.size() == 3 && text.at(1) == u':')
            break;
        if (text == QStringLiteral("\\\\"))
            break;
        text.chop(1);
    }
    return text;
}

} // namespace quorvel
