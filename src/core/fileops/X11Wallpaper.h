#pragma once

#include "core/fileops/WallpaperBackend.h"

#include <memory>

namespace quorvel {

class CommandRunner;

// A plain X11 session without a desktop of its own: the root window's
// picture set with xwallpaper or feh, and cleared with xwallpaper or xsetroot.
class X11Wallpaper final : public WallpaperBackend
{
public:
    // The tools, in the order they are preferred.
    enum Tool { Xwallpaper, Feh };

    X11Wallpaper(Tool tool, CommandRunner &runner);
    // The back end with the first tool present; null when there is none.
    static std::unique_ptr<X11Wallpaper> create(CommandRunner &runner);

    QString name() const override;
    bool set(const QString &imagePath, QString *error) override;
    bool reset(QString *error) override;

private:
    Tool m_tool;
    CommandRunner &m_runner;
};

} // namespace quorvel
