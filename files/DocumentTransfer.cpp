// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/DocumentTransfer.h"

#include <utility>

namespace ktv4 {

BackupScope backupScope(Operation operation)
{
    switch (operation) {
    case Operation::ReadSettings:
    case Operation::WriteSettings:
        return BackupScope::Settings;
    case Operation::ReadMemory:
    case Operation::WriteMemory:
        return BackupScope::Memory;
    case Operation::ReadAll:
    case Operation::WriteAll:
        return BackupScope::All;
    case Operation::WriteChanges:
        return BackupScope::Changes;
    default:
        return BackupScope::Unknown;
    }
}

namespace {

QString readStepName(Operation operation)
{
    switch (operation) {
    case Operation::ReadSettings:
        return CloneTransfer::tr("Read Settings");
    case Operation::ReadMemory:
        return CloneTransfer::tr("Read Memory");
    default:
        return CloneTransfer::tr("Read ALL");
    }
}

} // namespace

DocumentTransfer::DocumentTransfer(CloneDocument &document, CloneTransfer &transfer, QObject *parent)
    : QObject(parent), m_document(document), m_transfer(transfer)
{
    connect(&transfer, &CloneTransfer::channelDecoded, this, [this](int channel) {
        ImagePart part;
        part.firstChannel = channel;
        part.channels = {m_transfer.image().channels[channel]};
        applyRead(part);
    });
    connect(&transfer, &CloneTransfer::settingsDecoded, this, [this] {
        ImagePart part;
        part.settings = m_transfer.image().settings;
        applyRead(part);
    });
    connect(&transfer, &CloneTransfer::vfosDecoded, this, [this] {
        ImagePart part;
        part.vfos = {m_transfer.image().vfos[0], m_transfer.image().vfos[1]};
        applyRead(part);
    });
    connect(&transfer, &CloneTransfer::finished, this, &DocumentTransfer::transferFinished);
}

bool DocumentTransfer::start(Operation operation)
{
    if (!m_transfer.start(operation, m_document.image()))
        return false;
    m_running = true;
    if (isReadOperation(operation))
        m_beforeRead = m_document.image();
    return true;
}

bool DocumentTransfer::start(const WritePlan &plan)
{
    if (!m_transfer.start(plan))
        return false;
    m_running = true;
    return true;
}

WritePlan DocumentTransfer::plan(Operation operation) const
{
    return planWrite(operation, m_document.image(), m_document.radio());
}

void DocumentTransfer::applyRead(const ImagePart &part)
{
    // Each record shows as it arrives; the history hears of the read once, at its end.
    if (m_beforeRead)
        m_document.applyPart(part);
}

void DocumentTransfer::transferFinished(const TransferResult &result)
{
    // Another owner's operation on the same engine is none of this document's business.
    if (!std::exchange(m_running, false))
        return;
    result.radio.applyTo(m_document.radio());
    // A radio that answers as the radio clears the header variant, whatever model it names.
    if (result.answeredIdentify)
        m_document.setCloneVariantA(false);
    if (const std::optional<RadioIdentity> &identity = result.radio.identity)
        m_document.setIdentified(identity->modelIndex, identity->variantA);
    if (m_beforeRead) {
        // What arrived stays, also after a failure: the records read so far are the radio's. A read
        // that stopped part-way leaves a mix of the radio and what was there before, which is no
        // longer what any file or the radio holds: an unsaved change.
        ImageChange change =
            ImageChange::between(*m_beforeRead, m_document.image(), readStepName(result.operation));
        change.origin = result.outcome == TransferOutcome::Completed ? ImageChange::Origin::Radio
                                                                     : ImageChange::Origin::Edit;
        m_beforeRead.reset();
        m_document.record(std::move(change));
    }
    emit finished(result);
}

} // namespace ktv4
