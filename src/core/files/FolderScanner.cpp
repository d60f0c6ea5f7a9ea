#include "core/files/FolderScanner.h"

#include "core/files/PathUtil.h"
#include "core/imaging/RawFileNames.h"

#include <QDirIterator>

// Hidden means a leading dot here; on macOS a file flag hides entries too,
// which only Qt's iterator knows about.
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#define QUORVEL_SCAN_WITH_READDIR
#include <dirent.h>
#include <sys/stat.h>
#endif

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

    const auto addFolder = [&](const QString &name) {
        int kind = FolderEntry::FolderWithoutSubfolders;
        if (!nested && hasListedSubfolder(joinPath(m_folder, name)))
            kind = FolderEntry::FolderWithSubfolders;
        result.append({name, kind});
    };

#ifdef QUORVEL_SCAN_WITH_READDIR
    // The directory read as Qt's iterator reads it with these filters, but
    // without a file-information object per entry: a folder of thousands of
    // photos is read in a fraction of the time. Hidden entries start with a
    // dot; an entry's type comes with its name, and only links (and file
    // systems that do not give the type) cost a look at what they point to.
    Q_UNUSED(filters);
    DIR *dir = ::opendir(QFile::encodeName(m_folder).constData());
    if (!dir)
        return result;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat st;
            if (::fstatat(::dirfd(dir), entry->d_name, &st, 0) != 0)
                continue; // a dangling link
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_DIR) {
            if (mode & Folders)
                addFolder(QFile::decodeName(entry->d_name));
        } else if (type == DT_REG && (mode & Images)) {
            const QString name = QFile::decodeName(entry->d_name);
            if (hasSupportedExtension(name))
                result.append({name, FolderEntry::ListedFile});
        }
    }
    ::closedir(dir);
#else
    QDirIterator it(m_folder, filters);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = info.fileName();
        if (info.isDir()) {
            if (mode & Folders)
                addFolder(name);
        } else if ((mode & Images) && hasSupportedExtension(name)) {
            result.append({name, FolderEntry::ListedFile});
        }
    }
#endif
    return result;
}

bool FolderScanner::hasListedSubfolder(const QString &folder) const
{
    // The same rule as a nested folder scan, stopping at the first hit.
    QDirIterator it(folder, kBaseFilters | QDir::Dirs);
    return it.hasNext();
}

} // namespace quorvel
