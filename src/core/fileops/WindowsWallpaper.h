#pragma once

#include "core/fileops/WallpaperBackend.h"

namespace quorvel {

// Windows: the stretched style in the user's desktop settings, then the
// picture through the system parameter call, which saves it in the user's
// profile and tells every window. Elsewhere it always fails.
class WindowsWallpaper final : public WallpaperBackend
{
public:
    QString name() const override { return QStringLiteral("windows"); }
    bool set(const QString &imagePath, QString *error) override;
    bool reset(QString *error) override;

private:
    bool apply(const QString &imagePath, QString *error);
};

} // namespace quorvel
