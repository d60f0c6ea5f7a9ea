#include "CommandLine.h"

#include "Commands.h"

#include <algorithm>

namespace quorvel::cli {

namespace {

const QString kHelp = QStringLiteral("help");

QString optionLabel(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    QString label = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        label += u' ' + option.valueName();
    return label;
}

// Two columns: the label padded to a common width, then the text.
QString table(const QList<QPair<QString, QString>> &rows)
{
    qsizetype width = 0;
    for (const auto &row : rows)
        width = std::max(width, row.first.size());
    QString text;
    for (const auto &row : rows)
        text += QStringLiteral("  %1  %2\n").arg(row.first, -int(width)).arg(row.second);
    return text;
}

} // namespace

CommandLine::CommandLine(QString command)
    : m_command(std::move(command))
{
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    addOption(QCommandLineOption(QStringList{QStringLiteral("h"), kHelp}, QStringLiteral("show this help")));
}

void CommandLine::describe(const QString &synopsis, const QString &summary)
{
    m_synopsis = synopsis;
    m_summary = summary;
}

void CommandLine::addOption(const QCommandLineOption &option)
{
    m_options.append(option);
    m_parser.addOption(option);
}

void CommandLine::addArgument(const QString &name, const QString &description)
{
    m_arguments.append({name, description});
}

QString CommandLine::usageLine() const
{
    return QStringLiteral("usage: quorvel-tool %1 %2").arg(m_command, m_synopsis).trimmed();
}

QString CommandLine::helpText() const
{
    QString text = usageLine() + QStringLiteral("\n\n") + m_summary + QStringLiteral("\n");
    if (!m_arguments.isEmpty())
        text += QStringLiteral("\nArguments:\n") + table(m_arguments);
    QList<QPair<QString, QString>> options;
    // The command's own options first, --help last.
    for (qsizetype i = 1; i < m_options.size(); ++i)
        options.append({optionLabel(m_options.at(i)), m_options.at(i).description()});
    options.append({optionLabel(m_options.first()), m_options.first().description()});
    text += QStringLiteral("\nOptions:\n") + table(options);
    return text;
}

CommandLine::Outcome CommandLine::parse(const QStringList &arguments)
{
    if (!m_parser.parse(QStringList{QStringLiteral("quorvel-tool")} + arguments))
        return Outcome::Mistake;
    return m_parser.isSet(kHelp) ? Outcome::Help : Outcome::Run;
}

int CommandLine::usageError(const QString &message) const
{
    if (!message.isEmpty())
        err(QStringLiteral("quorvel-tool %1: %2").arg(m_command, message));
    err(usageLine());
    err(QStringLiteral("Try 'quorvel-tool %1 --help' for more information.").arg(m_command));
    return 2;
}

} // namespace quorvel::cli
