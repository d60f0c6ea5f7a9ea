#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

class SettingsStore;

// An ordered list of texts kept in one settings value: every non-empty entry
// followed by ";;", so two favourites are stored as "C:\Photos;;D:\Trips;;".
// Used for the favourite folders and the external editors. Every user loads
// a fresh copy, changes it and saves it at once.
//
// Reading splits the value at each ";;" from the start; the text after the
// last ";;" is ignored, and an entry equal to an earlier one is dropped.
// An entry that ends in ";" or holds ";;" would not read back as itself, so
// such texts are never added.
class ProfileStringList
{
public:
    ProfileStringList(QString section, QString name);

    // "Favourites"/"StrBody" and "Editors"/"StrBody".
    static ProfileStringList favourites();
    static ProfileStringList editors();

    // Empties the list and reads the stored value.
    void load(const SettingsStore &store);
    void load();
    void save(SettingsStore &store) const;
    void save() const;

    // Appends the text unless an exactly equal entry exists or it cannot be
    // stored; whether it was appended.
    bool addUnique(const QString &text);
    bool removeAt(qsizetype index);
    void clear();
    // The entry, or empty text for an index outside the list.
    QString at(qsizetype index) const;
    qsizetype count() const { return m_entries.size(); }
    qsizetype indexOf(const QString &text) const { return m_entries.indexOf(text); }
    const QStringList &entries() const { return m_entries; }

    // Whether the text survives being stored and read back.
    static bool isStorable(const QString &text);
    static QStringList parse(const QString &stored);
    static QString serialise(const QStringList &entries);

    // A folder as a favourite: without a trailing separator, except for a
    // root such as "C:\" or "/", with the platform's own separators.
    static QString favouriteFolderText(const QString &folder);

private:
    QString m_section;
    QString m_name;
    QStringList m_entries;
};

} // namespace quorvel
