// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/CliCommand.h"
#include "app/cli/CliParser.h"

#include "link/CloneTransfer.h"
#include "link/PortDoctor.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace ktv4::cli {

namespace {

QJsonValue holderJson(const std::optional<PortHolder> &holder)
{
    if (!holder)
        return QJsonValue::Null;
    QJsonObject object{{"pid", holder->pid}, {"program", holder->program}};
    if (!holder->lockFile.isEmpty())
        object.insert("lockFile", holder->lockFile);
    return object;
}

QJsonObject portJson(const PortFacts &port)
{
    return {{"device", port.device},
            {"byId", port.byIdPath},
            {"description", port.description},
            {"manufacturer", port.manufacturer},
            {"serialNumber", port.serialNumber},
            {"vidPid", port.vidPid()},
            {"exists", port.exists},
            {"mayOpen", port.mayOpen},
            {"group", port.group},
            {"inUseBy", holderJson(port.holder)},
            {"otherEnd", holderJson(port.farEnd)}};
}

QString holderText(const PortHolder &holder)
{
    return QStringLiteral("%1 (PID %2)")
        .arg(holder.program.isEmpty() ? QStringLiteral("?") : holder.program)
        .arg(holder.pid);
}

void printPort(QTextStream &out, const PortFacts &port)
{
    out << port.device << "\n";
    auto row = [&out](const char *name, const QString &value) {
        if (!value.isEmpty())
            out << QStringLiteral("  %1 %2\n").arg(QLatin1String(name), -14).arg(value);
    };
    if (!port.exists) {
        row("exists", QStringLiteral("no"));
        return;
    }
    row("by-id", port.byIdPath);
    row("description", port.description);
    row("manufacturer", port.manufacturer);
    row("VID:PID", port.vidPid());
    row("serial number", port.serialNumber);
    row("access",
        port.mayOpen
            ? QStringLiteral("yes (group %1)").arg(port.group)
            : QStringLiteral("no: needs group %1 (ktv4cli doctor --port %2)").arg(port.group, port.device));
    row("in use", port.holder ? QStringLiteral("by %1").arg(holderText(*port.holder)) : QStringLiteral("no"));
    if (port.farEnd)
        row("other end", holderText(*port.farEnd));
}

} // namespace

int runPorts(const QStringList &arguments)
{
    CliParser parser("ports",
                     "Lists the serial ports: device, stable by-id path, adapter, whether you may open\n"
                     "it and which program holds it. Named devices are described even when the system\n"
                     "does not list them (pseudo-terminals).");
    const QCommandLineOption json("json", "Print JSON for scripts.");
    parser.addOption(json);
    parser.addPositionalArgument("DEV", "Devices to describe (default: every port found).", "[DEV...]");
    if (const int code = parser.parse(arguments, -1); code >= 0)
        return code;
    const SystemRoot system;
    const QStringList named = parser.positionalArguments();
    QList<PortFacts> ports;
    for (const QString &name : named)
        ports.append(system.describe(platformPortName(name)));
    if (named.isEmpty())
        ports = system.ports();

    QString text;
    QTextStream out(&text);
    if (parser.isSet(json)) {
        QJsonArray array;
        for (const PortFacts &port : ports)
            array.append(portJson(port));
        out << QJsonDocument(array).toJson(QJsonDocument::Indented);
    } else if (ports.isEmpty()) {
        out << "No serial port found. Plug the cable in; 'ktv4cli doctor' tells what may be in the way.\n";
    } else {
        for (const PortFacts &port : ports)
            printPort(out, port);
    }
    out.flush();
    const bool allFound =
        std::all_of(ports.begin(), ports.end(), [](const PortFacts &port) { return port.exists; });
    return writeText(text) == ExitOk && allFound ? ExitOk : ExitFailure;
}

int runDoctor(const QStringList &arguments)
{
    CliParser parser("doctor",
                     "Checks what most often keeps a serial cable from working on Linux and prints the fix\n"
                     "for each item that fails: the device, your access to it, other programs holding it,\n"
                     "brltty, ModemManager and sandboxes; with --port, also asks the radio to identify\n"
                     "itself at 9600 bit/s. Exits 0 when every check passes, 1 otherwise.");
    const QCommandLineOption port("port", "The radio's port (/dev/ttyUSB0, ttyUSB0, COM3, a by-id path).",
                                  "DEV");
    parser.addOption(port);
    if (const int code = parser.parse(arguments, 0); code >= 0)
        return code;

    PortDoctor doctor{SystemRoot()};
    DoctorReport report;
    QObject::connect(&doctor, &PortDoctor::finished, [&report](const DoctorReport &r) {
        report = r;
        QCoreApplication::exit(0);
    });
    doctor.start(parser.value(port));
    QCoreApplication::exec();
    return writeText(reportText(report)) == ExitOk && report.passed() ? ExitOk : ExitFailure;
}

} // namespace ktv4::cli
