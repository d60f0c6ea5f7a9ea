#include "core/imaging/RawFileNames.h"

#include "core/files/PathUtil.h"

namespace quorvel {

const QStringList &rawExtensions()
{
    // The eight the program always knew first, then the rest LibRaw reads.
    static const QStringList list{
        QStringLiteral("nef"), QStringLiteral("crw"), QStringLiteral("cr2"), QStringLiteral("srf"),
        QStringLiteral("raf"), QStringLiteral("pef"), QStringLiteral("dcr"), QStringLiteral("mrw"),
        QStringLiteral("dng"), QStringLiteral("arw"), QStringLiteral("sr2"), QStringLiteral("orf"),
        QStringLiteral("rw2"), QStringLiteral("raw"), QStringLiteral("rwl"), QStringLiteral("nrw"),
        QStringLiteral("cr3"), QStringLiteral("srw"), QStringLiteral("x3f"), QStringLiteral("3fr"),
        QStringLiteral("erf"), QStringLiteral("kdc"), QStringLiteral("dcs"), QStringLiteral("mos"),
        QStringLiteral("mef"), QStringLiteral("iiq"), QStringLiteral("fff"), QStringLiteral("mdc"),
        QStringLiteral("k25"), QStringLiteral("kc2"),
    };
    return list;
}

bool isRawFile(const QString &path)
{
    const QString name = fileNameOf(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QString ext = name.mid(dot).toLower();
    for (const QString &raw : rawExtensions()) {
        if (ext.contains(raw))
            return true;
    }
    return false;
}

} // namespace quorvel
