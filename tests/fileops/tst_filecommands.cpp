#include "core/files/DescriptionStore.h"
#include "core/files/FileListModel.h"
#include "core/files/LinkFile.h"
#include "core/imaging/ImageLoader.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/ProfileStringList.h"
#include "core/settings/SettingsStore.h"
#include "fileops/RecordingPrompts.h"
#include "support/TestSupport.h"
#include "ui/files/FileListPane.h"
#include "ui/fileops/RenameDialog.h"
#include "ui/fileops/FileCommands.h"
#include "ui/imaging/ImageView.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace quorvel;

class TestFileCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void deleteRemovesRowsAndReselects_data();
    void deleteRemovesRowsAndReselects();
    void shiftDeleteBypassesTheTrash();
    void deleteOfALinkKeepsItsImage();
    void deleteRefusedOrFailedLeavesTheList_data();
    void deleteRefusedOrFailedLeavesTheList();
    void undoBringsFilesAndDescriptionsBack();
    void undoRefusesATakenPlace_data();
    void undoRefusesATakenPlace();

    void renameKeepsExtensionAndMovesDescription();
    void renameToATakenNameIsReported();
    void renameDialogChecks_data();
    void renameDialogChecks();

    void copyOfALinkCopiesItsTarget();
    void copyToFavourite_data();
    void copyToFavourite();
    void linkToFavourite();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void fill();
    void select(const QList<int> &rows);
    QStringList rowNames() const;

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ImageLoader> m_loader;
    std::unique_ptr<ImageView> m_view;
    std::unique_ptr<FileListPane> m_pane;
    std::unique_ptr<FileCommands> m_commands;
    test::RecordingPrompts *m_prompts = nullptr;
};

void TestFileCommands::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
}

void TestFileCommands::init()
{
    installSettingsStore(std::make_unique<MemorySettingsStore>());
    m_prompts = test::RecordingPrompts::install();
    QDir(m_home.filePath("data")).removeRecursively();
    m_dir = std::make_unique<QTemporaryDir>(m_home.filePath(QStringLiteral("work-XXXXXX")));
    QVERIFY(m_dir->isValid());
    for (const char *name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"})
        QVERIFY(test::writeFile(path(name), name));
    m_loader = std::make_unique<ImageLoader>();
    m_view = std::make_unique<ImageView>(*m_loader);
    m_pane = std::make_unique<FileListPane>();
    m_commands = std::make_unique<FileCommands>(nullptr, *m_pane, *m_view, *m_loader);
}

void TestFileCommands::cleanup()
{
    m_commands.reset();
    m_pane.reset();
    m_view.reset();
    m_loader.reset();
    Prompts::install(nullptr);
}

void TestFileCommands::fill()
{
    FolderEntries entries;
    for (const QString &name : QDir(m_dir->path()).entryList(QDir::Files, QDir::Name)) {
        if (name != DescriptionStore::fileName())
            entries.append({name, FolderEntry::ListedFile});
    }
    m_pane->fillList(entries, m_dir->path(), true);
}

void TestFileCommands::select(const QList<int> &rows)
{
    m_pane->selectOnly(rows.first());
    for (int row : rows)
        m_pane->listView()->selectionModel()->select(m_pane->model()->index(row, 0),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QStringList TestFileCommands::rowNames() const
{
    QStringList names;
    for (int r = 0; r < m_pane->rowCount(); ++r)
        names.append(m_pane->model()->nameAt(r));
    return names;
}

void TestFileCommands::deleteRemovesRowsAndReselects_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<int>("selected");
    QTest::newRow("fourth and fifth of five: the third, now last")
        << QList<int>{3, 4} << "Do you really want to delete 2 selected files?" << QStringList{"a.jpg", "b.jpg", "c.jpg"}
        << 2;
    QTest::newRow("the first: the new first") << QList<int>{0} << "Do you really want to delete file \"%1\"?"
                                              << QStringList{"b.jpg", "c.jpg", "d.jpg", "e.jpg"} << 0;
    QTest::newRow("second and fourth: the lowest place") << QList<int>{1, 3}
                                                         << "Do you really want to delete 2 selected files?"
                                                         << QStringList{"a.jpg", "c.jpg", "e.jpg"} << 1;
    QTest::newRow("all: nothing shown") << QList<int>{0, 1, 2, 3, 4}
                                        << "Do you really want to delete 5 selected files?" << QStringList{} << -1;
}

void TestFileCommands::deleteRemovesRowsAndReselects()
{
    QFETCH(QList<int>, rows);
    QFETCH(QString, question);
    QFETCH(QStringList, left);
    QFETCH(int, selected);
    fill();
    select(rows);
    const QStringList doomed = m_pane->selectedFiles(false);
    QVERIFY(m_commands->deleteSelected(true));
    if (question.contains("%1"))
        question = question.arg(QDir::toNativeSeparators(doomed.first()));
    QCOMPARE(m_prompts->questions, QStringList{"Warning|" + question});
    QCOMPARE(rowNames(), left);
    QCOMPARE(m_pane->selectedIndex(), selected);
    QCOMPARE(m_pane->selectedRows().size(), selected < 0 ? 0 : 1);
    const QDir trash(m_home.filePath("data/Trash/files"));
    for (const QString &file : doomed) {
        QVERIFY(!QFileInfo::exists(file));
        QVERIFY(trash.exists(QFileInfo(file).fileName()));
    }
    QVERIFY(m_prompts->messages.isEmpty());
}

void TestFileCommands::shiftDeleteBypassesTheTrash()
{
    fill();
    select({0, 1, 2});
    QVERIFY(m_commands->deleteSelected(false));
    QCOMPARE(m_prompts->questions,
             QStringList{"Warning|Do you really want to delete 3 selected files?\n\n"
                         "Shift+Del deletes for good, past the trash: this cannot be undone."});
    QVERIFY(!m_commands->canUndoDelete());
    QCOMPARE(rowNames(), QStringList({"d.jpg", "e.jpg"}));
    for (const char *name : {"a.jpg", "b.jpg", "c.jpg"})
        QVERIFY(!QFileInfo::exists(path(name)));
    QVERIFY(!QFileInfo::exists(m_home.filePath("data/Trash/files/a.jpg")));
    QVERIFY(QDir(m_home.filePath("data/Trash/files")).isEmpty());
}

void TestFileCommands::deleteOfALinkKeepsItsImage()
{
    QVERIFY(test::writeFile(m_home.filePath("elsewhere/t.jpg"), "target"));
    QVERIFY(link::createLink(m_home.filePath("elsewhere/t.jpg"), m_dir->path()));
    fill();
    QVERIFY(m_pane->selectByName("t.jpg.link"));
    QVERIFY(m_commands->deleteSelected(false));
    QVERIFY(!QFileInfo::exists(path("t.jpg.link")));
    QVERIFY(QFileInfo::exists(m_home.filePath("elsewhere/t.jpg")));
    QCOMPARE(m_pane->rowCount(), 5);
}

void TestFileCommands::deleteRefusedOrFailedLeavesTheList_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("vanish");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("answered No") << false << false << QStringList{};
    QTest::newRow("one file gone meanwhile") << true << true << QStringList{"Warning|Cannot delete file"};
}

void TestFileCommands::deleteRefusedOrFailedLeavesTheList()
{
    QFETCH(bool, answer);
    QFETCH(bool, vanish);
    QFETCH(QStringList, messages);
    fill();
    select({1, 2});
    if (vanish)
        QVERIFY(QFile::remove(path("c.jpg")));
    m_prompts->answers = {answer};
    QVERIFY(!m_commands->deleteSelected(true));
    QCOMPARE(m_prompts->messages.size(), messages.size());
    if (!messages.isEmpty())
        QVERIFY(m_prompts->messages.first().startsWith(messages.first() + u'\n'));
    QCOMPARE(rowNames(), QStringList({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}));
    QCOMPARE(m_pane->selectedRows(), QList<int>({1, 2}));
    QVERIFY(QFileInfo::exists(path("b.jpg")));
}

void TestFileCommands::undoBringsFilesAndDescriptionsBack()
{
    QVERIFY(test::writeFile(path("descript.ion"), "b.jpg Boats at dawn\r\nd.jpg Dunes\r\n"));
    fill();
    select({1, 3});
    QVERIFY(m_commands->deleteSelected(true));
    QVERIFY(m_commands->canUndoDelete());
    QCOMPARE(m_commands->undoNames(), QString("b.jpg, d.jpg"));
    // Another program drops the lines of the deleted files meanwhile.
    QVERIFY(test::writeFile(path("descript.ion"), "a.jpg Avenue\r\n"));

    QCOMPARE(m_commands->undoDelete(), QStringList({path("b.jpg"), path("d.jpg")}));
    QVERIFY(m_prompts->messages.isEmpty());
    QCOMPARE(test::readFile(path("b.jpg")), QByteArray("b.jpg"));
    QCOMPARE(test::readFile(path("d.jpg")), QByteArray("d.jpg"));
    // The trash holds neither the files nor their records any more.
    QVERIFY(QDir(m_home.filePath("data/Trash/files")).isEmpty());
    QVERIFY(QDir(m_home.filePath("data/Trash/info")).isEmpty());
    DescriptionStore stored;
    stored.load(path("descript.ion"));
    QCOMPARE(stored.get(path("a.jpg")), QString("Avenue"));
    QCOMPARE(stored.get(path("b.jpg")), QString("Boats at dawn"));
    QCOMPARE(stored.get(path("d.jpg")), QString("Dunes"));
    QVERIFY(!m_commands->canUndoDelete());
    QVERIFY(m_commands->undoDelete().isEmpty());
}

void TestFileCommands::undoRefusesATakenPlace_data()
{
    QTest::addColumn<bool>("emptyTrash");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("undoLeft");
    QTest::newRow("a new file of the name") << false << "another file of that name is there now" << true;
    QTest::newRow("trash emptied") << true << "it is no longer in the trash" << false;
}

void TestFileCommands::undoRefusesATakenPlace()
{
    QFETCH(bool, emptyTrash);
    QFETCH(QString, message);
    QFETCH(bool, undoLeft);
    fill();
    select({0, 1});
    QVERIFY(m_commands->deleteSelected(true));
    if (emptyTrash)
        QVERIFY(QFile::remove(m_home.filePath("data/Trash/files/a.jpg")));
    else
        QVERIFY(test::writeFile(path("a.jpg"), "newer"));

    // b.jpg comes back; a.jpg does not, and what took its place stays.
    QCOMPARE(m_commands->undoDelete(), QStringList{path("b.jpg")});
    QCOMPARE(m_prompts->messages.size(), 1);
    QVERIFY2(m_prompts->messages.first().startsWith("Warning|"), qPrintable(m_prompts->messages.first()));
    QVERIFY2(m_prompts->messages.first().contains(message), qPrintable(m_prompts->messages.first()));
    QVERIFY(m_prompts->messages.first().contains(QDir::toNativeSeparators(path("a.jpg"))));
    QCOMPARE(test::readFile(path("b.jpg")), QByteArray("b.jpg"));
    if (!emptyTrash)
        QCOMPARE(test::readFile(path("a.jpg")), QByteArray("newer"));
    // A file whose place was taken can be tried again once it is free.
    QCOMPARE(m_commands->canUndoDelete(), undoLeft);
    if (undoLeft) {
        QVERIFY(QFile::remove(path("a.jpg")));
        QCOMPARE(m_commands->undoDelete(), QStringList{path("a.jpg")});
        QCOMPARE(test::readFile(path("a.jpg")), QByteArray("a.jpg"));
    }
}

void TestFileCommands::renameKeepsExtensionAndMovesDescription()
{
    QVERIFY(test::writeFile(path("IMG_1.JPG"), "img"));
    QVERIFY(test::writeFile(path("descript.ion"), "IMG_1.JPG Sunset at the pier\r\nb.jpg Other\r\n"));
    fill();
    QVERIFY(m_pane->selectByName("img_1.jpg"));
    const int row = m_pane->selectedIndex();
    m_prompts->newName = QStringLiteral("Beach.JPG");
    QVERIFY(m_commands->renameSelected());
    QVERIFY(!QFileInfo::exists(path("IMG_1.JPG")));
    QCOMPARE(test::readFile(path("Beach.JPG")), QByteArray("img"));
    QCOMPARE(m_pane->model()->nameAt(row), QString("Beach.JPG"));
    QCOMPARE(m_pane->selectedPath(), path("Beach.JPG"));
    QCOMPARE(m_pane->model()->index(row, 1).data().toString(), QString("Sunset at the pier"));
    DescriptionStore stored;
    stored.load(path("descript.ion"));
    QCOMPARE(stored.get(path("Beach.JPG")), QString("Sunset at the pier"));
    QCOMPARE(stored.get(path("IMG_1.JPG")), QString());
    QCOMPARE(stored.get(path("b.jpg")), QString("Other"));
    QCOMPARE(m_view->currentPath(), path("Beach.JPG"));
    QVERIFY(m_prompts->messages.isEmpty());
}

void TestFileCommands::renameToATakenNameIsReported()
{
    fill();
    m_pane->selectOnly(0);
    m_prompts->newName = QStringLiteral("b.jpg");
    QVERIFY(!m_commands->renameSelected());
    QCOMPARE(m_prompts->messages.size(), 1);
    QVERIFY(m_prompts->messages.first().startsWith("Warning|Cannot rename file\n"));
    QCOMPARE(test::readFile(path("a.jpg")), QByteArray("a.jpg"));
    QCOMPARE(test::readFile(path("b.jpg")), QByteArray("b.jpg"));
    QCOMPARE(rowNames().first(), QString("a.jpg"));
    // Cancelled: nothing at all.
    m_prompts->newName.reset();
    QVERIFY(!m_commands->renameSelected());
    QCOMPARE(m_prompts->messages.size(), 1);
}

void TestFileCommands::renameDialogChecks_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result"); // -1 still open
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("new name") << "Beach" << int(QDialog::Accepted) << "Beach.JPG" << QStringList{};
    QTest::newRow("unchanged: cancelled, silently") << "IMG_1" << int(QDialog::Rejected) << "" << QStringList{};
    QTest::newRow("empty") << "" << -1 << "" << QStringList{"Warning|File name cannot be empty"};
    QTest::newRow("taken") << "b" << -1 << ""
                           << QStringList{"Warning|File with this name allready exist, cannot rename."};
}

void TestFileCommands::renameDialogChecks()
{
    QFETCH(QString, typed);
    QFETCH(int, result);
    QFETCH(QString, newName);
    QFETCH(QStringList, messages);
    QVERIFY(test::writeFile(path("IMG_1.JPG"), "img"));
    QVERIFY(test::writeFile(path("b.JPG"), "b"));
    RenameDialog dialog(m_dir->path(), "IMG_1.JPG");
    QCOMPARE(dialog.windowTitle(), QString("Rename file"));
    QCOMPARE(dialog.edit()->text(), QString("IMG_1"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.edit()->selectedText(), QString("IMG_1"));
    dialog.edit()->setText(typed);
    dialog.onOk();
    QCOMPARE(dialog.isVisible(), result < 0);
    if (result >= 0)
        QCOMPARE(dialog.result(), result);
    QCOMPARE(dialog.newName(), newName);
    QCOMPARE(m_prompts->messages, messages);
}

void TestFileCommands::copyOfALinkCopiesItsTarget()
{
    QVERIFY(test::writeFile(m_home.filePath("elsewhere/t.jpg"), "target"));
    QVERIFY(link::createLink(m_home.filePath("elsewhere/t.jpg"), m_dir->path()));
    QVERIFY(QDir(m_home.path()).mkpath("dest"));
    fill();
    QVERIFY(m_pane->selectByName("a.jpg"));
    select({0, 5});
    m_prompts->folder = QDir::toNativeSeparators(m_home.filePath("dest"));
    QVERIFY(m_commands->copyToFolder({true, 0, QString()}, m_pane->selectedFiles(true)));
    QCOMPARE(m_prompts->browseTitles, QStringList{"Choose folder to place 2 selected files"});
    QCOMPARE(QDir(m_home.filePath("dest")).entryList(QDir::Files, QDir::Name), QStringList({"a.jpg", "t.jpg"}));
    QCOMPARE(test::readFile(m_home.filePath("dest/t.jpg")), QByteArray("target"));
    // Cancelling the folder dialog copies nothing.
    m_prompts->folder.clear();
    QVERIFY(!m_commands->copyToFolder({true, 0, QString()}, {path("b.jpg")}));
    QCOMPARE(m_prompts->browseTitles.last(), QString("Choose folder to place the file \"b.jpg\""));
}

void TestFileCommands::copyToFavourite_data()
{
    QTest::addColumn<QString>("favourite"); // relative to the home folder; "@" is the files' own folder
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("copied");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("message");
    QTest::newRow("to another folder") << "dest" << 1 << true << true << 1 << "";
    QTest::newRow("answered No") << "dest" << 1 << false << false << 1 << "";
    QTest::newRow("to its own folder") << "@" << 1 << true << false << 1 << "Warning|Cannot copy file(s) to itself";
    QTest::newRow("no such favourite") << "dest" << 2 << true << false << 0 << "";
}

void TestFileCommands::copyToFavourite()
{
    QFETCH(QString, favourite);
    QFETCH(int, k);
    QFETCH(bool, answer);
    QFETCH(bool, copied);
    QFETCH(int, questions);
    QFETCH(QString, message);
    QDir(m_home.filePath("dest")).removeRecursively();
    QVERIFY(QDir(m_home.path()).mkpath("dest"));
    const QString folder = favourite == "@" ? m_dir->path() : m_home.filePath(favourite);
    ProfileStringList favourites = ProfileStringList::favourites();
    QVERIFY(favourites.addUnique(ProfileStringList::favouriteFolderText(folder)));
    favourites.save();
    m_prompts->answers = {answer};
    QCOMPARE(m_commands->copyToFolder({false, k, QString()}, {path("c.jpg")}), copied);
    QCOMPARE(m_prompts->questions.size(), questions);
    if (questions)
        QCOMPARE(m_prompts->questions.first(),
                 "Warning|Copy file c.jpg to " + QDir::toNativeSeparators(folder) + "?");
    QCOMPARE(m_prompts->messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(QFileInfo::exists(m_home.filePath("dest/c.jpg")), copied);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 5);
}

void TestFileCommands::linkToFavourite()
{
    QVERIFY(QDir(m_home.path()).mkpath("links"));
    ProfileStringList favourites = ProfileStringList::favourites();
    QVERIFY(favourites.addUnique(QDir::toNativeSeparators(m_home.filePath("links"))));
    favourites.save();
    const QString image = QDir::toNativeSeparators(path("a.jpg"));
    QVERIFY(m_commands->createLinkInFolder({false, 1, QString()}, path("a.jpg")));
    QCOMPARE(m_prompts->questions, QStringList{"Warning|Create link to file " + image + " in the folder "
                                               + QDir::toNativeSeparators(m_home.filePath("links")) + "?"});
    QCOMPARE(m_prompts->messages, QStringList{image + "|Link successfully created"});
    QCOMPARE(link::effectivePath(m_home.filePath("links/a.jpg.link")), path("a.jpg"));
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
