#pragma once
// dlgCOM: "COM  1" .. "COM 14" in two columns and "OK". Besides the fourteen numbers it lists the
// serial ports the system reports and takes any device path, since on this platform a radio
// cable is rarely COM n's device (/dev/ttyS<n-1>).

#include "files/PortSetting.h"

#include <QDialog>
#include <QList>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;

namespace ktv4::ui {

// A serial port as the system reports it.
struct SerialPortEntry {
    QString location;    // "/dev/ttyUSB0"
    QString description; // "USB serial", the maker, or empty
};

class ComPortDialog : public QDialog {
    Q_OBJECT
public:
    explicit ComPortDialog(QWidget *parent = nullptr);

    // The option of the current port selected, the device field filled.
    void setChoice(const PortChoice &choice);
    // The first selected option's port, and the device field.
    PortChoice choice() const;

    // The ports offered in the list; the dialog asks the system each time it is shown, unless
    // it was given a list for that showing.
    void setAvailablePorts(const QList<SerialPortEntry> &ports);
    static QList<SerialPortEntry> systemPorts();
    static QString portEntryText(const SerialPortEntry &port); // "/dev/ttyUSB0 — USB serial"

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showMapping();

    QButtonGroup *m_opbCom;
    QLabel *m_mapping;
    QListWidget *m_ports;
    QLineEdit *m_device;
    bool m_portsGiven = false;
};

} // namespace ktv4::ui
