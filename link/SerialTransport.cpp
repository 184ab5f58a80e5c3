// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/SerialTransport.h"

#include "link/CloneTransfer.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace ktv4 {

QString platformPortName(const QString &portName)
{
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]*)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = com.match(portName);
#ifdef Q_OS_UNIX
    // A device's bare name, as the kernel's messages and most guides give it: "ttyUSB0".
    static const QRegularExpression bare(QStringLiteral("^(tty|rfcomm)[A-Za-z0-9_.-]*$"));
    if (bare.match(portName).hasMatch())
        return QStringLiteral("/dev/") + portName;
#endif
    if (!match.hasMatch())
        return portName;
#if defined(Q_OS_WIN)
    return portName.toUpper();
#elif defined(Q_OS_LINUX)
    return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
#else
    return portName;
#endif
}

namespace {

QString openFailure(const QSerialPort &port, const QString &device)
{
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("no such device");
    case QSerialPort::PermissionError: {
        // The port library says "permission" also when another program holds the port's lock.
        const QFileInfo node(device);
        return node.isReadable() && node.isWritable() ? QStringLiteral("in use by another program")
                                                      : QStringLiteral("permission denied");
    }
    case QSerialPort::OpenError:
        return QStringLiteral("already open");
    default:
        return port.errorString();
    }
}

} // namespace

SerialTransport::SerialTransport(QObject *parent) : Transport(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &Transport::readyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialTransport::handleError);
}

SerialTransport::~SerialTransport()
{
    // Nothing the port says while it closes may reach a half-destroyed transport.
    disconnect(&m_port, nullptr, this, nullptr);
    m_port.close();
}

bool SerialTransport::open(QString &error)
{
    if (m_port.isOpen())
        return true;
    QString device = platformPortName(portName());
    // A stable name (/dev/serial/by-id/...) is opened as the device it leads to, so the lock file
    // is the one every other program looks for.
    if (const QFileInfo link(device); link.isSymLink() && link.exists())
        device = link.canonicalFilePath();
    if (device.isEmpty()) {
        error = QStringLiteral("no serial port chosen");
        return false;
    }
    m_port.setPortName(device);
    m_device = device;
    m_port.setBaudRate(kBaudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    // The radio's cable has no handshake lines; a stray RTS/CTS setting would stall every send.
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        error = QStringLiteral("%1: %2").arg(device, openFailure(m_port, device));
        m_port.clearError();
        return false;
    }
    return true;
}

void SerialTransport::close()
{
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

bool SerialTransport::isOpen() const
{
    return m_port.isOpen();
}

void SerialTransport::discardInput()
{
    if (!m_port.isOpen())
        return;
    m_port.readAll();
    m_port.clear(QSerialPort::Input);
}

bool SerialTransport::write(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return false;
    // A refused write has already been reported through errorOccurred.
    if (m_port.write(bytes) != bytes.size())
        return false;
    // Out now rather than on the next round of the event loop.
    m_port.flush();
    return m_port.isOpen();
}

QByteArray SerialTransport::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

void SerialTransport::handleError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError)
        return;
    // Opening reports its own errors through open(), which still needs to read them; only errors
    // of an open port count here.
    if (!m_port.isOpen())
        return;
    // A port that failed is closed at once: an unplugged adapter (or a virtual radio that quit)
    // keeps reporting read errors for as long as it stays open. The next operation opens it again.
    // Messages name the port by its path: the port library's own name drops the "/dev/". An
    // adapter pulled out, or a virtual radio that quit, takes its device node with it; the
    // system's reason then ("Inappropriate ioctl for device") would only puzzle.
    QString detail;
    if (error == QSerialPort::ResourceError || !QFileInfo::exists(m_device)) {
        detail = QStringLiteral("%1: the port disappeared (unplugged?)").arg(m_device);
    } else {
        const QString what = error == QSerialPort::ReadError    ? QStringLiteral("reading failed")
                             : error == QSerialPort::WriteError ? QStringLiteral("sending failed")
                                                                : QStringLiteral("the port failed");
        detail = QStringLiteral("%1: %2 (%3)").arg(m_device, what, m_port.errorString());
    }
    m_port.close();
    m_port.clearError();
    emit failed(detail);
}

} // namespace ktv4
