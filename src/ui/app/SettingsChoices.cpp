#include "ui/app/SettingsChoices.h"

#include "core/print/LengthUnit.h"
#include "ui/app/LanguageLoader.h"

#include <QDir>

#include <algorithm>

namespace quorvel {

bool SettingsChoices::lessThan(const QString &a, const QString &b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

QList<SettingsChoices::Row> SettingsChoices::interpolationRows()
{
    // Two of the names are the same in every language.
    return {
        {tr("Bilinear (most quick)"), InterpolationBilinear},
        {QStringLiteral("Nearest neihbour"), InterpolationNearest},
        {QStringLiteral("Bicubic"), InterpolationBicubic},
        {tr("Bilinear, high quality"), InterpolationHighQualityBilinear},
        {tr("Bicubic, high quality"), InterpolationHighQualityBicubic},
    };
}

QList<SettingsChoices::Row> SettingsChoices::unitRows()
{
    QList<Row> rows;
    for (LengthUnit unit : lengthUnitListOrder())
        rows.append({lengthUnitText(unit), int(unit)});
    std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return lessThan(a.text, b.text); });
    return rows;
}

int SettingsChoices::rowOf(const QList<Row> &rows, int data)
{
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).data == data)
            return i;
    }
    return -1;
}

QList<SettingsChoices::Row> SettingsChoices::listRows(const QStringList &entries)
{
    QList<Row> rows;
    for (int i = 0; i < entries.size(); ++i)
        rows.append({QDir::toNativeSeparators(entries.at(i)), i});
    std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return lessThan(a.text, b.text); });
    return rows;
}

QString SettingsChoices::englishRow()
{
    return tr("English (default)");
}

QList<SettingsChoices::LanguageRow> SettingsChoices::languageRows(const QString &moduleFolder)
{
    const LanguageLoader modules(moduleFolder);
    QList<LanguageRow> rows;
    for (const QString &name : modules.availableLanguages())
        rows.append({modules.displayName(name), LanguageLoader::moduleFileName(name), name});
    rows.append({englishRow(), QStringLiteral("English"), englishRow()});
    std::stable_sort(rows.begin(), rows.end(),
                     [](const LanguageRow &a, const LanguageRow &b) { return lessThan(a.text, b.text); });
    return rows;
}

int SettingsChoices::languageRow(const QList<LanguageRow> &rows, const QString &stored)
{
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).value == stored)
            return i;
    }
    if (stored.isEmpty())
        return -1;
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).name.contains(stored) || stored.contains(rows.at(i).name))
            return i;
    }
    return -1;
}

std::optional<QString> SettingsChoices::startFolderValue(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QChar last = text.back();
    if (last == QDir::separator() || last == u'/')
        return text;
    return text + QDir::separator();
}

void SettingsChoices::apply(const std::function<void(AppSettings &)> &change)
{
    change(globalSettings());
    // The record is saved from a fresh copy, so that values other parts of
    // the program stored since the start are not written back over.
    AppSettings local;
    local.load();
    change(local);
    local.save();
}

} // namespace quorvel
