#pragma once

#include <QString>

namespace quorvel {

// What the file list keeps about one scanned entry. The scan index is the
// key: it is the list row's data value and stays fixed while the list is
// sorted or filtered, so per-file tables indexed by it stay valid.
struct FileRecord
{
    int scanIndex = -1;
    // Empty for entries the filter hides and for deleted files.
    QString name;
    // 0 = thumbnail not made yet; otherwise its slot (scanIndex + 2), also
    // when the slot holds the error picture.
    int thumbnailState = 0;
    QString description;
    // Display texts of the EXIF fields; empty when the file has none.
    QString camera;
    QString dateTime;
    QString exposure;
    QString aperture;
    QString iso;
    QString focal;

    // Slots 0 and 1 of the thumbnail list hold the placeholder pictures.
    static constexpr int kFirstThumbnailSlot = 2;
    int thumbnailSlot() const { return scanIndex + kFirstThumbnailSlot; }

    bool isLink() const;
    QString fullPath(const QString &folder) const;
};

} // namespace quorvel
