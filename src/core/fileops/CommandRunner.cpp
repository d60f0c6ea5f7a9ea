#include "core/fileops/CommandRunner.h"

#include <QProcess>
#include <QStandardPaths>

namespace quorvel {

namespace {

// Output beyond this is of no use to any caller and is not kept.
constexpr qsizetype kMaxOutputBytes = 1 << 20;

} // namespace

bool ProcessCommandRunner::hasProgram(const QString &program) const
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

CommandResult ProcessCommandRunner::run(const QString &program, const QStringList &arguments)
{
    CommandResult result;
    const QString executable = QStandardPaths::findExecutable(program);
    if (executable.isEmpty()) {
        result.errorText = QStringLiteral("%1: not found").arg(program);
        return result;
    }
    QProcess process;
    process.setProgram(executable);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(m_timeoutMs)) {
        result.errorText = process.errorString();
        return result;
    }
    result.started = true;
    if (!process.waitForFinished(m_timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        result.errorText = QStringLiteral("%1: no answer, stopped").arg(program);
        return result;
    }
    result.output = process.readAllStandardOutput().left(kMaxOutputBytes);
    result.errorText = QString::fromLocal8Bit(process.readAllStandardError().left(kMaxOutputBytes)).trimmed();
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    else if (result.errorText.isEmpty())
        result.errorText = QStringLiteral("%1: crashed").arg(program);
    return result;
}

} // namespace quorvel
