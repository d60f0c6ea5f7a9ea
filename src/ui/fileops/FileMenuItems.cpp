#include "ui/fileops/FileMenuItems.h"

#include "core/files/PathUtil.h"
#include "ui/frame/CommandIds.h"

#include <QDir>

namespace quorvel {

namespace {

QString number(qsizetype n)
{
    return QString::number(n);
}

qsizetype bounded(const QStringList &list)
{
    return std::min<qsizetype>(list.size(), FileMenuItems::kMaxEntries);
}

} // namespace

QString FileMenuItems::literal(const QString &text)
{
    QString out = text;
    out.replace(u'&', QStringLiteral("&&"));
    return out;
}

QString FileMenuItems::shownPath(const QString &path)
{
    return literal(QDir::toNativeSeparators(path));
}

QList<MenuItem> FileMenuItems::contextItems(const QStringList &files, const QStringList &favourites)
{
    QList<MenuItem> items;
    if (files.isEmpty())
        return items;
    const qsizetype favouriteCount = bounded(favourites);
    const QString emptyList = tr("Folders list is empty");

    if (files.size() == 1) {
        const QString name = literal(fileNameOf(QDir::fromNativeSeparators(files.constFirst())));
        items.append({cmd::EditDescription, tr("Edit file description...")});
        items.append(MenuItem{});
        items.append({cmd::CopyToFolder, tr("Copy file to folder...")});
        for (qsizetype i = 0; i < favouriteCount; ++i) {
            const qsizetype k = i + 1;
            const QString folder = shownPath(favourites.at(i));
            const QString text = k <= 9 ? tr("Copy file \"%1\" to folder %2\t(&%3)").arg(name, folder, number(k))
                                        : tr("Copy file \"%1\" to folder %2").arg(name, folder);
            items.append({int(cmd::CopyToFolder + k), text});
        }
        if (favouriteCount == 0)
            items.append({kCopyPlaceholder, emptyList, false});
        items.append(MenuItem{});
        items.append({cmd::LinkToFolder, tr("Create link in folder...")});
        for (qsizetype i = 0; i < favouriteCount; ++i) {
            const qsizetype k = i + 1;
            const QString folder = shownPath(favourites.at(i));
            const QString text = k <= 9 ? tr("Create link to file \"%1\" in folder %2\t(&%3)")
                                              .arg(name, folder, QString(QChar(char16_t(u'a' + k - 1))))
                                        : tr("Create link to file \"%1\" in folder %2").arg(name, folder);
            items.append({int(cmd::LinkToFolder + k), text});
        }
        if (favouriteCount == 0)
            items.append({cmd::Placeholder, emptyList, false});
        items.append(MenuItem{});
        return items;
    }

    const QString n = number(files.size());
    items.append({cmd::CopyToFolder, tr("Copy %1 selected files to folder...").arg(n)});
    for (qsizetype i = 0; i < favouriteCount; ++i) {
        const qsizetype k = i + 1;
        const QString folder = shownPath(favourites.at(i));
        const QString text = k <= 9 ? tr("Copy %1 selected files to folder %2\t(&%3)").arg(n, folder, number(k))
                                    : tr("Copy %1 selected files to folder %2").arg(n, folder);
        items.append({int(cmd::CopyToFolder + k), text});
    }
    if (favouriteCount == 0)
        items.append({kCopyPlaceholder, emptyList, false});
    items.append(MenuItem{});
    return items;
}

QList<MenuItem> FileMenuItems::contextMenu(const QStringList &files, const QStringList &favourites,
                                           const QStringList &editors)
{
    QList<MenuItem> items = contextItems(files, favourites);
    if (files.isEmpty())
        return items;
    items.append({cmd::SettingsAlt, tr("Setup folders list...")});
    items.append(MenuItem{});
    items.append({cmd::Settings, tr("Add editor...")});
    const QString name = fileNameOf(QDir::fromNativeSeparators(files.constFirst()));
    items.append(editorItems(editors, name, false, int(files.size())));
    return items;
}

QList<MenuItem> FileMenuItems::editorItems(const QStringList &editors, const QString &fileName, bool accelerators,
                                           int count)
{
    QList<MenuItem> items;
    if (editors.isEmpty()) {
        items.append({cmd::Placeholder, tr("Editors list is empty"), false});
        return items;
    }
    const QString name = literal(fileName);
    const QString n = number(count);
    for (qsizetype i = 0; i < bounded(editors); ++i) {
        const QString editor = shownPath(editors.at(i));
        const QString key = number(i + 1);
        QString text;
        if (count == 1)
            text = accelerators ? tr("Edit \"%1\" with \"%2\" \t(&%3)").arg(name, editor, key)
                                : tr("Edit \"%1\" with \"%2\"").arg(name, editor);
        else
            text = accelerators ? tr("Edit %1 selected files with \"%2\" \t(&%3)").arg(n, editor, key)
                                : tr("Edit %1 selected files with \"%2\"").arg(n, editor);
        items.append({int(cmd::EditorFirst + i), text});
    }
    return items;
}

QList<MenuItem> FileMenuItems::favouritesDropDown(const QStringList &favourites)
{
    QList<MenuItem> items{{cmd::Settings, tr("Setup editors list...")}, {}};
    if (favourites.isEmpty()) {
        items.append({cmd::Placeholder, tr("Folders list is empty"), false});
        return items;
    }
    items.append({cmd::ShowAllFolders, tr("Show all")});
    for (qsizetype i = 0; i < bounded(favourites); ++i)
        items.append({int(cmd::FavouriteFirst + i), shownPath(favourites.at(i))});
    return items;
}

QList<MenuItem> FileMenuItems::editorsDropDown(const QStringList &editors, const QString &fileName)
{
    QList<MenuItem> items{{cmd::Settings, tr("Add editor...")}, {}};
    items.append(editorItems(editors, fileName, true, 1));
    return items;
}

} // namespace quorvel
