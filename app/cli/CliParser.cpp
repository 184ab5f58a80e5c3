// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/CliParser.h"

#include "app/cli/CliCommand.h"

#include <QCoreApplication>
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
        // The help names the program as it was started; the user types "ktv4cli COMMAND".
        const QString started = QCoreApplication::arguments().value(0);
        QString help = helpText();
        help.replace(QStringLiteral("Usage: ") + started, QStringLiteral("Usage: ktv4cli ") + m_command);
        QTextStream(stdout) << help;
        return ExitOk;
    }
    if (positionalCount >= 0 && positionalArguments().size() != positionalCount)
        return usageError(
            QCoreApplication::translate("ktv4cli", "expects %n file argument(s)", nullptr, positionalCount));
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
