#pragma once

#include "core/settings/AppSettings.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quorvel {

// The rows of the Settings dialog's lists and the rules that turn a choice
// into a stored value, without the dialog.
class SettingsChoices
{
    Q_DECLARE_TR_FUNCTIONS(SettingsDialog)

public:
    struct Row
    {
        QString text;
        int data = 0;
        bool operator==(const Row &) const = default;
    };

    // The five interpolation modes in their fixed order.
    static QList<Row> interpolationRows();
    // The length units, sorted by their texts.
    static QList<Row> unitRows();
    // The first row carrying data, or -1.
    static int rowOf(const QList<Row> &rows, int data);

    // A stored list's entries sorted for a list box; each row's data is the
    // entry's index in the stored list.
    static QList<Row> listRows(const QStringList &entries);

    // A row of the language list: the language as its speakers name it,
    // the value stored for it ("English" or the module's file name) and the
    // name the module's file gives it ("German"; the row's text for English).
    struct LanguageRow
    {
        QString text;
        QString value;
        QString name;
        bool operator==(const LanguageRow &) const = default;
    };

    static QString englishRow();
    // The modules found in moduleFolder plus "English (default)", sorted by
    // their texts.
    static QList<LanguageRow> languageRows(const QString &moduleFolder);
    // The row of the stored "InterfaceLang" value: the row of exactly that
    // value, else the first whose name holds the value or is held in it
    // (a stored "LangGerman.dll" selects German); -1 when none.
    static int languageRow(const QList<LanguageRow> &rows, const QString &stored);

    // The start folder for the text typed: with a trailing separator; nothing
    // for empty text.
    static std::optional<QString> startFolderValue(const QString &text);

    // Changes the program-wide settings and stores the change at once. Only
    // the fields change touches are written over what the store holds.
    static void apply(const std::function<void(AppSettings &)> &change);

    // Case-blind order of list-box texts.
    static bool lessThan(const QString &a, const QString &b);
};

} // namespace quorvel
