#include "ui/frame/CommandIds.h"
#include "ui/frame/CommandTable.h"

#include <QSet>
#include <QTest>

using namespace quorvel;

Q_DECLARE_METATYPE(quorvel::CommandContext)

namespace {
CommandContext idle()
{
    CommandContext c;
    c.image = true;
    c.selection = true;
    c.files = true;
    c.above = true;
    c.below = true;
    c.treeFolder = true;
    c.undoDelete = true;
    c.zoom = 100;
    return c;
}
} // namespace

class TestCommandTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void idsAndKeysAreUnique();
    void extraKeys_data();
    void extraKeys();
    void keys_data();
    void keys();
    void enabling_data();
    void enabling();
    void busyRule_data();
    void busyRule();
};

void TestCommandTable::idsAndKeysAreUnique()
{
    QSet<int> ids;
    QSet<QString> keys;
    for (const CommandSpec &entry : CommandTable::commands()) {
        QVERIFY2(!ids.contains(entry.id), qPrintable(QString::number(entry.id)));
        ids.insert(entry.id);
        for (const QKeySequence &k : entry.keys) {
            const QString text = k.toString();
            QVERIFY2(!keys.contains(text), qPrintable(text));
            keys.insert(text);
        }
    }
    // The keys beside the table's take no key of its own, nor one twice,
    // and name commands that exist.
    for (const ExtraKey &extra : CommandTable::extraKeys()) {
        QVERIFY(ids.contains(extra.id));
        const QString text = extra.key.toString();
        QVERIFY2(!keys.contains(text), qPrintable(text));
        keys.insert(text);
    }
}

void TestCommandTable::extraKeys_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<bool>("viewOnly");
    QTest::newRow("Right is next in the view") << int(cmd::NextImage) << QKeySequence(Qt::Key_Right) << true;
    QTest::newRow("Page Down is next in the view") << int(cmd::NextImage) << QKeySequence(Qt::Key_PageDown) << true;
    QTest::newRow("Left is previous in the view") << int(cmd::PreviousImage) << QKeySequence(Qt::Key_Left) << true;
    QTest::newRow("Page Up is previous in the view") << int(cmd::PreviousImage) << QKeySequence(Qt::Key_PageUp)
                                                     << true;
    QTest::newRow("Home is first in the view") << int(cmd::FirstImage) << QKeySequence(Qt::Key_Home) << true;
    QTest::newRow("End is last in the view") << int(cmd::LastImage) << QKeySequence(Qt::Key_End) << true;
    QTest::newRow("F11 is full screen") << int(cmd::FullScreen) << QKeySequence(Qt::Key_F11) << false;
    QTest::newRow("Ctrl+C copies the picture") << int(cmd::CopyToClipboard) << QKeySequence(Qt::CTRL | Qt::Key_C)
                                               << false;
    QTest::newRow("F2 renames") << int(cmd::RenameFile) << QKeySequence(Qt::Key_F2) << false;
}

void TestCommandTable::extraKeys()
{
    QFETCH(int, id);
    QFETCH(QKeySequence, key);
    QFETCH(bool, viewOnly);
    bool found = false;
    for (const ExtraKey &extra : CommandTable::extraKeys()) {
        if (extra.id == id && extra.key == key) {
            found = true;
            QCOMPARE(extra.scope == KeyScope::View, viewOnly);
        }
    }
    QVERIFY(found);
}

void TestCommandTable::keys_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QKeySequence>("key");
    QTest::newRow("F5 refreshes") << int(cmd::RefreshList) << QKeySequence(Qt::Key_F5);
    QTest::newRow("Esc exits") << int(cmd::Exit) << QKeySequence(Qt::Key_Escape);
    QTest::newRow("Shift+Del deletes") << int(cmd::DeleteFile) << QKeySequence(Qt::SHIFT | Qt::Key_Delete);
    QTest::newRow("Shift+R is the red channel") << int(cmd::ChannelRed) << QKeySequence(Qt::SHIFT | Qt::Key_R);
    QTest::newRow("Shift+F3 marks overexposure") << int(cmd::Overexposure) << QKeySequence(Qt::SHIFT | Qt::Key_F3);
    QTest::newRow("= zooms in") << int(cmd::ZoomIn) << QKeySequence(Qt::Key_Equal);
    QTest::newRow("* fits the width") << int(cmd::FitWidth) << QKeySequence(Qt::Key_Asterisk);
    QTest::newRow("Space is next") << int(cmd::NextImage) << QKeySequence(Qt::Key_Space);
    QTest::newRow("Backspace is previous") << int(cmd::PreviousImage) << QKeySequence(Qt::Key_Backspace);
    QTest::newRow("Ctrl+M opens the file menu") << int(cmd::FileContextMenu) << QKeySequence(Qt::CTRL | Qt::Key_M);
    QTest::newRow("Alt+C copies") << int(cmd::CopyToFolder) << QKeySequence(Qt::ALT | Qt::Key_C);
    QTest::newRow("Ctrl+F does nothing") << int(cmd::NoHandler) << QKeySequence(Qt::CTRL | Qt::Key_F);
    QTest::newRow("Ctrl+Z undoes a delete") << int(cmd::UndoDelete) << QKeySequence(Qt::CTRL | Qt::Key_Z);
    QTest::newRow("Ctrl+Q quits") << int(cmd::Quit) << QKeySequence(Qt::CTRL | Qt::Key_Q);
    QTest::newRow("F10 starts a slideshow") << int(cmd::Slideshow) << QKeySequence(Qt::Key_F10);
}

void TestCommandTable::keys()
{
    QFETCH(int, id);
    QFETCH(QKeySequence, key);
    const CommandSpec *entry = CommandTable::find(id);
    QVERIFY(entry);
    QVERIFY(entry->keys.contains(key));
}

void TestCommandTable::enabling_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<CommandContext>("context");
    QTest::addColumn<bool>("enabled");
    CommandContext noImage = idle();
    noImage.image = false;
    CommandContext top = idle();
    top.above = false;
    CommandContext atMax = idle();
    atMax.zoom = 500;
    CommandContext atMin = idle();
    atMin.zoom = 3;
    CommandContext empty;
    CommandContext loading = idle();
    loading.loading = true;

    QTest::newRow("navigation toolbar is always greyed") << int(cmd::NavigationToolbar) << idle() << false;
    QTest::newRow("copy needs an image") << int(cmd::CopyToClipboard) << noImage << false;
    QTest::newRow("file menu needs an image") << int(cmd::FileContextMenu) << noImage << false;
    QTest::newRow("previous at the top") << int(cmd::PreviousImage) << top << false;
    QTest::newRow("first at the top") << int(cmd::FirstImage) << top << false;
    QTest::newRow("next at the top") << int(cmd::NextImage) << top << true;
    QTest::newRow("zoom in at 500") << int(cmd::ZoomIn) << atMax << false;
    QTest::newRow("zoom out at 500") << int(cmd::ZoomOut) << atMax << true;
    QTest::newRow("zoom out at 3") << int(cmd::ZoomOut) << atMin << false;
    QTest::newRow("statistics need files") << int(cmd::ExifStatistics) << empty << false;
    QTest::newRow("delete needs a selection") << int(cmd::DeleteFile) << empty << false;
    QTest::newRow("settings always") << int(cmd::Settings) << empty << true;
    QTest::newRow("thumbnails switch not while loading") << int(cmd::ThumbnailsToggle) << loading << false;
    QTest::newRow("add folder needs a tree folder") << int(cmd::AddCurrentFolder) << empty << false;
    CommandContext nothingToUndo = idle();
    nothingToUndo.undoDelete = false;
    QTest::newRow("undo delete without a delete") << int(cmd::UndoDelete) << nothingToUndo << false;
    QTest::newRow("undo delete after one") << int(cmd::UndoDelete) << idle() << true;
    QTest::newRow("slideshow needs files") << int(cmd::Slideshow) << empty << false;
    QTest::newRow("quit always") << int(cmd::Quit) << empty << true;
}

void TestCommandTable::enabling()
{
    QFETCH(int, id);
    QFETCH(CommandContext, context);
    QFETCH(bool, enabled);
    QCOMPARE(CommandTable::isEnabled(*CommandTable::find(id), context), enabled);
}

void TestCommandTable::busyRule_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("acceptedWhileLoading");
    QTest::newRow("refresh is ignored") << int(cmd::RefreshList) << false;
    QTest::newRow("zoom is ignored") << int(cmd::ZoomIn) << false;
    QTest::newRow("next is ignored") << int(cmd::NextImage) << false;
    QTest::newRow("exit works") << int(cmd::Exit) << true;
    QTest::newRow("lock zoom works") << int(cmd::LockZoom) << true;
    QTest::newRow("full screen works") << int(cmd::FullScreen) << true;
    QTest::newRow("histogram works") << int(cmd::Histogram) << true;
    QTest::newRow("quit works") << int(cmd::Quit) << true;
    QTest::newRow("undo delete is ignored") << int(cmd::UndoDelete) << false;
}

void TestCommandTable::busyRule()
{
    QFETCH(int, id);
    QFETCH(bool, acceptedWhileLoading);
    CommandContext c = idle();
    const CommandSpec &entry = *CommandTable::find(id);
    QVERIFY(CommandTable::isAccepted(entry, c));
    c.loading = true;
    QCOMPARE(CommandTable::isAccepted(entry, c), acceptedWhileLoading);
}

QTEST_GUILESS_MAIN(TestCommandTable)
#include "tst_commandtable.moc"
