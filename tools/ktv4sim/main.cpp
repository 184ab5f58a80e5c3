// SPDX-License-Identifier: GPL-3.0-or-later
// ktv4sim: a virtual KT-V4 on a pseudo-terminal, for trying the program without a radio and for
// testing it. Prints the device path, then answers until interrupted.

#include "files/ImageFile.h"
#include "link/BlockCommands.h"
#include "link/TransferTrace.h"
#include "tools/ktv4sim/VirtualRadio.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTextStream>
#include <csignal>

using namespace ktv4;
using namespace ktv4::sim;

namespace {

VirtualRadio *g_radio = nullptr;

void onSignal(int)
{
    g_radio->requestStop();
}

int usageError(const QString &message)
{
    QTextStream(stderr) << "ktv4sim: " << message << "\nTry 'ktv4sim --help'.\n";
    return 2;
}

// The command line's options.
struct Options {
    const QCommandLineOption image{
        "image", "Start with the records of this clone file or memory file (else a sample).", "FILE.TV4"};
    const QCommandLineOption save{"save", "Save the radio's records to this clone file on exit.", "FILE.TV4"};
    const QCommandLineOption baud{"baud", "Line speed to pace replies at; 0 sends at once.", "BPS", "9600"};
    const QCommandLineOption modelCode{"model-code", "Model code of the identify reply (33, 66, 99, CC).",
                                       "XX"};
    const QCommandLineOption variantCode{"variant-code", "Variant code of the identify reply (AA = A).",
                                         "XX"};
    const QCommandLineOption identity{"identity", "Identity of the identify reply.", "TEXT", "KTSV4"};
    const QCommandLineOption silentFrom{"silent-from", "Stop answering when TARGET arrives.", "TARGET"};
    const QCommandLineOption wrongLength{"wrong-length", "Reply to TARGET with N characters in all.",
                                         "TARGET:N"};
    const QCommandLineOption badAck{"bad-ack", "Acknowledge TARGET with NG instead of OK.", "TARGET"};
    const QCommandLineOption corruptAt{
        "corrupt-at",
        "Acknowledge the block write of TARGET but store it 1 Hz off (a bit of byte 16 flipped).", "TARGET"};
    const QCommandLineOption vanishAt{"vanish-at", "Disappear (close the device) when TARGET arrives.",
                                      "TARGET"};
    const QCommandLineOption split{"split", "Send every reply in pieces of N characters.", "N"};
    const QCommandLineOption splitGap{"split-gap", "Pause between pieces.", "MS", "20"};
    const QCommandLineOption echoGap{"echo-gap", "Pause between the echo and the answer.", "MS", "0"};
    const QCommandLineOption stray{"stray", "Send these bytes after every reply, between commands.", "TEXT"};
    const QCommandLineOption strayDelay{"stray-delay", "How long after the reply the stray bytes come.", "MS",
                                        "3"};
    const QCommandLineOption log{"log", "Log every line received, with its time (- for stdout).", "FILE"};
    const QCommandLineOption link{"link", "Also make the device reachable under this path (a symbolic link).",
                                  "PATH"};

    void addTo(QCommandLineParser &parser) const
    {
        parser.setApplicationDescription(
            "A virtual KT-V4 in clone mode on a pseudo-terminal. Prints the device path to open as the "
            "serial\n"
            "port, then echoes and answers the clone commands until interrupted (Ctrl+C).\n"
            "Pacing: a received line is taken as complete once its characters would have crossed the line,\n"
            "then the echo and the answer go out one character time after another.\n"
            "TARGET is a command: who, enable, end, or a record address in hex (0300, 0600, 5160).");
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({image, save, baud, modelCode, variantCode, identity, silentFrom, wrongLength,
                           badAck, corruptAt, vanishAt, split, splitGap, echoGap, stray, strayDelay, log,
                           link});
    }
};

// The radio's behaviour from the options; what is wrong with them, or nothing.
QString readSetup(const QCommandLineParser &parser, const Options &o, RadioSetup &setup)
{
    auto number = [&parser](const QCommandLineOption &option, int &out) {
        bool ok = false;
        out = parser.value(option).toInt(&ok);
        return ok && out >= 0;
    };
    auto target = [&parser](const QCommandLineOption &option, CommandTarget &out) {
        if (!parser.isSet(option))
            return true;
        bool ok = false;
        out = CommandTarget::parse(parser.value(option), &ok);
        return ok;
    };
    if (!number(o.baud, setup.baud))
        return QStringLiteral("--baud needs a number");
    if (!number(o.splitGap, setup.splitGapMs) || !number(o.echoGap, setup.echoGapMs) ||
        !number(o.strayDelay, setup.strayDelayMs))
        return QStringLiteral("pauses are whole milliseconds");
    if (parser.isSet(o.split) && (!number(o.split, setup.splitSize) || setup.splitSize < 1))
        return QStringLiteral("--split needs a piece size of at least 1");
    if (!target(o.silentFrom, setup.silentFrom) || !target(o.badAck, setup.badAckAt) ||
        !target(o.corruptAt, setup.corruptAt) || !target(o.vanishAt, setup.vanishAt))
        return QStringLiteral("a TARGET is who, enable, end or a hex address");
    if (parser.isSet(o.wrongLength)) {
        const QStringList parts = parser.value(o.wrongLength).split(QLatin1Char(':'));
        bool ok = parts.size() == 2;
        if (ok)
            setup.wrongLengthAt = CommandTarget::parse(parts[0], &ok);
        if (ok)
            setup.wrongLength = parts[1].toInt(&ok);
        if (!ok || setup.wrongLength < 0)
            return QStringLiteral("--wrong-length needs TARGET:N");
    }
    setup.identity = parser.value(o.identity).toLatin1();
    setup.stray = parser.value(o.stray).toLatin1().replace("\\r", "\r").replace("\\n", "\n");
    return {};
}

// The records the radio starts with: the clone file or memory file of --image, which also gives the identify
// reply's model and variant unless the options name them, or the sample. False when the file
// does not load.
bool readStartImage(const QCommandLineParser &parser, const Options &o, RadioSetup &setup, RadioImage &start)
{
    start = VirtualRadio::sampleImage();
    if (parser.isSet(o.image)) {
        const CloneLoadResult loaded = readImageFile(parser.value(o.image));
        if (!loaded.result.ok()) {
            QTextStream(stderr) << "ktv4sim: " << parser.value(o.image) << ": "
                                << messageText(loaded.result.status)
                                << (loaded.result.detail.isEmpty() ? QString()
                                                                   : " (" + loaded.result.detail + ")")
                                << "\n";
            return false;
        }
        start = loaded.image;
        setup.modelCode = ktv4::modelCode(loaded.header->modelIndex);
        setup.variantCode = loaded.header->variantA ? "AA" : "00";
    }
    if (parser.isSet(o.modelCode))
        setup.modelCode = parser.value(o.modelCode).toLatin1();
    if (parser.isSet(o.variantCode))
        setup.variantCode = parser.value(o.variantCode).toLatin1();
    return true;
}

// --log: every line the radio receives goes to `name` ("-": standard output) with its time.
bool logLines(const QString &name, QFile &logFile, VirtualRadio &radio)
{
    const bool opened = name == QLatin1String("-")
                            ? logFile.open(stdout, QIODevice::WriteOnly)
                            : (logFile.setFileName(name),
                               logFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
    if (!opened) {
        QTextStream(stderr) << "ktv4sim: cannot write " << name << ": " << logFile.errorString() << "\n";
        return false;
    }
    radio.setLineObserver([&logFile](const QByteArray &line) {
        logFile.write((QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz ")) +
                       TransferTrace::printable(line) + QLatin1Char('\n'))
                          .toUtf8());
        logFile.flush();
    });
    return true;
}

// Answers until a signal asks the radio to stop; then --save. The exit status.
int serve(VirtualRadio &radio, const QString &linkPath, const QString &saveName)
{
    {
        QTextStream out(stdout);
        out << radio.devicePath() << Qt::endl;
    }
    g_radio = &radio;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
    radio.run();

    if (!linkPath.isEmpty())
        QFile::remove(linkPath);
    int status = 0;
    if (!saveName.isEmpty()) {
        const FileResult saved = saveWholeFile(saveName, radio.cloneFileBytes());
        if (!saved.ok()) {
            QTextStream(stderr) << "ktv4sim: " << saveName << ": " << messageText(saved.status) << "\n";
            status = 1;
        }
    }
    if (radio.hasVanished())
        QTextStream(stderr) << "ktv4sim: the device vanished as asked\n";
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ktv4sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KTV4_VERSION));

    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    parser.process(app);
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
    RadioSetup setup;
    if (const QString problem = readSetup(parser, options, setup); !problem.isEmpty())
        return usageError(problem);
    RadioImage startImage;
    if (!readStartImage(parser, options, setup, startImage))
        return 1;

    VirtualRadio radio(setup);
    radio.loadImage(startImage);
    QString error;
    if (!radio.open(error)) {
        QTextStream(stderr) << "ktv4sim: cannot create a pseudo-terminal: " << error << "\n";
        return 1;
    }
    QFile logFile;
    if (parser.isSet(options.log) && !logLines(parser.value(options.log), logFile, radio))
        return 1;
    const QString linkPath = parser.value(options.link);
    if (!linkPath.isEmpty()) {
        QFile::remove(linkPath);
        if (!QFile::link(radio.devicePath(), linkPath)) {
            QTextStream(stderr) << "ktv4sim: cannot create the link " << linkPath << "\n";
            return 1;
        }
    }
    return serve(radio, linkPath, parser.isSet(options.save) ? parser.value(options.save) : QString());
}
