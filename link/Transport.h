// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the line exchange needs of a serial device: open it, throw away what is waiting, send
// bytes, take what has arrived, and hear about arrivals and failures. The real port plugs in
// here; so can anything else that carries bytes (the tests' scripted radio).

#include <QByteArray>
#include <QObject>
#include <QString>

namespace ktv4 {

class Transport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The device the user chose: a path ("/dev/ttyUSB0", a pseudo-terminal) or "COMn". Takes effect
    // at the next open. Shown in the transfer trace.
    void setPortName(const QString &portName) { m_portName = portName; }
    QString portName() const { return m_portName; }

    // Opens the device unless it is open already; false with the reason when it cannot be used.
    virtual bool open(QString &error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Everything received so far is dropped, whether the program has seen it yet or not.
    virtual void discardInput() = 0;
    // False when the bytes cannot be handed to the device (failed() tells why, when the device knows).
    virtual bool write(const QByteArray &bytes) = 0;
    virtual QByteArray readAll() = 0;

signals:
    void readyRead();
    // The device reported an error and has been closed.
    void failed(const QString &detail);

private:
    QString m_portName;
};

} // namespace ktv4
