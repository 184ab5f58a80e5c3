// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TransferController.h"

#include "ui/ComPortDialog.h"
#include "ui/MainWindow.h"
#include "ui/PortCheckDialog.h"
#include "ui/SettingsPanel.h"
#include "ui/TransferMessages.h"
#include "ui/UserPrompts.h"
#include "ui/VfoTableModel.h"
#include "ui/WritePreview.h"

#include "files/CloneDocument.h"
#include "files/DocumentTransfer.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>

#include <utility>

namespace ktv4::ui {

namespace {

const QString kVerifyWritesKey = QStringLiteral("Settings/VerifyWrites");

bool isMemoryPhase(Operation operation)
{
    return operation == Operation::ReadMemory || operation == Operation::WriteMemory ||
           operation == Operation::WriteChanges || operation == Operation::VerifyWritten ||
           operation == Operation::ReadBeforeWrite;
}

bool isRead(Operation operation)
{
    return operation == Operation::ReadSettings || operation == Operation::ReadMemory ||
           operation == Operation::ReadAll;
}

// The tab the Tools menu shows before an operation starts.
std::optional<int> tabOf(Operation operation)
{
    switch (operation) {
    case Operation::ReadSettings:
    case Operation::WriteSettings:
    case Operation::ReadAll:
    case Operation::WriteAll:
        return MainWindow::SettingsTab;
    case Operation::ReadMemory:
    case Operation::WriteMemory:
        return MainWindow::MemoryTab;
    case Operation::Identify:
    case Operation::WriteChanges:
    case Operation::VerifyWritten:
    case Operation::ReadBeforeWrite:
        break;
    }
    return std::nullopt;
}

} // namespace

TransferController::TransferController(CloneDocument &document, UserPrompts &prompts,
                                       SettingsPanel &settingsPanel, QWidget *window, TransferSetup setup)
    : QObject(window), m_document(document), m_prompts(prompts), m_settingsPanel(settingsPanel),
      m_window(window), m_settingsStore(setup.settingsStore),
      m_transfer(new CloneTransfer(std::move(setup.transport), setup.linkTimings, this)),
      m_documentTransfer(new DocumentTransfer(m_document, *m_transfer, this)), m_portChoice(setup.portChoice),
      m_portOverride(setup.portDevice)
{
    if (!setup.traceFile.isEmpty())
        m_transfer->setTraceFile(setup.traceFile);
    buildProgressArea();
    connect(m_transfer, &CloneTransfer::phaseStarted, this, &TransferController::phaseStarted);
    connect(m_transfer, &CloneTransfer::progress, this, [this](int channel) {
        m_progressBar->setValue(channel);
        // What is moving, not a bare number.
        m_progressBar->setFormat(tr("Channel %1 of %2").arg(channel + 1).arg(kChannelCount));
    });
    connect(m_documentTransfer, &DocumentTransfer::finished, this, &TransferController::transferFinished);
}

TransferController::~TransferController()
{
    // The engine's operations go before the engine, the dialogs with the controller.
    delete m_documentTransfer;
    delete m_transfer;
    delete m_comPort;
    delete m_portCheck;
}

void TransferController::buildProgressArea()
{
    m_progressArea = new QWidget(m_window);
    m_progressArea->setObjectName(QStringLiteral("progressArea"));
    auto *progress = new QHBoxLayout(m_progressArea);
    progress->setContentsMargins(0, 4, 0, 0);
    m_progressBar = new QProgressBar(m_progressArea);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setRange(0, kChannelCount - 1);
    m_progressBar->setFormat(QStringLiteral("%v"));
    m_progressBar->hide();
    m_cancel = new QPushButton(tr("Cancel"), m_progressArea);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(m_cancel, &QPushButton::clicked, this, &TransferController::cancelTransfer);
    progress->addWidget(m_progressBar, 1);
    progress->addStretch(0);
    progress->addWidget(m_cancel);
    m_progressArea->hide();
}

void TransferController::startOperation(Operation operation)
{
    if (m_busy || m_transfer->isBusy())
        return;
    // A write sends what its preview shows: the plan is made once, here.
    std::optional<WritePlan> plan;
    if (isWriteOperation(operation)) {
        plan = m_documentTransfer->plan(operation);
        if (operation == Operation::WriteChanges && plan->isEmpty()) {
            emit statusMessage(tr("Nothing to write: the radio already holds this image."));
            return;
        }
        if (!confirmWrite(*plan))
            return;
        keepBackup(BackupReason::Write, operation);
    } else {
        m_backupProblem.clear();
    }
    m_transfer->setVerifyWrites(verifyWrites());
    if (const auto tab = tabOf(operation))
        emit tabWanted(*tab);
    m_transfer->setPortName(portName());
    // No message of an earlier command stays standing while the radio is talked to.
    emit statusMessage(tr("Talking to the radio on %1…").arg(platformPortName(portName())));
    setBusy(true);
    if (isMemoryPhase(operation))
        phaseStarted(operation);
    const bool started = plan ? m_documentTransfer->start(*plan) : m_documentTransfer->start(operation);
    if (!started && !m_transfer->isBusy())
        setBusy(false);
}

void TransferController::cancelTransfer()
{
    if (!m_busy || m_cancelRequested)
        return;
    // The engine stops before its next exchange; the one under way may still run to its time-out.
    m_cancelRequested = true;
    m_cancel->setEnabled(false);
    m_transfer->cancel();
}

void TransferController::phaseStarted(Operation phase)
{
    // Read ALL and Write ALL show each half on its own tab.
    if (const auto tab = tabOf(phase))
        emit tabWanted(*tab);
    m_progressBar->setValue(0);
    m_progressBar->setFormat(QString());
    m_progressBar->setVisible(isMemoryPhase(phase));
}

void TransferController::transferFinished(const TransferResult &result)
{
    // Buttons and pointer go back to idle first, so the window is usable behind the message.
    setBusy(false);
    const bool settingsRead = result.operation == Operation::ReadSettings ||
                              (result.operation == Operation::ReadAll && !result.memoryStep);
    if (settingsRead && isPortError(result.outcome))
        m_settingsPanel.selectFirstVfoRow();
    // A radio that stopped answering while the user was already stopping the transfer is no
    // news; a port that failed still is.
    if (result.outcome == TransferOutcome::Completed && isRead(result.operation))
        keepBackup(BackupReason::Read, result.operation);
    const bool cancelled = std::exchange(m_cancelRequested, false);
    QStringList status{transferStatus(result, platformPortName(portName()), cancelled)};
    if (result.operation == Operation::Identify && result.outcome == TransferOutcome::Completed)
        status = QStringList{tr("Identified %1")
                                 .arg(modelOptionCaption(m_document.modelIndex()) +
                                      (m_document.cloneVariantA() ? tr(" (variant A)") : QString()))};
    if (result.outcome == TransferOutcome::Completed && isWriteOperation(result.operation) &&
        m_transfer->verifyWrites())
        status << tr("verified: %n record(s)", nullptr, result.verifiedRecords);
    if (!m_backupProblem.isEmpty())
        status << m_backupProblem;
    emit statusMessage(status.join(QStringLiteral("  ")));
    if (const auto message = finishingMessage(result, platformPortName(portName()), cancelled))
        m_prompts.message(m_window, *message);
}

void TransferController::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    emit busyChanged(busy);
    m_progressArea->setVisible(busy);
    m_cancel->setEnabled(busy);
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
        m_progressBar->hide();
        m_progressBar->setValue(0);
    }
}

bool TransferController::verifyWrites() const
{
    return openSettingsStore(m_settingsStore)->value(kVerifyWritesKey, true).toBool();
}

void TransferController::setVerifyWrites(bool on)
{
    openSettingsStore(m_settingsStore)->setValue(kVerifyWritesKey, on);
}

bool TransferController::confirmWrite(const WritePlan &plan)
{
    return m_prompts.confirmWrite(m_window, writePreview(m_document, plan));
}

void TransferController::keepBackup(BackupReason reason, Operation operation)
{
    const QByteArray bytes =
        reason == BackupReason::Read ? radioBackupBytes(m_document) : documentBackupBytes(m_document);
    const RadioMemory &radio = m_document.radio();
    const int model = reason == BackupReason::Read && radio.identity() ? radio.identity()->modelIndex
                                                                       : m_document.modelIndex();
    BackupStore store(BackupStore::defaultFolder(), backupsKept(*openSettingsStore(m_settingsStore)));
    const FileResult saved = store.save(bytes, model, reason, backupScope(operation));
    m_backupProblem = saved.ok() ? QString() : tr("Backup not saved: %1").arg(saved.detail);
    if (!saved.ok())
        emit statusMessage(m_backupProblem);
}

void TransferController::showComPortSetup()
{
    if (m_busy)
        return;
    if (!m_comPort) {
        m_comPort = new ComPortDialog(m_window);
        connect(m_comPort, &QDialog::accepted, this, [this] {
            // The dialog's OK always leaves the port closed; the next transfer opens the choice.
            m_transfer->closePort();
            // Another port may lead to another radio: nothing is known of what it holds.
            m_document.radio().clear();
            m_portChoice = m_comPort->choice();
            m_portOverride.clear();
        });
    }
    PortChoice shown = m_portChoice;
    if (!m_portOverride.isEmpty())
        shown.device = m_portOverride;
    m_comPort->setChoice(shown);
    m_comPort->open();
}

void TransferController::showPortCheck()
{
    if (m_busy)
        return;
    if (!m_portCheck)
        m_portCheck = new PortCheckDialog(m_window);
    // The window keeps its port open between transfers; the check (and the radio) needs it free.
    m_transfer->closePort();
    m_portCheck->check(portName());
    m_portCheck->open();
}

QString TransferController::portName() const
{
    if (!m_portOverride.isEmpty())
        return m_portOverride;
    if (!m_portChoice.device.isEmpty())
        return m_portChoice.device;
    return QStringLiteral("COM%1").arg(m_portChoice.port);
}

} // namespace ktv4::ui
