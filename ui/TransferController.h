// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio operations of the window: each Read, Write and Auto command with the write preview,
// the confirmation and the backups; the progress area and its Cancel button; the busy state;
// the finishing status text and message; the serial port the next transfer opens, with
// Tool > COM Port Setup and Help > Check Serial Port. The window keeps the menus; their items
// start these.

#include "files/Backups.h"
#include "files/PortSetting.h"
#include "link/CloneTransfer.h"
#include "link/Transport.h"

#include <QObject>
#include <functional>
#include <memory>

class QProgressBar;
class QPushButton;
class QWidget;

namespace ktv4 {
class CloneDocument;
class DocumentTransfer;
} // namespace ktv4

namespace ktv4::ui {

class ComPortDialog;
class PortCheckDialog;
class SettingsPanel;
class UserPrompts;

// Where the transfers' lines go and what they remember.
struct TransferSetup {
    QString settingsStore; // the INI file of the program settings; empty: the per-user store
    PortChoice portChoice; // the remembered port
    QString portDevice;    // this run's serial device, ahead of the remembered one
    QString traceFile;     // every line to and from the radio, with times
    std::unique_ptr<Transport> transport;
    LinkTimings linkTimings = kRadioTimings;
};

class TransferController : public QObject {
    Q_OBJECT
public:
    // `window` shows the dialogs and messages; `settingsPanel` gets its first VFO row selected
    // when a settings read fails at the port.
    TransferController(CloneDocument &document, UserPrompts &prompts, SettingsPanel &settingsPanel,
                       QWidget *window, TransferSetup setup);
    ~TransferController() override;

    CloneTransfer &transfer() { return *m_transfer; }
    // The progress bar and the Cancel button under the panels, shown while a transfer runs.
    QWidget *progressArea() const { return m_progressArea; }
    QProgressBar *progressBar() const { return m_progressBar; }
    ComPortDialog *comPortDialog() const { return m_comPort; }
    PortCheckDialog *portCheckDialog() const { return m_portCheck; }

    bool isBusy() const { return m_busy; }
    PortChoice portChoice() const { return m_portChoice; }
    // The device the next transfer opens.
    QString portName() const;
    // Tool > Verify After Writing, remembered in the program settings.
    bool verifyWrites() const;
    void setVerifyWrites(bool on);

public slots:
    // The radio operations, as their buttons and menu items start them.
    void startOperation(ktv4::Operation operation);
    void cancelTransfer();
    void showComPortSetup();
    // Help > Check Serial Port…: lets go of the port and runs the checklist on it.
    void showPortCheck();

signals:
    // A transfer started (true) or ended (false): nothing may start another or change what it
    // reads or writes.
    void busyChanged(bool busy);
    // The panel an operation works on is to be shown.
    void tabWanted(int tab);
    // What the last operation did, or why it did nothing, for the status bar.
    void statusMessage(const QString &text);

private:
    void buildProgressArea();
    void phaseStarted(ktv4::Operation phase);
    void transferFinished(const ktv4::TransferResult &result);
    void setBusy(bool busy);
    // Before a write: the preview of what it changes, and the user's Write or Cancel.
    bool confirmWrite(const ktv4::WritePlan &plan);
    // Keeps a backup of what `operation` read or is about to write; a failure is told, not fatal.
    void keepBackup(BackupReason reason, ktv4::Operation operation);

    CloneDocument &m_document;
    UserPrompts &m_prompts;
    SettingsPanel &m_settingsPanel;
    QWidget *m_window;
    QString m_settingsStore;
    CloneTransfer *m_transfer;
    DocumentTransfer *m_documentTransfer; // the engine's operations on the document
    PortChoice m_portChoice;
    QString m_portOverride;
    QWidget *m_progressArea = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QPushButton *m_cancel = nullptr;
    ComPortDialog *m_comPort = nullptr;
    PortCheckDialog *m_portCheck = nullptr;
    QString m_backupProblem; // why the last backup could not be saved, for the transfer's status
    bool m_busy = false;
    bool m_cancelRequested = false;
};

} // namespace ktv4::ui
