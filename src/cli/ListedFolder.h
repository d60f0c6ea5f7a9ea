#pragma once

#include "core/files/DescriptionStore.h"
#include "core/files/FileListModel.h"

#include "CommandLine.h"

#include <QString>
#include <QStringList>

namespace quorvel::cli {

// A folder as the file list shows it in its EXIF view: every image and link
// file of the scan, the filter applied to names, descriptions and EXIF
// texts, the rows in name order.
class ListedFolder
{
public:
    ListedFolder(const QString &folder, const QString &filterText);

    const FileListModel &model() const { return m_model; }

private:
    DescriptionStore m_descriptions;
    FileListModel m_model;
};

// The "--filter TEXT" option of the commands over a listed folder.
void addFilterOption(CommandLine &line);

} // namespace quorvel::cli
