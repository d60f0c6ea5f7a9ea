#pragma once

#include "core/print/IndexComposer.h"

#include <QHash>
#include <QStringList>

#include <atomic>

namespace quorvel {

// The pictures of an index print's sources, decoded no larger than their
// cells need: a JPEG at the smallest reduced scale that still covers the
// cell, other files whole. Embedded colour profiles are applied, and with
// applyOrientation the EXIF orientation. With caching (the preview's
// repaints) a file is decoded again only when a larger cell asks for it.
class IndexPictures
{
public:
    explicit IndexPictures(const QStringList &paths = {}, bool caching = false, bool applyOrientation = false);

    void setPaths(const QStringList &paths);
    const QStringList &paths() const { return m_paths; }

    // The picture of one item for a cell; null when the file cannot be
    // decoded (or the job was cancelled).
    IndexCellPicture picture(int item, QSize cell, const std::atomic_bool *cancel = nullptr) const;
    // The same as a source for IndexComposer and IndexPreview.
    IndexPictureSource source(const std::atomic_bool *cancel = nullptr) const;

    static IndexCellPicture decode(const QString &path, QSize cell, const std::atomic_bool *cancel = nullptr,
                                   bool applyOrientation = false);

    // How many files were decoded so far (the cache's hits not counted).
    int decodeCount() const { return m_decodes; }

private:
    struct Cached
    {
        IndexCellPicture picture;
        QSize cell;
    };

    QStringList m_paths;
    bool m_caching = false;
    bool m_applyOrientation = false;
    mutable QHash<QString, Cached> m_cache;
    mutable int m_decodes = 0;
};

} // namespace quorvel
