#pragma once

#include <QDateTime>
#include <QString>

namespace quorvel {

// The texts of the "Version control" dialog that depend on no widget: rows of
// the versions list, messages and the save dialog's title and filter.
namespace versiontexts {

QString dialogCaption();          // "Version control"
QString noVersionsRow();          // "No versions"
// "v%d, modified: %s, %s." with the file's local short date and its time
// without seconds.
QString versionRow(int number, const QDateTime &modified);
QString remembered(const QString &path); // "File %s was copyed to repository"
QString noVersionSelected();      // "No versions selected", caption "Warning"
QString confirmDelete();          // "Delete this version from repository?"
QString warningCaption();         // "Warning"
QString saveToTitle(const QString &fileName); // "Choose folder to save %s"
// The save dialog's filter for an extension such as ".jpg": "jpg Files (*.jpg)".
QString saveToFilter(const QString &extension);
QString saved();                  // "File was saved"
QString restored();               // "File was restored"

} // namespace versiontexts
} // namespace quorvel
