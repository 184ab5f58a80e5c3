// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A QCommandLineParser for one subcommand, with --help, the -o/--output option and a check of the
// number of positional arguments.

#include <QCommandLineParser>

namespace ktv4::cli {

class CliParser : public QCommandLineParser {
public:
    CliParser(const char *command, const char *description);

    // Adds the "-o OUT" option, mandatory unless `required` is false.
    void addOutputOption(bool required = true);
    QString output() const { return value(m_output); }

    // Parses `arguments` (argv[0] = the subcommand); a negative `positionalCount` takes any
    // number of positional arguments. Returns -1 to go on, or the exit code when
    // the command is done (help shown, or a usage error printed).
    int parse(const QStringList &arguments, int positionalCount);

    int usageError(const QString &message) const;

private:
    QString m_command;
    QCommandLineOption m_output{{"o", "output"}, "File to write.", "OUT"};
    bool m_needsOutput = false;
};

} // namespace ktv4::cli
