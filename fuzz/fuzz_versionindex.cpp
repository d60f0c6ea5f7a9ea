// Reads a version index from arbitrary bytes. Whatever is read must write
// back as the same records, and read again as the same entries.
#include "core/fileops/VersionIndex.h"

#include <cstdint>
#include <cstdlib>

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const versionindex::Parsed first = versionindex::parse(bytes);
    const qsizetype n = first.entries.size();
    if (n * VersionEntry::kRecordBytes > qMax<qsizetype>(0, bytes.size() - versionindex::kHeaderBytes))
        std::abort();

    const QByteArray written = versionindex::serialise(first.entries);
    if (written.size() != versionindex::kHeaderBytes + n * VersionEntry::kRecordBytes)
        std::abort();
    if (n > 0 && written.mid(versionindex::kHeaderBytes) != bytes.sliced(versionindex::kHeaderBytes,
                                                                        n * VersionEntry::kRecordBytes))
        std::abort();

    const versionindex::Parsed second = versionindex::parse(written);
    if (second.entries.size() != n || second.damaged)
        std::abort();
    for (qsizetype i = 0; i < n; ++i) {
        const VersionEntry &a = first.entries.at(i);
        const VersionEntry &b = second.entries.at(i);
        if (a.originalPath != b.originalPath || a.storeName != b.storeName || a.extension != b.extension
            || a.isUsable() != b.isUsable())
            std::abort();
        // A usable entry's fields fit their slots when written afresh.
        if (a.isUsable()) {
            VersionEntry fresh;
            fresh.originalPath = a.originalPath;
            fresh.storeName = a.storeName;
            fresh.extension = a.extension;
            const VersionEntry back = VersionEntry::fromRecord(fresh.toRecord());
            if (back.originalPath != a.originalPath || back.storeName != a.storeName
                || back.extension != a.extension || !back.isUsable())
                std::abort();
        }
    }
    return 0;
}
