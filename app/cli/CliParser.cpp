// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/CliParser.h"

#include "app/cli/CliCommand.h"

#include <QTextStream>

namespace ktv4::cli {

CliParser::CliParser(const char *command, const char *description) : m_command(QString::fromLatin1(command))
{
    setApplicationDescription(QString::fromUtf8(description));
    addHelpOption();
}

void CliParser::addOutputOption(bool required)
{
    addOption(m_output);
    m_needsOutput = required;
}

int CliParser::parse(const QStringList &arguments, int positionalCount)
{
    if (!QCommandLineParser::parse(arguments))
        return usageError(errorText());
    if (isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << helpText().replace(arguments.value(0), QStringLiteral("ktv4cli ") + m_command);
        return ExitOk;
    }
    if (positionalCount >= 0 && positionalArguments().size() != positionalCount)
        return usageError(QStringLiteral("expects %1 file argument(s)").arg(positionalCount));
    if (m_needsOutput && value(m_output).isEmpty())
        return usageError(QStringLiteral("needs -o OUT"));
    return -1;
}

int CliParser::usageError(const QString &message) const
{
    QTextStream(stderr) << "ktv4cli " << m_command << ": " << message << "\n"
                        << "Try 'ktv4cli " << m_command << " --help'.\n";
    return ExitUsage;
}

} // namespace ktv4::cli
