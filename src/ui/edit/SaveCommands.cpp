#include "ui/edit/SaveCommands.h"

#include "core/exif/ExifReader.h"
#include "core/files/LinkFile.h"
#include "core/imaging/ImageLoader.h"
#include "ui/edit/ImageEditWindow.h"
#include "ui/edit/ResolutionDialog.h"
#include "ui/edit/RotateDialog.h"
#include "ui/frame/MainWindowAside.h"
#include "ui/exif/ExifEditDialog.h"
#include "ui/files/FileListPane.h"
#include "ui/frame/MainWindow.h"
#include "ui/imaging/ImageView.h"

namespace quorvel::savecommands {

namespace {

// The shown image and the loader's cache let go of the file.
std::function<void()> releaser(MainWindow &frame, bool &released)
{
    return [&frame, &released] {
        released = true;
        frame.loader()->clearAll();
        frame.loader()->emptyCache();
    };
}

void focusListUnlessFullScreen(MainWindow &frame)
{
    if (!frame.isFullScreenMode())
        frame.focusFileList();
}

void editImage(MainWindow &frame, ImageEditSession::Mode mode)
{
    const QString path = link::effectivePath(frame.fileList()->selectedPath());
    if (path.isEmpty())
        return;
    ImageEditWindow dialog(path, mode, &frame);
    if (!dialog.isEditable()) {
        dialog.exec(); // says why when the format cannot be saved back
        return;
    }
    bool released = false;
    dialog.setReleaseFile(releaser(frame, released));
    {
        MainWindowAside aside(frame);
        dialog.setGeometry(aside.geometry());
        dialog.exec();
    }
    if (dialog.isSaved())
        frame.refreshList(); // rescans, selects the same file, empties the cache, reloads the view
    else if (released)
        frame.view()->reload();
    focusListUnlessFullScreen(frame);
}

} // namespace

void changeExif(MainWindow &frame)
{
    FileListPane *list = frame.fileList();
    const int row = list->selectedIndex();
    if (row < 0)
        return;
    const QString listed = list->selectedPath();
    const QString path = link::effectivePath(listed);
    ExifFields fields;
    readExifFields(path, fields);
    ExifEditDialog dialog(path, fields, list->descriptions(), &frame);
    bool released = false;
    dialog.setReleaseFile(releaser(frame, released));
    const bool stored = dialog.exec() == QDialog::Accepted;
    if (stored)
        list->refreshExifRow(row, listed, list->descriptions().getDescription(listed));
    if (stored || released)
        frame.view()->reload();
    focusListUnlessFullScreen(frame);
}

void rotateFlip(MainWindow &frame)
{
    const QString path = link::effectivePath(frame.fileList()->selectedPath());
    if (path.isEmpty())
        return;
    RotateDialog dialog(path, &frame);
    bool released = false;
    dialog.setReleaseFile(releaser(frame, released));
    const bool done = dialog.exec() == QDialog::Accepted;
    if (done)
        frame.refreshList(); // rescans, selects the same file, empties the cache, reloads the view
    else if (released)
        frame.view()->reload();
    focusListUnlessFullScreen(frame);
}

void imageResolution(MainWindow &frame)
{
    const QString path = frame.view()->currentPath();
    if (path.isEmpty())
        return;
    ResolutionDialog dialog(link::effectivePath(path), &frame);
    dialog.exec();
    if (dialog.wasWritten())
        frame.loader()->emptyCache();
}

void cropImage(MainWindow &frame)
{
    editImage(frame, ImageEditSession::Mode::Crop);
}

void adjustImage(MainWindow &frame)
{
    editImage(frame, ImageEditSession::Mode::Curves);
}

} // namespace quorvel::savecommands
