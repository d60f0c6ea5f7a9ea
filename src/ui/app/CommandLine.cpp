#include "ui/app/CommandLine.h"

#include <QCommandLineParser>

namespace quorvel {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || (c.unicode() >= 9 && c.unicode() <= 13);
}

const QString kUsage = QStringLiteral("Usage: quorvel [OPTIONS] [FILE|FOLDER]");

QString helpText()
{
    return kUsage + QStringLiteral(
        "\n"
        "A browser and viewer for folders of digital photographs.\n"
        "\n"
        "With an image file, opens its folder with the file selected, full screen;\n"
        "with a folder, opens that folder; otherwise the start-up or last used folder.\n"
        "\n"
        "Options:\n"
        "  --settings FILE  keep the settings in FILE instead of the user's own\n"
        "                   (the QUORVEL_SETTINGS variable does the same)\n"
        "  --no-splash      start without the start-up picture\n"
        "  -h, --help       show this help and exit\n"
        "  -v, --version    show the version and exit\n");
}

// Qt's own options for the display and the style, which the application
// object takes out of the arguments itself. Listed here so that they are
// neither taken for files nor refused; the first group carries a value.
void addQtOptions(QCommandLineParser &parser)
{
    const char *const withValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
                                     "qwindowgeometry", "qwindowicon", "qwindowtitle", "geometry", "title",
                                     "display", "session", "style", "stylesheet", "name", "icon"};
    const char *const flags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    for (const char *name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

QStringList splitCommandLine(const QString &line)
{
    QStringList tokens;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && isBlank(line.at(i)))
            ++i;
        if (i >= n)
            break;
        if (line.at(i) == u'"') {
            const qsizetype start = i + 1;
            qsizetype j = start;
            // The closing quote is one followed by the end or a blank; quotes
            // inside the token are kept.
            while (j < n && !(line.at(j) == u'"' && (j + 1 == n || isBlank(line.at(j + 1)))))
                ++j;
            tokens.append(line.mid(start, j - start));
            i = j < n ? j + 1 : n;
        } else {
            const qsizetype start = i;
            while (i < n && !isBlank(line.at(i)))
                ++i;
            tokens.append(line.mid(start, i - start));
        }
    }
    return tokens;
}

StartupOptions parseStartupOptions(const QStringList &args, const QString &environmentSettingsFile)
{
    StartupOptions options;
    options.settingsFile = environmentSettingsFile;

    QCommandLineParser parser;
    // Qt's options come with one dash ("-platform offscreen"); ours with two.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption settings(QStringLiteral("settings"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption noSplash(QStringLiteral("no-splash"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({settings, noSplash, help, version});
    addQtOptions(parser);

    // The platform's list always starts with the program; an empty one is
    // read as a start without arguments.
    const QStringList withProgram = args.isEmpty() ? QStringList{QStringLiteral("quorvel")} : args;
    if (!parser.parse(withProgram)) {
        options.action = StartupOptions::Action::Mistake;
        options.message = QStringLiteral("quorvel: %1\n%2\nTry 'quorvel --help' for more information.\n")
                              .arg(parser.errorText(), kUsage);
        return options;
    }
    if (parser.isSet(help)) {
        options.action = StartupOptions::Action::ShowHelp;
        options.message = helpText();
        return options;
    }
    if (parser.isSet(version)) {
        options.action = StartupOptions::Action::ShowVersion;
        options.message = QStringLiteral("quorvel %1\n").arg(QStringLiteral(QUORVEL_VERSION));
        return options;
    }
    if (parser.isSet(settings))
        options.settingsFile = parser.values(settings).constLast();
    options.showSplash = !parser.isSet(noSplash);
    options.positional = parser.positionalArguments();
    return options;
}

} // namespace quorvel
