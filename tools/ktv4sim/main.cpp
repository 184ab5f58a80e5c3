// SPDX-License-Identifier: GPL-3.0-or-later
// ktv4sim: a virtual KT-V4 on a pseudo-terminal, for trying the program without a radio and for
// testing it. Prints the device path, then answers until interrupted.

#include "files/CloneFile.h"
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ktv4sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KTV4_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "A virtual KT-V4 in clone mode on a pseudo-terminal. Prints the device path to open as the serial\n"
        "port, then echoes and answers the clone commands until interrupted (Ctrl+C).\n"
        "Pacing: a received line is taken as complete once its characters would have crossed the line,\n"
        "then the echo and the answer go out one character time after another.\n"
        "TARGET is a command: who, enable, end, or a record address in hex (0300, 0600, 5160).");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption image("image", "Start with the records of this clone file (else a sample).",
                                   "FILE.TV4");
    const QCommandLineOption save("save", "Save the radio's records to this clone file on exit.", "FILE.TV4");
    const QCommandLineOption baud("baud", "Line speed to pace replies at; 0 sends at once.", "BPS", "9600");
    const QCommandLineOption modelCode("model-code", "Model code of the identify reply (33, 66, 99, CC).",
                                       "XX");
    const QCommandLineOption variantCode("variant-code", "Variant code of the identify reply (AA = A).",
                                         "XX");
    const QCommandLineOption identity("identity", "Identity of the identify reply.", "TEXT", "KTSV4");
    const QCommandLineOption silentFrom("silent-from", "Stop answering when TARGET arrives.", "TARGET");
    const QCommandLineOption wrongLength("wrong-length", "Reply to TARGET with N characters in all.",
                                         "TARGET:N");
    const QCommandLineOption badAck("bad-ack", "Acknowledge TARGET with NG instead of OK.", "TARGET");
    const QCommandLineOption corruptAt(
        "corrupt-at",
        "Acknowledge the block write of TARGET but store it 1 Hz off (a bit of byte 16 flipped).", "TARGET");
    const QCommandLineOption vanishAt("vanish-at", "Disappear (close the device) when TARGET arrives.",
                                      "TARGET");
    const QCommandLineOption split("split", "Send every reply in pieces of N characters.", "N");
    const QCommandLineOption splitGap("split-gap", "Pause between pieces.", "MS", "20");
    const QCommandLineOption echoGap("echo-gap", "Pause between the echo and the answer.", "MS", "0");
    const QCommandLineOption stray("stray", "Send these bytes after every reply, between commands.", "TEXT");
    const QCommandLineOption strayDelay("stray-delay", "How long after the reply the stray bytes come.", "MS",
                                        "3");
    const QCommandLineOption log("log", "Log every line received, with its time (- for stdout).", "FILE");
    const QCommandLineOption link("link", "Also make the device reachable under this path (a symbolic link).",
                                  "PATH");
    parser.addOptions({image, save, baud, modelCode, variantCode, identity, silentFrom, wrongLength, badAck,
                       corruptAt, vanishAt, split, splitGap, echoGap, stray, strayDelay, log, link});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));

    RadioSetup setup;
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
    if (!number(baud, setup.baud))
        return usageError(QStringLiteral("--baud needs a number"));
    if (!number(splitGap, setup.splitGapMs) || !number(echoGap, setup.echoGapMs) ||
        !number(strayDelay, setup.strayDelayMs))
        return usageError(QStringLiteral("pauses are whole milliseconds"));
    if (parser.isSet(split) && (!number(split, setup.splitSize) || setup.splitSize < 1))
        return usageError(QStringLiteral("--split needs a piece size of at least 1"));
    if (!target(silentFrom, setup.silentFrom) || !target(badAck, setup.badAckAt) ||
        !target(corruptAt, setup.corruptAt) || !target(vanishAt, setup.vanishAt))
        return usageError(QStringLiteral("a TARGET is who, enable, end or a hex address"));
    if (parser.isSet(wrongLength)) {
        const QStringList parts = parser.value(wrongLength).split(QLatin1Char(':'));
        bool ok = parts.size() == 2;
        if (ok)
            setup.wrongLengthAt = CommandTarget::parse(parts[0], &ok);
        if (ok)
            setup.wrongLength = parts[1].toInt(&ok);
        if (!ok || setup.wrongLength < 0)
            return usageError(QStringLiteral("--wrong-length needs TARGET:N"));
    }
    setup.identity = parser.value(identity).toLatin1();
    setup.stray = parser.value(stray).toLatin1().replace("\\r", "\r").replace("\\n", "\n");

    RadioImage startImage = VirtualRadio::sampleImage();
    if (parser.isSet(image)) {
        const CloneLoadResult loaded = readCloneFile(parser.value(image));
        if (!loaded.result.ok()) {
            QTextStream(stderr) << "ktv4sim: " << parser.value(image) << ": "
                                << messageText(loaded.result.status)
                                << (loaded.result.detail.isEmpty() ? QString()
                                                                   : " (" + loaded.result.detail + ")")
                                << "\n";
            return 1;
        }
        startImage = loaded.image;
        setup.modelCode = ktv4::modelCode(loaded.header->modelIndex);
        setup.variantCode = loaded.header->variantA ? "AA" : "00";
    }
    if (parser.isSet(modelCode))
        setup.modelCode = parser.value(modelCode).toLatin1();
    if (parser.isSet(variantCode))
        setup.variantCode = parser.value(variantCode).toLatin1();

    VirtualRadio radio(setup);
    radio.loadImage(startImage);
    QString error;
    if (!radio.open(error)) {
        QTextStream(stderr) << "ktv4sim: cannot create a pseudo-terminal: " << error << "\n";
        return 1;
    }

    QFile logFile;
    if (parser.isSet(log)) {
        const bool opened =
            parser.value(log) == QLatin1String("-")
                ? logFile.open(stdout, QIODevice::WriteOnly)
                : (logFile.setFileName(parser.value(log)),
                   logFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
        if (!opened) {
            QTextStream(stderr) << "ktv4sim: cannot write " << parser.value(log) << ": "
                                << logFile.errorString() << "\n";
            return 1;
        }
        radio.setLineObserver([&logFile](const QByteArray &line) {
            logFile.write((QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz ")) +
                           TransferTrace::printable(line) + QLatin1Char('\n'))
                              .toUtf8());
            logFile.flush();
        });
    }

    const QString linkPath = parser.value(link);
    if (!linkPath.isEmpty()) {
        QFile::remove(linkPath);
        if (!QFile::link(radio.devicePath(), linkPath)) {
            QTextStream(stderr) << "ktv4sim: cannot create the link " << linkPath << "\n";
            return 1;
        }
    }

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
    if (parser.isSet(save)) {
        const FileResult saved = saveWholeFile(parser.value(save), radio.cloneFileBytes());
        if (!saved.ok()) {
            QTextStream(stderr) << "ktv4sim: " << parser.value(save) << ": " << messageText(saved.status)
                                << "\n";
            status = 1;
        }
    }
    if (radio.hasVanished())
        QTextStream(stderr) << "ktv4sim: the device vanished as asked\n";
    return status;
}
