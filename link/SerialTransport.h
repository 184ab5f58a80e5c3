// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio's cable: a serial port at 9600 bit/s, 8 data bits, no parity.

#include "link/Transport.h"

#include <QSerialPort>

namespace ktv4 {

class SerialTransport : public Transport {
    Q_OBJECT
public:
    static constexpr qint32 kBaudRate = 9600;

    explicit SerialTransport(QObject *parent = nullptr);
    ~SerialTransport() override;

    bool open(QString &error) override;
    void close() override;
    bool isOpen() const override;
    void discardInput() override;
    bool write(const QByteArray &bytes) override;
    QByteArray readAll() override;

private:
    void handleError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_device; // the path opened
};

} // namespace ktv4
