#include "ui/MemoryPanel.h"

#include "files/ChannelEdits.h"
#include "files/CloneDocument.h"
#include "model/ChannelNaming.h"
#include "ui/ChannelGridLayout.h"
#include "ui/ChannelTableModel.h"
#include "ui/ModifyDialog.h"
#include "ui/UserPrompts.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <numeric>

namespace ktv4::ui {

namespace {

QPushButton *makeButton(const QString &objectName, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

} // namespace

MemoryPanel::MemoryPanel(CloneDocument &document, UserPrompts &prompts, QWidget *parent)
    : QWidget(parent), m_document(document), m_prompts(prompts)
{
    setObjectName(QStringLiteral("MemoryPanel"));
    auto *frame = new QGroupBox(tr("Memorys"), this);
    frame->setObjectName(QStringLiteral("Frame1_2"));

    m_clear = makeButton(QStringLiteral("cmbClear"), tr("Clear"), frame);
    m_up = makeButton(QStringLiteral("Command5"), tr("Up"), frame);
    m_insert = makeButton(QStringLiteral("cmbInsert"), tr("Insert"), frame);
    m_clearAll = makeButton(QStringLiteral("cmbClAll"), tr("Clear All"), frame);
    m_down = makeButton(QStringLiteral("Command4"), tr("Down"), frame);
    m_delete = makeButton(QStringLiteral("cmbDelete"), tr("Delete"), frame);
    m_readMemory = makeButton(QStringLiteral("cmbRxData"), tr("Read Memory"), frame);
    m_writeMemory = makeButton(QStringLiteral("cmbTxData"), tr("Write Memory"), frame);

    m_model = new ChannelTableModel(document, this);
    m_grid = new QTableView(frame);
    m_grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setWordWrap(false);
    m_grid->setCornerButtonEnabled(false);
    m_grid->horizontalHeader()->setSectionsClickable(false);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->verticalHeader()->setSectionsClickable(false);
    m_grid->verticalHeader()->setHighlightSections(false);
    layOutGrid();

    auto *buttons = new QGridLayout;
    buttons->addWidget(m_clear, 0, 0);
    buttons->addWidget(m_up, 0, 1);
    buttons->addWidget(m_insert, 0, 2);
    buttons->addWidget(m_clearAll, 1, 0);
    buttons->addWidget(m_down, 1, 1);
    buttons->addWidget(m_delete, 1, 2);
    auto *transfers = new QVBoxLayout;
    transfers->addWidget(m_readMemory);
    transfers->addWidget(m_writeMemory);
    auto *top = new QHBoxLayout;
    top->addLayout(buttons);
    top->addStretch(1);
    top->addLayout(transfers);

    auto *inside = new QVBoxLayout(frame);
    inside->addLayout(top);
    inside->addWidget(m_grid, 0, Qt::AlignLeft);
    inside->addStretch(1);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    connect(m_clear, &QPushButton::clicked, this, &MemoryPanel::clearChannel);
    connect(m_up, &QPushButton::clicked, this, &MemoryPanel::moveUp);
    connect(m_insert, &QPushButton::clicked, this, &MemoryPanel::insertChannel);
    connect(m_clearAll, &QPushButton::clicked, this, &MemoryPanel::clearAll);
    connect(m_down, &QPushButton::clicked, this, &MemoryPanel::moveDown);
    connect(m_delete, &QPushButton::clicked, this, &MemoryPanel::deleteChannel);
    connect(m_readMemory, &QPushButton::clicked, this, &MemoryPanel::readMemoryRequested);
    connect(m_writeMemory, &QPushButton::clicked, this, &MemoryPanel::writeMemoryRequested);
    connect(m_grid, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { openEditor(index.row()); });

    selectChannel(0);
}

void MemoryPanel::layOutGrid()
{
    applyColumnWidths(m_grid, kChannelColumns);
    fitRowsInView(m_grid, kRowsInView);
}

void MemoryPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        layOutGrid();
}

int MemoryPanel::currentChannel() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.row() : 0;
}

QList<int> MemoryPanel::selectedChannels() const
{
    QList<int> channels;
    for (const QModelIndex &index : m_grid->selectionModel()->selectedRows())
        channels << index.row();
    if (channels.isEmpty())
        channels << currentChannel();
    return normalizedChannels(channels);
}

void MemoryPanel::selectChannels(int first, int last)
{
    first = std::clamp(first, 0, kChannelCount - 1);
    last = std::clamp(last, first, kChannelCount - 1);
    QItemSelectionModel *selection = m_grid->selectionModel();
    selection->setCurrentIndex(m_model->index(first, ColFrequency), QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(m_model->index(first, 0), m_model->index(last, kChannelColumns - 1)),
                      QItemSelectionModel::ClearAndSelect);
}

int MemoryPanel::topChannel() const
{
    return m_grid->verticalScrollBar()->value();
}

void MemoryPanel::setTopChannel(int channel)
{
    m_grid->verticalScrollBar()->setValue(channel);
}

void MemoryPanel::selectChannel(int channel)
{
    const int top = topChannel();
    m_grid->selectionModel()->setCurrentIndex(m_model->index(channel, ColFrequency),
                                              QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
    setTopChannel(top);
}

void MemoryPanel::setBusy(bool busy)
{
    m_busy = busy;
    for (QPushButton *button : {m_clear, m_insert, m_clearAll, m_delete, m_readMemory, m_writeMemory})
        button->setEnabled(!busy);
}

void MemoryPanel::setModifyDialog(ModifyDialog *dialog)
{
    if (m_dialog)
        disconnect(m_dialog, nullptr, this, nullptr);
    m_dialog = dialog;
    if (m_dialog) {
        connect(m_dialog, &ModifyDialog::channelAccepted, this, [this](int channel, const ChannelRow &row) {
            m_document.submit(ImageChange::channels(m_document.image(), channel, {row},
                                                    tr("Modify channel %1").arg(csvChannelField(channel))));
        });
    }
}

void MemoryPanel::refreshAll()
{
    m_model->refreshAll();
}

void MemoryPanel::refreshChannel(int channel)
{
    m_model->refreshChannel(channel);
}

void MemoryPanel::modifyCurrentChannel()
{
    openEditor(currentChannel());
}

void MemoryPanel::openEditor(int channel)
{
    if (m_busy || channel < 0 || channel >= kChannelCount)
        return;
    emit modifyRequested(channel);
    if (m_dialog)
        m_dialog->editChannel(channel);
}

bool MemoryPanel::confirm(const QString &title, const QString &question)
{
    MessageRequest request;
    request.icon = QMessageBox::Warning;
    request.title = title;
    request.text = question;
    request.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    request.defaultButton = QMessageBox::Cancel;
    return m_prompts.message(this, request) == QMessageBox::Ok;
}

namespace {

// The confirmations' first line: the command can be taken back.
QString undoLine()
{
    return MemoryPanel::tr("Edit > Undo brings the channels back.") + QStringLiteral("\r\n");
}

QString channelsName(const QList<int> &channels)
{
    if (channels.size() == 1)
        return MemoryPanel::tr("channel %1").arg(csvChannelField(channels.first()));
    return MemoryPanel::tr("%n channels", nullptr, int(channels.size()));
}

} // namespace

QList<int> MemoryPanel::firstBankSelection(const QString &command)
{
    const QList<int> channels = firstBankChannels(selectedChannels());
    if (channels.isEmpty())
        emit statusMessage(tr("%1 works in the first bank only (channels 0 to 199); banks A and B keep "
                              "their places.")
                               .arg(command));
    return channels;
}

void MemoryPanel::insertChannel()
{
    const QList<int> channels = firstBankSelection(tr("Insert"));
    if (channels.isEmpty())
        return;
    const int count = int(channels.size());
    // The last channels of the first bank fall off its end.
    m_document.submit(insertChannels(m_document.image(), channels.first(), count,
                                     tr("Insert %1").arg(channelsName(channels))));
}

void MemoryPanel::deleteChannel()
{
    const QList<int> channels = firstBankSelection(tr("Delete"));
    if (channels.isEmpty())
        return;
    const QString question =
        channels.size() == 1
            ? tr("Are you sure that you want to do the delete?")
            : tr("Are you sure that you want to delete these %n channels?", nullptr, int(channels.size()));
    if (!confirm(tr("DELETE OK"), undoLine() + question))
        return;
    m_document.submit(
        deleteChannels(m_document.image(), channels, tr("Delete %1").arg(channelsName(channels))));
}

void MemoryPanel::clearChannel()
{
    const QList<int> channels = selectedChannels();
    const QString question =
        channels.size() == 1
            ? tr("Are you sure that you want to do the clear?")
            : tr("Are you sure that you want to clear these %n channels?", nullptr, int(channels.size()));
    if (!confirm(tr("CLEAR OK"), undoLine() + question))
        return;
    m_document.submit(
        clearChannels(m_document.image(), channels, tr("Clear %1").arg(channelsName(channels))));
}

void MemoryPanel::clearAll()
{
    if (!confirm(tr("CLEAR OK"),
                 undoLine() + tr("Are you sure that you want to clear all memory?")))
        return;
    QList<int> all(kChannelCount);
    std::iota(all.begin(), all.end(), 0);
    m_document.submit(clearChannels(m_document.image(), all, tr("Clear All")));
}

void MemoryPanel::moveUp()
{
    const int top = topChannel();
    int channel = currentChannel();
    if (channel > 0)
        selectChannel(--channel);
    if (channel < top)
        setTopChannel(channel);
    else if (channel >= top + kRowsInView)
        setTopChannel(channel - (kRowsInView - 1));
    else
        setTopChannel(top);
}

void MemoryPanel::moveDown()
{
    const int top = topChannel();
    int channel = currentChannel();
    // Down stays inside the first bank.
    if (channel < kFirstBankEnd - 1)
        selectChannel(++channel);
    const bool visible = channel >= top && channel < top + kRowsInView;
    if (!visible)
        setTopChannel(channel < top ? channel : channel - (kRowsInView - 1));
    else if (channel == kChannelCount - 1)
        setTopChannel(kChannelCount - kRowsInView);
    else
        setTopChannel(top);
}

} // namespace ktv4::ui
