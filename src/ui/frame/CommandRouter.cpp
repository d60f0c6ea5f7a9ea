#include "ui/frame/CommandRouter.h"

#include "ui/frame/CommandIcons.h"

#include <QAction>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

namespace quorvel {

CommandRouter::CommandRouter(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    for (const CommandSpec &entry : CommandTable::commands()) {
        const QString text = QCoreApplication::translate("quorvel::CommandTable", entry.text);
        auto *action = new QAction(text, window);
        action->setObjectName(QStringLiteral("command%1").arg(entry.id));
        action->setData(entry.id);
        if (entry.help && *entry.help) {
            const QString help = QCoreApplication::translate("quorvel::CommandTable", entry.help);
            action->setStatusTip(help);
            action->setToolTip(help);
        }
        action->setIcon(commandIcon(entry.id));
        action->setIconVisibleInMenu(false);
        action->setCheckable(entry.checkable);
        action->setShortcuts(entry.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(false);
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { trigger(id); });
        // Added to the window itself, so keys work with the menu bar hidden.
        window->addAction(action);
        m_actions.insert(entry.id, action);
    }
    for (const ExtraKey &extra : CommandTable::extraKeys()) {
        QAction *action = m_actions.value(extra.id);
        if (action && extra.scope == KeyScope::Window)
            action->setShortcuts(action->shortcuts() << extra.key);
    }
}

void CommandRouter::attachViewKeys(QWidget *view)
{
    for (const ExtraKey &extra : CommandTable::extraKeys()) {
        if (extra.scope != KeyScope::View)
            continue;
        auto *action = new QAction(view);
        action->setObjectName(QStringLiteral("viewKey%1").arg(extra.id));
        action->setShortcut(extra.key);
        action->setShortcutContext(Qt::WidgetShortcut);
        const int id = extra.id;
        // Stepping from the view leaves the focus there, as the wheel does.
        connect(action, &QAction::triggered, this, [this, id, view] {
            trigger(id);
            view->setFocus();
        });
        view->addAction(action);
    }
}

QAction *CommandRouter::action(int id) const
{
    return m_actions.value(id);
}

void CommandRouter::setHandler(int id, std::function<void()> run, std::function<bool()> checked)
{
    m_handlers.insert(id, Handler{std::move(run), std::move(checked)});
    scheduleUpdate();
}

CommandContext CommandRouter::context() const
{
    return m_context ? m_context() : CommandContext{};
}

bool CommandRouter::trigger(int id)
{
    const CommandSpec *entry = CommandTable::find(id);
    const auto handler = m_handlers.constFind(id);
    bool ran = false;
    if (entry && handler != m_handlers.constEnd() && CommandTable::isAccepted(*entry, context())) {
        handler->run();
        ran = true;
        Q_EMIT commandRan(id);
    }
    // A checkable action flips itself when triggered; its state is the
    // handler's to say.
    update();
    return ran;
}

void CommandRouter::update()
{
    m_updatePending = false;
    const CommandContext c = context();
    for (auto it = m_actions.constBegin(); it != m_actions.constEnd(); ++it) {
        const CommandSpec *entry = CommandTable::find(it.key());
        const auto handler = m_handlers.constFind(it.key());
        const bool handled = handler != m_handlers.constEnd();
        it.value()->setEnabled(handled && CommandTable::isEnabled(*entry, c));
        if (entry->checkable)
            it.value()->setChecked(handled && handler->checked && handler->checked());
    }
}

void CommandRouter::scheduleUpdate()
{
    if (m_updatePending)
        return;
    m_updatePending = true;
    QTimer::singleShot(0, this, &CommandRouter::update);
}

} // namespace quorvel
