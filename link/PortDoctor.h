// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial port checklist: the things that most often keep a radio cable from working on
// Linux, each with what was found and the exact fix when it fails. The system checks read files
// only (below a SystemRoot); with a port named, the radio is then asked to identify itself.

#include "link/PortFacts.h"

#include <QObject>
#include <memory>

namespace ktv4 {

class CloneTransfer;

enum class CheckStatus { Passed, Failed, Skipped };

struct DoctorCheck {
    QString id; // "device", "group", "session", "holder", "brltty", "modemmanager", "sandbox", "identify"
    CheckStatus status = CheckStatus::Passed;
    QString title;   // what is checked: "/dev/ttyUSB0 exists"
    QString finding; // what was found
    QString fix;     // what to do, one command or step a line; empty unless failed
};

struct DoctorReport {
    QString device; // the port asked about; empty: every port found
    QList<DoctorCheck> checks;
    bool passed() const;
    const DoctorCheck *check(const QString &id) const; // the first with that id
};

// The checks that need no radio: the devices (the one named, else every port found), access,
// other programs, brltty, ModemManager and the sandbox.
DoctorReport examineSystem(const SystemRoot &system, const QString &device = QString());

// The report as the command line and the window show it.
QString reportText(const DoctorReport &report);

// The whole checklist: the system checks and, with a port named, the radio's answer to identify
// at 9600 bit/s. Event-driven; finished() comes once per start().
class PortDoctor : public QObject {
    Q_OBJECT
public:
    explicit PortDoctor(const SystemRoot &system, QObject *parent = nullptr);
    ~PortDoctor() override;

    void start(const QString &portName = QString());

signals:
    void finished(const ktv4::DoctorReport &report);

private:
    SystemRoot m_system;
    DoctorReport m_report;
    std::unique_ptr<CloneTransfer> m_transfer;
};

} // namespace ktv4
