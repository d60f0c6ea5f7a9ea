#include "core/print/IndexPictures.h"

#include "core/imaging/ImageDecoder.h"

namespace quorvel {

IndexPictures::IndexPictures(const QStringList &paths, bool caching, bool applyOrientation)
    : m_paths(paths), m_caching(caching), m_applyOrientation(applyOrientation)
{
}

void IndexPictures::setPaths(const QStringList &paths)
{
    m_paths = paths;
}

IndexCellPicture IndexPictures::decode(const QString &path, QSize cell, const std::atomic_bool *cancel,
                                      bool applyOrientation)
{
    DecodeOptions options;
    options.useCms = true;
    options.applyOrientation = applyOrientation;
    options.reduceTo = cell;
    options.cancel = cancel;
    DecodeResult decoded = ImageDecoder::decodeFile(path, options);
    if (!decoded.ok())
        return {};
    return IndexCellPicture{std::move(decoded.image), decoded.fullSize, decoded.partial};
}

IndexCellPicture IndexPictures::picture(int item, QSize cell, const std::atomic_bool *cancel) const
{
    const QString path = m_paths.value(item);
    if (path.isEmpty() || (cancel && cancel->load()))
        return {};
    if (m_caching) {
        const auto it = m_cache.constFind(path);
        if (it != m_cache.constEnd() && it->cell.width() >= cell.width() && it->cell.height() >= cell.height())
            return it->picture;
    }
    IndexCellPicture picture = decode(path, cell, cancel, m_applyOrientation);
    ++m_decodes;
    if (m_caching && !(cancel && cancel->load()))
        m_cache.insert(path, Cached{picture, cell});
    return picture;
}

IndexPictureSource IndexPictures::source(const std::atomic_bool *cancel) const
{
    return [this, cancel](int item, QSize cell) { return picture(item, cell, cancel); };
}

} // namespace quorvel
