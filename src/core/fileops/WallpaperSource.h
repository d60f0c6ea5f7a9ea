#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

namespace quorvel {

// The file handed to the desktop as its wallpaper. Desktops read JPEG and
// PNG files; any other picture the program shows (TIFF, PCX, BMP, GIF,
// camera raw...) is first decoded, converted to sRGB through its colour
// profile, and written as a PNG into a folder of the program's own.
class WallpaperSource
{
    Q_DECLARE_TR_FUNCTIONS(WallpaperSource)

public:
    // Whether a desktop reads the file as it is: a JPEG or a PNG, by content.
    static bool isDesktopReadable(const QString &path);

    // "wallpaper" in the user's data folder of the program.
    static QString defaultFolder();

    // The PNG's name in that folder for a source: it changes with the
    // source's path, size and modification time, so that a desktop which
    // ignores a name it already shows still picks up a new picture.
    static QString convertedName(const QString &path);

    // The file to hand to the desktop: path itself when the desktop reads
    // it, else the PNG written into folder (made when missing). Empty, with
    // *error set, when the source cannot be decoded or the PNG not written.
    static QString prepare(const QString &path, const QString &folder, QString *error = nullptr);

    // Removes the PNGs written before into folder, except keep.
    static void removeOthers(const QString &folder, const QString &keep);

    // Writes a picture for the desktop as a PNG to target (through a
    // temporary file). False, with *error set, when it cannot be encoded or
    // written.
    static bool writePng(const QImage &image, const QString &target, QString *error = nullptr);
};

} // namespace quorvel
