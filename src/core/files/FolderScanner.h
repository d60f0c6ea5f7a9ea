#pragma once

#include <QString>
#include <QStringView>
#include <QVector>

namespace quorvel {

// One entry of a folder scan.
struct FolderEntry
{
    enum Kind : int {
        ListedFile = 0,            // an image or link file
        FolderWithSubfolders = 1,  // a folder that holds at least one listed folder
        FolderWithoutSubfolders = 2, // a folder without listed subfolders, or one found by a nested scan
    };

    QString name; // as the file system reports it, without any folder part
    int kind = ListedFile;

    bool operator==(const FolderEntry &) const = default;
};

using FolderEntries = QVector<FolderEntry>;

// Reads one folder: its subfolders for the directory tree, its image files
// for the file list. Entries come in the order the file system returns them;
// hidden and system entries are never listed.
class FolderScanner
{
public:
    enum Mode : int { Folders = 1, Images = 2, FoldersAndImages = 3 };

    explicit FolderScanner(QString folderPath);

    const QString &folderPath() const { return m_folder; }

    // Never fails: a missing or unreadable folder gives an empty result.
    // A nested scan classifies every folder as kind 2 and never descends.
    FolderEntries scan(int mode, bool nested = false) const;

    // The extensions the file list shows, in the order they are tested.
    static const QStringList &supportedExtensions();
    // True when the lower-cased name contains one of the supported
    // extensions anywhere (so "a.jpg.txt" is listed).
    static bool hasSupportedExtension(QStringView name);

private:
    bool hasListedSubfolder(const QString &folder) const;

    QString m_folder;
};

} // namespace quorvel
