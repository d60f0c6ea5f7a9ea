#include "ui/frame/CommandTable.h"

#include "core/imaging/ZoomMath.h"
#include "ui/frame/CommandIds.h"

#include <QtGlobal>

namespace quorvel {

namespace {

#define T(text) QT_TRANSLATE_NOOP("quorvel::CommandTable", text)

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
        {cmd::RefreshList, T("&Refresh files list\tF5"), T("Refresh file list (F5)"), {key(Qt::Key_F5)}, E::Always, true, false},
        {cmd::Exit, T("&Exit\tAlt+F4, Esc"), T("Quit the program"), {key(Qt::Key_Escape)}, E::Always, false, false},
        {cmd::ToggleTreePane, T("Directory tree"), T("Show or hide the directory tree"), {}, E::Always, false, true},
        {cmd::ToggleFilesPane, T("Files pane"), T("Show or hide the files list"), {}, E::Always, false, true},
        {cmd::ToggleToolbar, T("Main toolbar"), T("Show or hide the main toolbar"), {}, E::Always, false, true},
        {cmd::NavigationToolbar, T("Navigation toolbar"), T("Navigation toolbar"), {}, E::Never, false, false},
        {cmd::FullScreen, T("Show image in full-screen"), T("Full screen (Enter)"),
         {key(Qt::Key_Return), key(Qt::Key_Enter)}, E::Always, false, true},
        {cmd::AddCurrentFolder, T("&Add current folder"), T("Add current folder to Favourites"), {}, E::TreeFolder, true, false},
        {cmd::DeleteAllFavourites, T("All..."), T("Delete all folders from Favourites"), {}, E::Always, true, false},
        {cmd::ShowAllFolders, T("&Show all folders"), T("Show all folders"), {}, E::Always, true, false},
        {cmd::PrepareFile, T("&Prepare to print, web or mobile device...\tF7"),
         T("Prepare to print, web or mobile device (F7)"), {key(Qt::Key_F7)}, E::Selection, true, false},
        {cmd::IndexPrint, T("Prepare &index-print photo..."), T("Prepare index print"), {}, E::Always, false, false},
        {cmd::DeleteFile, T("&Delete file...\tF8, Del"), T("Delete file (F8, Del)"),
         {key(Qt::Key_F8), key(Qt::Key_Delete), key(shift | Qt::Key_Delete)}, E::Selection, true, false},
        {cmd::RenameFile, T("Rename file\tF6"), T("Rename file (F6)"), {key(Qt::Key_F6)}, E::Selection, true, false},
        {cmd::RotateFlip, T("&Rotate/Flip...\tCtrl+J"), T("Rotate/Flip (Ctrl+J)"), {key(ctrl | Qt::Key_J)}, E::Selection,
         true, false},
        {cmd::CopyToClipboard, T("Copy image to clipboard"), T("Copy image to clipboard"), {}, E::Image, true, false},
        {cmd::Histogram, T("Show histogram\tCtrl+H"), T("Show histogram (Ctrl+H)"), {key(ctrl | Qt::Key_H)}, E::Image,
         false, true},
        {cmd::VersionControl, T("Add file to version control..."), T("Add file to version control"), {}, E::Image, false,
         false},
        {cmd::CropImage, T("Crop image..."), T("Crop image"), {}, E::Image, false, false},
        {cmd::AdjustImage, T("Adjust image..."), T("Adjust brightness, contrast, etc"), {}, E::Image, false, false},
        {cmd::OpenInExplorer, T("Open directory in &Explorer\tF12"), T("Open directory in the file manager (F12)"),
         {key(Qt::Key_F12)}, E::Always, false, false},
        {cmd::Wallpaper, T("Set image as wallpaper..."), T("Set image as wallpaper"), {}, E::Image, false, false},
        {cmd::ChangeExif, T("&Change EXIF data...\tCtrl+E"), T("Change EXIF data (Ctrl+E)"), {key(ctrl | Qt::Key_E)},
         E::Selection, true, false},
        {cmd::EditDescription, T("Edit file description..."), T("Edit file description"), {}, E::Selection, false, false},
        {cmd::ExifStatistics, T("EXIF data &statistics"), T("EXIF data statistics"), {}, E::Files, true, false},
        {cmd::ExportInfo, T("E&xport images information..."), T("Export images information"), {}, E::Files, false, false},
        {cmd::Settings, T("Se&ttings...\tF9"), T("Settings (F9)"), {key(Qt::Key_F9)}, E::Always, true, false},
        {cmd::AllColours, T("Show image in &all colors\tA"), T("All colours (A)"), {key(Qt::Key_A)}, E::Always, true, true},
        {cmd::ChannelRed, T("&R-channel\tR"), T("R channel (R)"), {key(Qt::Key_R), key(shift | Qt::Key_R)}, E::Always, true,
         true},
        {cmd::ChannelGreen, T("&G-channel\tG"), T("G channel (G)"), {key(Qt::Key_G), key(shift | Qt::Key_G)}, E::Always,
         true, true},
        {cmd::ChannelBlue, T("&B-channel\tB"), T("B channel (B)"), {key(Qt::Key_B), key(shift | Qt::Key_B)}, E::Always, true,
         true},
        {cmd::AllChannels, T("Show all channels\tAlt+F3"), T("Show all channels (Alt+F3)"), {key(alt | Qt::Key_F3)},
         E::Image, false, true},
        {cmd::Overexposure, T("Show overlighted areas\tF3"), T("Show overlighted areas (F3)"),
         {key(Qt::Key_F3), key(shift | Qt::Key_F3)}, E::Always, true, true},
        {cmd::About, T("&About"), T("About Quorvel"), {}, E::Always, false, false},
        {cmd::ProgramFeatures, T("&Program features..."), T("Program features"), {}, E::Always, false, false},
        {cmd::KeyHelp, T("Available &hotkeys\tH"), T("Available hotkeys (H)"), {key(Qt::Key_H)}, E::Always, false, false},
        {cmd::PreviousImage, T("Previous image\tBackspace"), T("Previous image (Backspace)"), {key(Qt::Key_Backspace)},
         E::Above, true, false},
        {cmd::NextImage, T("Next image\tSpace"), T("Next image (Space)"), {key(Qt::Key_Space)}, E::Below, true, false},
        {cmd::FirstImage, T("First image"), T("First image"), {}, E::Above, true, false},
        {cmd::LastImage, T("Last image"), T("Last image"), {}, E::Below, true, false},
        {cmd::ZoomIn, T("Zoom in\t+"), T("Zoom in (+)"), {key(Qt::Key_Plus), key(Qt::Key_Equal)}, E::ZoomIn, true, false},
        {cmd::ZoomOut, T("Zoom out\t-"), T("Zoom out (-)"), {key(Qt::Key_Minus)}, E::ZoomOut, true, false},
        {cmd::FullSize, T("Full size\t/"), T("Full size (/)"), {key(Qt::Key_Slash)}, E::Image, true, false},
        {cmd::FitWidth, T("Fit width\t*"), T("Fit width (*)"), {key(Qt::Key_Asterisk)}, E::Image, true, false},
        {cmd::LockZoom, T("Lock zoom\tCtrl+L"), T("Lock zoom (Ctrl+L)"), {key(ctrl | Qt::Key_L)}, E::Always, false, true},
        {cmd::FileContextMenu, T("File menu\tCtrl+M"), T("File menu (Ctrl+M)"), {key(ctrl | Qt::Key_M)}, E::Image, true,
         false},
        {cmd::EditExternal, T("Edit file in the external editor\tF4"), T("Edit file in the external editor (F4)"),
         {key(Qt::Key_F4)}, E::Selection, true, false},
        {cmd::GoToFavourite, T("Go to Favourite folder"), T("Go to Favourite folder"), {}, E::Always, false, false},
        {cmd::ThumbnailsToggle, T("Thumbnails"), T("Switch between details and thumbnails"), {}, E::NotLoading, true, true},
        {cmd::ImageResolution, T("Set image resolution..."), T("Set image resolution"), {}, E::Image, true, false},
        {cmd::CopyToFolder, T("Copy to folder...\tAlt+C"), T("Copy file(s) to a folder (Alt+C)"), {key(alt | Qt::Key_C)},
         E::Image, true, false},
        {cmd::NoHandler, "", "", {key(ctrl | Qt::Key_F)}, E::Never, false, false},
    };
}

#undef T

} // namespace

const std::vector<CommandSpec> &CommandTable::commands()
{
    static const std::vector<CommandSpec> table = buildTable();
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
