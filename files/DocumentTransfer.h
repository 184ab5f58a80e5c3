// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A document's side of the radio operations, for the window and the command line alike: a read
// shows each record in the document as it arrives and becomes one step of its history at the
// end; what the radio is learned to hold goes into the document's record of the radio; the
// radio's identification sets the model option.

#include "files/Backups.h"
#include "files/CloneDocument.h"
#include "link/CloneTransfer.h"

#include <QObject>
#include <optional>

namespace ktv4 {

// What the backup of an operation holds of the radio: the settings and VFOs, the channels, all
// of it, or the records Write Changes sends.
BackupScope backupScope(Operation operation);

class DocumentTransfer : public QObject {
    Q_OBJECT
public:
    DocumentTransfer(CloneDocument &document, CloneTransfer &transfer, QObject *parent = nullptr);

    CloneTransfer &transfer() { return m_transfer; }

    // Identify, or a read into the document's image; false when the engine refuses.
    bool start(Operation operation);
    // The write of `plan`, made from the document with planWrite().
    bool start(const WritePlan &plan);
    // The plan of `operation` (a write) for the document as it stands.
    WritePlan plan(Operation operation) const;

signals:
    // The operation ended, and the document holds what it brought.
    void finished(const ktv4::TransferResult &result);

private:
    void applyRead(const ImagePart &part);
    void transferFinished(const TransferResult &result);

    CloneDocument &m_document;
    CloneTransfer &m_transfer;
    bool m_running = false;
    // The image before a read: the whole read becomes one step of the history at its end.
    std::optional<RadioImage> m_beforeRead;
};

} // namespace ktv4
