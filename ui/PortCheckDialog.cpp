// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PortCheckDialog.h"

#include "link/CloneTransfer.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ktv4::ui {

PortCheckDialog::PortCheckDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgPortCheck"));
    setWindowTitle(tr("Check Serial Port"));

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setWordWrap(true);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtReport"));
    m_text->setReadOnly(true);
    // A fix is a long sentence: wrapped on the screen, it stays one line when copied.
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setMinimumSize(640, 360);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_againButton = buttons->addButton(tr("Check Again"), QDialogButtonBox::ActionRole);
    m_againButton->setObjectName(QStringLiteral("cmdCheckAgain"));
    QPushButton *copy = buttons->addButton(tr("Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("cmdCopy"));
    connect(m_againButton, &QPushButton::clicked, this, [this] { check(m_portName); });
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(m_text->toPlainText()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_text, 1);
    layout->addWidget(buttons);
}

PortCheckDialog::~PortCheckDialog() = default;

void PortCheckDialog::setSystem(const SystemRoot &system)
{
    m_system = system;
}

void PortCheckDialog::check(const QString &portName)
{
    m_portName = portName;
    m_againButton->setEnabled(false);
    m_summary->setText(tr("Checking %1…").arg(platformPortName(portName)));
    m_text->clear();
    // A fresh run each time: the last one may still be asking the radio.
    m_doctor = std::make_unique<PortDoctor>(m_system);
    connect(m_doctor.get(), &PortDoctor::finished, this, &PortCheckDialog::showReport);
    m_doctor->start(portName);
}

QString PortCheckDialog::reportText() const
{
    return m_text->toPlainText();
}

void PortCheckDialog::showReport(const DoctorReport &report)
{
    m_summary->setText(
        report.passed() ? tr("Every check passed for %1.").arg(report.device)
                        : tr("Something keeps %1 from working. Each failed item says how to fix it; the same "
                             "check runs in a terminal as: ktv4cli doctor --port %1")
                              .arg(report.device));
    m_text->setPlainText(ktv4::reportText(report));
    m_againButton->setEnabled(true);
}

} // namespace ktv4::ui
