#pragma once

#include "CommandLine.h"

#include <QStringList>

#include <cstdio>

namespace quorvel::cli {

// One subcommand of quorvel-tool, as listed in the table in main.cpp. Its
// own file holds both functions: define declares its command line (synopsis,
// summary, options, arguments), run does the work with what was given and
// returns the process exit status.
struct Command
{
    const char *name;
    void (*define)(CommandLine &line);
    int (*run)(const CommandLine &line);
    // Commands that draw text need a GUI application (fonts); the others run
    // on a plain core application.
    bool needsGui = false;
};

void defineScan(CommandLine &line);
int runScan(const CommandLine &line);
void defineInfo(CommandLine &line);
int runInfo(const CommandLine &line);
void defineDecode(CommandLine &line);
int runDecode(const CommandLine &line);
void defineBenchDecode(CommandLine &line);
int runBenchDecode(const CommandLine &line);
void defineStats(CommandLine &line);
int runStats(const CommandLine &line);
void defineExport(CommandLine &line);
int runExport(const CommandLine &line);
void defineSetExif(CommandLine &line);
int runSetExif(const CommandLine &line);
void defineSetDpi(CommandLine &line);
int runSetDpi(const CommandLine &line);
void defineRotate(CommandLine &line);
int runRotate(const CommandLine &line);
void definePrepare(CommandLine &line);
int runPrepare(const CommandLine &line);
void defineDescribe(CommandLine &line);
int runDescribe(const CommandLine &line);

// Writes a line to standard output or standard error in UTF-8.
void out(const QString &line);
void err(const QString &line);

} // namespace quorvel::cli
