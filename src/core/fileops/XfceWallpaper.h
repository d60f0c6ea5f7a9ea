#pragma once

#include "core/fileops/WallpaperBackend.h"

#include <QStringList>

namespace quorvel {

class CommandRunner;

// Xfce: the backdrop properties of the xfce4-desktop channel, changed with
// xfconf-query for every monitor and workspace the channel knows.
class XfceWallpaper final : public WallpaperBackend
{
public:
    explicit XfceWallpaper(CommandRunner &runner);

    static QString program() { return QStringLiteral("xfconf-query"); }
    // The image-style values of the backdrop: no picture, and stretched.
    static constexpr int kStyleNone = 0;
    static constexpr int kStyleStretched = 3;

    QString name() const override { return QStringLiteral("xfce"); }
    bool set(const QString &imagePath, QString *error) override;
    bool reset(QString *error) override;

private:
    // The backdrop property folders ("/backdrop/screen0/monitorX/workspace0")
    // that name a picture; the first monitor's when the channel has none yet.
    QStringList backdrops(QString *error);
    bool setProperty(const QString &property, const QString &type, const QString &value, QString *error);

    CommandRunner &m_runner;
};

} // namespace quorvel
