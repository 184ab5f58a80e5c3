// SPDX-License-Identifier: GPL-3.0-or-later
// Any argument list given to a ktv4cli command's parser (the input is the arguments, separated
// by NUL bytes; its first byte picks the command's shape). The parser must not crash, and when
// it lets the command go on, the command has exactly its file arguments and a non-empty output.
// Run with -close_fd_mask=3: usage errors and help texts are printed.

#include "app/cli/CliCommand.h"
#include "app/cli/CliParser.h"

#include <QCoreApplication>
#include <cstdlib>

using namespace ktv4::cli;

namespace {

struct Shape {
    const char *name;
    int positional;
    bool output;
};

// The shapes of the commands: file arguments, and whether -o OUT is required.
constexpr Shape kShapes[] = {
    {"new", 0, true},        {"convert", 1, true},   {"dump", 1, false}, {"export-csv", 1, true},
    {"import-csv", 2, true}, {"identify", 0, false}, {"read", 0, true},  {"write", 1, false},
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Shape &shape = kShapes[data[0] % std::size(kShapes)];
    QStringList arguments{QString::fromLatin1(shape.name)};
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    for (const QByteArray &argument : rest.split('\0'))
        arguments << QString::fromUtf8(argument);

    CliParser parser(shape.name, "Fuzzed command.");
    const QCommandLineOption value("port", "A value option.", "DEV");
    const QCommandLineOption flag("json", "A flag.");
    const QCommandLineOption defaulted("what", "A value with a default.", "WHAT", "all");
    parser.addOptions({value, flag, defaulted});
    for (int i = 0; i < shape.positional; ++i)
        parser.addPositionalArgument(QStringLiteral("FILE%1").arg(i), QStringLiteral("A file."));
    if (shape.output)
        parser.addOutputOption();

    const int code = parser.parse(arguments, shape.positional);
    if (code == -1) {
        if (parser.positionalArguments().size() != shape.positional)
            std::abort();
        if (shape.output && parser.output().isEmpty())
            std::abort();
        if (!parser.isSet(defaulted) && parser.value(defaulted) != QLatin1String("all"))
            std::abort();
    } else if (code != ExitOk && code != ExitUsage) {
        std::abort();
    }
    return 0;
}
