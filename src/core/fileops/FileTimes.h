#pragma once

#include <QDateTime>
#include <QFileDevice>
#include <QString>

namespace quorvel {

// A file's time stamps, carried across a rewrite so that replacing a file
// with a changed copy keeps its dates. Creation time is restored only where
// the platform can set it (Windows); elsewhere it is read when the file
// system reports it and otherwise left invalid.
struct FileTimes
{
    QDateTime creation;
    QDateTime lastAccess;
    QDateTime lastWrite;
};

// The times of a file already open (the one a writer read).
FileTimes timesOf(const QFileDevice &file);

} // namespace quorvel
