#include "ui/frame/MainWindow.h"

#include "core/common/DataFolders.h"
#include "core/files/FileListModel.h"
#include "core/files/FolderScanner.h"
#include "core/files/FolderWatcher.h"
#include "core/files/PathUtil.h"
#include "core/settings/AppSettings.h"
#include "core/settings/SettingsStore.h"
#include "ui/files/DescriptionDialog.h"
#include "ui/files/FolderTreePane.h"
#include "ui/files/FileListPane.h"
#include "ui/imaging/HistogramWindow.h"
#include "ui/imaging/ImageView.h"
#include "core/imaging/ChannelTreatment.h"
#include "core/imaging/ImageLoader.h"
#include "ui/fileops/DesktopOpen.h"
#include "ui/fileops/FileCommands.h"
#include "ui/fileops/FileOpsController.h"
#include "ui/edit/SaveCommands.h"
#include "ui/frame/AboutDialog.h"
#include "ui/frame/KeyHelpDialog.h"
#include "ui/frame/CommandIds.h"
#include "ui/frame/CommandRouter.h"
#include "ui/frame/PaneLayout.h"
#include "ui/frame/Slideshow.h"
#include "ui/frame/WindowManagerProbe.h"
#include "ui/exif/ExifReportCommands.h"
#include "ui/fileops/FileOpsCommands.h"
#include "ui/print/IndexPrintCommand.h"
#include "ui/print/PrepareFileWizard.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace quorvel {

namespace {
QPointer<MainWindow> s_frame;
} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    s_frame = this;
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QStringLiteral("Quorvel"));
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks | QMainWindow::AllowTabbedDocks);

    m_loader = new ImageLoader(this);
    m_view = new ImageView(*m_loader, this);
    setCentralWidget(m_view);

    m_toolBar = addToolBar(tr("Main toolbar"));
    m_toolBar->setObjectName(QStringLiteral("MainToolBar"));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setIconSize(QSize(16, 16));

    createPanes();
    createStatusBar();
    m_commands = new CommandRouter(this);
    m_commands->setContextProvider([this] { return commandContext(); });
    m_commands->attachViewKeys(m_view);
    m_slideshow = new Slideshow(*this);
    m_watcher = new FolderWatcher(this);
    connect(m_watcher, &FolderWatcher::changed, this, &MainWindow::onFolderChanged);
    createMenus();
    createToolBar();
    connectCommands();
    connectView();
    m_fileOps = new FileOpsController(*this);
    m_commands->update();
}

MainWindow::~MainWindow() = default;

MainWindow *MainWindow::instance()
{
    return s_frame;
}

void MainWindow::createPanes()
{
    m_treePane = new QDockWidget(tr("Directory tree"), this);
    m_treePane->setObjectName(QStringLiteral("DirectoryTreePane"));
    m_treePane->setProperty("paneId", paneLayout::kTreePaneId);
    m_tree = new FolderTreePane(m_treePane);
    m_treePane->setWidget(m_tree);
    addDockWidget(Qt::LeftDockWidgetArea, m_treePane);

    m_filesPane = new QDockWidget(tr("Files list"), this);
    m_filesPane->setObjectName(QStringLiteral("FilesListPane"));
    m_filesPane->setProperty("paneId", paneLayout::kFilesPaneId);
    m_fileList = new FileListPane(m_filesPane);
    m_filesPane->setWidget(m_fileList);
    addDockWidget(Qt::RightDockWidgetArea, m_filesPane);

    const AppSettings &s = globalSettings();
    resizeDocks({m_treePane}, {qMax(120, s.wndLeftPaneWidth)}, Qt::Horizontal);
    resizeDocks({m_filesPane}, {300}, Qt::Horizontal);

    connect(m_tree, &FolderTreePane::folderSelected, this, [this](const QString &folder) { scanAndFill(folder, true); });
}

void MainWindow::scanAndFill(const QString &folder, bool selectFirst)
{
    m_folder = folder;
    m_watcher->watch(folder);
    m_fileList->fillList(FolderScanner(folder).scan(FolderScanner::Images), folder, selectFirst);
}

void MainWindow::onFolderChanged()
{
    // Rows must not move under a load, nor under a dialog or a menu that
    // holds on to them.
    if (m_loader->isBusy() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        m_watcher->retryLater();
        return;
    }
    if (QDir::cleanPath(m_fileList->currentFolder()) != m_watcher->folder())
        return;
    m_fileList->syncWithFolder();
    m_commands->scheduleUpdate();
}

void MainWindow::openDropped(const DropRequest &request)
{
    if (m_slideshow->isRunning())
        m_slideshow->stop();
    if (m_loader->isBusy()) {
        // The folder cannot change under a running load.
        QTimer::singleShot(50, this, [this, request] { openDropped(request); });
        return;
    }
    const QString current = m_fileList->currentFolder();
    if (current.isEmpty() || QDir::cleanPath(current) != QDir::cleanPath(request.folder)) {
        showFolder(request.folder, request.name);
        return;
    }
    // The folder on show: a file copied there a moment ago may not be
    // listed yet.
    m_fileList->syncWithFolder();
    if (!request.name.isEmpty() && !m_fileList->selectName(request.name))
        m_fileList->selectByName(request.name.toLower());
}

void MainWindow::createStatusBar()
{
    m_statusFacts = new QLabel(this);
    m_statusFacts->setObjectName(QStringLiteral("StatusFacts"));
    m_statusInfo = new QLabel(this);
    m_statusInfo->setObjectName(QStringLiteral("StatusInfo"));
    m_statusInfo->setMinimumWidth(250);
    statusBar()->addWidget(m_statusFacts, 0);
    statusBar()->addWidget(m_statusInfo, 1);
}

void MainWindow::createMenus()
{
    const auto add = [this](QMenu *menu, std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(m_commands->action(id));
        }
    };
    QMenu *file = menuBar()->addMenu(tr("&File"));
    add(file, {cmd::RefreshList, 0, cmd::PrepareFile, cmd::IndexPrint, 0, cmd::DeleteFile, cmd::UndoDelete,
               cmd::RenameFile, cmd::CopyToFolder, 0, cmd::EditDescription, cmd::ChangeExif, cmd::ExifStatistics,
               cmd::ExportInfo, 0, cmd::VersionControl, cmd::Wallpaper, 0, cmd::OpenInFileManager, 0, cmd::Settings, 0,
               cmd::Exit, cmd::Quit});

    QMenu *image = menuBar()->addMenu(tr("&Image"));
    add(image, {cmd::RotateFlip, cmd::CropImage, cmd::AdjustImage, cmd::ImageResolution, 0, cmd::CopyToClipboard, 0,
                cmd::FullScreen, cmd::Histogram, 0, cmd::AllColours, cmd::ChannelRed, cmd::ChannelGreen,
                cmd::ChannelBlue, cmd::AllChannels, cmd::Overexposure});

    QMenu *view = menuBar()->addMenu(tr("&View"));
    add(view, {cmd::ToggleTreePane, cmd::ToggleFilesPane, cmd::ToggleToolbar, cmd::NavigationToolbar, 0,
               cmd::ThumbnailsToggle, 0, cmd::FirstImage, cmd::PreviousImage, cmd::NextImage, cmd::LastImage, 0,
               cmd::Slideshow, 0, cmd::ZoomIn, cmd::ZoomOut, cmd::FullSize, cmd::FitWidth, cmd::LockZoom});

    QMenu *favourites = menuBar()->addMenu(tr("F&avourites"));
    favourites->setObjectName(QStringLiteral("FavouritesMenu"));
    add(favourites, {cmd::AddCurrentFolder});
    QMenu *remove = favourites->addMenu(tr("&Delete folder from the list"));
    remove->setObjectName(QStringLiteral("DeleteFavouritesMenu"));
    add(remove, {cmd::DeleteAllFavourites, 0});
    favourites->addSeparator();
    add(favourites, {cmd::ShowAllFolders});

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    add(help, {cmd::ProgramFeatures, cmd::KeyHelp, 0, cmd::About});

    for (QMenu *menu : {file, image, view, favourites, help})
        connect(menu, &QMenu::aboutToShow, m_commands, &CommandRouter::update);
}

void MainWindow::createToolBar()
{
    for (int id : std::initializer_list<int>{cmd::AddCurrentFolder, cmd::GoToFavourite, cmd::EditExternal, cmd::FullScreen, 0, cmd::PrepareFile,
                   cmd::IndexPrint, cmd::RotateFlip, 0, cmd::DeleteFile, cmd::RenameFile, 0, cmd::VersionControl,
                   cmd::Wallpaper, cmd::ExifStatistics, 0, cmd::FirstImage, cmd::PreviousImage, cmd::NextImage,
                   cmd::LastImage, cmd::ZoomIn, cmd::ZoomOut, cmd::FullSize, cmd::FitWidth, cmd::LockZoom, 0,
                   cmd::Histogram, cmd::AllColours, cmd::ChannelRed, cmd::ChannelGreen, cmd::ChannelBlue,
                   cmd::AllChannels, cmd::Overexposure, 0, cmd::About}) {
        if (id == 0)
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(m_commands->action(id));
    }
}

CommandContext MainWindow::commandContext() const
{
    CommandContext c;
    c.selection = m_fileList->selectedIndex() >= 0;
    c.files = m_fileList->rowCount() > 0;
    c.above = m_fileList->hasNeighbour(true);
    c.below = m_fileList->hasNeighbour(false);
    c.treeFolder = m_tree->hasSelection();
    c.loading = m_loader->isBusy();
    c.image = m_view->hasImage();
    c.zoom = m_view->zoom();
    c.undoDelete = m_fileOps && m_fileOps->fileCommands().canUndoDelete();
    return c;
}

void MainWindow::connectView()
{
    m_view->setListTextProvider([this] { return m_fileList->selectionStatusText(); });
    connect(m_fileList, &FileListPane::fileChosen, this, [this](const QString &path) {
        m_view->showFile(path);
        if (!isFullScreenMode())
            m_fileList->setFocus();
    });
    connect(m_fileList, &FileListPane::listEmptied, m_view, &ImageView::clear);
    connect(m_fileList, &FileListPane::selectionChanged, this, [this] {
        if (!m_loader->isBusy() && m_view->hasImage())
            m_view->refreshStatus();
    });
    connect(m_loader, &ImageLoader::loadDone, this, &MainWindow::onLoadDone);
    connect(m_view, &ImageView::servedFromCache, this, &MainWindow::onLoadDone, Qt::QueuedConnection);
    connect(m_loader, &ImageLoader::busyChanged, this, [this](bool busy) {
        // The folder cannot change under a running load.
        m_tree->setEnabled(!busy);
        m_commands->scheduleUpdate();
    });
    connect(m_loader, &ImageLoader::rawDecodeProgress, m_view, &ImageView::setProgress);
    connect(m_loader, &ImageLoader::previewReady, m_view, &ImageView::showPreview);
    connect(m_loader, &ImageLoader::passingReady, m_view, &ImageView::showPassing);
    connect(m_loader, &ImageLoader::fullResolutionReady, this, [this] {
        if (m_histogram && m_histogram->isVisible() && m_view->hasImage())
            m_histogram->setImage(m_loader->currentImage());
    });
    connect(m_view, &ImageView::statusChanged, this, [this](const QString &facts, const QString &info) {
        setStatusFacts(facts);
        setStatusInfo(info);
    });
    connect(m_view, &ImageView::stepRequested, this, [this](bool previous) {
        m_fileList->navigate(previous ? FileListPane::NavigatePrevious : FileListPane::NavigateNext);
        m_view->setFocus();
    });
    connect(m_view, &ImageView::fullScreenRequested, this, [this] { m_commands->trigger(cmd::FullScreen); });
    connect(m_view, &ImageView::zoomChanged, m_commands, &CommandRouter::scheduleUpdate);
    connect(m_view, &ImageView::openRequested, this, &MainWindow::openDropped);
    connect(m_fileList, &FileListPane::openRequested, this, &MainWindow::openDropped);
}

void MainWindow::toggleHistogram()
{
    if (m_histogram && m_histogram->isVisible()) {
        m_histogram->close(); // closing destroys it
        return;
    }
    m_histogram = new HistogramWindow(this);
    connect(m_histogram, &QObject::destroyed, m_commands, &CommandRouter::scheduleUpdate);
    m_histogram->show();
    if (m_view->hasImage()) {
        // The histogram counts the whole picture: it is decoded behind a
        // first look, and the histogram follows when it is there.
        m_loader->requestFullResolution();
        m_histogram->setImage(m_loader->currentImage());
    }
}

void MainWindow::onLoadDone()
{
    m_tree->setEnabled(true);
    switch (m_loader->onLoadDone()) {
    case ImageLoader::DoneOutcome::NewLoadStarted:
        return;
    case ImageLoader::DoneOutcome::ShowPassing:
        m_view->showPassing();
        return;
    case ImageLoader::DoneOutcome::Finished:
        break;
    }
    m_view->afterLoad();
    // In a slideshow the first picture follows the last: it is made ready too.
    // Otherwise the files after this one (two, three while a key is held),
    // so that a held key finds them decoded on two threads.
    if (m_slideshow->isRunning()) {
        const QString next = m_slideshow->nextPath();
        if (!next.isEmpty())
            m_loader->startPreload(next);
    } else {
        m_loader->preloadAhead({m_fileList->neighbourPath(false), m_fileList->neighbourPath(false, 2),
                                m_fileList->neighbourPath(false, 3)});
    }
    m_slideshow->pictureShown();
    if (m_histogram && m_histogram->isVisible()) {
        if (m_view->hasImage())
            m_loader->requestFullResolution();
        m_histogram->setImage(m_view->hasImage() ? m_loader->currentImage() : QImage());
    }
    m_commands->scheduleUpdate();
}

void MainWindow::modeCommand(const std::function<bool(bool shift)> &command)
{
    const bool shift = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool changed = command(shift);
    QApplication::restoreOverrideCursor();
    if (changed)
        m_view->update();
}

void MainWindow::connectCommands()
{
    CommandRouter *c = m_commands;
    c->setHandler(cmd::Exit, [this] { exitCommand(); });
    c->setHandler(cmd::Quit, [this] { quitCommand(); });
    c->setHandler(
        cmd::Slideshow,
        [this] {
            if (m_slideshow->isRunning())
                m_slideshow->stop();
            else
                m_slideshow->start();
        },
        [this] { return m_slideshow->isRunning(); });
    connect(m_slideshow, &Slideshow::runningChanged, c, &CommandRouter::scheduleUpdate);
    c->setHandler(cmd::RefreshList, [this] { refreshList(); });
    c->setHandler(
        cmd::ToggleTreePane, [this] { m_treePane->setVisible(!m_treePane->isVisible()); },
        [this] { return m_treePane->isVisible(); });
    c->setHandler(
        cmd::ToggleFilesPane, [this] { m_filesPane->setVisible(!m_filesPane->isVisible()); },
        [this] { return m_filesPane->isVisible(); });
    c->setHandler(
        cmd::ToggleToolbar, [this] { m_toolBar->setVisible(!m_toolBar->isVisible()); },
        [this] { return m_toolBar->isVisible(); });
    c->setHandler(
        cmd::FullScreen, [this] { toggleFullScreen(); }, [this] { return isFullScreenMode(); });
    c->setHandler(cmd::OpenInFileManager, [this] { m_tree->openInFileManager(); });
    c->setHandler(cmd::ShowAllFolders, [this] {
        m_loader->emptyCache();
        m_tree->showFolderAsRoot(QString());
    });
    c->setHandler(cmd::FirstImage, [this] { m_fileList->navigate(FileListPane::NavigateFirst); });
    c->setHandler(cmd::LastImage, [this] { m_fileList->navigate(FileListPane::NavigateLast); });
    c->setHandler(cmd::PreviousImage, [this] { m_fileList->navigate(FileListPane::NavigatePrevious); });
    c->setHandler(cmd::NextImage, [this] { m_fileList->navigate(FileListPane::NavigateNext); });
    c->setHandler(cmd::ZoomIn, [this] { m_view->zoomIn(); });
    c->setHandler(cmd::ZoomOut, [this] { m_view->zoomOut(); });
    c->setHandler(cmd::FullSize, [this] { m_view->fullSize(); });
    c->setHandler(cmd::FitWidth, [this] { m_view->fitWidth(); });
    c->setHandler(
        cmd::LockZoom, [this] { m_view->toggleLockZoom(); }, [this] { return m_view->isLocked(); });
    c->setHandler(cmd::CopyToClipboard, [this] { m_view->copyToClipboard(); });
    c->setHandler(cmd::ChangeExif, [this] { savecommands::changeExif(*this); });
    c->setHandler(cmd::RotateFlip, [this] { savecommands::rotateFlip(*this); });
    c->setHandler(cmd::ImageResolution, [this] { savecommands::imageResolution(*this); });
    c->setHandler(cmd::CropImage, [this] { savecommands::cropImage(*this); });
    c->setHandler(cmd::AdjustImage, [this] { savecommands::adjustImage(*this); });
    c->setHandler(cmd::PrepareFile, [this] {
        const bool created = PrepareFileWizard(m_fileList->selectedFiles(true), this).run();
        m_view->markZoomRecompute();
        if (created)
            refreshList();
    });

    DisplayEngine &engine = m_view->model().engine();
    c->setHandler(
        cmd::AllColours, [this, &engine] { modeCommand([&engine](bool) { return engine.setChannel(channel::None, false); }); },
        [&engine] { return engine.modes().allColoursChecked(); });
    for (const auto &[id, ch] : {std::pair{int(cmd::ChannelRed), channel::Red}, std::pair{int(cmd::ChannelGreen), channel::Green},
                                 std::pair{int(cmd::ChannelBlue), channel::Blue}}) {
        const int chosen = ch;
        c->setHandler(
            id, [this, &engine, chosen] { modeCommand([&engine, chosen](bool shift) { return engine.setChannel(chosen, shift); }); },
            [&engine, chosen] { return engine.modes().channelChecked(chosen); });
    }
    c->setHandler(
        cmd::AllChannels, [this, &engine] { modeCommand([&engine](bool) { return engine.toggleAllChannels(); }); },
        [&engine] { return engine.modes().showsAllChannels(); });
    c->setHandler(
        cmd::Overexposure, [this, &engine] { modeCommand([&engine](bool shift) { return engine.toggleOverexposure(shift); }); },
        [&engine] { return engine.modes().overexposureChecked(); });

    c->setHandler(
        cmd::Histogram, [this] { toggleHistogram(); }, [this] { return m_histogram && m_histogram->isVisible(); });
    c->setHandler(cmd::ExifStatistics, [this] { showExifStatistics(this, *m_fileList->model()); });
    c->setHandler(cmd::ExportInfo, [this] { exportImagesInfo(this, *m_fileList->model()); });
    c->setHandler(cmd::VersionControl, [this] { showVersionControl(*this); });
    c->setHandler(cmd::Wallpaper, [this] { showWallpaper(*this); });
    c->setHandler(cmd::IndexPrint, [this] { showIndexPrint(*this); });

    c->setHandler(cmd::About, [this] { AboutDialog(this).exec(); });
    c->setHandler(cmd::KeyHelp, [this] { KeyHelpDialog(this).exec(); });
    c->setHandler(cmd::ProgramFeatures, [this] {
        openWithDesktop(this, DataFolders::filePath(DataFolders::Documentation, QStringLiteral("Quorvel.pdf")));
    });

    // Descriptions and thumbnails of the file list.
    c->setHandler(cmd::EditDescription, [this] { DescriptionDialog::editSelected(*m_fileList, this); });
    c->setHandler(
        cmd::ThumbnailsToggle, [this] { m_fileList->toggleThumbnails(!m_fileList->thumbnailMode()); },
        [this] { return m_fileList->thumbnailMode(); });
    connect(m_fileList, &FileListPane::editDescriptionRequested, this,
            [this] { m_commands->trigger(cmd::EditDescription); });
    connect(m_fileList, &FileListPane::thumbnailsRequested, this, [this](bool on) {
        m_fileList->toggleThumbnails(on);
        m_commands->scheduleUpdate();
    });

    connect(m_fileList, &FileListPane::selectionChanged, c, &CommandRouter::scheduleUpdate);
    connect(m_fileList, &FileListPane::refreshRequested, this, [this] { m_commands->trigger(cmd::RefreshList); });
    connect(m_fileList, &FileListPane::fullScreenRequested, this, [this] { m_commands->trigger(cmd::FullScreen); });
    connect(m_tree, &FolderTreePane::folderSelected, c, &CommandRouter::scheduleUpdate);
    for (QDockWidget *pane : {m_treePane, m_filesPane})
        connect(pane, &QDockWidget::visibilityChanged, c, &CommandRouter::scheduleUpdate);
    connect(m_toolBar, &QToolBar::visibilityChanged, c, &CommandRouter::scheduleUpdate);
}

void MainWindow::refreshList()
{
    m_loader->emptyCache();
    if (isFullScreenMode()) {
        m_view->reload();
        return;
    }
    const QString name = m_fileList->selectedName();
    const int row = m_fileList->selectedIndex();
    m_tree->refreshAroundSelection();
    const QString folder = m_tree->currentFolderPath();
    if (folder.isEmpty())
        return;
    scanAndFill(folder, false);
    if (name.isEmpty() || !m_fileList->selectByName(name.toLower())) {
        const int count = m_fileList->rowCount();
        if (count == 0) {
            m_view->clear();
            return;
        }
        m_fileList->selectOnly(row >= 0 && row < count ? row : count - 1);
    }
    m_view->reload();
}

void MainWindow::restorePlacement(bool skipLayout)
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    if (paneLayout::hasStoredWindowRect(settingsStore()) || screens.isEmpty()) {
        setGeometry(paneLayout::usableWindowRect(globalSettings(), screens));
    } else {
        const QScreen *primary = QGuiApplication::primaryScreen();
        setGeometry(paneLayout::firstStartRect(primary ? primary->availableGeometry() : screens.first()));
    }
    const bool restored = !skipLayout && paneLayout::restore(*this, settingsStore());
    if (!restored) {
        // Once the first folder is on show, its names tell the widths.
        QTimer::singleShot(0, this, &MainWindow::fitPanesToContents);
    }
}

void MainWindow::fitPanesToContents()
{
    const int total = width();
    QTreeWidget *tree = m_tree->tree();
    const int treeChrome = 2 * tree->frameWidth() + tree->verticalScrollBar()->sizeHint().width() + 8;
    const int names = static_cast<const QAbstractItemView *>(tree)->sizeHintForColumn(0);
    const int treeWidth = std::clamp(names + treeChrome, 160, std::max(160, total / 4));

    QTreeView *list = m_fileList->listView();
    int columns = 0;
    for (int i = 0; i < list->header()->count(); ++i)
        columns += list->columnWidth(i);
    const int listChrome = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width() + 8;
    const int filesWidth = std::clamp(columns + listChrome, 300, std::max(300, total * 45 / 100));
    resizeDocks({m_treePane, m_filesPane}, {treeWidth, filesWidth}, Qt::Horizontal);
}

void MainWindow::showFolder(const QString &folder, const QString &selectName)
{
    m_tree->showAllDrives(folder);
    if (!selectName.isEmpty()) {
        const int exact = [&] {
            for (int r = 0; r < m_fileList->rowCount(); ++r) {
                if (m_fileList->model()->nameAt(r) == selectName)
                    return r;
            }
            return -1;
        }();
        if (exact >= 0)
            m_fileList->selectOnly(exact);
        else
            m_fileList->selectByName(selectName.toLower());
    }
}

bool MainWindow::isFullScreenMode() const
{
    return menuBar()->isHidden();
}

void MainWindow::setFullScreenMode(bool on)
{
    if (on == isFullScreenMode())
        return;
    if (on) {
        m_treeWasVisible = m_treePane->isVisible();
        m_filesWasVisible = m_filesPane->isVisible();
        m_wasMaximized = isMaximized();
        m_normalGeometry = geometry();
        menuBar()->hide();
        m_treePane->hide();
        m_filesPane->hide();
        showFullScreen();
        // Without a window manager nobody honours the request: cover the
        // screen ourselves. Under a window manager a geometry set now would
        // cancel its full-screen state and leave a decorated window.
        if (!hasWindowManager()) {
            if (QScreen *s = screen())
                setGeometry(s->geometry());
        }
        centralWidget()->setFocus();
    } else {
        menuBar()->show();
        m_treePane->setVisible(m_treeWasVisible);
        m_filesPane->setVisible(m_filesWasVisible);
        if (m_wasMaximized) {
            showMaximized();
        } else {
            showNormal();
            // A window manager puts the window back where it was; a geometry
            // set before it has done so would be taken against its frame.
            if (m_normalGeometry.isValid() && !hasWindowManager())
                setGeometry(m_normalGeometry);
        }
        focusFileList();
    }
}

void MainWindow::quitCommand()
{
    m_quitting = true;
    if (!close())
        m_quitting = false;
}

void MainWindow::exitCommand()
{
    if (isFullScreenMode()) {
        setFullScreenMode(false);
        return;
    }
    close();
}

void MainWindow::setStatusFacts(const QString &text)
{
    m_statusFacts->setText(text);
}

void MainWindow::setStatusInfo(const QString &text)
{
    m_statusInfo->setText(text);
}

QString MainWindow::statusFacts() const
{
    return m_statusFacts->text();
}

QString MainWindow::statusInfo() const
{
    return m_statusInfo->text();
}

void MainWindow::focusFileList()
{
    m_fileList->setFocus();
}

bool MainWindow::confirmExit()
{
    AppSettings local;
    local.load();
    if (!local.askWhenExit)
        return true;
    const auto answer = QMessageBox::question(this, tr("Warning"), tr("Do you really want to exit?"),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_quitting) {
        if (isFullScreenMode()) {
            setFullScreenMode(false);
            event->ignore();
            return;
        }
        if (!confirmExit()) {
            event->ignore();
            focusFileList();
            return;
        }
    }
    m_slideshow->stop();
    saveOnExit();
    Q_EMIT closing();
    event->accept();
}

QRect MainWindow::rectangleToStore() const
{
    return isFullScreenMode() && m_normalGeometry.isValid() ? m_normalGeometry : geometry();
}

void MainWindow::saveOnExit()
{
    SettingsStore &store = settingsStore();
    const QRect r = rectangleToStore();
    // The layout is the normal one's: panes hidden for full screen are not
    // stored as hidden.
    if (isFullScreenMode())
        setFullScreenMode(false);
    paneLayout::save(*this, store);
    m_tree->saveLastUsedFolder();
    // A minimised window has no rectangle worth keeping.
    if (!isMinimized()) {
        AppSettings local;
        local.load(store);
        local.wndRectLeft = r.left();
        local.wndRectTop = r.top();
        local.wndRectRight = r.left() + r.width();
        local.wndRectBottom = r.top() + r.height();
        local.save(store);
    }
    store.flush();
}

} // namespace quorvel
