// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WritePreview.h"

#include "model/ChannelNaming.h"
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
    return count == 1 ? WritePreviewDialog::tr("1 record") : WritePreviewDialog::tr("%1 records").arg(count);
}

QString modelText(int modelIndex, bool variantA)
{
    return modelOptionCaption(modelIndex) + (variantA ? WritePreviewDialog::tr(" (variant A)") : QString());
}

// The records each write sends, in address order.
QList<int> recordsSent(const CloneDocument &document, const RadioImage &image, Operation operation)
{
    if (operation == Operation::WriteChanges)
        return document.radio().recordsToWrite(image);
    QList<int> records;
    if (operation != Operation::WriteMemory)
        records << kSettings1Address << kSettings2Address << kVfoAAddress << kVfoBAddress;
    if (operation != Operation::WriteSettings) {
        for (int n = 0; n < kChannelCount; ++n)
            records << channelAddress(n);
    }
    return records;
}

// Only what the write sends.
ImageDiff sentPart(const ImageDiff &diff, const QSet<int> &sent)
{
    ImageDiff part;
    if (sent.contains(kSettings1Address) || sent.contains(kSettings2Address))
        part.settings = diff.settings;
    for (const VfoChange &v : diff.vfos) {
        if (sent.contains(v.vfo == 0 ? kVfoAAddress : kVfoBAddress))
            part.vfos << v;
    }
    for (const ChannelChange &c : diff.channels) {
        if (sent.contains(channelAddress(c.channel)))
            part.channels << c;
    }
    for (const int address : diff.otherRecords) {
        if (sent.contains(address))
            part.otherRecords << address;
    }
    return part;
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
            const int position = image.settings.*d.member;
            lines << QStringLiteral("%1: %2").arg(d.caption,
                                                  d.items.value(position, QString::number(position)));
        }
        lines << QStringLiteral("IQ Shift(KHz): %1").arg(iqShiftText(image.settings.Slider1));
        for (int v = 0; v < kVfoCount; ++v)
            lines << QStringLiteral("%1: %2 %3")
                         .arg(vfoLabel(v), image.vfos[v].cells[ColFrequency].text,
                              image.vfos[v].cells[ColMode].text);
    }
    return lines;
}

} // namespace

WritePreview writePreview(const CloneDocument &document, Operation operation)
{
    RadioImage image = document.image();
    rebuildSettingsData(image); // as the write will send them
    const RadioMemory &radio = document.radio();
    const QList<int> sent = recordsSent(document, image, operation);
    const QSet<int> sentSet(sent.cbegin(), sent.cend());

    WritePreview preview;
    preview.title = operationTitle(operation);
    preview.records = int(sent.size());
    const RadioIdentity ours{document.modelIndex(), document.cloneVariantA()};
    if (radio.identity() && *radio.identity() != ours) {
        preview.modelWarning =
            WritePreviewDialog::tr("The radio identified itself as %1, but this image is for %2.")
                .arg(modelText(radio.identity()->modelIndex, radio.identity()->variantA),
                     modelText(ours.modelIndex, ours.variantA));
    }

    if (radio.isEmpty()) {
        preview.summary = WritePreviewDialog::tr("Nothing is known of what the radio holds: it has not been "
                                                 "read or written in this session. This write sends %1:")
                              .arg(records(preview.records));
        preview.lines = summaryLines(image, ours.modelIndex, ours.variantA, sentSet);
        return preview;
    }

    const ImageDiff diff = sentPart(diffImages(radio.image(image), image), sentSet);
    preview.lines = describeDiff(diff);
    const int unknown = int(
        std::count_if(sent.cbegin(), sent.cend(), [&radio](int address) { return !radio.isKnown(address); }));
    if (preview.lines.isEmpty() && unknown == 0)
        preview.summary = WritePreviewDialog::tr("The radio already holds what this write sends (%1).")
                              .arg(records(preview.records));
    else
        preview.summary =
            WritePreviewDialog::tr("Compared with what the radio last held, this write of %1 changes:")
                .arg(records(preview.records));
    if (unknown > 0)
        preview.lines << WritePreviewDialog::tr("%1 never read from the radio, written as they stand")
                             .arg(records(unknown));
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
