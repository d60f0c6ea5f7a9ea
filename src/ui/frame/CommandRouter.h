#pragma once

#include "ui/frame/CommandTable.h"

#include <QHash>
#include <QObject>

#include <functional>

class QAction;
class QWidget;

namespace quorvel {

// Turns the command table into actions for the menus, the toolbar and the
// keys, runs each command's handler when the busy rule lets it, and keeps
// every action's enabled state and check mark up to date. A command without
// a handler stays disabled.
class CommandRouter : public QObject
{
    Q_OBJECT
public:
    // The actions' keys work anywhere in window (and its floating panes).
    explicit CommandRouter(QWidget *window);

    QAction *action(int id) const;

    // Gives the image view the keys that work only while it has the focus
    // (the arrows, Page Up/Down, Home and End step through the pictures
    // there, while the list keeps them for its own moves).
    void attachViewKeys(QWidget *view);

    void setHandler(int id, std::function<void()> run, std::function<bool()> checked = {});
    bool hasHandler(int id) const { return m_handlers.contains(id); }
    void setContextProvider(std::function<CommandContext()> provider) { m_context = std::move(provider); }

    // Runs a command as if chosen by the user; returns whether it ran.
    bool trigger(int id);

    // Enables, disables and checks every action now.
    void update();
    // The same, once control returns to the event loop.
    void scheduleUpdate();

Q_SIGNALS:
    void commandRan(int id);

private:
    struct Handler
    {
        std::function<void()> run;
        std::function<bool()> checked;
    };

    CommandContext context() const;

    QWidget *m_window;
    QHash<int, QAction *> m_actions;
    QHash<int, Handler> m_handlers;
    std::function<CommandContext()> m_context;
    bool m_updatePending = false;
};

} // namespace quorvel
