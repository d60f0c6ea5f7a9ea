#include "core/fileops/VersionControl.h"

#include "core/fileops/VersionTexts.h"
#include "core/files/PathUtil.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel {

VersionControl::VersionControl(const QString &filePath, const QString &repositoryFolder)
    : m_path(filePath)
    , m_store(repositoryFolder)
{
}

QString VersionControl::shownPath() const
{
    return QDir::toNativeSeparators(m_path);
}

void VersionControl::refill()
{
    m_rows.clear();
    for (const VersionInfo &v : m_store.versions(m_path))
        m_rows.append({versiontexts::versionRow(v.number, v.modified), v.number, v.filePath});
    if (m_rows.isEmpty())
        m_rows.append({versiontexts::noVersionsRow(), 0, QString()});
}

bool VersionControl::isVersionRow(int row) const
{
    return row >= 0 && row < m_rows.size() && m_rows.at(row).number > 0;
}

VersionControl::Message VersionControl::failure() const
{
    return {m_store.lastError(), versiontexts::warningCaption(), true};
}

VersionControl::Message VersionControl::remember()
{
    const int number = m_store.rememberVersion(m_path);
    refill();
    if (number <= 0)
        return failure();
    return {versiontexts::remembered(shownPath()), versiontexts::dialogCaption(), false};
}

VersionControl::Message VersionControl::nothingSelected(int row) const
{
    if (row < 0)
        return {versiontexts::noVersionSelected(), versiontexts::warningCaption(), true};
    return {};
}

VersionControl::Message VersionControl::deleteVersion(int row)
{
    if (!isVersionRow(row))
        return nothingSelected(row);
    const bool ok = m_store.deleteVersion(m_path, m_rows.at(row).number);
    refill();
    return ok ? Message() : failure();
}

VersionControl::Message VersionControl::restore(int row)
{
    if (!isVersionRow(row))
        return nothingSelected(row);
    if (!m_store.restoreVersion(m_path, m_rows.at(row).number))
        return failure();
    m_filesChanged = true;
    return {versiontexts::restored(), shownPath(), false};
}

VersionControl::Message VersionControl::saveTo(int row, const QString &destination)
{
    if (!isVersionRow(row))
        return nothingSelected(row);
    if (!m_store.saveVersionTo(m_path, m_rows.at(row).number, destination))
        return failure();
    m_filesChanged = true;
    return {versiontexts::saved(), proposedFileName(), false};
}

QString VersionControl::saveToTitle() const
{
    return versiontexts::saveToTitle(proposedFileName());
}

QString VersionControl::proposedFileName() const
{
    return fileNameOf(m_path);
}

QString VersionControl::saveToFilter() const
{
    const QString name = proposedFileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return versiontexts::saveToFilter(dot < 0 ? QString() : name.mid(dot));
}

QString VersionControl::defaultSuffix() const
{
    return QFileInfo(m_path).suffix();
}

} // namespace quorvel
