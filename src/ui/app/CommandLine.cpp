#include "ui/app/CommandLine.h"

namespace quorvel {

namespace {
bool isBlank(QChar c)
{
    return c == u' ' || (c.unicode() >= 9 && c.unicode() <= 13);
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
    const QString settingsOption = QStringLiteral("--settings");
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == settingsOption && i + 1 < args.size()) {
            options.settingsFile = args.at(++i);
        } else if (arg.startsWith(settingsOption + u'=')) {
            options.settingsFile = arg.mid(settingsOption.size() + 1);
        } else if (arg == QStringLiteral("--no-splash")) {
            options.showSplash = false;
        } else {
            options.positional.append(arg);
        }
    }
    return options;
}

} // namespace quorvel
