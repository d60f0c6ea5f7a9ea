#include "core/files/DropRequest.h"

#include "core/files/FileListModel.h"
#include "core/files/FolderScanner.h"
#include "core/files/PathUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>

namespace quorvel::drop {

std::optional<DropRequest> requestFor(const QList<QUrl> &urls)
{
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (!info.exists())
            continue;
        const QString path = QDir::cleanPath(info.absoluteFilePath());
        if (info.isDir())
            return DropRequest{withTrailingSeparator(path), QString()};
        if (info.isFile() && FolderScanner::hasSupportedExtension(info.fileName()))
            return DropRequest{withTrailingSeparator(QDir::cleanPath(info.absolutePath())), info.fileName()};
    }
    return std::nullopt;
}

std::optional<DropRequest> requestFor(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->hasFormat(QString::fromLatin1(kOwnDragFormat)))
        return std::nullopt;
    return requestFor(data->urls());
}

} // namespace quorvel::drop
