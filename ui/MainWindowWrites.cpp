// SPDX-License-Identifier: GPL-3.0-or-later
// What keeps writes safe in the window: the preview before a write, the backups of reads and
// writes, and the read-back check's setting.

#include "ui/MainWindow.h"

#include "ui/UserPrompts.h"
#include "ui/WritePreview.h"

#include <QAction>
#include <QLabel>
#include <QSettings>

namespace ktv4::ui {

namespace {

const QString kVerifyWritesKey = QStringLiteral("Settings/VerifyWrites");

} // namespace

bool MainWindow::verifyWrites() const
{
    return openSettingsStore()->value(kVerifyWritesKey, true).toBool();
}

void MainWindow::setVerifyWrites(bool on)
{
    openSettingsStore()->setValue(kVerifyWritesKey, on);
    if (QAction *item = action(QStringLiteral("mnuToolsVerify")); item && item->isChecked() != on)
        item->setChecked(on);
}

bool MainWindow::confirmWrite(const WritePlan &plan)
{
    return m_prompts.confirmWrite(this, writePreview(m_document, plan));
}

void MainWindow::keepBackup(BackupReason reason, Operation operation)
{
    const QByteArray bytes =
        reason == BackupReason::Read ? radioBackupBytes(m_document) : documentBackupBytes(m_document);
    const RadioMemory &radio = m_document.radio();
    const int model = reason == BackupReason::Read && radio.identity() ? radio.identity()->modelIndex
                                                                       : m_document.modelIndex();
    BackupStore store(BackupStore::defaultFolder(), backupsKept(*openSettingsStore()));
    const FileResult saved = store.save(bytes, model, reason, backupScope(operation));
    m_backupProblem = saved.ok() ? QString() : tr("Backup not saved: %1").arg(saved.detail);
    if (!saved.ok())
        showStatus(m_backupProblem);
}

} // namespace ktv4::ui
