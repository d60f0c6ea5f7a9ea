#include "ui/fileops/FileOpsCommands.h"

#include "core/fileops/VersionStore.h"
#include "ui/fileops/VersionDialog.h"
#include "ui/fileops/WallpaperDialog.h"
#include "ui/files/FileListPane.h"
#include "ui/frame/MainWindow.h"

namespace quorvel {

void showVersionControl(MainWindow &frame)
{
    const QString path = frame.fileList()->selectedPath(false, true);
    if (path.isEmpty())
        return;
    VersionDialog dialog(path, VersionStore::defaultFolder(), &frame);
    dialog.exec();
    if (dialog.filesChanged())
        frame.refreshList();
}

void showWallpaper(MainWindow &frame)
{
    const QString path = frame.fileList()->selectedPath(false, true);
    if (path.isEmpty())
        return;
    WallpaperDialog dialog(path, &frame);
    dialog.exec();
}

} // namespace quorvel
