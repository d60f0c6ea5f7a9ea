#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

namespace quorvel::cli {

// One command's command line. The command declares, in its own file, its
// synopsis, what it does, its options and its arguments; QCommandLineParser
// reads what was given. "--help" comes with every command.
class CommandLine
{
public:
    explicit CommandLine(QString command);

    // synopsis: the arguments as the usage line shows them, after the
    // command's name ("[--tsv] FILE..."); summary: what the command does,
    // in one line.
    void describe(const QString &synopsis, const QString &summary);
    void addOption(const QCommandLineOption &option);
    // A positional argument, explained in the help.
    void addArgument(const QString &name, const QString &description);

    const QString &command() const { return m_command; }
    const QString &synopsis() const { return m_synopsis; }
    const QString &summary() const { return m_summary; }
    // "usage: quorvel-tool info [--tsv] FILE..."
    QString usageLine() const;
    QString helpText() const;

    enum class Outcome { Run, Help, Mistake };
    // arguments: what follows the command's name.
    Outcome parse(const QStringList &arguments);
    QString errorText() const { return m_parser.errorText(); }

    bool isSet(const QString &option) const { return m_parser.isSet(option); }
    // The value given last.
    QString value(const QString &option) const { return m_parser.value(option); }
    // The options given, in their order on the command line.
    QStringList optionNames() const { return m_parser.optionNames(); }
    QStringList positional() const { return m_parser.positionalArguments(); }

    // Reports a mistake in the arguments: message (if any) and the usage
    // line on standard error. Returns the exit status for it, 2.
    int usageError(const QString &message = QString()) const;

private:
    QString m_command;
    QString m_synopsis;
    QString m_summary;
    QList<QCommandLineOption> m_options;
    QList<QPair<QString, QString>> m_arguments;
    QCommandLineParser m_parser;
};

} // namespace quorvel::cli
