#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

namespace quorvel {

// One entry of a menu built from the favourites and editors lists: a
// command with its text, or a separator (id 0). Placeholders are disabled.
struct MenuItem
{
    int id = 0;
    QString text;
    bool enabled = true;

    bool isSeparator() const { return id == 0; }
    bool operator==(const MenuItem &) const = default;
};

// The items of the file context menu, the toolbar's drop-downs and the
// editor entries, as data: the menus are made from these lists.
class FileMenuItems
{
    Q_DECLARE_TR_FUNCTIONS(FileMenuItems)

public:
    // The greyed item of an empty favourites list in the copy section.
    static constexpr int kCopyPlaceholder = 60001;
    // The menus address this many favourites and editors at most.
    static constexpr int kMaxEntries = 100;

    // The generated items at the top of the file context menu for files (at
    // least one), ending with a separator.
    static QList<MenuItem> contextItems(const QStringList &files, const QStringList &favourites);
    // The whole context menu: the generated items, "Setup folders list...",
    // a separator, "Add editor..." and the editors without accelerators.
    static QList<MenuItem> contextMenu(const QStringList &files, const QStringList &favourites,
                                       const QStringList &editors);
    // One item per editor (or the greyed "Editors list is empty") for count
    // files, the first of which is fileName.
    static QList<MenuItem> editorItems(const QStringList &editors, const QString &fileName, bool accelerators,
                                       int count);
    // The toolbar's favourites drop-down.
    static QList<MenuItem> favouritesDropDown(const QStringList &favourites);
    // The toolbar's editors drop-down for the list's selected file.
    static QList<MenuItem> editorsDropDown(const QStringList &editors, const QString &fileName);

    // Text as a menu shows it literally: "&" doubled.
    static QString literal(const QString &text);
    // The shown form of a path.
    static QString shownPath(const QString &path);
};

} // namespace quorvel
