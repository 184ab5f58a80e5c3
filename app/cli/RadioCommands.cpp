// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/CliCommand.h"
#include "app/cli/CliParser.h"
#include "app/cli/CliPaths.h"

#include "files/Backups.h"
#include "files/CloneDocument.h"
#include "files/DocumentTransfer.h"
#include "link/CloneTransfer.h"
#include "link/SerialTransport.h"
#include "model/FieldText.h"
#include "model/ImageDiff.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <cerrno>
#include <csignal>
#include <functional>
#include <iterator>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace ktv4::cli {

namespace {

const QCommandLineOption kPortOption(
    "port", "Serial device of the radio (/dev/ttyUSB0, ttyUSB0, a by-id path, COM3, a ktv4sim path).", "DEV");
const QCommandLineOption kTraceOption("trace", "Write every line sent and received, with times, to FILE.",
                                      "FILE");
const QCommandLineOption kWhatOption("what", "settings, memory or all (default).", "WHAT", "all");

#ifdef Q_OS_UNIX
// Ctrl+C, and the requests to end that a closed terminal (SIGHUP) or a service manager (SIGTERM)
// send, stop the transfer between two exchanges instead of killing it mid-line. The handler only
// writes a byte into a pipe; the event loop does the rest. A second signal ends the program at once.
class InterruptToCancel {
public:
    explicit InterruptToCancel(CloneTransfer &transfer)
    {
        if (::pipe2(s_pipe, O_NONBLOCK | O_CLOEXEC) != 0)
            return;
        m_notifier.emplace(s_pipe[0], QSocketNotifier::Read);
        QObject::connect(&*m_notifier, &QSocketNotifier::activated, &transfer, [&transfer] {
            char c;
            while (::read(s_pipe[0], &c, 1) > 0) {
            }
            QTextStream(stderr) << "\nCancelling...\n";
            transfer.cancel();
        });
        struct sigaction action {};
        action.sa_handler = [](int) {
            const int saved = errno;
            const char c = 1;
            [[maybe_unused]] const ssize_t n = ::write(s_pipe[1], &c, 1);
            errno = saved;
        };
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND | SA_RESTART;
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            ::sigaction(kSignals[i], &action, &m_previous[i]);
    }
    ~InterruptToCancel()
    {
        if (!m_notifier)
            return;
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            ::sigaction(kSignals[i], &m_previous[i], nullptr);
        m_notifier.reset();
        ::close(s_pipe[0]);
        ::close(s_pipe[1]);
    }
    InterruptToCancel(const InterruptToCancel &) = delete;
    InterruptToCancel &operator=(const InterruptToCancel &) = delete;

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    static inline int s_pipe[2] = {-1, -1};
    std::optional<QSocketNotifier> m_notifier;
    struct sigaction m_previous[std::size(kSignals)] = {};
};
#endif

bool stderrIsTerminal()
{
#ifdef Q_OS_UNIX
    return ::isatty(STDERR_FILENO);
#else
    return false;
#endif
}

// Runs one operation to its end in the program's event loop: `start` starts it on `link`.
TransferResult runOperation(DocumentTransfer &link, Operation operation, const std::function<bool()> &start)
{
    CloneTransfer &transfer = link.transfer();
    // Replaced when the operation ends; stands when it could not start.
    TransferResult result{operation, TransferOutcome::Cancelled, QStringLiteral("not started")};
    const bool showProgress = stderrIsTerminal();
    QTextStream err(stderr);
    const QMetaObject::Connection progress =
        QObject::connect(&transfer, &CloneTransfer::progress, [&](int channel) {
            if (showProgress) {
                err << QStringLiteral("\rchannel %1 of %2").arg(channel + 1).arg(kChannelCount);
                err.flush();
            }
        });
    const QMetaObject::Connection done =
        QObject::connect(&link, &DocumentTransfer::finished, [&result](const TransferResult &r) {
            result = r;
            QCoreApplication::exit(0);
        });
#ifdef Q_OS_UNIX
    InterruptToCancel interrupt(transfer);
#endif
    if (start())
        QCoreApplication::exec();
    QObject::disconnect(progress);
    QObject::disconnect(done);
    if (showProgress && (operation == Operation::ReadMemory || operation == Operation::ReadAll ||
                         operation == Operation::WriteMemory || operation == Operation::WriteAll)) {
        err << "\n";
    }
    return result;
}

// Identify, or a read into the document.
TransferResult runOperation(DocumentTransfer &link, Operation operation)
{
    return runOperation(link, operation, [&link, operation] { return link.start(operation); });
}

bool report(const TransferResult &result)
{
    if (result.outcome == TransferOutcome::Completed)
        return true;
    printError(outcomeText(result.outcome), result.detail);
    // A write that stopped says what the radio now holds, also without a terminal.
    if (isWriteOperation(result.operation))
        QTextStream(stderr) << writtenSummary(result) << "\n";
    return false;
}

// Port and trace options, common to the three commands.
bool setUpTransfer(const CliParser &parser, CloneTransfer &transfer)
{
    transfer.setPortName(parser.value(kPortOption));
    if (parser.isSet(kTraceOption) && !transfer.setTraceFile(parser.value(kTraceOption))) {
        printError(messageText(FileStatus::FileOpenError), transfer.traceError());
        return false;
    }
    return true;
}

// A trace that lost entries is a warning with the system's reason; the transfer's own outcome
// decides the exit status and whether the output is written.
int traceResult(const CloneTransfer &transfer, int code)
{
    if (!transfer.traceError().isEmpty())
        QTextStream(stderr) << "Warning: the trace is incomplete (" << transfer.traceError() << ")\n";
    return code;
}

std::optional<Operation> whatOperation(const QString &what, bool write)
{
    if (what == QLatin1String("settings"))
        return write ? Operation::WriteSettings : Operation::ReadSettings;
    if (what == QLatin1String("memory"))
        return write ? Operation::WriteMemory : Operation::ReadMemory;
    if (what == QLatin1String("all"))
        return write ? Operation::WriteAll : Operation::ReadAll;
    return std::nullopt;
}

// A backup that cannot be saved does not stop the transfer; the user hears of it.
void keepBackup(const CloneDocument &document, BackupReason reason, Operation operation)
{
    const QByteArray bytes =
        reason == BackupReason::Read ? radioBackupBytes(document) : documentBackupBytes(document);
    const int model = reason == BackupReason::Read && document.radio().identity()
                          ? document.radio().identity()->modelIndex
                          : document.modelIndex();
    const FileResult saved = BackupStore::forThisUser().save(bytes, model, reason, backupScope(operation));
    if (!saved.ok())
        printError(QStringLiteral("Backup not saved"), saved.detail);
}

} // namespace

int runIdentify(const QStringList &arguments)
{
    CliParser parser("identify", "Asks the radio which model it is (\"Auto Select\").");
    parser.addOptions({kPortOption, kTraceOption});
    if (const int code = parser.parse(arguments, 0); code >= 0)
        return code;
    if (!parser.isSet(kPortOption))
        return parser.usageError(QStringLiteral("needs --port DEV"));
    if (const int code = checkCommandPaths("identify", {{"--trace", parser.value(kTraceOption), true}});
        code >= 0)
        return code;

    CloneDocument document;
    CloneTransfer transfer(std::make_unique<SerialTransport>(), kRadioTimings);
    DocumentTransfer link(document, transfer);
    if (!setUpTransfer(parser, transfer))
        return ExitFailure;
    if (!report(runOperation(link, Operation::Identify)))
        return traceResult(transfer, ExitFailure);
    return traceResult(transfer, writeText(modelOptionCaption(document.modelIndex()) +
                                           (document.cloneVariantA() ? QStringLiteral(" (variant A)\n")
                                                                     : QStringLiteral("\n"))));
}

int runRead(const QStringList &arguments)
{
    CliParser parser("read",
                     "Reads the radio into a clone file. Starts from the image the program starts with,\n"
                     "or from --base; records not read keep that file's values.");
    const QCommandLineOption base("base", "Clone file or memory file to start from.", "IN.TV4");
    const QCommandLineOption identify("identify", "Identify the radio first, so the file's header names it.");
    parser.addOptions({kPortOption, kWhatOption, base, identify, kTraceOption});
    parser.addOutputOption();
    if (const int code = parser.parse(arguments, 0); code >= 0)
        return code;
    if (!parser.isSet(kPortOption))
        return parser.usageError(QStringLiteral("needs --port DEV"));
    const std::optional<Operation> operation = whatOperation(parser.value(kWhatOption), false);
    if (!operation)
        return parser.usageError(QStringLiteral("--what must be settings, memory or all"));
    // Checked now, not after a minute of reading.
    if (const int code = checkCommandPaths("read", {{"--base", parser.value(base)},
                                                    {"-o", parser.output(), true},
                                                    {"--trace", parser.value(kTraceOption), true}});
        code >= 0)
        return code;

    CloneDocument document;
    if (parser.isSet(base) && !loadInput(document, parser.value(base)))
        return ExitFailure;
    CloneTransfer transfer(std::make_unique<SerialTransport>(), kRadioTimings);
    DocumentTransfer link(document, transfer);
    if (!setUpTransfer(parser, transfer))
        return ExitFailure;
    if (parser.isSet(identify) && !report(runOperation(link, Operation::Identify)))
        return traceResult(transfer, ExitFailure);
    if (!report(runOperation(link, *operation)))
        return traceResult(transfer, ExitFailure);
    keepBackup(document, BackupReason::Read, *operation);

    return traceResult(transfer, saveOutput(document, parser.output()));
}

int runWrite(const QStringList &arguments)
{
    CliParser parser("write",
                     "Writes a clone file into the radio, every record as the file holds it.\n"
                     "With --changes-from, only the records that differ from BASE.TV4, the image the radio\n"
                     "holds now, are sent; with --verify, each record written is read back and compared.");
    const QCommandLineOption changesFrom(
        "changes-from",
        "Send only the records that differ from this clone or memory file (what the radio holds).",
        "BASE.TV4");
    const QCommandLineOption verify("verify",
                                    "Read back every record written and compare it with what was sent.");
    parser.addOptions({kPortOption, kWhatOption, changesFrom, verify, kTraceOption});
    parser.addPositionalArgument("IN.TV4", "Clone file (.TV4) or memory file (.yaml, .yml) to write.");
    if (const int code = parser.parse(arguments, 1); code >= 0)
        return code;
    if (!parser.isSet(kPortOption))
        return parser.usageError(QStringLiteral("needs --port DEV"));
    if (parser.isSet(changesFrom) && parser.isSet(kWhatOption))
        return parser.usageError(QStringLiteral("--changes-from writes what differs; it takes no --what"));
    const std::optional<Operation> operation =
        parser.isSet(changesFrom) ? Operation::WriteChanges : whatOperation(parser.value(kWhatOption), true);
    if (!operation)
        return parser.usageError(QStringLiteral("--what must be settings, memory or all"));
    if (const int code = checkCommandPaths("write", {{"IN.TV4", parser.positionalArguments().first()},
                                                     {"--changes-from", parser.value(changesFrom)},
                                                     {"--trace", parser.value(kTraceOption), true}});
        code >= 0)
        return code;

    // With two clone files, the message says which one failed.
    CloneDocument document;
    if (!loadInput(document, parser.positionalArguments().first(),
                   parser.isSet(changesFrom) ? QStringLiteral("IN.TV4") : QString()))
        return ExitFailure;
    if (parser.isSet(changesFrom)) {
        CloneDocument base;
        if (!loadInput(base, parser.value(changesFrom), QStringLiteral("--changes-from")))
            return ExitFailure;
        const ImageRecords held = imageRecords(base.image());
        for (int i = 0; i < kRecordCount; ++i)
            document.radio().setRecord(recordAddress(i), held[i]);
    }
    CloneTransfer transfer(std::make_unique<SerialTransport>(), kRadioTimings);
    DocumentTransfer link(document, transfer);
    const WritePlan plan = link.plan(*operation);
    // BASE is what the radio holds: every record is known, so nothing is read first.
    if (*operation == Operation::WriteChanges && plan.isEmpty())
        return writeText(QStringLiteral("Nothing to write: the radio already holds this image.\n"));
    if (!setUpTransfer(parser, transfer))
        return ExitFailure;
    keepBackup(document, BackupReason::Write, *operation);
    transfer.setVerifyWrites(parser.isSet(verify));
    const TransferResult result = runOperation(link, *operation, [&link, &plan] { return link.start(plan); });
    if (!report(result))
        return traceResult(transfer, ExitFailure);
    QString text = writtenSummary(result) + QLatin1Char('\n');
    if (parser.isSet(verify))
        text += QCoreApplication::translate("ktv4cli", "verified: %n record(s)", nullptr,
                                            result.verifiedRecords) +
                QLatin1Char('\n');
    return traceResult(transfer, writeText(text));
}

int runVerify(const QStringList &arguments)
{
    CliParser parser("verify",
                     "Reads the whole radio and compares it, record by record, with a clone file as a\n"
                     "write of it would send it. Exit status as diff(1): 0 the same, 1 different,\n"
                     "2 trouble.");
    parser.addOptions({kPortOption, kTraceOption});
    parser.addPositionalArgument("IN.TV4", "Clone file (.TV4) or memory file (.yaml, .yml) to compare with.");
    enum { Same = 0, Different = 1, Trouble = 2 };
    if (const int code = parser.parse(arguments, 1); code >= 0)
        return code == ExitOk ? Same : Trouble;
    if (!parser.isSet(kPortOption))
        return parser.usageError(QStringLiteral("needs --port DEV"));
    if (const int code = checkCommandPaths("verify", {{"IN.TV4", parser.positionalArguments().first()},
                                                      {"--trace", parser.value(kTraceOption), true}});
        code >= 0)
        return Trouble;

    CloneDocument file;
    if (!loadInput(file, parser.positionalArguments().first()))
        return Trouble;
    const RadioImage &expected = file.image();
    CloneDocument radio;
    radio.image() = expected;
    CloneTransfer transfer(std::make_unique<SerialTransport>(), kRadioTimings);
    DocumentTransfer link(radio, transfer);
    if (!setUpTransfer(parser, transfer))
        return Trouble;
    if (!report(runOperation(link, Operation::ReadAll)))
        return traceResult(transfer, Trouble);

    const ImageRecords sent = imageRecords(expected);
    QStringList differing;
    for (int i = 0; i < kRecordCount; ++i) {
        if (radio.radio().record(recordAddress(i)) != sent[i])
            differing << recordLabel(recordAddress(i)).simplified();
    }
    // An answer that did not reach its reader is trouble.
    if (differing.isEmpty())
        return traceResult(
            transfer,
            writeText(QStringLiteral("same: %1 records\n").arg(kRecordCount)) == ExitOk ? Same : Trouble);
    QString text;
    QTextStream out(&text);
    out << QCoreApplication::translate("ktv4cli", "different: %n record(s): ", nullptr, int(differing.size()))
        << differing.join(QStringLiteral(", ")) << "\n";
    for (const QString &line : describeDiff(diffImages(expected, radio.radio().image(expected))))
        out << "  " << line << "\n";
    out.flush();
    return traceResult(transfer, writeText(text) == ExitOk ? Different : Trouble);
}

} // namespace ktv4::cli
