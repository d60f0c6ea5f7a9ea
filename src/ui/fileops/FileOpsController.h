#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class QMenu;
class QPoint;

namespace quorvel {

class MainWindow;
class FavouriteCommands;
class FileCommands;
class TreeDropTarget;
struct MenuItem;

// Puts the file commands, the favourites and the external editors into the
// main window: the handlers of their commands, the context menus of the file
// list and the image view, the toolbar's drop-downs, the entries of the
// "F&avourites" menu, the Settings dialog and files dropped on the tree.
class FileOpsController : public QObject
{
    Q_OBJECT
public:
    // Where a menu command came from decides which files it acts on.
    enum class Source {
        List,  // the list's selection
        View,  // the image the view shows
        Frame, // the main window: the list's selection, links to the shown image
    };

    explicit FileOpsController(MainWindow &frame);
    ~FileOpsController() override;

    // Runs a command of the generated menus. Ignored while an image loads
    // (except the description editor).
    void runCommand(int id, Source source);

    // Fills the menus' favourites entries from the stored list again.
    void rebuildFavouritesMenus();
    void openSettings();
    // The drop of files on a folder of the tree: questions, copy, message.
    void copyDroppedFiles(const QStringList &files, const QString &folder);
    // Ctrl+Z: the files of the last delete to the trash come back, and the
    // first of them is selected when it is in the folder on show.
    void undoDelete();

    FileCommands &fileCommands() { return *m_files; }
    FavouriteCommands &favouriteCommands() { return *m_favourites; }
    TreeDropTarget *dropTarget() const { return m_drop; }

    // Fills menu with items whose commands come from source.
    void fillMenu(QMenu *menu, const QList<MenuItem> &items, Source source);

private:
    void connectCommands();
    // "Undo delete" names the files it would bring back.
    void updateUndoText();
    QStringList filesFor(Source source) const;
    QString linkPathFor(Source source) const;
    void showMenu(const QList<MenuItem> &items, const QPoint &globalPos, Source source);
    void showContextMenu(const QStringList &files, const QPoint &globalPos, Source source);
    // Below the toolbar button of the command, or at the view's corner when
    // the toolbar is hidden.
    QPoint dropDownPosition(int id) const;

    MainWindow &m_frame;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<FavouriteCommands> m_favourites;
    TreeDropTarget *m_drop = nullptr;
};

} // namespace quorvel
