#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <vector>

namespace quorvel {

// When a command is available.
enum class Enabling {
    Always,
    Never,        // shown greyed, no handler
    Image,        // an image is shown
    Selection,    // the file list has a selected file
    Files,        // the file list holds at least one file
    Above,        // the list has an item before the selected one
    Below,        // the list has an item after the selected one
    ZoomIn,       // an image is shown and the zoom is below its top step
    ZoomOut,      // an image is shown and the zoom is above its lowest step
    NotLoading,   // no image is being loaded
    TreeFolder,   // the directory tree has a selected folder
    UndoDelete,   // the last delete to the trash can be undone
};

// One command of the program: its menu text, keys, enabling rule and whether
// it does nothing while an image loads.
struct CommandSpec
{
    int id;
    const char *text;       // menu text, "\t" before the keys shown
    const char *help;       // status-line help and tooltip
    QList<QKeySequence> keys;
    Enabling enabling;
    bool ignoredWhileLoading;
    bool checkable;
};

// The facts the enabling rules look at.
struct CommandContext
{
    bool loading = false;
    bool image = false;
    bool selection = false;
    bool files = false;
    bool above = false;
    bool below = false;
    bool treeFolder = false;
    bool undoDelete = false;
    float zoom = 0;
};

// Where a key beside a command's own works.
enum class KeyScope {
    Window, // anywhere in the main window, as the command's own keys
    View,   // only while the image view has the focus (as in full screen):
            // elsewhere the key keeps its usual meaning, as in the list
};

// A key that gives a command besides the keys of its row, for users who
// come with the habits of other image viewers.
struct ExtraKey
{
    int id;
    QKeySequence key;
    KeyScope scope;
};

class CommandTable
{
public:
    static const std::vector<CommandSpec> &commands();
    static const CommandSpec *find(int id);
    static const std::vector<ExtraKey> &extraKeys();

    // The enabling rule alone; a command without a handler is disabled by
    // its owner as well.
    static bool isEnabled(const CommandSpec &entry, const CommandContext &context);
    // Whether a command given now is carried out or ignored (the busy rule).
    static bool isAccepted(const CommandSpec &entry, const CommandContext &context);
};

} // namespace quorvel
