// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The COM port dialog: "COM  1" .. "COM 14" in two columns and "OK". Besides the fourteen numbers it lists
// the serial ports the system reports and takes any device path, since on this platform a radio cable is
// rarely COM n's device (/dev/ttyS<n-1>).

#include "files/PortSetting.h"
#include "link/PortFacts.h"

#include <QDialog>
#include <QList>
#include <optional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;

namespace ktv4::ui {

// A serial port as the system reports it.
struct SerialPortEntry {
    QString location;                                // "/dev/ttyUSB0"
    QString description;                             // "USB serial (1a86:7523)", the maker, or empty
    QString byIdPath = {};                           // its stable name under /dev/serial/by-id, or empty
    std::optional<PortHolder> holder = std::nullopt; // another program that has it open
};

class ComPortDialog : public QDialog {
    Q_OBJECT
public:
    explicit ComPortDialog(QWidget *parent = nullptr);

    // The option of the current port selected, the device field filled.
    void setChoice(const PortChoice &choice);
    // The first selected option's port, and the device field. A listed port is remembered by its
    // by-id name when it has one, so the radio is found again after a replug renames it.
    PortChoice choice() const;

    // The ports offered in the list; the dialog asks the system each time it is shown, unless
    // it was given a list for that showing.
    void setAvailablePorts(const QList<SerialPortEntry> &ports);
    static QList<SerialPortEntry> systemPorts();
    // "/dev/ttyUSB0 — USB serial — in use by chirp (PID 4711)"
    static QString portEntryText(const SerialPortEntry &port);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showMapping();

    QButtonGroup *m_opbCom;
    QLabel *m_mapping;
    QListWidget *m_ports;
    QLineEdit *m_device;
    QList<SerialPortEntry> m_entries;
    bool m_portsGiven = false;
};

} // namespace ktv4::ui
