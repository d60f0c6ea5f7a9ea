// Reads the original path from an arbitrary trash record. Whatever comes
// out is a clean absolute path, or nothing.
#include "core/fileops/TrashUndo.h"

#include <QDir>

#include <cstdint>
#include <cstdlib>

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView record(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const char *trashed : {"/home/u/.local/share/Trash/files/a.jpg", "/media/v/.Trash-1000/files/a.jpg"}) {
        const QString path = TrashUndo::pathInRecord(record, QString::fromLatin1(trashed));
        if (!path.isEmpty() && (!QDir::isAbsolutePath(path) || QDir::cleanPath(path) != path))
            std::abort();
    }
    return 0;
}
