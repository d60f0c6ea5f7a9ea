#include "core/fileops/WindowsWallpaper.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <QSettings>

#include <qt_windows.h>
#endif

namespace quorvel {

bool WindowsWallpaper::apply(const QString &imagePath, QString *error)
{
#ifdef Q_OS_WIN
    std::wstring path = QDir::toNativeSeparators(imagePath).toStdWString();
    if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
        if (error)
            *error = tr("The system did not accept the wallpaper (error %1).").arg(GetLastError());
        return false;
    }
    return true;
#else
    Q_UNUSED(imagePath);
    if (error)
        *error = tr("This desktop has no wallpaper setting.");
    return false;
#endif
}

bool WindowsWallpaper::set(const QString &imagePath, QString *error)
{
#ifdef Q_OS_WIN
    // Style 2 without tiling: stretched over the screen.
    QSettings desktop(QStringLiteral("HKEY_CURRENT_USER\\Control Panel\\Desktop"), QSettings::NativeFormat);
    desktop.setValue(QStringLiteral("WallpaperStyle"), QStringLiteral("2"));
    desktop.setValue(QStringLiteral("TileWallpaper"), QStringLiteral("0"));
    desktop.sync();
#endif
    return apply(imagePath, error);
}

bool WindowsWallpaper::reset(QString *error)
{
    return apply(QString(), error);
}

} // namespace quorvel
