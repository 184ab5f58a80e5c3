// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ArrangeDialog.h"

#include "files/CloneDocument.h"
#include "link/WritePlan.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace ktv4::ui {

namespace {

constexpr int kSelectionRange = -1; // the range list's item for the selection

} // namespace

ArrangeDialog::ArrangeDialog(CloneDocument &document, QWidget *parent) : QDialog(parent), m_document(document)
{
    setObjectName(QStringLiteral("dlgArrange"));
    setWindowTitle(tr("Arrange Channels"));
    m_rule = new QComboBox(this);
    m_rule->setObjectName(QStringLiteral("cmbArrangeRule"));
    m_rule->addItem(tr("Frequency"), int(ArrangeRule::Frequency));
    m_rule->addItem(tr("Mode, then frequency"), int(ArrangeRule::ModeFrequency));
    m_rule->addItem(tr("Name"), int(ArrangeRule::Name));
    m_rule->addItem(tr("Band, then frequency"), int(ArrangeRule::BandFrequency));
    m_range = new QComboBox(this);
    m_range->setObjectName(QStringLiteral("cmbArrangeRange"));
    m_pack = new QCheckBox(tr("Move the channels in use to the start of the range"), this);
    m_pack->setObjectName(QStringLiteral("chkArrangePack"));
    m_gaps = new QCheckBox(tr("Leave one empty channel between bands"), this);
    m_gaps->setObjectName(QStringLiteral("chkArrangeGaps"));
    m_moves = new QListWidget(this);
    m_moves->setObjectName(QStringLiteral("lstArrangeMoves"));
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblArrangeSummary"));
    m_summary->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_arrange = buttons->addButton(tr("Arrange"), QDialogButtonBox::AcceptRole);
    m_arrange->setObjectName(QStringLiteral("cmdArrange"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(tr("Order by:"), m_rule);
    form->addRow(tr("Channels:"), m_range);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pack);
    layout->addWidget(m_gaps);
    layout->addWidget(new QLabel(tr("Moves:"), this));
    layout->addWidget(m_moves, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(420, 460);

    for (QComboBox *list : {m_rule, m_range})
        connect(list, &QComboBox::currentIndexChanged, this, &ArrangeDialog::update);
    for (QCheckBox *box : {m_pack, m_gaps})
        connect(box, &QCheckBox::toggled, this, &ArrangeDialog::update);
}

void ArrangeDialog::prepare(const QList<int> &selection)
{
    m_selection = selection;
    const QSignalBlocker blocker(m_range);
    m_range->clear();
    if (selection.size() > 1)
        m_range->addItem(tr("The %n selected channel(s)", nullptr, int(selection.size())), kSelectionRange);
    m_range->addItem(tr("Memory 0 to 199"), int(ArrangeRange::FirstBank));
    m_range->addItem(tr("Bank A (A0 to A199)"), int(ArrangeRange::BankA));
    m_range->addItem(tr("Bank B (B0 to B199)"), int(ArrangeRange::BankB));
    m_range->addItem(tr("All channels (P1 and P2 stay in place)"), int(ArrangeRange::All));
    m_range->setCurrentIndex(0);
    update();
}

QList<int> ArrangeDialog::range() const
{
    const int choice = m_range->currentData().toInt();
    return choice == kSelectionRange ? m_selection : rangeChannels(ArrangeRange(choice));
}

QString ArrangeDialog::writeSummary() const
{
    if (m_document.radio().isEmpty())
        return tr("Nothing is known of what the radio holds: Write Memory sends every channel.");
    RadioImage after = m_document.image();
    applyPart(after, m_result.change.after);
    // The plan Write Changes itself would make from the arranged image.
    const WritePlan plan = planWrite(Operation::WriteChanges, after, m_document.radio());
    const auto sent = std::count_if(plan.records.cbegin(), plan.records.cend(),
                                    [](const PlannedRecord &record) { return !record.readFirst; });
    QString text = tr("Write Changes will then send %n record(s).", nullptr, int(sent));
    if (!plan.reads.isEmpty())
        text += QLatin1Char(' ') +
                tr("%n record(s) not known in the radio are read first.", nullptr, int(plan.reads.size()));
    return text;
}

void ArrangeDialog::update()
{
    const ArrangeOptions options{ArrangeRule(m_rule->currentData().toInt()), m_pack->isChecked(),
                                 m_gaps->isChecked()};
    m_gaps->setEnabled(options.rule != ArrangeRule::Name);
    m_result = arrangeChannels(m_document.image(), range(), options, tr("Arrange channels"));
    m_moves->clear();
    for (const ChannelMove &move : m_result.moves)
        m_moves->addItem(moveText(move));
    QString summary = m_result.moves.isEmpty()
                          ? tr("The channels are in this order already.")
                          : tr("%n channel(s) move.", nullptr, int(m_result.moves.size())) +
                                QLatin1Char(' ') + writeSummary();
    if (m_result.gapsLeftOut)
        summary +=
            QLatin1Char(' ') + tr("Too few empty channels for a gap between every two bands: no gaps.");
    m_summary->setText(summary);
    m_arrange->setEnabled(!m_result.change.isEmpty());
}

void ArrangeDialog::accept()
{
    update(); // the image may have changed since the preview
    const int moved = int(m_result.moves.size());
    m_document.submit(m_result.change);
    QDialog::accept();
    emit arranged(moved);
}

} // namespace ktv4::ui
