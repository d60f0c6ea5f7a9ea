#include "ui/frame/CMainFrame.h"

#include "core/files/FolderScanner.h"
#include "core/settings/AppSettings.h"
#include "core/settings/SettingsStore.h"
#include "ui/frame/PaneLayout.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
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
    m_treeContent = new QLabel(m_treePane);
    m_treeContent->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_treeContent->setMargin(4);
    m_treeContent->setWordWrap(true);
    m_treePane->setWidget(m_treeContent);
    addDockWidget(Qt::LeftDockWidgetArea, m_treePane);

    m_filesPane = new QDockWidget(tr("Files list"), this);
    m_filesPane->setObjectName(QStringLiteral("FilesListPane"));
    m_filesPane->setProperty("paneId", paneLayout::kFilesPaneId);
    m_filesContent = new QListWidget(m_filesPane);
    m_filesContent->setObjectName(QStringLiteral("FileList"));
    m_filesPane->setWidget(m_filesContent);
    addDockWidget(Qt::RightDockWidgetArea, m_filesPane);

    const AppSettings &s = globalSettings();
    resizeDocks({m_treePane}, {qMax(120, s.wndLeftPaneWidth)}, Qt::Horizontal);
    resizeDocks({m_filesPane}, {260}, Qt::Horizontal);
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
    m_folder = folder;
    m_treeContent->setText(QDir::toNativeSeparators(folder));
    m_filesContent->clear();
    const FolderEntries entries = FolderScanner(folder).scan(FolderScanner::Images);
    QListWidgetItem *selected = nullptr;
    for (const FolderEntry &entry : entries) {
        auto *item = new QListWidgetItem(entry.name, m_filesContent);
        if (!selected && entry.name == selectName)
            selected = item;
    }
    if (!selected && !selectName.isEmpty()) {
        for (int i = 0; i < m_filesContent->count() && !selected; ++i) {
            if (m_filesContent->item(i)->text().compare(selectName, Qt::CaseInsensitive) == 0)
                selected = m_filesContent->item(i);
        }
    }
    if (!selected && m_filesContent->count() > 0)
        selected = m_filesContent->item(0);
    if (selected)
        m_filesContent->setCurrentItem(selected);
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
    if (m_filesPane->widget())
        m_filesPane->widget()->setFocus();
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
