#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>

namespace quorvel {

// Copies files into one folder, each under its own name, whichever folder it
// comes from (the targets of links may lie in several). An existing file is
// replaced only when the user says so. Copies keep their modification time.
class FileCopier
{
    Q_DECLARE_TR_FUNCTIONS(FileCopier)

public:
    enum class Replace { Yes, YesToAll, No, Cancel };
    enum class Outcome {
        Copied,    // at least one file copied, no failure
        Nothing,   // nothing to copy, or every file skipped
        ToItself,  // a file already lies in the destination folder
        Cancelled, // the user stopped it
        Failed,    // see failedFile and error
    };
    struct Result
    {
        Outcome outcome = Outcome::Nothing;
        int copied = 0;
        int skipped = 0;
        QString failedFile;
        QString error;
    };
    struct Progress
    {
        int done = 0;
        int total = 0;
        qint64 bytesDone = 0;
        qint64 bytesTotal = 0;
        QString current; // the file about to be copied; empty at the end
    };
    // Asked with the path that would be replaced.
    using AskReplace = std::function<Replace(const QString &target)>;
    // Told before each file and at the end; false stops the copy.
    using Report = std::function<bool(const Progress &)>;

    // Copies with more files or bytes than these show their progress.
    static constexpr int kProgressFiles = 20;
    static constexpr qint64 kProgressBytes = 64LL * 1024 * 1024;

    FileCopier(QStringList files, QString destination);

    // destination + the source's own name.
    static QString targetFor(const QString &source, const QString &destination);

    const QStringList &files() const { return m_files; }
    const QString &destination() const { return m_destination; }
    // Whether one of the files lies in the destination folder already.
    bool isCopyToItself() const;
    qint64 totalBytes() const;
    bool wantsProgress() const;

    // Without askReplace an existing file is never replaced (it is skipped).
    Result run(const AskReplace &askReplace = {}, const Report &report = {}) const;

private:
    QStringList m_files;
    QString m_destination;
};

} // namespace quorvel
