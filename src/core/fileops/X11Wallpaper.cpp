#include "core/fileops/X11Wallpaper.h"

#include "core/fileops/CommandRunner.h"

namespace quorvel {

namespace {

const QString kXwallpaper = QStringLiteral("xwallpaper");
const QString kFeh = QStringLiteral("feh");
const QString kXsetroot = QStringLiteral("xsetroot");

} // namespace

X11Wallpaper::X11Wallpaper(Tool tool, CommandRunner &runner)
    : m_tool(tool)
    , m_runner(runner)
{
}

std::unique_ptr<X11Wallpaper> X11Wallpaper::create(CommandRunner &runner)
{
    if (runner.hasProgram(kXwallpaper))
        return std::make_unique<X11Wallpaper>(Xwallpaper, runner);
    if (runner.hasProgram(kFeh))
        return std::make_unique<X11Wallpaper>(Feh, runner);
    return nullptr;
}

QString X11Wallpaper::name() const
{
    return m_tool == Xwallpaper ? kXwallpaper : kFeh;
}

bool X11Wallpaper::set(const QString &imagePath, QString *error)
{
    // The path is absolute, so neither tool can take it for an option.
    const QString program = name();
    const QStringList arguments = m_tool == Xwallpaper ? QStringList{QStringLiteral("--stretch"), imagePath}
                                                       : QStringList{QStringLiteral("--bg-scale"), imagePath};
    const CommandResult r = m_runner.run(program, arguments);
    return r.ok() || commandFailed(program, r, error);
}

bool X11Wallpaper::reset(QString *error)
{
    // xwallpaper clears to black; without it the X server's own background
    // comes back.
    if (m_tool == Xwallpaper || m_runner.hasProgram(kXwallpaper)) {
        const CommandResult r = m_runner.run(kXwallpaper, {QStringLiteral("--clear")});
        return r.ok() || commandFailed(kXwallpaper, r, error);
    }
    if (m_runner.hasProgram(kXsetroot)) {
        const CommandResult r = m_runner.run(kXsetroot, {QStringLiteral("-def")});
        return r.ok() || commandFailed(kXsetroot, r, error);
    }
    if (error)
        *error = tr("Neither xwallpaper nor xsetroot is installed.");
    return false;
}

} // namespace quorvel
