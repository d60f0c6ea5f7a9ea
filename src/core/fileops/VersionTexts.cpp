#include "core/fileops/VersionTexts.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

namespace quorvel::versiontexts {

QString dialogCaption()
{
    return QCoreApplication::translate("VersionDialog", "Version control");
}

QString noVersionsRow()
{
    return QCoreApplication::translate("VersionDialog", "No versions");
}

QString versionRow(int number, const QDateTime &modified)
{
    const QLocale locale;
    const QDateTime local = modified.toLocalTime();
    // The locale's short time, with its seconds (and their separator) taken out.
    QString timeFormat = locale.timeFormat(QLocale::ShortFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("[:.]?s+([.,]z+)?")));
    return QCoreApplication::translate("VersionDialog", "v%1, modified: %2, %3.")
        .arg(QString::number(number), locale.toString(local.date(), QLocale::ShortFormat),
             locale.toString(local.time(), timeFormat.trimmed()));
}

QString remembered(const QString &path)
{
    return QCoreApplication::translate("VersionDialog", "File %1 was copyed to repository").arg(path);
}

QString noVersionSelected()
{
    return QCoreApplication::translate("VersionDialog", "No versions selected");
}

QString confirmDelete()
{
    return QCoreApplication::translate("VersionDialog", "Delete this version from repository?");
}

QString warningCaption()
{
    return QCoreApplication::translate("VersionDialog", "Warning");
}

QString saveToTitle(const QString &fileName)
{
    return QCoreApplication::translate("VersionDialog", "Choose folder to save %1").arg(fileName);
}

QString saveToFilter(const QString &extension)
{
    const QString bare = extension.startsWith(u'.') ? extension.mid(1) : extension;
    return QCoreApplication::translate("VersionDialog", "%1 Files (*%2)").arg(bare, extension);
}

QString saved()
{
    return QCoreApplication::translate("VersionDialog", "File was saved");
}

QString restored()
{
    return QCoreApplication::translate("VersionDialog", "File was restored");
}

} // namespace quorvel::versiontexts
