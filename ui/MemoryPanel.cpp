#include "ui/MemoryPanel.h"

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
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
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
    // New, Open and Import replace the whole table.
    connect(&m_document, &CloneDocument::imageReplaced, this, &MemoryPanel::refreshAll);

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
    if (m_dialog)
        connect(m_dialog, &ModifyDialog::channelEdited, this, &MemoryPanel::refreshChannel);
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

void MemoryPanel::emptyChannel(int channel)
{
    m_document.image().channels[channel].clear();
}

void MemoryPanel::insertChannel()
{
    const int channel = currentChannel();
    if (channel >= kFirstBankEnd)
        return;
    m_document.setDataChanged(true);
    ChannelTable &table = m_document.image().channels;
    // The last channel of the first bank falls off the end.
    for (int i = kFirstBankEnd - 1; i > channel; --i)
        table[i] = std::move(table[i - 1]);
    emptyChannel(channel);
    m_model->refreshChannels(channel, kFirstBankEnd - 1);
}

void MemoryPanel::deleteChannel()
{
    const int channel = currentChannel();
    if (channel >= kFirstBankEnd)
        return;
    if (!confirm(tr("DELETE OK"),
                 tr("Delete cannot be undone.\r\nAre you sure that you want to do the delete?")))
        return;
    m_document.setDataChanged(true);
    ChannelTable &table = m_document.image().channels;
    for (int i = channel; i < kFirstBankEnd - 1; ++i)
        table[i] = std::move(table[i + 1]);
    emptyChannel(kFirstBankEnd - 1);
    m_model->refreshChannels(channel, kFirstBankEnd - 1);
}

void MemoryPanel::clearChannel()
{
    const int channel = currentChannel();
    if (!confirm(tr("CLEAR OK"),
                 tr("Clear cannot be undone.\r\nAre you sure that you want to do the clear?")))
        return;
    m_document.setDataChanged(true);
    emptyChannel(channel);
    m_model->refreshChannel(channel);
}

void MemoryPanel::clearAll()
{
    if (!confirm(tr("CLEAR OK"),
                 tr("Clear cannot be undone.\r\nAre you sure that you want to clear all memory?")))
        return;
    m_document.setDataChanged(true);
    for (ChannelRow &row : m_document.image().channels)
        row.clear();
    m_model->refreshAll();
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
