#pragma once

#include <QStringList>

#include <cstdio>

namespace quorvel::cli {

// One subcommand of quorvel-tool. args holds the arguments after the
// subcommand's name. Returns the process exit status.
struct Command
{
    const char *name;
    const char *usage;
    int (*run)(const QStringList &args);
    // Commands that draw text need a GUI application (fonts); the others run
    // on a plain core application.
    bool needsGui = false;
};

int runScan(const QStringList &args);
int runInfo(const QStringList &args);
int runDecode(const QStringList &args);
int runBenchDecode(const QStringList &args);
int runStats(const QStringList &args);
int runExport(const QStringList &args);
int runSetExif(const QStringList &args);
int runSetDpi(const QStringList &args);
int runRotate(const QStringList &args);
int runDescribe(const QStringList &args);

// Writes a line to standard output or standard error in UTF-8.
void out(const QString &line);
void err(const QString &line);

} // namespace quorvel::cli
