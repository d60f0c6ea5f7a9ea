#include "core/settings/AppSettings.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/ProfileStringList.h"
#include "core/settings/SettingsStore.h"
#include "fileops/RecordingPrompts.h"
#include "support/TestSupport.h"
#include "ui/files/FolderTreePane.h"
#include "ui/fileops/FileOpsController.h"
#include "ui/fileops/TreeDropTarget.h"
#include "ui/frame/MainWindow.h"
#include "ui/frame/CommandIds.h"
#include "ui/frame/CommandRouter.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

using namespace quorvel;

namespace {

// The texts of the entries a rebuild put into a menu.
QStringList entryTexts(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions()) {
        if (a->property("quorvelFavouriteEntry").toBool())
            out.append(a->text());
    }
    return out;
}

QString stored()
{
    return settingsStore().readString("Favourites", "StrBody", "");
}

} // namespace

class TestFileOpsMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void addCurrentFolder_data();
    void addCurrentFolder();
    void favouriteEntriesGoAndDelete();
    void deleteAllFavouritesAsks();
    void dropOnTheTree_data();
    void dropOnTheTree();

private:
    QString native(const QString &p) const { return QDir::toNativeSeparators(p); }
    std::unique_ptr<MainWindow> m_frame;
    QTemporaryDir m_dir;
    test::RecordingPrompts *m_prompts = nullptr;
};

void TestFileOpsMainWindow::init()
{
    auto store = std::make_unique<MemorySettingsStore>();
    store->writeInt("Main", "AskWhenExit", 0);
    installSettingsStore(std::move(store));
    globalSettings().load();
    m_prompts = test::RecordingPrompts::install();
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath("photos/sub"));
    // No images in the folders: a load would hold the commands back (and
    // the tree, so it would take no drop).
    QVERIFY(test::writeFile(m_dir.filePath("outside/x.jpg"), "x"));
    m_frame = std::make_unique<MainWindow>();
}

void TestFileOpsMainWindow::cleanup()
{
    m_frame.reset();
    Prompts::install(nullptr);
    QDir(m_dir.filePath("photos/sub")).removeRecursively();
}

void TestFileOpsMainWindow::addCurrentFolder_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("favourite");
    QTest::newRow("folder: no trailing separator") << "photos/" << "photos";
    QTest::newRow("file system root kept") << "/" << "/";
}

void TestFileOpsMainWindow::addCurrentFolder()
{
    QFETCH(QString, root);
    QFETCH(QString, favourite);
    const QString rootPath = root == "/" ? root : m_dir.filePath(root);
    const QString expected = native(favourite == "/" ? favourite : m_dir.filePath(favourite));
    m_frame->tree()->showFolderAsRoot(rootPath);
    QVERIFY(m_frame->tree()->currentFolderPath().endsWith('/'));
    const QString message = "Information|Folder \"" + expected + "\" added to Favourites";
    QVERIFY(m_frame->commands()->trigger(cmd::AddCurrentFolder));
    QCOMPARE(stored(), expected + ";;");
    QCOMPARE(m_prompts->messages, QStringList{message});
    auto *menu = m_frame->findChild<QMenu *>("FavouritesMenu");
    auto *remove = m_frame->findChild<QMenu *>("DeleteFavouritesMenu");
    QCOMPARE(entryTexts(menu), QStringList{expected});
    QCOMPARE(entryTexts(remove), QStringList{expected});
    // Already there: said again, kept once.
    QVERIFY(m_frame->commands()->trigger(cmd::AddCurrentFolder));
    QCOMPARE(m_prompts->messages, QStringList({message, message}));
    QCOMPARE(stored(), expected + ";;");
    QCOMPARE(entryTexts(menu).size(), 1);
}

void TestFileOpsMainWindow::favouriteEntriesGoAndDelete()
{
    settingsStore().writeString("Favourites", "StrBody",
                                native(m_dir.filePath("outside")) + ";;" + native(m_dir.filePath("photos")) + ";;");
    m_frame->fileOps()->rebuildFavouritesMenus();
    auto *menu = m_frame->findChild<QMenu *>("FavouritesMenu");
    QCOMPARE(entryTexts(menu).size(), 2);
    // The entries follow "&Show all folders".
    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.at(actions.size() - 3), m_frame->commands()->action(cmd::ShowAllFolders));

    menu->findChild<QAction *>("command30002")->trigger();
    QVERIFY(m_frame->tree()->isRootFolderMode());
    QCOMPARE(m_frame->tree()->currentFolderPath(), m_dir.filePath("photos/"));
    QCOMPARE(m_frame->currentFolder(), m_dir.filePath("photos/"));
    // An index outside the list does nothing.
    m_frame->fileOps()->runCommand(cmd::FavouriteFirst + 7, FileOpsController::Source::Frame);
    QCOMPARE(m_frame->tree()->currentFolderPath(), m_dir.filePath("photos/"));

    m_frame->findChild<QMenu *>("DeleteFavouritesMenu")->findChild<QAction *>("command30301")->trigger();
    QCOMPARE(stored(), native(m_dir.filePath("photos")) + ";;");
    QCOMPARE(entryTexts(menu), QStringList{native(m_dir.filePath("photos"))});
    QVERIFY(m_prompts->questions.isEmpty());

    QVERIFY(m_frame->commands()->trigger(cmd::ShowAllFolders));
    QVERIFY(!m_frame->tree()->isRootFolderMode());
}

void TestFileOpsMainWindow::deleteAllFavouritesAsks()
{
    settingsStore().writeString("Favourites", "StrBody", "/a;;/b;;");
    m_frame->fileOps()->rebuildFavouritesMenus();
    const QString question = "Warning|Do you really want to delete all folders from Favourites?";
    m_prompts->answers = {false, true};
    QVERIFY(m_frame->commands()->trigger(cmd::DeleteAllFavourites));
    QCOMPARE(stored(), QString("/a;;/b;;"));
    QVERIFY(m_frame->commands()->trigger(cmd::DeleteAllFavourites));
    QCOMPARE(stored(), QString());
    QCOMPARE(m_prompts->questions, QStringList({question, question}));
    QVERIFY(entryTexts(m_frame->findChild<QMenu *>("FavouritesMenu")).isEmpty());
}

void TestFileOpsMainWindow::dropOnTheTree_data()
{
    QTest::addColumn<bool>("ontoRoot"); // the root is the folder shown
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("copied");
    QTest::newRow("onto a subfolder") << false << QStringList{"Warning|Copy 1 file(s) to folder \"%1\"?"}
                                      << QStringList{"Quorvel|File was copied successfully"} << true;
    QTest::newRow("onto the folder shown") << true << QStringList{}
                                           << QStringList{"Warning|Cannot copy file(s) to itself"} << false;
}

void TestFileOpsMainWindow::dropOnTheTree()
{
    QFETCH(bool, ontoRoot);
    QFETCH(QStringList, questions);
    QFETCH(QStringList, messages);
    QFETCH(bool, copied);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    FolderTreePane *pane = m_frame->tree();
    pane->showFolderAsRoot(m_dir.filePath("photos"));
    QTreeWidget *tree = pane->tree();
    QTreeWidgetItem *target = ontoRoot ? tree->topLevelItem(0) : tree->topLevelItem(0)->child(0);
    QVERIFY(target);
    const QPoint pos = tree->visualItemRect(target).center();
    const QString folder = pane->folderPathAt(pos);
    QCOMPARE(folder, m_dir.filePath(ontoRoot ? "photos/" : "photos/sub/"));

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(m_dir.filePath("outside/x.jpg")), QUrl::fromLocalFile(m_dir.filePath("photos"))});
    QSignalSpy dropped(pane->findChild<TreeDropTarget *>(), &TreeDropTarget::filesDropped);
    QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tree->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDragMoveEvent move(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tree->viewport(), &move);
    QVERIFY(move.isAccepted());
    QCOMPARE(pane->findChild<TreeDropTarget *>()->highlightedFolder(), folder);
    QVERIFY(target->background(0).style() != Qt::NoBrush);
    QDropEvent drop(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tree->viewport(), &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(target->background(0).style(), Qt::NoBrush);
    // The folder among the dropped entries is left out.
    QCOMPARE(dropped.count(), 1);
    QCOMPARE(dropped.first().at(0).toStringList(), QStringList{m_dir.filePath("outside/x.jpg")});
    QCoreApplication::processEvents(); // the questions come after the drop

    for (QString &q : questions)
        q = q.arg(native(folder));
    QCOMPARE(m_prompts->questions, questions);
    QCOMPARE(m_prompts->messages, messages);
    QCOMPARE(QFileInfo::exists(m_dir.filePath("photos/sub/x.jpg")), copied);
    QVERIFY(QFileInfo::exists(m_dir.filePath("outside/x.jpg")));
}

QTEST_MAIN(TestFileOpsMainWindow)
#include "tst_fileopsmainwindow.moc"
