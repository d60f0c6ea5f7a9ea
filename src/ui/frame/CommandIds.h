#pragma once

namespace quorvel::cmd {

// Command identifiers, shared by the menus, the toolbar, the keys and the
// panes that carry the commands out.
enum Id : int {
    AddCurrentFolder = 30000,
    FavouriteFirst = 30001, // + i, up to 30100
    FavouriteLast = 30100,
    DeleteAllFavourites = 30300,
    DeleteFavouriteFirst = 30301, // + i, up to 30400
    DeleteFavouriteLast = 30400,
    EditorFirst = 30600, // + i, up to 30699
    EditorLast = 30699,
    CopyToFolder = 30900, // 30901 + i: copy to favourite i
    CopyLast = 31100,
    LinkToFolder = 31200, // 31201 + i: link in favourite i
    LinkLast = 31400,
    ShowAllFolders = 32777,
    Settings = 32780,
    EditExternal = 32781,
    FullScreen = 32783,
    PrepareFile = 32784,
    SettingsAlt = 32785,
    ExifStatistics = 32789,
    RefreshList = 32791,
    RotateFlip = 32798,
    DeleteFile = 32799,
    ChangeExif = 32800,
    ChannelRed = 32802,
    ChannelGreen = 32805,
    ChannelBlue = 32806,
    AllColours = 32807,
    Overexposure = 32814,
    PreviousImage = 32816,
    NextImage = 32817,
    ZoomIn = 32818,
    ZoomOut = 32819,
    FullSize = 32820,
    FitWidth = 32821,
    KeyHelp = 32822,
    ExportInfo = 32823,
    LastImage = 32824,
    FirstImage = 32825,
    GoToFavourite = 32826,
    IndexPrint = 32827,
    RenameFile = 32829,
    OpenInFileManager = 32830,
    ToggleToolbar = 32831,
    NavigationToolbar = 32832,
    ProgramFeatures = 32834,
    ThumbnailsToggle = 32835,
    LockZoom = 32836,
    ImageResolution = 32837,
    CopyToClipboard = 32838,
    AllChannels = 32840,
    ToggleTreePane = 32841,
    ToggleFilesPane = 32842,
    CropImage = 32844,
    AdjustImage = 32845,
    VersionControl = 32847,
    Histogram = 32848,
    Wallpaper = 32849,
    DetailsView = 32854,
    ThumbnailsView = 32855,
    NoHandler = 32865,
    EditDescription = 32866,
    UndoDelete = 32870,
    Quit = 32871,
    Slideshow = 32872,
    About = 57664,
    Exit = 57665,
    FileContextMenu = 105,
    Placeholder = 60000,
};

} // namespace quorvel::cmd
