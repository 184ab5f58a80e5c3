// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WritePreview.h"

#include "model/ChannelNaming.h"
#include "model/FieldText.h"
#include "model/ImageDiff.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

namespace ktv4::ui {

namespace {

QString operationTitle(Operation operation)
{
    switch (operation) {
    case Operation::WriteSettings:
        return WritePreviewDialog::tr("Write Settings");
    case Operation::WriteMemory:
        return WritePreviewDialog::tr("Write Memory");
    case Operation::WriteChanges:
        return WritePreviewDialog::tr("Write Changes");
    default:
        break;
    }
    return WritePreviewDialog::tr("Write ALL");
}

QString records(int count)
{
    return WritePreviewDialog::tr("%n record(s)", nullptr, count);
}

// "Settings block 1, VFO A and channels 0 to 79"
QString capitalizedRecords(const QList<int> &addresses)
{
    QString text = describeRecords(addresses);
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString modelText(int modelIndex, bool variantA)
{
    return modelOptionCaption(modelIndex) + (variantA ? WritePreviewDialog::tr(" (variant A)") : QString());
}

QStringList summaryLines(const RadioImage &image, int modelIndex, bool variantA, const QSet<int> &sent)
{
    QStringList lines{WritePreviewDialog::tr("Model: %1").arg(modelText(modelIndex, variantA))};
    if (sent.contains(channelAddress(0)))
        lines << WritePreviewDialog::tr("Channels in use: %1 of %2")
                     .arg(channelsInUse(image.channels))
                     .arg(kChannelCount);
    if (sent.contains(kSettings1Address)) {
        for (const SettingDescriptor &d : settingDescriptors()) {
            const int position = image.settings.values.*d.member;
            lines << QStringLiteral("%1: %2").arg(d.caption,
                                                  d.items.value(position, QString::number(position)));
        }
        lines << QStringLiteral("IQ Shift(KHz): %1").arg(iqShiftText(image.settings.values.Slider1));
        for (int v = 0; v < kVfoCount; ++v)
            lines << QStringLiteral("%1: %2 %3")
                         .arg(vfoLabel(v), frequencyText(image.vfos[v].frequency),
                              fieldText(image.vfos[v].mode));
    }
    return lines;
}

QString readFirstText()
{
    return WritePreviewDialog::tr("will be read first");
}

// Write Changes: every record it may write, old -> new as the radio last held it, the uncertain
// ones marked as read first; then the records it reads first and leaves alone if they differ.
void describeChanges(WritePreview &preview, const WritePlan &plan)
{
    preview.records = int(plan.records.size());
    const QList<int> writes = plan.addresses();
    QList<int> neverRead;
    for (const int address : plan.reads) {
        if (!writes.contains(address))
            neverRead << address;
    }
    for (const PlannedRecord &record : plan.records) {
        const int address = record.address;
        ImageDiff part = diffOfRecords(plan.changes, {address});
        const bool settingsListed = address == kSettings2Address && writes.contains(kSettings1Address);
        if (settingsListed)
            part.settings.clear(); // the settings are listed once, with block 1
        QStringList lines = describeDiff(part);
        if (lines.isEmpty() && settingsListed && !record.readFirst)
            continue;
        if (lines.isEmpty() && !record.readFirst)
            lines << WritePreviewDialog::tr("%1: what the radio holds is replaced")
                         .arg(recordLabel(address).simplified());
        if (!record.readFirst) {
            preview.lines << lines;
            continue;
        }
        if (lines.isEmpty())
            lines << recordLabel(address).simplified();
        for (const QString &line : std::as_const(lines))
            preview.lines << WritePreviewDialog::tr("%1 (%2)").arg(line, readFirstText());
    }
    if (!neverRead.isEmpty())
        preview.lines << WritePreviewDialog::tr("%1: %2").arg(capitalizedRecords(neverRead), readFirstText());

    if (plan.radio.isEmpty())
        preview.summary = WritePreviewDialog::tr(
            "Nothing is known of what the radio holds: it has not been read or written in this session.");
    else if (plan.records.isEmpty())
        preview.summary = WritePreviewDialog::tr("Nothing is known to differ from what the radio holds.");
    else
        preview.summary = WritePreviewDialog::tr("Compared with what the radio last held, this write of %1 "
                                                 "changes:")
                              .arg(records(preview.records));
    // What happens to the records read first comes before the list's heading.
    if (!neverRead.isEmpty())
        preview.summary = WritePreviewDialog::tr("Records never read are read first. Where they differ from "
                                                 "this image they are left as the radio holds them, and the "
                                                 "next Write Changes shows how they differ.") +
                          QLatin1Char(' ') + preview.summary;
}

} // namespace

WritePreview writePreview(const CloneDocument &document, const WritePlan &plan)
{
    const RadioMemory &radio = plan.radio;
    WritePreview preview;
    preview.title = operationTitle(plan.operation);
    const RadioIdentity ours{document.modelIndex(), document.cloneVariantA()};
    if (radio.identity() && *radio.identity() != ours) {
        preview.modelWarning =
            WritePreviewDialog::tr("The radio identified itself as %1, but this image is for %2.")
                .arg(modelText(radio.identity()->modelIndex, radio.identity()->variantA),
                     modelText(ours.modelIndex, ours.variantA));
    }
    if (plan.operation == Operation::WriteChanges) {
        describeChanges(preview, plan);
        return preview;
    }

    const QList<int> sent = plan.addresses();
    preview.records = int(sent.size());
    if (radio.isEmpty()) {
        preview.summary = WritePreviewDialog::tr("Nothing is known of what the radio holds: it has not been "
                                                 "read or written in this session. This write sends %1:")
                              .arg(records(preview.records));
        preview.lines =
            summaryLines(plan.image, ours.modelIndex, ours.variantA, QSet<int>(sent.cbegin(), sent.cend()));
        return preview;
    }

    preview.lines = describeDiff(plan.changes);
    if (preview.lines.isEmpty() && plan.unknownRecords.isEmpty())
        preview.summary = WritePreviewDialog::tr("The radio already holds what this write sends (%1).")
                              .arg(records(preview.records));
    else
        preview.summary =
            WritePreviewDialog::tr("Compared with what the radio last held, this write of %1 changes:")
                .arg(records(preview.records));
    // Write Settings, Memory and ALL send every record, whatever the radio holds.
    if (!plan.unknownRecords.isEmpty())
        preview.lines << WritePreviewDialog::tr("%1: not known in the radio, written as they stand")
                             .arg(capitalizedRecords(plan.unknownRecords));
    return preview;
}

WritePreviewDialog::WritePreviewDialog(const WritePreview &preview, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgWritePreview"));
    setWindowTitle(preview.title);
    auto *layout = new QVBoxLayout(this);

    m_warning = new QLabel(preview.modelWarning, this);
    m_warning->setObjectName(QStringLiteral("lblModelWarning"));
    m_warning->setWordWrap(true);
    m_warning->setStyleSheet(QStringLiteral("QLabel { color: #b00000; font-weight: bold; }"));
    m_warning->setVisible(!preview.modelWarning.isEmpty());
    layout->addWidget(m_warning);

    m_summary = new QLabel(preview.summary, this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    // One change a line; a channel added or removed lists all its fields and wraps rather than
    // hiding its end. The text can be selected and copied.
    m_lines = new QPlainTextEdit(preview.lines.join(QLatin1Char('\n')), this);
    m_lines->setObjectName(QStringLiteral("lstChanges"));
    m_lines->setReadOnly(true);
    m_lines->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_lines->setVisible(!preview.lines.isEmpty());
    layout->addWidget(m_lines, 1);

    auto *buttons = new QDialogButtonBox(this);
    m_write = buttons->addButton(tr("Write"), QDialogButtonBox::AcceptRole);
    m_write->setObjectName(QStringLiteral("cmdWrite"));
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    // A hasty Enter must not write.
    m_write->setAutoDefault(false);
    m_cancel->setDefault(true);
    m_cancel->setFocus();
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, preview.lines.isEmpty() ? 160 : 420);
}

} // namespace ktv4::ui
