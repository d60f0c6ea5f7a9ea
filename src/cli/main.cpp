// quorvel-tool: the program's core functions from the command line, for
// batch work and for checking them against real files.

#include "Commands.h"

#if defined(QUORVEL_TOOL_FRONT) || defined(QUORVEL_TOOL_DECODE)
// One of the tool's parts (see Handover.h): what it does not carry itself it
// hands on.
#define QUORVEL_TOOL_PART
#include "Handover.h"
#else
#include <QGuiApplication>
#endif

#include <QCoreApplication>

#include <cstring>
#include <memory>

namespace quorvel::cli {

namespace {

#ifdef QUORVEL_TOOL_FRONT
// quorvel-tool-meta (quorvel-tool itself on Windows): the commands that
// need no imaging library (see Handover.h). Anything else, the help
// included, goes to the complete tool.
const Command kCommands[] = {
    {"scan", defineScan, runScan},
    {"info", defineInfo, runInfo},
    {"stats", defineStats, runStats},
    {"export", defineExport, runExport},
    {"set-exif", defineSetExif, runSetExif},
    {"describe", defineDescribe, runDescribe},
};
#elif defined(QUORVEL_TOOL_DECODE)
// quorvel-tool-decode: decode, for JPEG files (DecodeCommand.cpp).
const Command kCommands[] = {
    {"decode", defineDecode, runDecode},
};
#else
// Every command, in the order the help lists them.
const Command kCommands[] = {
    {"scan", defineScan, runScan},
    {"info", defineInfo, runInfo},
    {"decode", defineDecode, runDecode},
    {"bench-decode", defineBenchDecode, runBenchDecode},
    {"stats", defineStats, runStats},
    {"export", defineExport, runExport},
    {"set-exif", defineSetExif, runSetExif},
    {"set-dpi", defineSetDpi, runSetDpi},
    {"rotate", defineRotate, runRotate},
    {"prepare", definePrepare, runPrepare, true},
    {"describe", defineDescribe, runDescribe},
};
#endif

const Command *findCommand(const QString &name)
{
    for (const Command &c : kCommands) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}


#ifndef QUORVEL_TOOL_PART
// The commands with their synopses, each followed by its summary.
QString commandList()
{
    QString text;
    for (const Command &c : kCommands) {
        CommandLine line(QString::fromLatin1(c.name));
        c.define(line);
        text += QStringLiteral("  %1\n      %2\n").arg((line.command() + u' ' + line.synopsis()).trimmed(), line.summary());
    }
    return text;
}

#endif

QString usage()
{
    return QStringLiteral("usage: quorvel-tool COMMAND [ARGS...]\n"
                          "       quorvel-tool COMMAND --help\n"
                          "       quorvel-tool --help | --version\n");
}

#ifndef QUORVEL_TOOL_PART
QString help()
{
    return usage()
        + QStringLiteral("\nQuorvel's core functions from the command line: folder scans, EXIF, decoding,\n"
                         "statistics and export, EXIF and resolution changes, lossless rotation.\n"
                         "\nCommands:\n")
        + commandList()
        + QStringLiteral("\nOptions:\n"
                         "  -h, --help     show this help\n"
                         "  -v, --version  show the version\n");
}

#endif

void print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

#ifndef QUORVEL_TOOL_PART
int mistake(const QString &message)
{
    err(QStringLiteral("quorvel-tool: ") + message);
    print(stderr, usage());
    err(QStringLiteral("Try 'quorvel-tool --help' for the commands."));
    return 2;
}

#endif

int runCommand(const Command &command, int argc, char **argv)
{
    std::unique_ptr<QCoreApplication> app;
#ifndef QUORVEL_TOOL_PART
    if (command.needsGui) {
        // No window is ever shown: the offscreen platform serves anywhere.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else
#endif
    {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    CommandLine line(QString::fromLatin1(command.name));
    command.define(line);
    switch (line.parse(QCoreApplication::arguments().mid(2))) {
    case CommandLine::Outcome::Help:
        print(stdout, line.helpText());
        return 0;
    case CommandLine::Outcome::Mistake:
        return line.usageError(line.errorText());
    case CommandLine::Outcome::Run:
        break;
    }
    return command.run(line);
}

} // namespace

void out(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void err(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fputc('\n', stderr);
}

} // namespace quorvel::cli

int main(int argc, char **argv)
{
    using namespace quorvel::cli;
    // Every part is quorvel-tool to the system: the same settings and data
    // folders whichever of them runs the command.
    QCoreApplication::setApplicationName(QStringLiteral("quorvel-tool"));
    if (argc < 2) {
        print(stderr, usage());
        err(QStringLiteral("Try 'quorvel-tool --help' for the commands."));
        return 2;
    }
#ifdef QUORVEL_TOOL_PART
    keepArguments(argc, argv);
#endif
    if (const Command *command = findCommand(QString::fromLocal8Bit(argv[1])))
        return runCommand(*command, argc, argv);
#ifdef QUORVEL_TOOL_FRONT
    if (std::strcmp(argv[1], "decode") == 0)
        return handOver(kDecodeTool, argc, argv);
    if (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "-v") == 0) {
        if (argc > 2)
            return handOver(kCompleteTool, argc, argv); // the complete tool explains the mistake
        out(QStringLiteral("quorvel-tool " QUORVEL_VERSION));
        return 0;
    }
#endif
#ifdef QUORVEL_TOOL_PART
    return handOver(kCompleteTool, argc, argv);
#else

    // No command first: the tool's own options, or a mistake.
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({helpOption, versionOption});
    if (!parser.parse(QCoreApplication::arguments()))
        return mistake(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return mistake(QStringLiteral("unknown command '%1'").arg(parser.positionalArguments().first()));
    if (parser.isSet(helpOption)) {
        print(stdout, help());
        return 0;
    }
    if (parser.isSet(versionOption)) {
        out(QStringLiteral("quorvel-tool " QUORVEL_VERSION));
        return 0;
    }
    return mistake(QStringLiteral("no command given"));
#endif
}
