#include "ui/frame/CMainFrame.h"

#include "core/files/FileListModel.h"
#include "core/files/FolderScanner.h"
#include "core/settings/AppSettings.h"
#include "core/settings/SettingsStore.h"
#include "ui/files/CLeftPaneView.h"
#include "ui/files/CRightPaneView.h"
#include "ui/frame/PaneLayout.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace quorvel {

namespace {
QPointer<CMainFrame> s_frame;
} // namespace

CMainFrame::CMainFrame(QWidget *parent)
    : QMainWindow(parent)
{
    s_frame = this;
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QStringLiteral("Quorvel"));
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks | QMainWindow::AllowTabbedDocks);

    auto *centre = new QLabel(this);
    centre->setObjectName(QStringLiteral("ImageView"));
    centre->setAutoFillBackground(true);
    QPalette pal = centre->palette();
    pal.setColor(QPalette::Window, QColor(127, 127, 127));
    centre->setPalette(pal);
    centre->setFocusPolicy(Qt::StrongFocus);
    setCentralWidget(centre);

    m_toolBar = addToolBar(tr("Main toolbar"));
    m_toolBar->setObjectName(QStringLiteral("MainToolBar"));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);

    createPanes();
    createStatusBar();
    createMenus();
}

CMainFrame::~CMainFrame() = default;

CMainFrame *CMainFrame::instance()
{
    return s_frame;
}

void CMainFrame::createPanes()
{
    m_treePane = new QDockWidget(tr("Directory tree"), this);
    m_treePane->setObjectName(QStringLiteral("DirectoryTreePane"));
    m_treePane->setProperty("paneId", paneLayout::kTreePaneId);
    m_tree = new CLeftPaneView(m_treePane);
    m_treePane->setWidget(m_tree);
    addDockWidget(Qt::LeftDockWidgetArea, m_treePane);

    m_filesPane = new QDockWidget(tr("Files list"), this);
    m_filesPane->setObjectName(QStringLiteral("FilesListPane"));
    m_filesPane->setProperty("paneId", paneLayout::kFilesPaneId);
    m_fileList = new CRightPaneView(m_filesPane);
    m_filesPane->setWidget(m_fileList);
    addDockWidget(Qt::RightDockWidgetArea, m_filesPane);

    const AppSettings &s = globalSettings();
    resizeDocks({m_treePane}, {qMax(120, s.wndLeftPaneWidth)}, Qt::Horizontal);
    resizeDocks({m_filesPane}, {300}, Qt::Horizontal);

    connect(m_tree, &CLeftPaneView::folderSelected, this, [this](const QString &folder) { scanAndFill(folder, true); });
}

void CMainFrame::scanAndFill(const QString &folder, bool selectFirst)
{
    m_folder = folder;
    m_fileList->FillList(FolderScanner(folder).scan(FolderScanner::Images), folder, selectFirst);
}

void CMainFrame::createStatusBar()
{
    m_statusFacts = new QLabel(this);
    m_statusFacts->setObjectName(QStringLiteral("StatusFacts"));
    m_statusInfo = new QLabel(this);
    m_statusInfo->setObjectName(QStringLiteral("StatusInfo"));
    m_statusInfo->setMinimumWidth(250);
    statusBar()->addWidget(m_statusFacts, 0);
    statusBar()->addWidget(m_statusInfo, 1);
}

void CMainFrame::createMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    QAction *exit = file->addAction(tr("&Exit\tAlt+F4, Esc"));
    exit->setShortcut(QKeySequence(Qt::Key_Escape));
    exit->setShortcutContext(Qt::WindowShortcut);
    connect(exit, &QAction::triggered, this, &CMainFrame::exitCommand);

    QMenu *view = menuBar()->addMenu(tr("&View"));
    QAction *tree = m_treePane->toggleViewAction();
    tree->setText(tr("Directory tree"));
    view->addAction(tree);
    QAction *files = m_filesPane->toggleViewAction();
    files->setText(tr("Files pane"));
    view->addAction(files);
    QAction *toolbar = m_toolBar->toggleViewAction();
    toolbar->setText(tr("Main toolbar"));
    view->addAction(toolbar);
    QAction *navigation = view->addAction(tr("Navigation toolbar"));
    navigation->setEnabled(false);
    view->addSeparator();
    QAction *fullScreen = view->addAction(tr("Show image in full-screen"));
    fullScreen->setCheckable(true);
    fullScreen->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    connect(fullScreen, &QAction::triggered, this, [this] { toggleFullScreen(); });
    connect(view, &QMenu::aboutToShow, this, [this, fullScreen] { fullScreen->setChecked(isFullScreenMode()); });
}

void CMainFrame::restorePlacement(bool skipLayout)
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    setGeometry(paneLayout::usableWindowRect(globalSettings(), screens));
    if (!skipLayout)
        paneLayout::restore(*this, settingsStore());
}

void CMainFrame::showFolder(const QString &folder, const QString &selectName)
{
    m_tree->ShowAllDrives(folder);
    if (!selectName.isEmpty()) {
        const int exact = [&] {
            for (int r = 0; r < m_fileList->rowCount(); ++r) {
                if (m_fileList->model()->nameAt(r) == selectName)
                    return r;
            }
            return -1;
        }();
        if (exact >= 0)
            m_fileList->SelectOnly(exact);
        else
            m_fileList->SelectByName(selectName.toLower());
    }
}

bool CMainFrame::isFullScreenMode() const
{
    return menuBar()->isHidden();
}

void CMainFrame::setFullScreenMode(bool on)
{
    if (on == isFullScreenMode())
        return;
    if (on) {
        m_treeWasVisible = m_treePane->isVisible();
        m_filesWasVisible = m_filesPane->isVisible();
        m_wasMaximized = isMaximized();
        menuBar()->hide();
        m_treePane->hide();
        m_filesPane->hide();
        showFullScreen();
        centralWidget()->setFocus();
    } else {
        menuBar()->show();
        m_treePane->setVisible(m_treeWasVisible);
        m_filesPane->setVisible(m_filesWasVisible);
        if (m_wasMaximized)
            showMaximized();
        else
            showNormal();
        focusFileList();
    }
}

void CMainFrame::exitCommand()
{
    if (isFullScreenMode()) {
        setFullScreenMode(false);
        return;
    }
    close();
}

void CMainFrame::setStatusFacts(const QString &text)
{
    m_statusFacts->setText(text);
}

void CMainFrame::setStatusInfo(const QString &text)
{
    m_statusInfo->setText(text);
}

void CMainFrame::focusFileList()
{
    m_fileList->setFocus();
}

bool CMainFrame::confirmExit()
{
    AppSettings local;
    local.load();
    if (!local.askWhenExit)
        return true;
    const auto answer = QMessageBox::question(this, tr("Warning"), tr("Do you really want to exit?"),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes;
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
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
    saveOnExit();
    Q_EMIT closing();
    event->accept();
}

void CMainFrame::saveOnExit()
{
    SettingsStore &store = settingsStore();
    paneLayout::save(*this, store);
    m_tree->saveLastUsedFolder();
    // A minimised window has no rectangle worth keeping.
    if (!isMinimized()) {
        AppSettings local;
        local.load(store);
        const QRect r = geometry();
        local.wndRectLeft = r.left();
        local.wndRectTop = r.top();
        local.wndRectRight = r.left() + r.width();
        local.wndRectBottom = r.top() + r.height();
        local.save(store);
    }
    store.flush();
}

} // namespace quorvel
