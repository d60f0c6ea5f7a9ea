#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

class QMimeData;

namespace quorvel {

// What files dropped on the image view or the file list from a file manager
// ask for: a folder to open, and the file to select in it.
struct DropRequest
{
    QString folder; // with a trailing separator
    QString name;   // empty: the folder itself was dropped

    bool operator==(const DropRequest &) const = default;
};

namespace drop {

// The first dropped local path that the file list could show: a folder, or
// a file the list would list (an image or a link file). Nothing for drags
// without such a path.
std::optional<DropRequest> requestFor(const QList<QUrl> &urls);

// requestFor the drag's URLs; nothing for the program's own drags (rows of
// its file list), which are not a request to go anywhere.
std::optional<DropRequest> requestFor(const QMimeData *data);

} // namespace drop
} // namespace quorvel
