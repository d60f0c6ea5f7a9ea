#include "ui/frame/CommandTable.h"

#include "core/imaging/ZoomMath.h"
#include "ui/frame/CommandIds.h"

#include <QtGlobal>

namespace quorvel {

namespace {

QKeySequence key(QKeyCombination k)
{
    return QKeySequence(k);
}

QKeySequence key(Qt::Key k)
{
    return QKeySequence(k);
}

std::vector<CommandSpec> buildTable()
{
    using E = Enabling;
    const auto shift = Qt::SHIFT;
    const auto ctrl = Qt::CTRL;
    const auto alt = Qt::ALT;
    return {
        {cmd::RefreshList, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&Refresh files list\tF5"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Refresh file list (F5)"), {key(Qt::Key_F5)}, E::Always, true, false},
        {cmd::Exit, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&Exit\tAlt+F4, Esc"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Quit the program"), {key(Qt::Key_Escape)}, E::Always, false, false},
        {cmd::ToggleTreePane, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Directory tree"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show or hide the directory tree"), {}, E::Always, false, true},
        {cmd::ToggleFilesPane, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Files pane"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show or hide the files list"), {}, E::Always, false, true},
        {cmd::ToggleToolbar, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Main toolbar"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show or hide the main toolbar"), {}, E::Always, false, true},
        {cmd::NavigationToolbar, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Navigation toolbar"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Navigation toolbar"), {}, E::Never, false, false},
        {cmd::FullScreen, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show image in full-screen"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Full screen (Enter)"),
         {key(Qt::Key_Return), key(Qt::Key_Enter)}, E::Always, false, true},
        {cmd::AddCurrentFolder, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&Add current folder"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Add current folder to Favourites"), {}, E::TreeFolder, true, false},
        {cmd::DeleteAllFavourites, QT_TRANSLATE_NOOP("quorvel::CommandTable", "All..."), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Delete all folders from Favourites"), {}, E::Always, true, false},
        {cmd::ShowAllFolders, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&Show all folders"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show all folders"), {}, E::Always, true, false},
        {cmd::PrepareFile, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&Prepare to print, web or mobile device...\tF7"),
         QT_TRANSLATE_NOOP("quorvel::CommandTable", "Prepare to print, web or mobile device (F7)"), {key(Qt::Key_F7)}, E::Selection, true, false},
        {cmd::IndexPrint, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Prepare &index-print photo..."), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Prepare index print"), {}, E::Always, false, false},
        {cmd::DeleteFile, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&Delete file...\tF8, Del"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Delete file (F8, Del)"),
         {key(Qt::Key_F8), key(Qt::Key_Delete), key(shift | Qt::Key_Delete)}, E::Selection, true, false},
        {cmd::RenameFile, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Rename file\tF6"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Rename file (F6)"), {key(Qt::Key_F6)}, E::Selection, true, false},
        {cmd::RotateFlip, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&Rotate/Flip...\tCtrl+J"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Rotate/Flip (Ctrl+J)"), {key(ctrl | Qt::Key_J)}, E::Selection,
         true, false},
        {cmd::CopyToClipboard, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Copy image to clipboard"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Copy image to clipboard"), {}, E::Image, true, false},
        {cmd::Histogram, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show histogram\tCtrl+H"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show histogram (Ctrl+H)"), {key(ctrl | Qt::Key_H)}, E::Image,
         false, true},
        {cmd::VersionControl, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Add file to version control..."), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Add file to version control"), {}, E::Image, false,
         false},
        {cmd::CropImage, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Crop image..."), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Crop image"), {}, E::Image, false, false},
        {cmd::AdjustImage, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Adjust image..."), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Adjust brightness, contrast, etc"), {}, E::Image, false, false},
        {cmd::OpenInFileManager, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Open directory in &Explorer\tF12"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Open directory in the file manager (F12)"),
         {key(Qt::Key_F12)}, E::Always, false, false},
        {cmd::Wallpaper, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Set image as wallpaper..."), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Set image as wallpaper"), {}, E::Image, false, false},
        {cmd::ChangeExif, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&Change EXIF data...\tCtrl+E"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Change EXIF data (Ctrl+E)"), {key(ctrl | Qt::Key_E)},
         E::Selection, true, false},
        {cmd::EditDescription, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Edit file description..."), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Edit file description"), {}, E::Selection, false, false},
        {cmd::ExifStatistics, QT_TRANSLATE_NOOP("quorvel::CommandTable", "EXIF data &statistics"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "EXIF data statistics"), {}, E::Files, true, false},
        {cmd::ExportInfo, QT_TRANSLATE_NOOP("quorvel::CommandTable", "E&xport images information..."), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Export images information"), {}, E::Files, false, false},
        {cmd::Settings, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Se&ttings...\tF9"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Settings (F9)"), {key(Qt::Key_F9)}, E::Always, true, false},
        {cmd::AllColours, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show image in &all colors\tA"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "All colours (A)"), {key(Qt::Key_A)}, E::Always, true, true},
        {cmd::ChannelRed, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&R-channel\tR"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "R channel (R)"), {key(Qt::Key_R), key(shift | Qt::Key_R)}, E::Always, true,
         true},
        {cmd::ChannelGreen, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&G-channel\tG"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "G channel (G)"), {key(Qt::Key_G), key(shift | Qt::Key_G)}, E::Always,
         true, true},
        {cmd::ChannelBlue, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&B-channel\tB"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "B channel (B)"), {key(Qt::Key_B), key(shift | Qt::Key_B)}, E::Always, true,
         true},
        {cmd::AllChannels, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show all channels\tAlt+F3"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show all channels (Alt+F3)"), {key(alt | Qt::Key_F3)},
         E::Image, false, true},
        {cmd::Overexposure, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show overlighted areas\tF3"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show overlighted areas (F3)"),
         {key(Qt::Key_F3), key(shift | Qt::Key_F3)}, E::Always, true, true},
        {cmd::About, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&About"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "About Quorvel"), {}, E::Always, false, false},
        {cmd::ProgramFeatures, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&Program features..."), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Program features"), {}, E::Always, false, false},
        {cmd::KeyHelp, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Available &hotkeys\tH"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Available hotkeys (H)"), {key(Qt::Key_H)}, E::Always, false, false},
        {cmd::PreviousImage, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Previous image\tBackspace"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Previous image (Backspace)"), {key(Qt::Key_Backspace)},
         E::Above, true, false},
        {cmd::NextImage, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Next image\tSpace"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Next image (Space)"), {key(Qt::Key_Space)}, E::Below, true, false},
        {cmd::FirstImage, QT_TRANSLATE_NOOP("quorvel::CommandTable", "First image"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "First image"), {}, E::Above, true, false},
        {cmd::LastImage, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Last image"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Last image"), {}, E::Below, true, false},
        {cmd::ZoomIn, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Zoom in\t+"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Zoom in (+)"), {key(Qt::Key_Plus), key(Qt::Key_Equal)}, E::ZoomIn, true, false},
        {cmd::ZoomOut, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Zoom out\t-"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Zoom out (-)"), {key(Qt::Key_Minus)}, E::ZoomOut, true, false},
        {cmd::FullSize, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Full size\t/"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Full size (/)"), {key(Qt::Key_Slash)}, E::Image, true, false},
        {cmd::FitWidth, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Fit width\t*"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Fit width (*)"), {key(Qt::Key_Asterisk)}, E::Image, true, false},
        {cmd::LockZoom, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Lock zoom\tCtrl+L"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Lock zoom (Ctrl+L)"), {key(ctrl | Qt::Key_L)}, E::Always, false, true},
        {cmd::FileContextMenu, QT_TRANSLATE_NOOP("quorvel::CommandTable", "File menu\tCtrl+M"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "File menu (Ctrl+M)"), {key(ctrl | Qt::Key_M)}, E::Image, true,
         false},
        {cmd::EditExternal, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Edit file in the external editor\tF4"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Edit file in the external editor (F4)"),
         {key(Qt::Key_F4)}, E::Selection, true, false},
        {cmd::GoToFavourite, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Go to Favourite folder"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Go to Favourite folder"), {}, E::Always, false, false},
        {cmd::ThumbnailsToggle, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Thumbnails"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Switch between details and thumbnails"), {}, E::NotLoading, true, true},
        {cmd::ImageResolution, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Set image resolution..."), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Set image resolution"), {}, E::Image, true, false},
        {cmd::CopyToFolder, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Copy to folder...\tAlt+C"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Copy file(s) to a folder (Alt+C)"), {key(alt | Qt::Key_C)},
         E::Image, true, false},
        {cmd::NoHandler, "", "", {key(ctrl | Qt::Key_F)}, E::Never, false, false},
        {cmd::UndoDelete, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Undo delete\tCtrl+Z"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Bring the files of the last delete back from the trash (Ctrl+Z)"),
         {key(ctrl | Qt::Key_Z)}, E::UndoDelete, true, false},
        {cmd::Quit, QT_TRANSLATE_NOOP("quorvel::CommandTable", "&Quit\tCtrl+Q"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Quit the program without asking (Ctrl+Q)"), {key(ctrl | Qt::Key_Q)}, E::Always,
         false, false},
        {cmd::Slideshow, QT_TRANSLATE_NOOP("quorvel::CommandTable", "Slideshow\tF10"), QT_TRANSLATE_NOOP("quorvel::CommandTable", "Show the pictures one after another, full screen (F10)"),
         {key(Qt::Key_F10)}, E::Files, false, true},
    };
}

std::vector<ExtraKey> buildExtraKeys()
{
    using S = KeyScope;
    return {
        {cmd::NextImage, key(Qt::Key_Right), S::View},
        {cmd::NextImage, key(Qt::Key_PageDown), S::View},
        {cmd::PreviousImage, key(Qt::Key_Left), S::View},
        {cmd::PreviousImage, key(Qt::Key_PageUp), S::View},
        {cmd::FirstImage, key(Qt::Key_Home), S::View},
        {cmd::LastImage, key(Qt::Key_End), S::View},
        {cmd::FullScreen, key(Qt::Key_F11), S::Window},
        {cmd::CopyToClipboard, key(Qt::CTRL | Qt::Key_C), S::Window},
        {cmd::RenameFile, key(Qt::Key_F2), S::Window},
    };
}

} // namespace

const std::vector<CommandSpec> &CommandTable::commands()
{
    static const std::vector<CommandSpec> table = buildTable();
    return table;
}

const std::vector<ExtraKey> &CommandTable::extraKeys()
{
    static const std::vector<ExtraKey> table = buildExtraKeys();
    return table;
}

const CommandSpec *CommandTable::find(int id)
{
    for (const CommandSpec &entry : commands()) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

bool CommandTable::isEnabled(const CommandSpec &entry, const CommandContext &c)
{
    switch (entry.enabling) {
    case Enabling::Always:
        return true;
    case Enabling::Never:
        return false;
    case Enabling::Image:
        return c.image;
    case Enabling::Selection:
        return c.selection;
    case Enabling::Files:
        return c.files;
    case Enabling::Above:
        return c.above;
    case Enabling::Below:
        return c.below;
    case Enabling::ZoomIn:
        return c.image && zoom::canZoomIn(c.zoom);
    case Enabling::ZoomOut:
        return c.image && zoom::canZoomOut(c.zoom);
    case Enabling::NotLoading:
        return !c.loading;
    case Enabling::TreeFolder:
        return c.treeFolder;
    case Enabling::UndoDelete:
        return c.undoDelete;
    }
    return false;
}

bool CommandTable::isAccepted(const CommandSpec &entry, const CommandContext &c)
{
    if (entry.ignoredWhileLoading && c.loading)
        return false;
    return isEnabled(entry, c);
}

} // namespace quorvel
