#pragma once

#include "core/fileops/WallpaperBackend.h"

namespace quorvel {

class CommandRunner;

// KDE Plasma: a desktop script handed to the Plasma shell over D-Bus
// (dbus-send), which sets the picture of every desktop with the "Stretch"
// fill mode, or turns the desktops to a plain colour.
class PlasmaWallpaper final : public WallpaperBackend
{
public:
    explicit PlasmaWallpaper(CommandRunner &runner);

    static QString program() { return QStringLiteral("dbus-send"); }
    // A text as a JavaScript string literal in double quotes.
    static QString jsString(const QString &text);
    // The script that gives every desktop the picture, stretched.
    static QString setScript(const QString &imagePath);
    // The script that gives every desktop a plain colour.
    static QString resetScript();

    QString name() const override { return QStringLiteral("plasma"); }
    bool set(const QString &imagePath, QString *error) override;
    bool reset(QString *error) override;

private:
    bool evaluate(const QString &script, QString *error);

    CommandRunner &m_runner;
};

} // namespace quorvel
