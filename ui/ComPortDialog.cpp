// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ComPortDialog.h"

#include "link/CloneTransfer.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ktv4::ui {

namespace {

constexpr int kPortsPerColumn = 7;

QString comCaption(int port)
{
    return ComPortDialog::tr("COM%1").arg(port, 3);
}

} // namespace

ComPortDialog::ComPortDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgCOM"));
    setWindowTitle(tr("COM Port Setup"));
    setModal(true);

    auto *numbers = new QWidget(this);
    auto *grid = new QGridLayout(numbers);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(24);
    m_opbCom = new QButtonGroup(this);
    for (int i = 0; i < kPortMax; ++i) {
        auto *option = new QRadioButton(comCaption(i + 1), numbers);
        option->setObjectName(QStringLiteral("opbCom_%1").arg(i));
        m_opbCom->addButton(option, i);
        grid->addWidget(option, i % kPortsPerColumn, i / kPortsPerColumn);
    }
    // Choosing a number means that port's own device.
    connect(m_opbCom, &QButtonGroup::idClicked, this, [this] {
        m_device->clear();
        showMapping();
    });

    m_mapping = new QLabel(this);
    m_mapping->setObjectName(QStringLiteral("lblMapping"));

    auto *system = new QGroupBox(tr("Serial ports on this computer"), this);
    auto *systemLayout = new QVBoxLayout(system);
    m_ports = new QListWidget(system);
    m_ports->setObjectName(QStringLiteral("lstPorts"));
    m_ports->setMinimumWidth(260);
    m_ports->setMaximumHeight(120);
    systemLayout->addWidget(m_ports);
    auto *deviceCaption = new QLabel(tr("Device path (used instead of the COM number):"), system);
    m_device = new QLineEdit(system);
    m_device->setObjectName(QStringLiteral("txtDevice"));
    m_device->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
    m_device->setClearButtonEnabled(true);
    deviceCaption->setBuddy(m_device);
    systemLayout->addWidget(deviceCaption);
    systemLayout->addWidget(m_device);
    connect(m_ports, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_device->setText(item->data(Qt::UserRole).toString()); });
    connect(m_device, &QLineEdit::textChanged, this, &ComPortDialog::showMapping);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *left = new QVBoxLayout;
    left->addWidget(numbers);
    left->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addSpacing(12);
    top->addWidget(system, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_mapping, 1);
    bottom->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);

    setChoice(PortChoice{});
}

void ComPortDialog::setChoice(const PortChoice &choice)
{
    if (QAbstractButton *option = m_opbCom->button(std::clamp(choice.port, kPortMin, kPortMax) - 1))
        option->setChecked(true);
    m_device->setText(choice.device);
    showMapping();
}

PortChoice ComPortDialog::choice() const
{
    PortChoice choice;
    for (int i = 0; i < kPortMax; ++i) {
        if (m_opbCom->button(i)->isChecked()) {
            choice.port = i + 1;
            break;
        }
    }
    choice.device = m_device->text().trimmed();
    const QString device = platformPortName(choice.device);
    for (const SerialPortEntry &entry : m_entries) {
        if (!choice.device.isEmpty() && entry.location == device && !entry.byIdPath.isEmpty())
            choice.device = entry.byIdPath;
    }
    return choice;
}

void ComPortDialog::setAvailablePorts(const QList<SerialPortEntry> &ports)
{
    m_portsGiven = true;
    m_entries = ports;
    m_ports->clear();
    for (const SerialPortEntry &port : ports) {
        auto *item = new QListWidgetItem(portEntryText(port), m_ports);
        item->setData(Qt::UserRole, port.byIdPath.isEmpty() ? port.location : port.byIdPath);
        if (!port.byIdPath.isEmpty())
            item->setToolTip(port.byIdPath);
    }
    if (ports.isEmpty()) {
        auto *item = new QListWidgetItem(tr("(none found)"), m_ports);
        item->setFlags(Qt::NoItemFlags);
    }
}

QList<SerialPortEntry> ComPortDialog::systemPorts()
{
    QList<SerialPortEntry> ports;
    for (const PortFacts &port : SystemRoot().ports()) {
        QString what = port.description.isEmpty() ? port.manufacturer : port.description;
        if (!port.vidPid().isEmpty())
            what += (what.isEmpty() ? QString() : QStringLiteral(" ")) +
                    QStringLiteral("(%1)").arg(port.vidPid());
        ports.append({port.device, what, port.byIdPath, port.holder});
    }
    return ports;
}

QString ComPortDialog::portEntryText(const SerialPortEntry &port)
{
    QString text = port.location;
    if (!port.description.isEmpty())
        text += QStringLiteral(" — ") + port.description;
    if (port.holder)
        text += QStringLiteral(" — ") +
                tr("in use by %1 (PID %2)").arg(port.holder->program).arg(port.holder->pid);
    return text;
}

void ComPortDialog::showEvent(QShowEvent *event)
{
    if (!m_portsGiven)
        setAvailablePorts(systemPorts());
    m_portsGiven = false; // ask again next time
    QDialog::showEvent(event);
}

void ComPortDialog::showMapping()
{
    const PortChoice current = choice();
    const QString comDevice = platformPortName(QStringLiteral("COM%1").arg(current.port));
    QString text = tr("COM %1 is %2 on this computer.").arg(current.port).arg(comDevice);
    if (!current.device.isEmpty())
        text += tr("\nThe radio is reached on %1.").arg(platformPortName(current.device));
    m_mapping->setText(text);
}

} // namespace ktv4::ui
