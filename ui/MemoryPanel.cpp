// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MemoryPanel.h"

#include "files/ChannelClipboard.h"
#include "files/ChannelEdits.h"
#include "files/CloneDocument.h"
#include "model/ChannelNaming.h"
#include "ui/ChannelGridLayout.h"
#include "ui/ChannelSortProxy.h"
#include "ui/ChannelTableModel.h"
#include "ui/ModifyDialog.h"
#include "ui/UserPrompts.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <numeric>

namespace ktv4::ui {

namespace {

// The Frequency cells: drawn as any other, with a small triangle in the top right corner of a
// channel that transmits on another frequency while the Split Freq. column is hidden (its tip
// gives the split).
class SplitMarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!index.data(ChannelTableModel::SplitMarkRole).toBool())
            return;
        const QRect r = option.rect;
        const int size = std::max(4, r.height() / 3);
        const QPolygon corner({QPoint(r.right() + 1 - size, r.top()), QPoint(r.right() + 1, r.top()),
                               QPoint(r.right() + 1, r.top() + size)});
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0xc0, 0x20, 0x20));
        painter->drawPolygon(corner);
        painter->restore();
    }
};

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

    m_clearButton = makeButton(QStringLiteral("cmbClear"), tr("Clear"), frame);
    m_upButton = makeButton(QStringLiteral("Command5"), tr("Up"), frame);
    m_insertButton = makeButton(QStringLiteral("cmbInsert"), tr("Insert"), frame);
    m_clearAllButton = makeButton(QStringLiteral("cmbClAll"), tr("Clear All"), frame);
    m_downButton = makeButton(QStringLiteral("Command4"), tr("Down"), frame);
    m_deleteButton = makeButton(QStringLiteral("cmbDelete"), tr("Delete"), frame);
    m_readMemoryButton = makeButton(QStringLiteral("cmbRxData"), tr("Read Memory"), frame);
    m_writeMemoryButton = makeButton(QStringLiteral("cmbTxData"), tr("Write Memory"), frame);

    m_model = new ChannelTableModel(document, this);
    createGrid(frame);
    createFindField(frame);

    auto *inside = new QVBoxLayout(frame);
    inside->addLayout(buttonRows());
    inside->addWidget(m_findField);
    inside->addWidget(m_grid, 1); // the grid takes what the window gives the tab
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    connect(m_clearButton, &QPushButton::clicked, this, &MemoryPanel::clearChannel);
    connect(m_upButton, &QPushButton::clicked, this, &MemoryPanel::moveUp);
    connect(m_insertButton, &QPushButton::clicked, this, &MemoryPanel::insertChannel);
    connect(m_clearAllButton, &QPushButton::clicked, this, &MemoryPanel::clearAll);
    connect(m_downButton, &QPushButton::clicked, this, &MemoryPanel::moveDown);
    connect(m_deleteButton, &QPushButton::clicked, this, &MemoryPanel::deleteChannel);
    connect(m_readMemoryButton, &QPushButton::clicked, this, &MemoryPanel::readMemoryRequested);
    connect(m_writeMemoryButton, &QPushButton::clicked, this, &MemoryPanel::writeMemoryRequested);
    connect(m_grid, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { openEditor(m_sort->channelAt(index.row())); });

    selectChannel(0);
}

void MemoryPanel::createGrid(QWidget *frame)
{
    m_grid = new QTableView(frame);
    m_grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_sort = new ChannelSortProxy(m_document, this);
    m_sort->setSourceModel(m_model);
    m_sort->install(m_grid); // a heading click sorts the view; commands map rows to channels
    m_grid->setItemDelegateForColumn(ColFrequency, new SplitMarkDelegate(m_grid));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setWordWrap(false);
    m_grid->setCornerButtonEnabled(false);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->verticalHeader()->setSectionsClickable(false);
    m_grid->verticalHeader()->setHighlightSections(false);
    // Rows are dragged to move them within their bank.
    m_grid->setDragEnabled(true);
    m_grid->setDragDropMode(QAbstractItemView::InternalMove);
    m_grid->setDragDropOverwriteMode(false);
    m_grid->setDropIndicatorShown(true);
    // Tab moves on to the next control instead of from cell to cell.
    m_grid->setTabKeyNavigation(false);
    m_grid->installEventFilter(this);
    layOutGrid();
    connect(m_model, &ChannelTableModel::channelsMoved, this,
            [this](int first, int count) { selectChannels(first, first + count - 1); });
}

void MemoryPanel::createFindField(QWidget *frame)
{
    m_findField = new QLineEdit(frame);
    m_findField->setObjectName(QStringLiteral("txtFind"));
    m_findField->setPlaceholderText(tr("Find a channel by label, name or frequency"));
    m_findField->setClearButtonEnabled(true);
    m_findField->hide();
    m_findField->installEventFilter(this);
    connect(m_findField, &QLineEdit::returnPressed, this, [this] {
        const int channel = findChannel(m_findField->text());
        if (channel < 0) {
            emit statusMessage(tr("No channel matches \"%1\".").arg(m_findField->text()));
            return;
        }
        selectChannel(channel);
        m_grid->scrollTo(m_sort->index(m_sort->rowOf(channel), 0));
        emit statusMessage(QString());
    });
}

QLayout *MemoryPanel::buttonRows()
{
    auto *buttons = new QGridLayout;
    buttons->addWidget(m_clearButton, 0, 0);
    buttons->addWidget(m_upButton, 0, 1);
    buttons->addWidget(m_insertButton, 0, 2);
    buttons->addWidget(m_clearAllButton, 1, 0);
    buttons->addWidget(m_downButton, 1, 1);
    buttons->addWidget(m_deleteButton, 1, 2);
    auto *transfers = new QVBoxLayout;
    transfers->addWidget(m_readMemoryButton);
    transfers->addWidget(m_writeMemoryButton);
    auto *top = new QHBoxLayout;
    top->addLayout(buttons);
    top->addStretch(1);
    top->addLayout(transfers);
    return top;
}

void MemoryPanel::layOutGrid()
{
    applyColumnWidths(m_grid, kChannelColumns, m_shownColumns);
    setMinimumRowsInView(m_grid, kRowsInView);
}

void MemoryPanel::setShownColumns(const QList<int> &columns)
{
    m_shownColumns = columns;
    m_model->setSplitShown(columns.contains(ColSplit));
    layOutGrid();
}

bool MemoryPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (watched == m_findField && key->key() == Qt::Key_Escape) {
        m_findField->hide();
        m_grid->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (watched != m_grid || key->modifiers() & ~(Qt::KeypadModifier))
        return QWidget::eventFilter(watched, event);
    // Enter or F2 edits the current row; Delete clears the selection after the confirmation.
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        modifyCurrentChannel();
        return true;
    case Qt::Key_Delete:
        if (!m_busy)
            clearChannel();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void MemoryPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        layOutGrid();
}

int MemoryPanel::currentRow() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.row() : 0;
}

int MemoryPanel::currentChannel() const
{
    return m_sort->channelAt(currentRow());
}

QList<int> MemoryPanel::selectedChannels() const
{
    QList<int> channels;
    for (const QModelIndex &index : m_grid->selectionModel()->selectedRows())
        channels << m_sort->channelAt(index.row());
    if (channels.isEmpty())
        channels << currentChannel();
    return normalizedChannels(channels);
}

void MemoryPanel::selectChannels(int first, int last)
{
    first = std::clamp(first, 0, kChannelCount - 1);
    last = std::clamp(last, first, kChannelCount - 1);
    QList<int> channels(last - first + 1);
    std::iota(channels.begin(), channels.end(), first);
    selectChannelList(channels);
}

void MemoryPanel::selectChannelList(const QList<int> &channels)
{
    QItemSelection rows;
    for (int channel : channels)
        rows.select(m_model->index(channel, 0), m_model->index(channel, kChannelColumns - 1));
    QItemSelectionModel *selection = m_grid->selectionModel();
    if (!channels.isEmpty())
        selection->setCurrentIndex(m_sort->index(m_sort->rowOf(channels.first()), ColFrequency),
                                   QItemSelectionModel::NoUpdate);
    selection->select(m_sort->mapSelectionFromSource(rows), QItemSelectionModel::ClearAndSelect);
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
    selectRow(m_sort->rowOf(channel));
}

void MemoryPanel::selectRow(int row)
{
    const int top = topChannel();
    m_grid->selectionModel()->setCurrentIndex(
        m_sort->index(row, ColFrequency), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    setTopChannel(top);
}

void MemoryPanel::setBusy(bool busy)
{
    m_busy = busy;
    // No rows move while a transfer reads or writes them.
    m_grid->setDragEnabled(!busy);
    m_grid->setAcceptDrops(!busy);
    for (QPushButton *button : {m_clearButton, m_insertButton, m_clearAllButton, m_deleteButton,
                                m_readMemoryButton, m_writeMemoryButton})
        button->setEnabled(!busy);
}

void MemoryPanel::setModifyDialog(ModifyDialog *dialog)
{
    m_dialog = dialog;
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
    if (m_busy || !m_dialog || channel < 0 || channel >= kChannelCount)
        return;
    const std::optional<Channel> edited =
        m_dialog->edit(m_document.image().channels[channel], channel, m_document.modelIndex());
    if (edited)
        m_document.submit(ImageChange::channels(m_document.image(), channel, {*edited},
                                                tr("Modify channel %1").arg(csvChannelField(channel))));
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
    return MemoryPanel::tr("%1 channels").arg(channels.size());
}

QString channelCount(int count)
{
    return MemoryPanel::tr("%n channel(s)", nullptr, count);
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
            : tr("Are you sure that you want to delete these %1 channels?").arg(channels.size());
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
            : tr("Are you sure that you want to clear these %1 channels?").arg(channels.size());
    if (!confirm(tr("CLEAR OK"), undoLine() + question))
        return;
    m_document.submit(
        clearChannels(m_document.image(), channels, tr("Clear %1").arg(channelsName(channels))));
}

void MemoryPanel::clearAll()
{
    if (!confirm(tr("CLEAR OK"), undoLine() + tr("Are you sure that you want to clear all memory?")))
        return;
    QList<int> all(kChannelCount);
    std::iota(all.begin(), all.end(), 0);
    m_document.submit(clearChannels(m_document.image(), all, tr("Clear All")));
}

void MemoryPanel::moveUp()
{
    const int top = topChannel();
    const int rows = rowsInView(m_grid, kRowsInView);
    int channel = currentRow();
    if (channel > 0)
        selectRow(--channel);
    if (channel < top)
        setTopChannel(channel);
    else if (channel >= top + rows)
        setTopChannel(channel - (rows - 1));
    else
        setTopChannel(top);
}

void MemoryPanel::moveDown()
{
    const int top = topChannel();
    const int rows = rowsInView(m_grid, kRowsInView);
    int channel = currentRow();
    // Down stays inside the first bank; in a sorted view it goes down to the last row.
    if (channel < (m_sort->isSorted() ? kChannelCount : kFirstBankEnd) - 1)
        selectRow(++channel);
    const bool visible = channel >= top && channel < top + rows;
    if (!visible)
        setTopChannel(channel < top ? channel : channel - (rows - 1));
    else if (channel == kChannelCount - 1)
        setTopChannel(kChannelCount - rows);
    else
        setTopChannel(top);
}

} // namespace ktv4::ui

namespace ktv4::ui {

void MemoryPanel::copyChannels()
{
    const QList<int> channels = selectedChannels();
    QApplication::clipboard()->setMimeData(channelsMimeData(m_document.image().channels, channels));
    emit statusMessage(tr("Copied %1.").arg(channelsName(channels)));
}

void MemoryPanel::cutChannels()
{
    if (m_busy)
        return;
    const QList<int> channels = selectedChannels();
    QApplication::clipboard()->setMimeData(channelsMimeData(m_document.image().channels, channels));
    m_document.submit(clearChannels(m_document.image(), channels, tr("Cut %1").arg(channelsName(channels))));
    emit statusMessage(tr("Cut %1.").arg(channelsName(channels)));
}

void MemoryPanel::pasteChannels()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (m_busy || !data)
        return;
    const int at = currentChannel();
    PasteResult paste = ktv4::pasteChannels(m_document.image(), at, *data);
    paste.change.text = tr("Paste %1").arg(channelCount(paste.pasted));
    m_document.submit(std::move(paste.change));
    if (paste.pasted > 0)
        selectChannels(at, at + paste.pasted - 1);
    QString status = tr("Pasted %1.").arg(channelCount(paste.pasted));
    if (paste.dropped > 0)
        status += QLatin1Char(' ') + tr("Skipped %1 of the rows: a CSV import would drop them, or they do "
                                        "not fit below the last channel.")
                                         .arg(paste.dropped);
    emit statusMessage(status);
}

void MemoryPanel::showFind()
{
    m_findField->show();
    m_findField->setFocus(Qt::ShortcutFocusReason);
    m_findField->selectAll();
}

int MemoryPanel::findChannel(const QString &text) const
{
    const QString wanted = text.trimmed().toUpper();
    if (wanted.isEmpty())
        return -1;
    QString digits = wanted;
    digits.remove(QRegularExpression(QStringLiteral("[^0-9]")));
    const bool frequencyLike =
        !digits.isEmpty() && !wanted.contains(QRegularExpression(QStringLiteral("[A-Z]")));
    auto matches = [&](int channel) {
        const Channel &c = m_document.image().channels[channel];
        QString label = gridRowLabel(channel);
        if (label.remove(QLatin1Char(' ')) == QString(wanted).remove(QLatin1Char(' ')) ||
            csvChannelField(channel) == wanted)
            return true;
        if (!c.inUse)
            return false;
        if (c.name.toUpper().contains(wanted))
            return true;
        if (!frequencyLike)
            return false;
        const QString hz = QString::number(c.frequency);
        return hz.startsWith(digits);
    };
    const int start = currentChannel();
    for (int step = 1; step <= kChannelCount; ++step) {
        const int channel = (start + step) % kChannelCount;
        if (matches(channel))
            return channel;
    }
    return -1;
}

} // namespace ktv4::ui
