#include "ListedFolder.h"

#include "core/exif/ExifReader.h"
#include "core/files/FolderScanner.h"
#include "core/files/PathUtil.h"

#include <QDir>

namespace quorvel::cli {

ListedFolder::ListedFolder(const QString &folder, const QString &filterText)
{
    const QString withSeparator = withTrailingSeparator(folder);
    m_descriptions.load(DescriptionStore::fileInFolder(withSeparator));
    FileListModel::Providers providers;
    providers.description = [this](const QString &path) { return m_descriptions.getDescription(path); };
    providers.exifRecord = [](const QString &path) {
        ExifRecord record;
        record.read = readListedExifFields(path, record.fields);
        return record;
    };
    m_model.setProviders(providers);
    m_model.setShowMode(1);
    m_model.fill(FolderScanner(folder).scan(FolderScanner::Images), withSeparator, filterText.trimmed());
}

void addFilterOption(CommandLine &line)
{
    line.addOption(QCommandLineOption(QStringLiteral("filter"),
                                      QStringLiteral("only the files whose name, description or EXIF texts hold TEXT"),
                                      QStringLiteral("TEXT")));
}

} // namespace quorvel::cli
