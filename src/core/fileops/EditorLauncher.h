#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace quorvel {

// Opens files in one of the stored external editors. The editor is started
// on its own, with one argument per file exactly as the path reads; no shell
// ever sees the paths, so spaces, quotes and shell characters in them (or in
// the editor's own path) mean nothing special.
class EditorLauncher
{
public:
    using Starter = std::function<bool(const QString &program, const QStringList &arguments)>;

    // Starts editor index of the stored list on the files. False when the
    // index is outside the list, there are no files, or the start failed.
    // Without a starter the program is started detached.
    static bool launch(qsizetype index, const QStringList &files, const Starter &start = {});

    // The arguments the editor gets for the files.
    static QStringList arguments(const QStringList &files);

    static bool startDetached(const QString &program, const QStringList &arguments);
};

} // namespace quorvel
