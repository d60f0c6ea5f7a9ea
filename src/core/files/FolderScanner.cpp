#include "core/files/FolderScanner.h"

#include "core/files/PathUtil.h"
#include "core/imaging/RawFileNames.h"

#include <QDirIterator>

namespace quorvel {

namespace {

// Hidden entries are left out by not asking for QDir::Hidden; on Windows,
// leaving out QDir::System also skips system entries (on Linux it skips
// sockets, pipes and dangling symbolic links).
constexpr QDir::Filters kBaseFilters = QDir::NoDotAndDotDot;

} // namespace

FolderScanner::FolderScanner(QString folderPath)
    : m_folder(std::move(folderPath))
{
}

const QStringList &FolderScanner::supportedExtensions()
{
    static const QStringList list = [] {
        QStringList l{
            QStringLiteral(".gif"), QStringLiteral(".bmp"), QStringLiteral(".pcx"), QStringLiteral(".tif"),
            QStringLiteral(".tiff"), QStringLiteral(".jpg"), QStringLiteral(".link"), QStringLiteral(".jpeg"),
            QStringLiteral(".crw"), QStringLiteral(".nef"), QStringLiteral(".cr2"), QStringLiteral(".raf"),
            QStringLiteral(".srf"), QStringLiteral(".dcr"), QStringLiteral(".pef"), QStringLiteral(".mrw"),
            QStringLiteral(".png"), QStringLiteral(".webp"), QStringLiteral(".heic"), QStringLiteral(".heif"),
            QStringLiteral(".avif"), QStringLiteral(".jxl"),
        };
        // Every other camera raw extension the raw decoder reads.
        for (const QString &raw : rawExtensions()) {
            const QString ext = u'.' + raw;
            if (!l.contains(ext))
                l.append(ext);
        }
        return l;
    }();
    return list;
}

bool FolderScanner::hasSupportedExtension(QStringView name)
{
    // Every extension begins with its dot, so a match can only start at one
    // of the name's dots. Names of plain ASCII (nearly all) are lower-cased
    // by hand, which matches as the case-insensitive compare does; others
    // take that compare.
    const QStringList &extensions = supportedExtensions();
    char lowered[256];
    const qsizetype length = name.size();
    bool ascii = length <= qsizetype(sizeof lowered);
    for (qsizetype i = 0; ascii && i < length; ++i) {
        const char16_t c = name[i].unicode();
        ascii = c < 0x80;
        lowered[i] = char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    if (!ascii) {
        for (const QString &ext : extensions) {
            if (name.contains(ext, Qt::CaseInsensitive))
                return true;
        }
        return false;
    }
    const QLatin1StringView lower(lowered, length);
    for (qsizetype dot = lower.indexOf(u'.'); dot >= 0; dot = lower.indexOf(u'.', dot + 1)) {
        const QLatin1StringView rest = lower.sliced(dot);
        for (const QString &ext : extensions) {
            if (rest.startsWith(ext))
                return true;
        }
    }
    return false;
}

FolderEntries FolderScanner::scan(int mode, bool nested) const
{
    FolderEntries result;
    if (m_folder.isEmpty())
        return result;

    QDir::Filters filters = kBaseFilters;
    if (mode & Folders)
        filters |= QDir::Dirs;
    if (mode & Images)
        filters |= QDir::Files;
    if (!(mode & (Folders | Images)))
        return result;

    QDirIterator it(m_folder, filters);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = info.fileName();
        if (info.isDir()) {
            if (!(mode & Folders))
                continue;
            int kind = FolderEntry::FolderWithoutSubfolders;
            if (!nested && hasListedSubfolder(joinPath(m_folder, name)))
                kind = FolderEntry::FolderWithSubfolders;
            result.append({name, kind});
        } else {
            if (!(mode & Images) || !hasSupportedExtension(name))
                continue;
            result.append({name, FolderEntry::ListedFile});
        }
    }
    return result;
}

bool FolderScanner::hasListedSubfolder(const QString &folder) const
{
    // The same rule as a nested folder scan, stopping at the first hit.
    QDirIterator it(folder, kBaseFilters | QDir::Dirs);
    return it.hasNext();
}

} // namespace quorvel
