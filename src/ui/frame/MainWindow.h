#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>

class QDockWidget;
class QLabel;
class QToolBar;

namespace quorvel {

class HistogramWindow;
class FolderTreePane;
class ImageView;
class FileListPane;
class ImageLoader;
class CommandRouter;
class FileOpsController;
class FolderWatcher;
class Slideshow;
struct CommandContext;
struct DropRequest;

// The program's one top-level window: menus, the toolbar, the status bar,
// the directory tree and file list panes, and the image view in the middle.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    static MainWindow *instance();

    // Puts the window at the stored rectangle and, unless skipLayout (Shift
    // held at start), restores the panes' docking layout.
    void restorePlacement(bool skipLayout);

    // Opens a folder in both panes and selects the named file in the list
    // (the first file when there is no such name).
    void showFolder(const QString &folder, const QString &selectName = QString());
    QString currentFolder() const { return m_folder; }

    // Full-screen mode is on while the menu bar is hidden.
    bool isFullScreenMode() const;
    void setFullScreenMode(bool on);
    void toggleFullScreen() { setFullScreenMode(!isFullScreenMode()); }

    // Exit command (Esc, File > Exit): leaves full-screen mode first.
    void exitCommand();
    // Quit (Ctrl+Q): closes at once, full screen or not, without the exit
    // question; the window state is saved as at any exit.
    void quitCommand();

    // The two panes of the status bar: image facts, and everything else.
    void setStatusFacts(const QString &text);
    void setStatusInfo(const QString &text);
    QString statusFacts() const;
    QString statusInfo() const;

    FolderTreePane *tree() const { return m_tree; }
    ImageView *view() const { return m_view; }
    ImageLoader *loader() const { return m_loader; }
    FileListPane *fileList() const { return m_fileList; }
    QDockWidget *treePane() const { return m_treePane; }
    QDockWidget *filesPane() const { return m_filesPane; }
    QToolBar *mainToolBar() const { return m_toolBar; }
    void focusFileList();
    CommandRouter *commands() const { return m_commands; }
    FileOpsController *fileOps() const { return m_fileOps; }
    Slideshow *slideshow() const { return m_slideshow; }
    FolderWatcher *folderWatcher() const { return m_watcher; }

    // Opens what was dropped from a file manager: the folder, with the
    // dropped picture selected.
    void openDropped(const DropRequest &request);
    // The watched folder changed on disk: the list follows, unless the
    // program is busy (a load, a dialog), when it is tried again later.
    void onFolderChanged();

    // First start (no stored layout): the panes are made wide enough for
    // the folder names and the columns of the list.
    void fitPanesToContents();

    // F5: re-reads the folder and selects the same file again (else the same
    // position, else the last file).
    void refreshList();

    // The load finished (or the cache served the file): show it, take up a
    // pending request, preload the next file.
    void onLoadDone();

Q_SIGNALS:
    // After the exit was confirmed and the layout saved.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void createToolBar();
    void connectCommands();
    void connectView();
    void toggleHistogram();
    // Runs a channel or overexposure mode command with the Shift state of
    // this moment, and repaints when it changed something.
    void modeCommand(const std::function<bool(bool shift)> &command);
    CommandContext commandContext() const;
    void createPanes();
    void createStatusBar();
    void scanAndFill(const QString &folder, bool selectFirst);
    bool confirmExit();
    void saveOnExit();
    // The rectangle to store: the normal one while full screen.
    QRect rectangleToStore() const;

    QString m_folder;
    QDockWidget *m_treePane = nullptr;
    QDockWidget *m_filesPane = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_statusFacts = nullptr;
    QLabel *m_statusInfo = nullptr;
    FolderTreePane *m_tree = nullptr;
    FileListPane *m_fileList = nullptr;
    CommandRouter *m_commands = nullptr;
    ImageLoader *m_loader = nullptr;
    ImageView *m_view = nullptr;
    QPointer<HistogramWindow> m_histogram;
    FileOpsController *m_fileOps = nullptr;
    Slideshow *m_slideshow = nullptr;
    FolderWatcher *m_watcher = nullptr;
    bool m_quitting = false;
    bool m_treeWasVisible = true;
    bool m_filesWasVisible = true;
    bool m_wasMaximized = false;
    QRect m_normalGeometry;
};

} // namespace quorvel
