// SPDX-License-Identifier: GPL-3.0-or-later
// The radio operations as the window starts them and shows them: the busy state, the tab a
// transfer works on, the progress area and the finishing message.

#include "ui/MainWindow.h"

#include "ui/MemoryPanel.h"
#include "ui/SettingsPanel.h"
#include "ui/TransferMessages.h"
#include "ui/VfoTableModel.h"

#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>

#include <utility>

namespace ktv4::ui {

namespace {

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

void MainWindow::connectTransfer()
{
    connect(m_transfer, &CloneTransfer::phaseStarted, this, &MainWindow::phaseStarted);
    connect(m_transfer, &CloneTransfer::progress, this, [this](int channel) {
        m_progressBar->setValue(channel);
        // What is moving, not a bare number.
        m_progressBar->setFormat(tr("Channel %1 of %2").arg(channel + 1).arg(kChannelCount));
    });
    connect(m_documentTransfer, &DocumentTransfer::finished, this, &MainWindow::transferFinished);
}

void MainWindow::startOperation(Operation operation)
{
    if (m_busy || m_transfer->isBusy())
        return;
    // A write sends what its preview shows: the plan is made once, here.
    std::optional<WritePlan> plan;
    if (isWriteOperation(operation)) {
        plan = m_documentTransfer->plan(operation);
        if (operation == Operation::WriteChanges && plan->isEmpty()) {
            showStatus(tr("Nothing to write: the radio already holds this image."));
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
        showTab(*tab);
    m_transfer->setPortName(portName());
    // No message of an earlier command stays standing while the radio is talked to.
    showStatus(tr("Talking to the radio on %1…").arg(platformPortName(portName())));
    setBusy(true);
    if (isMemoryPhase(operation))
        phaseStarted(operation);
    const bool started = plan ? m_documentTransfer->start(*plan) : m_documentTransfer->start(operation);
    if (!started && !m_transfer->isBusy())
        setBusy(false);
}

void MainWindow::cancelTransfer()
{
    if (!m_busy || m_cancelRequested)
        return;
    // The engine stops before its next exchange; the one under way may still run to its time-out.
    m_cancelRequested = true;
    m_cancel->setEnabled(false);
    m_transfer->cancel();
}

void MainWindow::phaseStarted(Operation phase)
{
    // Read ALL and Write ALL show each half on its own tab.
    if (const auto tab = tabOf(phase))
        showTab(*tab);
    m_progressBar->setValue(0);
    m_progressBar->setFormat(QString());
    m_progressBar->setVisible(isMemoryPhase(phase));
}

void MainWindow::transferFinished(const TransferResult &result)
{
    // Buttons and pointer go back to idle first, so the window is usable behind the message.
    setBusy(false);
    const bool settingsRead = result.operation == Operation::ReadSettings ||
                              (result.operation == Operation::ReadAll && !result.memoryStep);
    if (settingsRead && isPortError(result.outcome))
        m_settingsPanel->selectFirstVfoRow();
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
        status << (result.verifiedRecords == 1 ? tr("verified: 1 record")
                                               : tr("verified: %1 records").arg(result.verifiedRecords));
    if (!m_backupProblem.isEmpty())
        status << m_backupProblem;
    showStatus(status.join(QStringLiteral("  ")));
    if (const auto message = finishingMessage(result, platformPortName(portName()), cancelled))
        m_prompts.message(this, *message);
}

void MainWindow::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    for (QAction *item : std::as_const(m_busyDisabled))
        item->setEnabled(!busy);
    m_settingsPanel->setBusy(busy);
    m_memoryPanel->setBusy(busy);
    m_tabStrip->setEnabled(!busy);
    updateUndoItems();
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

} // namespace ktv4::ui
