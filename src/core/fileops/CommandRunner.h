#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quorvel {

// The outcome of one external program run.
struct CommandResult
{
    bool started = false; // the program was found and started
    int exitCode = -1;    // its exit status, when it ended by itself
    QByteArray output;    // what it wrote to standard output
    QString errorText;    // what it wrote to standard error, or why it did not run

    bool ok() const { return started && exitCode == 0; }
};

// Runs external programs: always by name with an argument list, never
// through a shell, so no argument is ever interpreted. Tests put a recording
// runner in its place.
class CommandRunner
{
public:
    virtual ~CommandRunner() = default;

    // Whether the program can be found on the search path.
    virtual bool hasProgram(const QString &program) const = 0;
    // Runs the program to its end and collects its output.
    virtual CommandResult run(const QString &program, const QStringList &arguments) = 0;
};

// The runner of the real system: QProcess, with a time limit after which
// a program that hangs is stopped and counts as failed.
class ProcessCommandRunner final : public CommandRunner
{
public:
    static constexpr int kDefaultTimeoutMs = 20000;

    explicit ProcessCommandRunner(int timeoutMs = kDefaultTimeoutMs)
        : m_timeoutMs(timeoutMs)
    {
    }

    bool hasProgram(const QString &program) const override;
    CommandResult run(const QString &program, const QStringList &arguments) override;

private:
    int m_timeoutMs;
};

} // namespace quorvel
