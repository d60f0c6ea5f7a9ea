#pragma once

#include "core/fileops/WallpaperBackend.h"

#include <QStringList>

namespace quorvel {

class CommandRunner;

// GNOME and the desktops built on its settings (Unity, Budgie, Pantheon,
// Cinnamon, MATE): the background keys changed with gsettings.
class GsettingsWallpaper final : public WallpaperBackend
{
public:
    enum Flavour { Gnome, Cinnamon, Mate };

    GsettingsWallpaper(Flavour flavour, CommandRunner &runner);

    static QString program() { return QStringLiteral("gsettings"); }
    // A text as GVariant text: in single quotes, with \ and ' escaped.
    static QString quoted(const QString &text);

    QString name() const override;
    bool set(const QString &imagePath, QString *error) override;
    bool reset(QString *error) override;

private:
    QString schema() const;
    // The keys that name the picture: a file URI (GNOME, Cinnamon; GNOME's
    // dark-style key where the desktop has it) or a path (MATE).
    QStringList pictureKeys(QString *error);
    bool setKey(const QString &key, const QString &value, QString *error);

    Flavour m_flavour;
    CommandRunner &m_runner;
};

} // namespace quorvel
