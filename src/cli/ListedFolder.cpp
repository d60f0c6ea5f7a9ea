#include "ListedFolder.h"

#include "core/exif/ExifReader.h"
#include "core/files/FolderScanner.h"
#include "core/files/PathUtil.h"

namespace quorvel::cli {

ListedFolder::ListedFolder(const QString &folder, const QString &filterText)
{
    const QString withSeparator = withTrailingSeparator(folder);
    m_descriptions.load(DescriptionStore::fileInFolder(withSeparator));
    FileListModel::Providers providers;
    providers.description = [this](const QString &path) { return m_descriptions.getDescription(path); };
    providers.exif = [](const QString &path) {
        ExifFields fields;
        ReadExifFields(path, fields);
        return ExifFieldTexts::of(fields, ExifFieldTexts::Style::List);
    };
    m_model.setProviders(providers);
    m_model.setShowMode(1);
    m_model.fill(FolderScanner(folder).scan(FolderScanner::Images), withSeparator, filterText.trimmed());
}

} // namespace quorvel::cli
