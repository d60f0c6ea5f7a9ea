#pragma once

#include <QString>

#include <functional>

namespace quorvel {

struct FileIdentity;
struct FileTimes;
class SafeWriter;

// How replaceFile treats the file it replaces.
struct ReplaceOptions
{
    // The time stamps the new file gets; none: the system's.
    const FileTimes *times = nullptr;
    // The file as it was read: when it is not that any more at the moment of
    // the rename, nothing is written ("changed by another program").
    const FileIdentity *expected = nullptr;
};

// Replaces a file's content as the image writers do, through SafeWriter: the
// new content goes into a temporary file beside the target that is renamed
// over it only once complete, so a failure - a full disk, a folder without
// write access, a locked file - leaves the target as it was and no temporary
// file behind. Never writes through a link or over anything but a regular
// file. The replaced file keeps its mode exactly, and the given times.
// content writes the new bytes (it may stream them); false with *error set on
// any failure.
using WriteContent = std::function<bool(SafeWriter &writer)>;
bool replaceFile(const QString &path, const WriteContent &content, const ReplaceOptions &options,
                 QString *error = nullptr);

} // namespace quorvel
